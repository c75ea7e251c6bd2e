// The tests' one way into the main window: its controls and its state to
// read, and a few named operations where a test cannot get there by the
// messages a user's input produces. Everything else of CVelmoraDlg stays
// private; the harness derives from this.
#pragma once
#include "app/main_window.h"
#include <array>
#include <span>
#include <string>

struct MainWindowTestAccess : CVelmoraDlg {
    using RowArray = ProgramRow[MAX_ROWS];

    // --- Controls ---
    CEditListCtrlEx& Grid() { return m_grid; }
    const CEditListCtrlEx& Grid() const { return m_grid; }
    CListChartView& Chart() { return m_chart; }
    CSimulatorWindow& Simulator() { return m_simulator; }
    CProgressCtrl& Progress() { return m_progress; }
    CStatic& DeviceIcon() { return m_deviceIcon; }
    CMyComboBox& LangCombo() { return m_langCombo; }
    CShadeButtonST& SendButton() { return m_btnSend; }
    // Open, Save, Clear, Exit and Send: the buttons that show a picture.
    std::array<CShadeButtonST*, 5> PictureButtons() {
        return {&m_btnOpen, &m_btnSave, &m_btnClear, &m_btnExit, &m_btnSend};
    }
    // The command buttons, controls 1120..1135 in order.
    CButtonST& CommandButton(int index) { return m_cmdButtons[index]; }

    // --- What the window drew with ---
    HBITMAP DevicePicture() const { return m_bmpDevice.Get(); }
    HBITMAP NoDevicePicture() const { return m_bmpNoDevice.Get(); }
    HICON WindowIcon() const { return m_hIcon; }
    HBRUSH BackgroundBrush() const { return static_cast<HBRUSH>(m_bkBrush); }
    HFONT GridFont() const { return static_cast<HFONT>(m_gridFont); }

    // --- State ---
    // All MAX_ROWS records: those past RowCount() included.
    const RowArray& Rows() const { return m_rows; }
    int RowCount() const { return m_rowCount; }
    int Modified() const { return m_modified; }
    int CheckResult() const { return m_checkResult; }
    // The image of the last send, IMAGE_BUFFER_SIZE bytes, ImageLength() of them encoded.
    const uint8_t* Image() const { return m_image; }
    int ImageLength() const { return m_imageLength; }
    const UndoHistory& History() const { return m_history; }
    int Connected() const { return m_connected; }
    const std::wstring& LastPath() const { return m_lastPath; }
    const std::wstring& WorkingCopyPath() const { return m_workingCopyPath; }
    int ZoomIndex() const { return m_zoomIndex; }

    // --- Operations under the window's own names ---
    using CVelmoraDlg::AskSaveChanges;
    using CVelmoraDlg::CurrentChart;
    using CVelmoraDlg::FitGridColumns;
    using CVelmoraDlg::InsertCommand;
    using CVelmoraDlg::LoadProgramFile;
    using CVelmoraDlg::SaveCommand;
    using CVelmoraDlg::SaveProgramFile;
    using CVelmoraDlg::SendPacket;
    using CVelmoraDlg::ShownProgram;
    using CVelmoraDlg::ShowRowStatus;
    using CVelmoraDlg::StartHistory;
    // The grid <-> rows machinery, for its own tests and the figures.
    using CVelmoraDlg::DeleteProgramRow;
    using CVelmoraDlg::GridToRows;
    using CVelmoraDlg::InsertProgramRow;
    using CVelmoraDlg::MarkErrorRows;
    using CVelmoraDlg::RecheckAndRedraw;
    using CVelmoraDlg::RenumberRows;
    using CVelmoraDlg::RowsToGrid;

    // --- Set-ups a user would reach only through a file or a dialog ---
    // Puts the rows in the grid and checks them again, as a loaded program
    // is shown (at most MAX_ROWS of them).
    void ShowProgram(std::span<const ProgramRow> rows) { ShowRows(rows.data(), rows.size()); }
    void SetModified(bool modified) { m_modified = modified ? 1 : 0; }
    // The path the file dialogs start from.
    void SetLastPath(const std::wstring& path) { m_lastPath = path; }
    // Transfers the image buffer as if `length` bytes of it were encoded.
    void TransferImageOfLength(int length) {
        m_imageLength = length;
        TransferImage();
    }
};

// CVelmoraDlg: the main window, a resizable dialog on template
// IDD_VELMORA_DIALOG. It owns the program being edited: the grid shows it,
// m_rows mirrors it, and the flowchart view gets a copy after every change.
// Its operations live in several files, one job each:
//   main_window.cpp      creation, layout, colours, keys, selection, closing
//   grid_rows.cpp        grid set-up and the grid <-> m_rows machinery
//   editing_commands.cpp insert, delete, clear, cut, copy, paste, context menu
//   undo_redo.cpp        the history of changes, undo and redo
//   file_commands.cpp    open, save, the save question, the working copy
//   send_command.cpp     device poll and send
//   simulator_wiring.cpp the Run button, F5 and the simulator window's links
//   chart_commands.cpp   the flowchart's menu: export, copy picture, print
#pragma once
#include "app/chart_export.h"
#include "app/halvex_link.h"
#include "app/pemble_link.h"
#include "app/simulator_window.h"
#include "chart/list_chart_view.h"
#include "device/packets.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "grid/edit_list_ctrl_ex.h"
#include "model/device_image.h"
#include "model/program_row.h"
#include "model/undo_history.h"
#include "widgets/button_st.h"
#include "widgets/my_combo_box.h"
#include "widgets/shade_button_st.h"
#include <cstdint>
#include <string>

// Timers of the main window.
constexpr UINT_PTR TIMER_POLL = 1;  // every 1000 ms: device presence
constexpr UINT TIMER_POLL_MS = 1000;
constexpr UINT_PTR TIMER_SEND_DONE = 2;  // once, 2500 ms after a send: status line back
constexpr UINT TIMER_SEND_DONE_MS = 2500;

constexpr int COMMAND_BUTTON_COUNT = 16;  // controls 1120..1135
constexpr UINT IDC_RUN_SIMULATOR = 1150;  // the Run button, made by the window itself

// Character width of the grid's font, 7..10; the height is twice that.
extern int g_gridFontSize;

class CVelmoraDlg : public CDialog {
public:
    explicit CVelmoraDlg(HWND parent = nullptr);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()

private:
    // The tests' one way in (tests/app/main_window_test_access.h).
    friend struct MainWindowTestAccess;

    // --- Main window (main_window.cpp) ---
    bool InitMainWindow();
    void LayoutControls();
    void FitGridColumns();
    bool FilterKeyMessage(MSG* msg);
    void ShowRowStatus(int row);
    void ApplyLanguage();

    // --- Grid and program rows (grid_rows.cpp) ---
    void SetUpGrid();
    bool InsertProgramRow(int index, const ProgramRow* row, bool redraw);
    bool DeleteProgramRow(int index);
    void FillGridRow(int index, const ProgramRow* row, bool redraw);
    void ResetGridRow(int index, bool clearTexts);
    bool RenumberRows(bool redraw);
    int GridToRows();
    // Reads the grid's rows without touching m_rows; returns their count.
    int ReadGridRows(ProgramRow (&rows)[MAX_ROWS]) const;
    void RowsToGrid();
    void MarkErrorRows();
    void RecheckAndRedraw();
    LRESULT OnGridComboEnd(WPARAM wParam, LPARAM lParam);
    void BuildRowForCommand(int index, const std::wstring& text);
    void ApplyIfInput(int index, int input);

    // --- Editing commands (editing_commands.cpp) ---
    bool InsertCommand(int code);
    // After a row went in at `sel`: the selection stays on the line that was
    // selected (now one lower) in both views, and the status line follows.
    void FollowInsertedRow(int sel);
    void DeleteCommand();
    void ClearProgram();
    void CutRow();
    // True when the row reached the clipboard.
    bool CopyRow();
    void PasteRow();
    void ShowContextMenu(int x, int y);

    // --- History of changes (undo_redo.cpp) ---
    // The program as the grid shows it, with its selected row.
    ProgramState ShownProgram() const;
    // A new history at the program shown; it counts as saved while unmodified.
    void StartHistory();
    // Every change of the program ends here, and a simulated run stops. An
    // edit passes the program as it was before it and becomes one step of the
    // history; an undo, a redo or a loaded file passes null (the history has
    // moved or started afresh already).
    void ProgramChanged(const ProgramState* before);
    void UndoChange();
    void RedoChange();
    // Undo or redo by `move`: the modified mark follows the history.
    void MoveThroughHistory(const ProgramState* (UndoHistory::*move)());
    // Puts `count` rows (at most MAX_ROWS) in both views and checks them again.
    void ShowRows(const ProgramRow* rows, size_t count);
    // Shows a state of the history: its rows as ShowRows does, with its
    // selected row and that row's status.
    void ShowState(const ProgramState& state);
    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z for any window of the dialog.
    bool HandleHistoryKey(const MSG& msg);

    // --- The flowchart leaving the editor (chart_commands.cpp) ---
    // The program as the flowchart shows it, laid out for the view's width.
    ChartSource CurrentChart() const;
    // Opens the flowchart's menu at a screen point over the view; false elsewhere.
    bool ShowChartMenu(int x, int y);

    // --- Open, save, working copy (file_commands.cpp) ---
    int LoadProgramFile(const std::wstring& path);
    int SaveProgramFile(const std::wstring& path);
    // False when the user cancels, or a save asked for did not happen.
    bool AskSaveChanges();
    void OpenCommand();
    // True when the program was saved.
    bool SaveCommand();
    // The working copy at opening (false when there was none) and at closing
    // (false when the window stays open).
    bool LoadWorkingCopy();
    bool CloseProgram();

    // --- Device poll and send (send_command.cpp) ---
    void PollDevice(UINT_PTR timerId);
    void SendProgram();
    void TransferImage();
    bool SendPacket(HANDLE handle, DevicePacket& packet);
    // The "Sytax Error!" box with the first faulty row of the checked m_rows.
    void ShowSyntaxError();

    // --- Simulator (simulator_wiring.cpp) ---
    void CreateRunButton();
    void PlaceRunButton();
    void OpenSimulator();
    // At start, when the command line holds "/run".
    void OpenSimulatorIfAsked();
    bool LoadRunProgram(DeviceRun& run);
    void ShowRunningRow(int row);

    // Fields, in this order.
    CEditListCtrlEx m_grid;
    CListChartView m_chart;
    int m_zoomIndex = 0;
    CStatic m_deviceIcon;
    HWND m_statusLine = nullptr;  // found once: under Wine GetDlgItem is a window-server trip
    CProgressCtrl m_progress;
    CShadeButtonST m_btnOpen;
    CShadeButtonST m_btnSave;
    CShadeButtonST m_btnClear;
    CShadeButtonST m_btnSend;
    CShadeButtonST m_btnExit;
    CShadeButtonST m_btnRun;
    CSimulatorWindow m_simulator;
    CButtonST m_cmdButtons[COMMAND_BUTTON_COUNT];
    CMyComboBox m_langCombo;
    CFont m_gridFont;
    CBrush m_bkBrush;
    std::wstring m_workingCopyPath;
    bool m_workingCopyUnreadable = false;  // there at start, but could not be read: never written
    int m_checkResult = 0;
    int m_rowCount = 0;
    ProgramRow m_rows[MAX_ROWS] = {};
    int m_modified = 0;
    std::wstring m_lastPath;
    int m_connected = 0;
    bool m_sending = false;  // a send is in progress: no poll tick runs
    CBitmap m_bmpNoDevice;
    CBitmap m_bmpDevice;
    HICON m_hIcon = nullptr;
    uint8_t m_image[IMAGE_BUFFER_SIZE] = {};
    int m_imageLength = 0;
    UndoHistory m_history;
    HalvexLink m_halvexLink;
    PembleLink m_pembleLink;

    // Message handlers: they unpack and call the operations above.
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    HBRUSH OnCtlColor(HDC dc, HWND child, UINT type);
    void OnTimer(UINT_PTR id);
    LRESULT OnGridDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnChartSelChange(WPARAM wParam, LPARAM lParam);
    void OnGridItemChanged(NMHDR* hdr, LRESULT* result);
    void OnContextMenu(HWND hwnd, POINT screen);
    // The context menu's owner-drawn items (CtlType ODT_MENU).
    LRESULT OnMeasureItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    void OnZoom(UINT id);
    void OnLanguageChange();
    void OnInsertButton(UINT id);
    void OnInsertMenu(UINT id);
    void OnDeleteCommand();
    void OnClearCommand();
    void OnCutCommand();
    void OnCopyCommand();
    void OnPasteCommand();
    void OnUndoCommand();
    void OnRedoCommand();
    void OnOpenCommand();
    void OnSaveCommand();
    void OnSendCommand();
    void OnRunCommand();
    void OnChartExport();
    void OnChartCopyPicture();
    void OnChartPrint();
    // Closing by OK, Escape or the close box.
    void CloseMainWindow();
    // Writes the program into the working copy when it was loaded at start.
    void SaveWorkingCopy();
    bool MayWriteWorkingCopy() const;
    void OnActivate(UINT state, HWND other, BOOL minimized);
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM ending, LPARAM lParam);
    // Runs `step` with the file commands over this window's program and seam.
    class FileSeam;
    template <typename Step>
    auto WithFileCommands(Step step);
    // Runs `step` with the device procedure over this window's links and controls.
    template <typename Step>
    auto WithSender(Step step);
};

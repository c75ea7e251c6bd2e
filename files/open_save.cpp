// Open and Save of the main window, the save question, and loading the
// program of a file into the window.
#include "app/file_dialog.h"
#include "app/main_window.h"
#include "app/show_error.h"
#include "app/velmora_app.h"
#include "files/program_file.h"
#include "model/checker.h"
#include "widgets/ask_question.h"
#include <cstring>

namespace {

constexpr const wchar_t* FILE_FILTER = L"Program Text File(*.STXT)|*.STXT|Send Data File(*.Bin)|*.Bin||";
constexpr const wchar_t* DEFAULT_EXTENSION = L"STXT";

// Information text In (1-based) of the current language.
std::wstring InfoText(int n) {
    return std::wstring(PackText(g_velmoraApp.CurrentPack().infoTexts[n - 1], PACK_LONG_TEXT_SIZE));
}

}  // namespace

int CVelmoraDlg::LoadProgramFile(const std::wstring& path) {
    ProgramRow rows[MAX_ROWS];
    const int n = LoadProgramRows(path, rows, m_image);
    if (n < 0)
        return n;
    std::memcpy(m_rows, rows, sizeof m_rows);
    m_rowCount = n;
    m_checkResult = CheckProgram(m_rows, m_rowCount);
    RowsToGrid();
    m_chart.SetProgram(m_rows, m_rowCount);
    const int last = m_grid.GetItemCount() - 1;
    m_grid.SelectRow(last);
    m_grid.EnsureVisible(last, FALSE);
    m_modified = 1;
    ::SetFocus(m_grid.m_hWnd);
    StartHistory();
    return n;
}

int CVelmoraDlg::SaveProgramFile(const std::wstring& path) {
    GridToRows();
    const int result = SaveProgramRows(path, m_rows, m_rowCount, m_image, &m_checkResult);
    if (result == 1) {
        m_modified = 0;
        m_history.MarkSaved();
    }
    return result;
}

bool CVelmoraDlg::AskSaveChanges() {
    if (!m_modified)
        return true;
    const std::wstring yes = InfoText(11), no = InfoText(12), cancel = InfoText(13);
    const wchar_t* captions[3] = {yes.c_str(), no.c_str(), cancel.c_str()};
    switch (AskQuestion(captions, m_hWnd, InfoText(5).c_str())) {
    case IDYES:
        // A save that did not happen keeps the program: the caller stops.
        return SaveCommand();
    case IDNO: return true;
    default: return false;
    }
}

void CVelmoraDlg::OpenCommand() {
    if (!AskSaveChanges())
        return;
    if (m_lastPath.empty())
        m_lastPath = g_velmoraApp.m_exeFolder + L"\\*.STXT";
    const auto path = ShowFileDialog(
        {FileDialogKind::Open, m_hWnd, InfoText(1), FILE_FILTER, DEFAULT_EXTENSION, m_lastPath, OFN_FILEMUSTEXIST});
    if (!path)
        return;
    if (LoadProgramFile(*path) < 0) {
        ShowError(m_hWnd, L"%s", InfoText(2).c_str());
        return;
    }
    m_lastPath = *path;
    m_modified = 0;
    m_history.MarkSaved();
}

bool CVelmoraDlg::SaveCommand() {
    if (m_lastPath.empty())
        m_lastPath = L"*.STXT";
    const auto path = ShowFileDialog({FileDialogKind::Save, m_hWnd, InfoText(3), FILE_FILTER, DEFAULT_EXTENSION,
                                      m_lastPath, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY});
    if (!path)
        return false;
    if (SaveProgramFile(*path) != 1) {
        ShowError(m_hWnd, L"%s", InfoText(4).c_str());
        return false;
    }
    m_lastPath = *path;
    m_modified = 0;
    m_history.MarkSaved();
    return true;
}

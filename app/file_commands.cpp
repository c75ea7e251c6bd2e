// The main window's side of Open, Save, the save question and the working
// copy: the procedures are the file layer's; the window gives them its
// program, its texts, the file dialog, the question and the error box.
#include "app/file_dialog.h"
#include "app/main_window.h"
#include "app/show_error.h"
#include "app/velmora_app.h"
#include "files/file_commands.h"
#include "widgets/ask_question.h"

namespace {

FileTexts CurrentFileTexts() {
    const LanguagePack& pack = g_velmoraApp.CurrentPack();
    // Information text In (1-based).
    const auto info = [&](int n) { return std::wstring(PackText(pack.infoTexts[n - 1], PACK_LONG_TEXT_SIZE)); };
    return {info(1), info(2), info(3), info(4), info(5), info(11), info(12), info(13)};
}

}  // namespace

class CVelmoraDlg::FileSeam : public FileCommandSeam {
public:
    explicit FileSeam(CVelmoraDlg& window) : m_window(window) {}

    std::optional<std::wstring> ChooseFile(const FileChoice& choice) override {
        const bool open = choice.kind == FileChoiceKind::Open;
        return ShowFileDialog({open ? FileDialogKind::Open : FileDialogKind::Save, m_window.m_hWnd, choice.title,
                               choice.filter, choice.defaultExtension, choice.initialName,
                               open ? DWORD{OFN_FILEMUSTEXIST} : DWORD{OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY}});
    }
    SaveAnswer AskQuestion(const std::wstring& question, const std::wstring& yes, const std::wstring& no,
                           const std::wstring& cancel) override {
        const wchar_t* captions[3] = {yes.c_str(), no.c_str(), cancel.c_str()};
        switch (::AskQuestion(captions, m_window.m_hWnd, question.c_str())) {
        case IDYES: return SaveAnswer::Yes;
        case IDNO: return SaveAnswer::No;
        default: return SaveAnswer::Cancel;
        }
    }
    void ShowError(const std::wstring& text) override { ::ShowError(m_window.m_hWnd, L"%s", text.c_str()); }
    void CollectRows() override { m_window.GridToRows(); }
    void ShowLoadedRows() override {
        m_window.RowsToGrid();
        m_window.m_chart.SetProgram(m_window.m_rows, m_window.m_rowCount);
        const int last = m_window.m_grid.GetItemCount() - 1;
        m_window.m_grid.SelectRow(last);
        m_window.m_grid.EnsureVisible(last, FALSE);
        ::SetFocus(m_window.m_grid.m_hWnd);
        m_window.StartHistory();
        m_window.ProgramChanged(nullptr);
    }
    void ProgramSaved() override { m_window.m_history.MarkSaved(); }

private:
    CVelmoraDlg& m_window;
};

template <typename Step>
auto CVelmoraDlg::WithFileCommands(Step step) {
    const FileTexts texts = CurrentFileTexts();
    FileSeam seam(*this);
    FileCommands commands({m_rows, m_rowCount, m_checkResult, m_modified, m_lastPath, m_image}, seam, texts);
    return step(commands);
}

int CVelmoraDlg::LoadProgramFile(const std::wstring& path) {
    return WithFileCommands([&](FileCommands& files) { return files.LoadProgramFile(path); });
}

int CVelmoraDlg::SaveProgramFile(const std::wstring& path) {
    return WithFileCommands([&](FileCommands& files) { return files.SaveProgramFile(path); });
}

bool CVelmoraDlg::AskSaveChanges() {
    return WithFileCommands([](FileCommands& files) { return files.AskSaveChanges(); });
}

void CVelmoraDlg::OpenCommand() {
    WithFileCommands([](FileCommands& files) { files.OpenCommand(g_velmoraApp.m_exeFolder); });
}

bool CVelmoraDlg::SaveCommand() {
    return WithFileCommands([](FileCommands& files) { return files.SaveCommand(); });
}

bool CVelmoraDlg::LoadWorkingCopy() {
    return WithFileCommands([this](FileCommands& files) { return files.LoadWorkingCopy(m_workingCopyPath); });
}

bool CVelmoraDlg::MayWriteWorkingCopy() const {
    // Without the flowchart the initialisation stopped before the working copy
    // was loaded, and an unreadable one still holds the last program: the
    // grid must not be written over either.
    return m_chart.m_hWnd != nullptr && !m_workingCopyUnreadable;
}

bool CVelmoraDlg::CloseProgram() {
    return WithFileCommands(
        [&](FileCommands& files) { return files.CloseProgram(m_workingCopyPath, MayWriteWorkingCopy()); });
}

void CVelmoraDlg::SaveWorkingCopy() {
    if (MayWriteWorkingCopy())
        SaveProgramFile(m_workingCopyPath);
}

#include "files/file_commands.h"
#include "files/program_file.h"
#include "model/checker.h"
#include <cstring>

FileCommands::FileCommands(ProgramFileState state, FileCommandSeam& seam, const FileTexts& texts)
    : m_state(state), m_seam(seam), m_texts(texts) {}

int FileCommands::LoadProgramFile(const std::wstring& path) {
    ProgramRow rows[MAX_ROWS];
    const int n = LoadProgramRows(std::filesystem::path(path), rows, m_state.image);
    if (n < 0)
        return n;
    std::memcpy(m_state.rows, rows, sizeof rows);
    m_state.rowCount = n;
    m_state.checkResult = CheckProgram(m_state.rows, m_state.rowCount);
    m_state.modified = 1;
    m_seam.ShowLoadedRows();
    return n;
}

int FileCommands::SaveProgramFile(const std::wstring& path) {
    m_seam.CollectRows();
    const int result = SaveProgramRows(std::filesystem::path(path), m_state.rows, m_state.rowCount, m_state.image,
                                       &m_state.checkResult);
    if (result == 1) {
        m_state.modified = 0;
        m_seam.ProgramSaved();
    }
    return result;
}

bool FileCommands::AskSaveChanges() {
    if (!m_state.modified)
        return true;
    switch (m_seam.AskQuestion(m_texts.saveQuestion, m_texts.yes, m_texts.no, m_texts.cancel)) {
    case SaveAnswer::Yes:
        // A save that did not happen keeps the program: the caller stops.
        return SaveCommand();
    case SaveAnswer::No: return true;
    case SaveAnswer::Cancel: return false;
    }
    return false;
}

void FileCommands::OpenCommand(const std::wstring& exeFolder) {
    if (!AskSaveChanges())
        return;
    if (m_state.lastPath.empty())
        m_state.lastPath = exeFolder + L"\\*.STXT";
    const auto path = m_seam.ChooseFile(
        {FileChoiceKind::Open, m_texts.openTitle, PROGRAM_FILE_FILTER, PROGRAM_FILE_EXTENSION, m_state.lastPath});
    if (!path)
        return;
    if (LoadProgramFile(*path) < 0) {
        m_seam.ShowError(m_texts.openError);
        return;
    }
    m_state.lastPath = *path;
    m_state.modified = 0;
    m_seam.ProgramSaved();
}

bool FileCommands::SaveCommand() {
    if (m_state.lastPath.empty())
        m_state.lastPath = L"*.STXT";
    const auto path = m_seam.ChooseFile(
        {FileChoiceKind::Save, m_texts.saveTitle, PROGRAM_FILE_FILTER, PROGRAM_FILE_EXTENSION, m_state.lastPath});
    if (!path)
        return false;
    if (SaveProgramFile(*path) != 1) {
        m_seam.ShowError(m_texts.writeError);
        return false;
    }
    m_state.lastPath = *path;
    m_state.modified = 0;
    m_seam.ProgramSaved();
    return true;
}

bool FileCommands::LoadWorkingCopy(const std::wstring& path) { return LoadProgramFile(path) >= 0; }

bool FileCommands::CloseProgram(const std::wstring& workingCopy, bool writeWorkingCopy) {
    if (!AskSaveChanges())
        return false;
    if (writeWorkingCopy)
        SaveProgramFile(workingCopy);
    return true;
}

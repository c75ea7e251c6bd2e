// Open, Save, the save question and the working copy: the file commands of
// the editor as plain procedures over the window's program and a small seam
// for what they show (file dialog, question, error box).
#pragma once
#include "model/program_row.h"
#include <cstdint>
#include <optional>
#include <string>

constexpr const wchar_t* PROGRAM_FILE_FILTER = L"Program Text File(*.STXT)|*.STXT|Send Data File(*.Bin)|*.Bin||";
constexpr const wchar_t* PROGRAM_FILE_EXTENSION = L"STXT";

enum class FileChoiceKind { Open, Save };

// A file dialog as the commands ask for it. An open dialog wants an existing
// file; a save dialog asks before overwriting one.
struct FileChoice {
    FileChoiceKind kind;
    std::wstring title;
    std::wstring filter;            // "Name|pattern|Name|pattern||"
    std::wstring defaultExtension;  // without the dot
    std::wstring initialName;
};

enum class SaveAnswer { Yes, No, Cancel };

// What the file commands need from the window.
class FileCommandSeam {
public:
    virtual ~FileCommandSeam() = default;
    // The chosen path; nothing when the user cancels.
    virtual std::optional<std::wstring> ChooseFile(const FileChoice& choice) = 0;
    // The Yes/No/Cancel question with these three captions.
    virtual SaveAnswer AskQuestion(const std::wstring& question, const std::wstring& yes, const std::wstring& no,
                                   const std::wstring& cancel) = 0;
    // The stop-icon box; the text is shown as it is.
    virtual void ShowError(const std::wstring& text) = 0;
    // Rebuilds the rows from what is on screen (the grid's texts).
    virtual void CollectRows() = 0;
    // Shows freshly loaded rows: grid, flowchart, the last row selected.
    // The program counts as modified by then.
    virtual void ShowLoadedRows() = 0;
    // The program on screen is now the one in its file.
    virtual void ProgramSaved() = 0;
};

// The texts the commands show, in the current language.
struct FileTexts {
    std::wstring openTitle;        // I1
    std::wstring openError;        // I2
    std::wstring saveTitle;        // I3
    std::wstring writeError;       // I4
    std::wstring saveQuestion;     // I5
    std::wstring yes, no, cancel;  // I11..I13
};

// The window's program as the commands read and change it.
struct ProgramFileState {
    ProgramRow* rows;  // MAX_ROWS rows
    int& rowCount;
    int& checkResult;
    int& modified;
    std::wstring& lastPath;  // last file opened or saved through the dialogs
    uint8_t* image;          // IMAGE_BUFFER_SIZE bytes, shared with Send
};

class FileCommands {
public:
    FileCommands(ProgramFileState state, FileCommandSeam& seam, const FileTexts& texts);

    // Replaces the program by the file's and returns the new row count; a
    // negative result when reading failed leaves the program as it was.
    int LoadProgramFile(const std::wstring& path);
    // Writes the program (rebuilt from the screen first); 1 on success, 0 on failure.
    int SaveProgramFile(const std::wstring& path);
    // False when the user cancels, or a save asked for did not happen: the
    // caller then stops, so that no modified program is lost.
    bool AskSaveChanges();
    // `exeFolder` gives the first dialog's folder.
    void OpenCommand(const std::wstring& exeFolder);
    // True when the program was saved.
    bool SaveCommand();

    // Opening the window: the working copy, silently. False when there was none.
    bool LoadWorkingCopy(const std::wstring& path);
    // Closing the window: false when it stays open. The working copy is
    // written only when `writeWorkingCopy`, and silently.
    bool CloseProgram(const std::wstring& workingCopy, bool writeWorkingCopy);

private:
    ProgramFileState m_state;
    FileCommandSeam& m_seam;
    const FileTexts& m_texts;
};

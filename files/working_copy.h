// Where the working copy lives: beside the executable when that folder can be
// written, else in the user's application-data folder, so that the last
// program still comes back at the next start.
#pragma once
#include <string>

inline constexpr const wchar_t* WORKING_COPY_NAME = L"CurFlowchart.STxt";
// Created and deleted again to learn whether a folder can be written.
inline constexpr const wchar_t* WRITE_PROBE_NAME = L"CurFlowchart.probe";
// Folder of the working copy under the application-data folder.
inline constexpr const wchar_t* APP_DATA_FOLDER_NAME = L"Velmora";

// True when a file can be created (and is deleted again) in `folder`.
bool IsFolderWritable(const std::wstring& folder);

// The user's application-data folder for the editor ("%APPDATA%\Velmora",
// or the shell's application-data folder when the variable is not set),
// created when missing; empty when there is none.
std::wstring AppDataFolder();

// True when something stands at `path`, or when that cannot be told (no
// permission): only a missing file or folder counts as absent.
bool FileIsPresent(const std::wstring& path);

// The working copy's path for an executable in `exeFolder` (no trailing
// backslash): "<exeFolder>\CurFlowchart.STxt" when the folder can be written,
// else the same name in AppDataFolder(), and the first form again when there
// is no application-data folder either.
std::wstring WorkingCopyPath(const std::wstring& exeFolder);

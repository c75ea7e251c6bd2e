// The platform's file-open and file-save dialogs behind one seam, so that
// tests can answer them without a human.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind;
    HWND owner;
    std::wstring title;
    std::wstring filter;            // "Name|pattern|Name|pattern||"
    std::wstring defaultExtension;  // without the dot
    std::wstring initialName;
    DWORD flags;                  // OFN_* flags
    int* chosenFilter = nullptr;  // when set, receives the 1-based filter of the chosen path
};

using FileDialogHook = std::function<std::optional<std::wstring>(const FileDialogRequest&)>;

// Shows the dialog modally and returns the chosen path, nothing when the user
// cancels or the dialog cannot be shown.
std::optional<std::wstring> ShowFileDialog(const FileDialogRequest& request);

// Replaces the dialog; an empty hook restores it.
void SetFileDialogHook(FileDialogHook hook);

// The platform's form of a "|"-separated filter: every "|" becomes a NUL, and
// the text ends with two NULs.
std::wstring PlatformFilter(std::wstring_view filter);

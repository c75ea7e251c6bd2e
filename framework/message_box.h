// The one place that shows the platform's message box. Tests replace it with
// a hook that records the box and answers with a chosen button.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

struct MessageBoxRequest {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;  // MB_* flags as given
};

using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;

// Shows a message box; a null caption uses the application's name.
int ShowMessageBox(HWND owner, const std::wstring& text, const wchar_t* caption, UINT type);
// Replaces the platform box for tests; an empty hook restores it.
void SetMessageBoxHook(MessageBoxHook hook);

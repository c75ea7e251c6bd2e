#include "app/show_error.h"
#include "framework/message_box.h"
#include <cstdarg>

void ShowError(HWND owner, const wchar_t* format, ...) {
    // wvsprintfW writes at most 1024 characters and the terminator.
    wchar_t text[1025] = {};
    va_list args;
    va_start(args, format);
    ::wvsprintfW(text, format ? format : L"", args);
    va_end(args);
    ShowMessageBox(owner, text, nullptr, MB_OK | MB_ICONSTOP);
}

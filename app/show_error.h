// The stop-icon error box of the file and device commands.
#pragma once
#include <windows.h>

// Formats printf-style with the platform's wsprintf rules ("%s", "%d"; at most
// 1024 characters) and shows the text with the stop icon and OK, titled with
// the application's name. Returns when the box is closed. A text that is not
// meant as a format goes through "%s".
void ShowError(HWND owner, const wchar_t* format, ...);

// Where the simulator window opens: the place it had when it was last closed,
// kept in section "Simulator" of the settings file, or beside the main window.
#pragma once
#include <windows.h>
#include <string>

// The top-left corner for a window of `size`: the stored one when both keys
// hold numbers, else right of `owner`; either way moved onto the screen.
POINT SimulatorPlace(const std::wstring& settingsPath, HWND owner, SIZE size);

void SaveSimulatorPlace(const std::wstring& settingsPath, POINT place);

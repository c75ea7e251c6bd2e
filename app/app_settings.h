// Section "Set" of the settings file (window size and language choice) and
// the reference section "LangCodePage".
#pragma once
#include <string>

constexpr int DEFAULT_WIN_WIDTH = 1000;
constexpr int DEFAULT_WIN_HEIGHT = 700;
constexpr int MIN_WIN_WIDTH = 880;
constexpr int MIN_WIN_HEIGHT = 600;

struct AppSettings {
    int winWidth = DEFAULT_WIN_WIDTH;
    int winHeight = DEFAULT_WIN_HEIGHT;
    int curPack = 0;  // 0-based; stored 1-based as "Lang"
};

// Reads "WinW", "WinH" and "Lang" with their defaults and lower limits. A
// language outside the packCount packs held selects the first pack.
AppSettings ReadAppSettings(const std::wstring& settingsPath, int packCount);

// Creates the file as UTF-16 if it is missing, then writes section "Set" and
// the nine rows of "LangCodePage".
void WriteAppSettings(const std::wstring& settingsPath, const AppSettings& settings);

#include "app/app_settings.h"
#include "app/lang_code_page.h"
#include "app/ini_file.h"
#include <algorithm>
#include <cstdint>

namespace {
const wchar_t* const SET_SECTION = L"Set";
}

AppSettings ReadAppSettings(const std::wstring& settingsPath, int packCount) {
    AppSettings settings;
    const int lang = ReadIniInt(settingsPath, SET_SECTION, L"Lang", 1);
    settings.winWidth = std::max(ReadIniInt(settingsPath, SET_SECTION, L"WinW", DEFAULT_WIN_WIDTH), MIN_WIN_WIDTH);
    settings.winHeight = std::max(ReadIniInt(settingsPath, SET_SECTION, L"WinH", DEFAULT_WIN_HEIGHT), MIN_WIN_HEIGHT);
    // In 64 bits, so that the smallest stored value cannot overflow.
    const int64_t index = static_cast<int64_t>(lang) - 1;
    settings.curPack = index > 0 && index < packCount ? static_cast<int>(index) : 0;
    return settings;
}

void WriteAppSettings(const std::wstring& settingsPath, const AppSettings& settings) {
    EnsureUnicodeIni(settingsPath);
    WriteIniString(settingsPath, SET_SECTION, L"WinW", std::to_wstring(settings.winWidth));
    WriteIniString(settingsPath, SET_SECTION, L"WinH", std::to_wstring(settings.winHeight));
    WriteIniString(settingsPath, SET_SECTION, L"Lang", std::to_wstring(settings.curPack + 1));
    for (int row = 0; row < LANG_CODE_PAGE_ROWS; ++row)
        WriteIniString(settingsPath, L"LangCodePage", std::to_wstring(row + 1),
                       FormatLangCodePageRow(LangCodePageTable[row]));
}

#include "app/simulator_place.h"

#include "app/ini_file.h"
#include <algorithm>

namespace {

const wchar_t* const SECTION = L"Simulator";
constexpr int kMaxDigits = 7;  // far beyond any screen, and far from overflowing

// An optional sign and 1..7 digits, nothing else.
bool ReadCoordinate(const std::wstring& text, LONG& value) {
    const size_t digits = text.size() - (!text.empty() && text[0] == L'-' ? 1 : 0);
    if (digits == 0 || digits > kMaxDigits)
        return false;
    for (size_t i = text.size() - digits; i < text.size(); ++i)
        if (text[i] < L'0' || text[i] > L'9')
            return false;
    value = std::stol(text);
    return true;
}

}  // namespace

POINT SimulatorPlace(const std::wstring& settingsPath, HWND owner, SIZE size) {
    POINT place{};
    LONG x = 0, y = 0;
    if (ReadCoordinate(ReadIniString(settingsPath, SECTION, L"Left", 16), x) &&
        ReadCoordinate(ReadIniString(settingsPath, SECTION, L"Top", 16), y)) {
        place = POINT{x, y};
    } else {
        RECT ownerRect{};
        if (owner)
            ::GetWindowRect(owner, &ownerRect);
        place = POINT{ownerRect.right - size.cx - 16, ownerRect.top + 80};
    }
    // The whole window on the virtual screen, so that its title bar can be reached.
    const LONG left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const LONG top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const LONG right = left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const LONG bottom = top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    place.x = std::max(left, std::min(place.x, right - size.cx));
    place.y = std::max(top, std::min(place.y, bottom - size.cy));
    return place;
}

void SaveSimulatorPlace(const std::wstring& settingsPath, POINT place) {
    if (settingsPath.empty())
        return;
    EnsureUnicodeIni(settingsPath);
    WriteIniString(settingsPath, SECTION, L"Left", std::to_wstring(place.x));
    WriteIniString(settingsPath, SECTION, L"Top", std::to_wstring(place.y));
}

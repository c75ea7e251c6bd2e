#include "app/app_paths.h"
#include <windows.h>
#include <algorithm>

std::wstring ExecutablePath() {
    // Up to 260 characters: a program cannot be started from a longer path.
    wchar_t path[MAX_PATH + 1]{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    return std::wstring(path, std::min<DWORD>(length, MAX_PATH));
}

std::wstring ExecutableFolder(std::wstring_view exePath) {
    const size_t slash = exePath.rfind(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? exePath : exePath.substr(0, slash));
}

std::wstring SettingsPathIn(const std::wstring& folder) { return folder + L"\\Velmora.ini"; }

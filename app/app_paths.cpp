#include "app/app_paths.h"
#include <windows.h>

std::wstring ExecutablePath() {
    // MAX_PATH suffices almost always; a longer path is read whole rather
    // than cut, since a cut path would name some other folder.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size() || path.size() >= 32768) {
            path.resize(std::min<size_t>(length, path.size()));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring ExecutableFolder(std::wstring_view exePath) {
    const size_t slash = exePath.rfind(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? exePath : exePath.substr(0, slash));
}

std::wstring SettingsPathIn(const std::wstring& folder) { return folder + L"\\Velmora.ini"; }

#include "files/working_copy.h"
#include <windows.h>
#include <shlobj.h>

bool IsFolderWritable(const std::wstring& folder) {
    const std::wstring probe = folder + L"\\" + WRITE_PROBE_NAME;
    // Shared, so that two editors starting at once both find the folder writable.
    const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    ::DeleteFileW(probe.c_str());
    return true;
}

std::wstring AppDataFolder() {
    wchar_t base[MAX_PATH] = {};
    std::wstring root;
    // The variable first: in a user's session it names the same folder, and a
    // test run points it at a folder of its own instead of the real profile.
    if (const DWORD n = ::GetEnvironmentVariableW(L"APPDATA", base, MAX_PATH); n > 0 && n < MAX_PATH)
        root = base;
    else if (SUCCEEDED(
                 ::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, base)))
        root = base;
    if (root.empty())
        return {};
    const std::wstring folder = root + L"\\" + APP_DATA_FOLDER_NAME;
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return {};
    return folder;
}

bool FileIsPresent(const std::wstring& path) {
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD error = ::GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

std::wstring WorkingCopyPath(const std::wstring& exeFolder) {
    std::wstring folder = exeFolder;
    if (!IsFolderWritable(exeFolder)) {
        if (std::wstring appData = AppDataFolder(); !appData.empty())
            folder = std::move(appData);
    }
    return folder + L"\\" + WORKING_COPY_NAME;
}

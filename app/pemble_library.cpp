#include "app/pemble_library.h"

OpenUSBDeviceProc g_OpenUSBDevice = nullptr;
CloseUSBDeviceProc g_CloseUSBDevice = nullptr;
WriteUSBProc g_WriteUSB = nullptr;
ReadUSBProc g_ReadUSB = nullptr;

namespace {

std::wstring SystemFolder(UINT(WINAPI* query)(LPWSTR, UINT)) {
    wchar_t folder[MAX_PATH + 1]{};
    const UINT length = query(folder, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

template <typename Proc>
Proc ExportAs(const CModule& library, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(library.Export(name)));
}

}  // namespace

bool LoadPembleLibrary(const std::wstring& exeFolder, CModule& library) {
    // Take the current directory out of the search path for this and every
    // later load, so a planted copy there is never picked up.
    ::SetDllDirectoryW(L"");
    const std::wstring folders[] = {exeFolder, SystemFolder(&::GetSystemDirectoryW),
                                    SystemFolder(&::GetWindowsDirectoryW)};
    for (const std::wstring& folder : folders) {
        if (folder.empty())
            continue;
        // A full path loads exactly that file; its own imports are looked for
        // beside it first.
        const std::wstring path = folder + L"\\" + PEMBLE_LIBRARY_NAME;
        if (HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) {
            library.Reset(module);
            return true;
        }
    }
    library.Reset();
    return false;
}

bool ResolvePembleEntryPoints(const CModule& library) {
    g_OpenUSBDevice = ExportAs<OpenUSBDeviceProc>(library, "OpenUSBDevice");
    g_CloseUSBDevice = ExportAs<CloseUSBDeviceProc>(library, "CloseUSBDevice");
    g_WriteUSB = ExportAs<WriteUSBProc>(library, "WriteUSB");
    g_ReadUSB = ExportAs<ReadUSBProc>(library, "ReadUSB");
    if (g_OpenUSBDevice && g_CloseUSBDevice && g_WriteUSB && g_ReadUSB)
        return true;
    ClearPembleEntryPoints();
    return false;
}

void ClearPembleEntryPoints() {
    g_OpenUSBDevice = nullptr;
    g_CloseUSBDevice = nullptr;
    g_WriteUSB = nullptr;
    g_ReadUSB = nullptr;
}

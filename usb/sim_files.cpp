#include "usb/sim_files.h"

#include "usb/win_handle.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// Folder of `module` (null: the program) with a trailing backslash.
bool FolderOf(HMODULE module, wchar_t (&path)[SIM_PATH_CAPACITY], const wchar_t* name) {
    DWORD length = GetModuleFileNameW(module, path, SIM_PATH_CAPACITY);
    if (length == 0 || length >= SIM_PATH_CAPACITY) {
        return false;
    }
    wchar_t* slash = wcsrchr(path, L'\\');
    wchar_t* folderEnd = slash != nullptr ? slash + 1 : path;
    size_t room = SIM_PATH_CAPACITY - static_cast<size_t>(folderEnd - path);
    if (wcslen(name) + 1 > room) {
        return false;
    }
    wcscpy(folderEnd, name);
    return true;
}

HMODULE ThisLibrary() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisLibrary), &module);
    return module;
}

void WriteBesideProgram(const wchar_t* name, const void* bytes, DWORD count, bool append) {
    wchar_t path[SIM_PATH_CAPACITY];
    if (!FolderOf(nullptr, path, name)) {
        return;
    }
    UniqueHandle file(CreateFileW(path, append ? FILE_APPEND_DATA : GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!IsOpen(file)) {
        return;
    }
    DWORD written = 0;
    WriteFile(file.get(), bytes, count, &written, nullptr);
}

}  // namespace

bool SimSettingsPath(wchar_t (&path)[SIM_PATH_CAPACITY]) {
    HMODULE library = ThisLibrary();
    return library != nullptr && FolderOf(library, path, L"SimDevice.ini");
}

void AppendSimLog(const char* line) {
    char text[512];
    int length = std::snprintf(text, sizeof text, "%s\r\n", line);
    if (length > 0 && length < static_cast<int>(sizeof text)) {
        WriteBesideProgram(L"SimDevice.log", text, static_cast<DWORD>(length), true);
    }
}

void WriteSimImage(const std::uint8_t* bytes, int count) {
    WriteBesideProgram(L"SimDevice-received.bin", bytes, static_cast<DWORD>(count), false);
}

void WriteSimState(int openHandles, int opened, int closed) {
    char text[128];
    int length = std::snprintf(text, sizeof text, "open_handles=%d\r\nopened=%d\r\nclosed=%d\r\n", openHandles, opened,
                               closed);
    WriteBesideProgram(L"SimDevice.state", text, static_cast<DWORD>(length), false);
}

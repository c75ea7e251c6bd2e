#include "app/ini_file.h"
#include <windows.h>
#include <algorithm>
#include <vector>

void EnsureUnicodeIni(const std::wstring& path) {
    // CREATE_NEW fails on an existing file, so a file that merely cannot be
    // opened for reading right now is never truncated.
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    static const unsigned char bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    ::WriteFile(file, bom, sizeof bom, &written, nullptr);
    ::CloseHandle(file);
}

std::wstring ReadIniString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                           int maxChars) {
    std::vector<wchar_t> buffer(static_cast<size_t>(maxChars) + 1, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                    static_cast<DWORD>(buffer.size()), path.c_str());
    return std::wstring(buffer.data(), std::min<size_t>(length, static_cast<size_t>(maxChars)));
}

void ReadIniText(const std::wstring& path, const std::wstring& section, const std::wstring& key, wchar_t* field,
                 int size) {
    ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", field, static_cast<DWORD>(size), path.c_str());
    field[size - 1] = L'\0';
}

int ReadIniInt(const std::wstring& path, const std::wstring& section, const std::wstring& key, int defaultValue) {
    return static_cast<int>(::GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, path.c_str()));
}

void WriteIniString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                    const std::wstring& value) {
    ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str());
}

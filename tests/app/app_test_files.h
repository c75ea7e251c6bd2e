// Files for the application tests: scratch folders, UTF-16 settings files
// written by the test, and the built programs and libraries.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace app_test {

// A fresh, empty folder under the system's temporary folder; removed with
// everything in it when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// The folder that stands in for the user's application-data folder
// (%APPDATA%) while a test program runs.
std::wstring RedirectedAppDataRoot();

// Name of the running test, for folders of its own.
std::wstring CurrentTestName();

// Writes text as UTF-16 little-endian with the byte-order mark, lines ending in CR LF.
void WriteUtf16Ini(const std::wstring& path, const std::vector<std::wstring>& lines);
std::vector<unsigned char> ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);

// A value as the platform's INI reading sees it; "<missing>" when absent.
std::wstring IniValue(const std::wstring& path, const std::wstring& section, const std::wstring& key);
std::vector<std::wstring> IniSectionNames(const std::wstring& path);

// Absolute path of a built file, from a folder given relative to the test's
// working directory (forward slashes allowed).
std::wstring BuiltFile(const char* relativeFolder, const std::wstring& name);

}  // namespace app_test

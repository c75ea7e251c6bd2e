#include "tests/app/app_test_files.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>

namespace app_test {

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
}

// Every test program that uses these files keeps its application data in a
// folder of its own: no test reads, writes or deletes the user's real
// "%APPDATA%\Velmora". Programs it starts inherit the variable.
class RedirectedAppData : public testing::Environment {
public:
    void SetUp() override {
        m_folder = RedirectedAppDataRoot();
        RemoveTree(m_folder);
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
        ::SetEnvironmentVariableW(L"APPDATA", m_folder.c_str());
    }
    void TearDown() override { RemoveTree(m_folder); }

private:
    std::wstring m_folder;
};

[[maybe_unused]] testing::Environment* const g_redirectedAppData = testing::AddGlobalTestEnvironment(
    new RedirectedAppData);

}  // namespace

std::wstring RedirectedAppDataRoot() {
    wchar_t temp[MAX_PATH + 1]{};
    ::GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"velmora-appdata-" + std::to_wstring(::GetCurrentProcessId());
}

ScratchFolder::ScratchFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1]{};
    ::GetTempPathW(MAX_PATH + 1, temp);
    m_path = std::wstring(temp) + L"velmora-" + name + L"-" + std::to_wstring(::GetCurrentProcessId());
    RemoveTree(m_path);
    ::CreateDirectoryW(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(m_path); }

std::wstring CurrentTestName() {
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    return std::wstring(name.begin(), name.end());
}

void WriteUtf16Ini(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines)
        text += line + L"\r\n";
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write("\xFF\xFE", 2);
    for (const wchar_t c : text) {
        const char bytes[2] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF)};
        out.write(bytes, 2);
    }
}

std::vector<unsigned char> ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring IniValue(const std::wstring& path, const std::wstring& section, const std::wstring& key) {
    wchar_t value[512]{};
    ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"<missing>", value, 512, path.c_str());
    return value;
}

std::vector<std::wstring> IniSectionNames(const std::wstring& path) {
    std::vector<wchar_t> buffer(8192, L'\0');
    const DWORD length = ::GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(buffer.size()),
                                                          path.c_str());
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < length;) {
        const std::wstring name(buffer.data() + i);
        if (name.empty())
            break;
        names.push_back(name);
        i += static_cast<DWORD>(name.size()) + 1;
    }
    return names;
}

std::wstring BuiltFile(const char* relativeFolder, const std::wstring& name) {
    std::wstring relative;
    for (const char* c = relativeFolder; *c; ++c)
        relative += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    wchar_t full[1024]{};
    ::GetFullPathNameW((relative + L"\\" + name).c_str(), 1024, full, nullptr);
    return full;
}

}  // namespace app_test

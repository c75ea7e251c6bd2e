// The package as a teacher gets it, unpacked by check_package.cmake into a
// fresh folder: both editors start from it with nothing else beside them,
// each finds its own device (or none), the texts are ready for Notepad, and
// the version is the same in the zip's name, in each editor's version
// resource and about box, and in the project.
#include "res/resource.h"
#include "tests/app/app_test_files.h"
#include "tests/app/velmora_process.h"
#include "tests/support/test_support.h"
#include "velmora_version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using app_test::IniValue;
using app_test::ReadBytes;
using app_test::VelmoraProcess;
using app_test::WindowTitle;

namespace {

const std::wstring VERSION = L"" VELMORA_VERSION_TEXT;

// The zip's file name, as the test run found it in the dist folder.
std::wstring ZipName() {
    wchar_t name[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"VELMORA_PACKAGE_ZIP", name, MAX_PATH);
    return name;
}

// The unpacked top folder, named like the zip, as an absolute path.
std::wstring PackageFolder() {
    std::wstring top = ZipName();
    if (top.size() > 4)
        top.resize(top.size() - 4);
    wchar_t full[MAX_PATH] = {};
    ::GetFullPathNameW((L"unpacked\\" + top).c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::wstring InPackage(const std::wstring& name) { return PackageFolder() + L"\\" + name; }

std::wstring FileVersionOf(const std::wstring& path, VS_FIXEDFILEINFO& fixed) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> data(size);
    if (size == 0 || !::GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return L"<no version resource>";
    void* value = nullptr;
    UINT length = 0;
    if (::VerQueryValueW(data.data(), L"\\", &value, &length) && length >= sizeof fixed)
        fixed = *static_cast<VS_FIXEDFILEINFO*>(value);
    if (!::VerQueryValueW(data.data(), L"\\StringFileInfo\\080404b0\\FileVersion", &value, &length))
        return L"<no FileVersion>";
    return static_cast<const wchar_t*>(value);
}

BOOL CALLBACK CollectText(HWND child, LPARAM param) {
    reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(WindowTitle(child));
    return TRUE;
}

std::vector<std::wstring> ChildTexts(HWND dialog) {
    std::vector<std::wstring> texts;
    ::EnumChildWindows(dialog, &CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// Polls `ready` until it holds, the process ends or a time limit passes.
template <typename Ready>
bool WaitUntil(HANDLE process, Ready ready) {
    const ULONGLONG end = ::GetTickCount64() + 30000;
    while (!ready()) {
        if (::GetTickCount64() >= end || ::WaitForSingleObject(process, 50) == WAIT_OBJECT_0)
            return false;
    }
    return true;
}

// Pixels of one colour in the device picture at the top right, read from
// the main window's capture (a child of another process captures blank).
int DevicePictureCount(HWND mainWindow, COLORREF colour) {
    RECT window{};
    RECT picture{};
    ::GetWindowRect(mainWindow, &window);
    ::GetWindowRect(::GetDlgItem(mainWindow, IDC_DEVICE_ICON), &picture);
    testing_support::PixelCanvas canvas(window.right - window.left, window.bottom - window.top);
    testing_support::CaptureWindow(mainWindow, canvas);
    return canvas.Count(colour, picture.left - window.left, picture.top - window.top, picture.right - window.left,
                        picture.bottom - window.top);
}

// Text files for Notepad: CR LF and nothing else as line ends, valid UTF-8.
void ExpectNotepadText(const std::vector<unsigned char>& bytes, bool byteOrderMark) {
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF, byteOrderMark) << "UTF-8 byte-order mark";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a line end without CR at byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "a CR alone at byte " << i;
        }
    }
    EXPECT_EQ(bytes.back(), '\n') << "the last line ends too";
    EXPECT_GT(::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes.data()),
                                    static_cast<int>(bytes.size()), nullptr, 0),
              0)
        << "valid UTF-8";
}

std::wstring Utf8ToWide(const std::vector<unsigned char>& bytes) {
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()),
                          text.data(), length);
    return text;
}

std::vector<std::wstring> ExampleNames() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(InPackage(L"Examples\\*.STXT").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::wstring name = found.cFileName;
        names.push_back(name.substr(0, name.size() - 5));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

TEST(Package, ZipIsNamedAfterTheProjectVersion) {
    EXPECT_EQ(ZipName(), L"Velmora-" + VERSION + L"-windows-x64.zip");
    EXPECT_NE(::GetFileAttributesW(PackageFolder().c_str()), INVALID_FILE_ATTRIBUTES) << "unpacked into its own folder";
}

struct Editor {
    const wchar_t* folder;  // inside the package
    COLORREF shownColour;   // of the device picture once the first look is done
    const char* what;
};

// The lit board of the found device; the red cross of no device.
const Editor EDITORS[] = {
    {L"", RGB(210, 40, 32), "with the device libraries and no device: no device"},
    {L"Simulated\\", RGB(70, 240, 80), "beside the simulated device: found"},
};

TEST(Package, EachEditorCarriesTheVersionInItsResource) {
    for (const Editor& editor : EDITORS) {
        SCOPED_TRACE(editor.what);
        VS_FIXEDFILEINFO fixed{};
        EXPECT_EQ(FileVersionOf(InPackage(std::wstring(editor.folder) + L"Velmora.exe"), fixed), VERSION);
        EXPECT_EQ(fixed.dwFileVersionMS, static_cast<DWORD>(MAKELONG(VELMORA_VERSION_MINOR, VELMORA_VERSION_MAJOR)));
        EXPECT_EQ(fixed.dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, VELMORA_VERSION_PATCH)));
    }
}

// Each editor is started from its unpacked folder, shows no start-up message,
// finds its device or none, shows the version in its about box, and ends
// cleanly on WM_CLOSE.
TEST(Package, EachEditorStartsShowsItsVersionAndCloses) {
    for (const Editor& editor : EDITORS) {
        SCOPED_TRACE(editor.what);
        const std::wstring folder = PackageFolder() + L"\\" + editor.folder;
        VelmoraProcess velmora(folder + L"Velmora.exe", folder);
        ASSERT_TRUE(velmora.Started());
        const HWND dialog = velmora.WaitForMainWindow();
        ASSERT_NE(dialog, nullptr) << "the main window opens";
        EXPECT_EQ(velmora.informationTexts, std::vector<std::wstring>{}) << "every library it needs is beside it";
        EXPECT_EQ(WindowTitle(dialog), L"Dovin Programmer");

        DWORD processId = 0;
        ::GetWindowThreadProcessId(dialog, &processId);
        const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
        ASSERT_NE(process, nullptr);

        // The poll looks every second; the picture shows what it found.
        EXPECT_TRUE(WaitUntil(process, [&] { return DevicePictureCount(dialog, editor.shownColour) > 0; }))
            << "the device picture after the first look";

        ::PostMessageW(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        HWND about = nullptr;
        WaitUntil(process, [&] {
            for (HWND shown : app_test::VisibleDialogsOf(processId))
                if (shown != dialog)
                    about = shown;
            return about != nullptr;
        });
        ::CloseHandle(process);
        ASSERT_NE(about, nullptr) << "the about box opens";
        const std::vector<std::wstring> texts = ChildTexts(about);
        EXPECT_NE(std::find(texts.begin(), texts.end(), L"Velmora Version " + VERSION), texts.end());
        ::PostMessageW(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_EQ(velmora.WaitForExit(), 0u) << "the process ends with exit code 0";
        EXPECT_EQ(velmora.questionTexts, std::vector<std::wstring>{}) << "nothing was changed";
    }
}

TEST(Package, ReadmeIsForNotepadInBothLanguagesAndNamesEveryLesson) {
    const std::vector<unsigned char> bytes = ReadBytes(InPackage(L"README.txt"));
    ExpectNotepadText(bytes, true);
    const std::wstring text = Utf8ToWide(bytes);
    EXPECT_NE(text.find(L"Velmora " + VERSION), std::wstring::npos);
    EXPECT_EQ(text.find(L"@VERSION@"), std::wstring::npos);
    for (const wchar_t* part : {L"Starting", L"启动", L"Settings and the working copy", L"设置和工作副本",
                                L"%APPDATA%\\Velmora", L"Simulated\\Velmora.exe"})
        EXPECT_NE(text.find(part), std::wstring::npos) << testing::PrintToString(std::wstring(part));

    const std::vector<std::wstring> lessons = ExampleNames();
    EXPECT_GE(lessons.size(), 8u);
    for (const std::wstring& lesson : lessons) {
        // "08 Traffic light (OUT12, OUT123)" is listed by its number and first words.
        const std::wstring head = lesson.substr(0, lesson.find(L" ("));
        EXPECT_NE(text.find(head), std::wstring::npos) << "README.txt describes " << testing::PrintToString(lesson);
    }
}

TEST(Package, LicenceIsMitForTheVelmoraDevelopers) {
    const std::vector<unsigned char> bytes = ReadBytes(InPackage(L"LICENSE.txt"));
    ExpectNotepadText(bytes, false);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.rfind("MIT License\r\n", 0), 0u);
    EXPECT_NE(text.find("Copyright (c) 2026 Velmora developers"), std::string::npos);
}

// The shipped settings are the simulated device's defaults, readable through
// the platform's INI functions despite the byte-order mark and the comments.
TEST(Package, SimDeviceSettingsAreCommentedDefaults) {
    const std::wstring ini = InPackage(L"Simulated\\SimDevice.ini");
    ExpectNotepadText(ReadBytes(ini), true);
    const std::pair<const wchar_t*, const wchar_t*> defaults[] = {
        {L"Halvex", L"1"},          {L"Pemble", L"1"},
        {L"Marker", L"0x24"},       {L"RefusePacket", L"0"},
        {L"RefuseHeaders", L"0"},   {L"RefuseStatus", L"0x2A"},
        {L"RefuseMarker", L"0x24"}, {L"BadPacketStatus", L"0x2A"},
        {L"FailWriteAfter", L"-1"}, {L"FailReadAfter", L"-1"},
    };
    for (const auto& [key, value] : defaults)
        EXPECT_EQ(IniValue(ini, L"SimDevice", key), value) << testing::PrintToString(std::wstring(key));
}

}  // namespace

// The real Velmora.exe, started as its own process from a fresh folder:
// start-up messages, the main window, closing it and the settings file the
// exit leaves behind.
#include "res/resource.h"
#include "tests/app/app_test_files.h"
#include "tests/app/velmora_process.h"
#include "tests/support/test_support.h"
#include <gtest/gtest.h>

using app_test::BuiltFile;
using app_test::FileExists;
using app_test::IniSectionNames;
using app_test::IniValue;
using app_test::ReadBytes;
using app_test::ScratchFolder;
using app_test::VelmoraProcess;
using app_test::WindowTitle;
using app_test::WriteUtf16Ini;

namespace {

const wchar_t* const CANT_LOAD = L"Can't Load PembleUSB.dll";
const wchar_t* const LOAD_ERROR = L"Load PembleUSB.dll file error!";

std::wstring Simulated(const std::wstring& name) { return BuiltFile(APP_TEST_BIN_DIR, L"simulated\\" + name); }

enum class Close { CloseBox, Escape, ExitButton };

void CloseMainWindow(HWND dialog, Close how) {
    switch (how) {
    case Close::CloseBox: ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case Close::Escape:
        ::PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 1);
        ::PostMessageW(dialog, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        break;
    case Close::ExitButton:
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
        break;
    }
}

// A fresh folder with Velmora.exe and Halvex.dll (bound at load time, so
// always needed), plus whatever PembleUSB.dll the test chooses.
class VelmoraExe : public testing::Test {
protected:
    ScratchFolder folder{L"exe-" + app_test::CurrentTestName()};
    std::wstring ini = folder / L"Velmora.ini";

    void SetUp() override {
        ASSERT_TRUE(Copy(Simulated(L"Velmora.exe"), folder / L"Velmora.exe"));
        ASSERT_TRUE(Copy(Simulated(L"Halvex.dll"), folder / L"Halvex.dll"));
    }
    std::vector<std::wstring> questions;

    static bool Copy(const std::wstring& from, const std::wstring& to) {
        return ::CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
    }

    // Runs the program to its main window, closes that, and waits for the end.
    // Returns the texts of the "Information" boxes answered on the way; the
    // save questions answered No are kept in `questions`.
    std::vector<std::wstring> RunAndClose(Close how, const std::wstring& currentDirectory = L"") {
        VelmoraProcess velmora(folder / L"Velmora.exe", currentDirectory.empty() ? folder.path() : currentDirectory);
        EXPECT_TRUE(velmora.Started());
        const HWND dialog = velmora.WaitForMainWindow();
        EXPECT_NE(dialog, nullptr) << "the main window opens";
        if (dialog) {
            EXPECT_EQ(WindowTitle(dialog), L"Dovin Programmer");
            EXPECT_NE(::GetDlgItem(dialog, IDC_GRID), nullptr) << "made from the main dialog template";
            EXPECT_NE(::GetDlgItem(dialog, IDOK), nullptr);
            CloseMainWindow(dialog, how);
        }
        EXPECT_EQ(velmora.WaitForExit(), 0u) << "the process ends when the main window closes";
        questions = velmora.questionTexts;
        return velmora.informationTexts;
    }
};

}  // namespace

TEST_F(VelmoraExe, FirstStartWithoutSettingsWritesTheDefaultsAndBothPacks) {
    ASSERT_TRUE(Copy(Simulated(L"PembleUSB.dll"), folder / L"PembleUSB.dll"));
    EXPECT_EQ(RunAndClose(Close::CloseBox), std::vector<std::wstring>{}) << "no start-up message";

    const std::vector<unsigned char> bytes = ReadBytes(ini);
    ASSERT_GE(bytes.size(), 2u) << "the exit creates the settings file";
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    // In the order of the exit sequence.
    EXPECT_EQ(IniSectionNames(ini),
              (std::vector<std::wstring>{L"Set", L"LangCodePage", L"Language", L"English", L"简体中文"}));
    EXPECT_EQ(IniValue(ini, L"LangCodePage", L"1"), L"简体中文,0804");
    // The window's size and the language it ran with: 1000 x 700, English first and current.
    EXPECT_EQ(IniValue(ini, L"Set", L"WinW"), L"1000");
    EXPECT_EQ(IniValue(ini, L"Set", L"WinH"), L"700");
    EXPECT_EQ(IniValue(ini, L"Set", L"Lang"), L"1");
    EXPECT_EQ(IniValue(ini, L"Language", L"1"), L"English");
    EXPECT_EQ(IniValue(ini, L"Language", L"2"), L"简体中文");
    EXPECT_EQ(IniValue(ini, L"English", L"C6"), L"Exit");
    EXPECT_EQ(IniValue(ini, L"简体中文", L"I13"), L"取消(&C)");
    EXPECT_EQ(IniValue(ini, L"English", L"MenuUndo"), L"Undo");
    EXPECT_EQ(IniValue(ini, L"简体中文", L"MenuUndo"), L"撤销");

    EXPECT_EQ(questions, std::vector<std::wstring>{}) << "a new program is not modified";
    EXPECT_TRUE(FileExists(folder / L"CurFlowchart.STxt")) << "closing writes the working copy";

    // The second start reads the packs back as file packs and adds nothing.
    // The working copy comes back and counts as modified, so closing asks.
    const std::vector<unsigned char> afterFirst = ReadBytes(ini);
    EXPECT_EQ(RunAndClose(Close::ExitButton), std::vector<std::wstring>{});
    EXPECT_EQ(ReadBytes(ini), afterFirst);
    EXPECT_EQ(questions, std::vector<std::wstring>{L"Do you want to save the program(Y/N)?"});
}

TEST_F(VelmoraExe, StoredSettingsAreLimitedAndWrittenBack) {
    ASSERT_TRUE(Copy(Simulated(L"PembleUSB.dll"), folder / L"PembleUSB.dll"));
    WriteUtf16Ini(ini, {L"[Set]", L"WinW=500", L"WinH=599", L"Lang=2", L"[Language]", L"1=Deutsch,0407", L"[Deutsch]",
                        L"C1=Öffnen"});
    RunAndClose(Close::Escape);
    EXPECT_EQ(IniValue(ini, L"Set", L"WinW"), L"880");
    EXPECT_EQ(IniValue(ini, L"Set", L"WinH"), L"600");
    EXPECT_EQ(IniValue(ini, L"Set", L"Lang"), L"2") << "the second pack, English, stays chosen";
    EXPECT_EQ(IniValue(ini, L"Language", L"1"), L"Deutsch,0407");
    EXPECT_EQ(IniValue(ini, L"Language", L"2"), L"English");
    EXPECT_EQ(IniValue(ini, L"Language", L"3"), L"简体中文");
    EXPECT_EQ(IniValue(ini, L"Deutsch", L"C1"), L"Öffnen");
}

TEST_F(VelmoraExe, LanguageBeyondThePacksFallsBackToTheFirst) {
    ASSERT_TRUE(Copy(Simulated(L"PembleUSB.dll"), folder / L"PembleUSB.dll"));
    WriteUtf16Ini(ini, {L"[Set]", L"Lang=9"});
    RunAndClose(Close::CloseBox);
    EXPECT_EQ(IniValue(ini, L"Set", L"Lang"), L"1");
}

TEST_F(VelmoraExe, MissingLibraryGivesBothMessagesAndTheWindowStillOpens) {
    EXPECT_EQ(RunAndClose(Close::Escape), (std::vector<std::wstring>{CANT_LOAD, LOAD_ERROR}));
    EXPECT_EQ(IniValue(ini, L"Set", L"WinW"), L"1000") << "the exit runs as usual";
}

TEST_F(VelmoraExe, LibraryWithoutReadUsbGivesOnlyTheSecondMessage) {
    ASSERT_TRUE(Copy(BuiltFile(APP_TEST_NO_READ_DIR, L"PembleUSB.dll"), folder / L"PembleUSB.dll"));
    EXPECT_EQ(RunAndClose(Close::ExitButton), std::vector<std::wstring>{LOAD_ERROR});
}

TEST_F(VelmoraExe, LibraryPlantedInTheCurrentDirectoryIsNotLoaded) {
    const ScratchFolder elsewhere(L"exe-planted-cwd");
    ASSERT_TRUE(Copy(Simulated(L"PembleUSB.dll"), elsewhere / L"PembleUSB.dll"));
    EXPECT_EQ(RunAndClose(Close::CloseBox, elsewhere.path()), (std::vector<std::wstring>{CANT_LOAD, LOAD_ERROR}));
    EXPECT_FALSE(FileExists(elsewhere / L"Velmora.ini")) << "settings stay beside the program";
    EXPECT_TRUE(FileExists(ini));
}

// `make run`: the program in bin/simulated opens its dialog; the screenshot is kept.
TEST(VelmoraSmoke, OpensFromTheSimulatedFolder) {
    const std::wstring settings = Simulated(L"Velmora.ini");
    const std::wstring workingCopy = Simulated(L"CurFlowchart.STxt");
    const bool hadSettings = FileExists(settings);
    const bool hadWorkingCopy = FileExists(workingCopy);
    {
        VelmoraProcess velmora(Simulated(L"Velmora.exe"), BuiltFile(APP_TEST_BIN_DIR, L"simulated"));
        ASSERT_TRUE(velmora.Started());
        const HWND dialog = velmora.WaitForMainWindow();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(velmora.informationTexts, std::vector<std::wstring>{});
        EXPECT_EQ(WindowTitle(dialog), L"Dovin Programmer");
        EXPECT_TRUE(velmora.WaitUntilIdle()) << "it has painted";
        EXPECT_TRUE(velmora.HasLoaded(L"comctl32.dll"));
        EXPECT_FALSE(velmora.HasLoaded(L"comdlg32.dll")) << "the common dialogs load at their first use";
        RECT rc{};
        ::GetWindowRect(dialog, &rc);
        testing_support::PixelCanvas canvas(rc.right - rc.left, rc.bottom - rc.top);
        testing_support::CaptureWindow(dialog, canvas);
        EXPECT_TRUE(canvas.SaveBmp(L"velmora-main-window.bmp"));
        const int band = canvas.Count(RGB(255, 200, 130), 0, 0, canvas.width(), canvas.height());
        EXPECT_GT(band, canvas.width() * 8) << "the window's own background colour shows";
        CloseMainWindow(dialog, Close::CloseBox);
        EXPECT_EQ(velmora.WaitForExit(), 0u);
    }
    if (!hadSettings)
        ::DeleteFileW(settings.c_str());
    if (!hadWorkingCopy)
        ::DeleteFileW(workingCopy.c_str());
}

// Section "Set" with its defaults and limits, the file created at exit, and
// the executable's folder.
#include "app/app_paths.h"
#include "app/app_settings.h"
#include "tests/app/app_test_files.h"
#include <gtest/gtest.h>

using app_test::IniValue;
using app_test::ReadBytes;
using app_test::ScratchFolder;
using app_test::WriteUtf16Ini;

namespace {

class Settings : public testing::Test {
protected:
    ScratchFolder folder{L"settings-" + app_test::CurrentTestName()};
    std::wstring ini = folder / L"Velmora.ini";

    AppSettings ReadWith(const std::vector<std::wstring>& setLines, int packCount = 2) {
        std::vector<std::wstring> lines = {L"[Set]"};
        lines.insert(lines.end(), setLines.begin(), setLines.end());
        WriteUtf16Ini(ini, lines);
        return ReadAppSettings(ini, packCount);
    }
};

}  // namespace

TEST_F(Settings, MissingFileGivesTheDefaults) {
    const AppSettings settings = ReadAppSettings(ini, 2);
    EXPECT_EQ(settings.winWidth, 1000);
    EXPECT_EQ(settings.winHeight, 700);
    EXPECT_EQ(settings.curPack, 0);
}

TEST_F(Settings, SizesBelowTheMinimumAreRaised) {
    AppSettings settings = ReadWith({L"WinW=500", L"WinH=599", L"Lang=2"});
    EXPECT_EQ(settings.winWidth, 880);
    EXPECT_EQ(settings.winHeight, 600);
    EXPECT_EQ(settings.curPack, 1);

    settings = ReadWith({L"WinW=880", L"WinH=600"});
    EXPECT_EQ(settings.winWidth, 880);
    EXPECT_EQ(settings.winHeight, 600);

    settings = ReadWith({L"WinW=1280", L"WinH=960"});
    EXPECT_EQ(settings.winWidth, 1280);
    EXPECT_EQ(settings.winHeight, 960);
}

TEST_F(Settings, NonNumericValuesReadAsZeroAndPassTheLimits) {
    AppSettings settings = ReadWith({L"WinW=wide", L"WinH=tall", L"Lang=German"});
    EXPECT_EQ(settings.winWidth, 880);
    EXPECT_EQ(settings.winHeight, 600);
    EXPECT_EQ(settings.curPack, 0);
    // An empty value counts as missing.
    settings = ReadWith({L"WinW=", L"WinH=", L"Lang="});
    EXPECT_EQ(settings.winWidth, 1000);
    EXPECT_EQ(settings.winHeight, 700);
    EXPECT_EQ(settings.curPack, 0);
}

TEST_F(Settings, LanguageOutsideThePacksHeldSelectsTheFirst) {
    EXPECT_EQ(ReadWith({L"Lang=0"}).curPack, 0);
    EXPECT_EQ(ReadWith({L"Lang=-3"}).curPack, 0);
    EXPECT_EQ(ReadWith({L"Lang=-2147483648"}).curPack, 0);
    EXPECT_EQ(ReadWith({L"Lang=3"}, 3).curPack, 2);
    EXPECT_EQ(ReadWith({L"Lang=4"}, 3).curPack, 0) << "one past the last pack";
    EXPECT_EQ(ReadWith({L"Lang=17"}, 16).curPack, 0);
    EXPECT_EQ(ReadWith({L"Lang=1"}, 0).curPack, 0) << "an empty table still yields index 0";
}

TEST_F(Settings, ExitCreatesAUnicodeFileWithSetAndTheCodePageList) {
    WriteAppSettings(ini, {1234, 777, 1});
    const std::vector<unsigned char> bytes = ReadBytes(ini);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(IniValue(ini, L"Set", L"WinW"), L"1234");
    EXPECT_EQ(IniValue(ini, L"Set", L"WinH"), L"777");
    EXPECT_EQ(IniValue(ini, L"Set", L"Lang"), L"2");
    const wchar_t* const rows[9] = {L"简体中文,0804", L"繁体中文,0404", L"日文,0011",     L"韩文,0012",    L"英文,0409",
                                    L"法文,040C",     L"德文,0007",     L"意大利文,0010", L"西班牙文,000A"};
    for (int row = 0; row < 9; ++row)
        EXPECT_EQ(IniValue(ini, L"LangCodePage", std::to_wstring(row + 1)), rows[row]);
    EXPECT_EQ(IniValue(ini, L"LangCodePage", L"10"), L"<missing>");

    // Read back as written.
    const AppSettings again = ReadAppSettings(ini, 2);
    EXPECT_EQ(again.winWidth, 1234);
    EXPECT_EQ(again.winHeight, 777);
    EXPECT_EQ(again.curPack, 1);
}

TEST_F(Settings, ExitKeepsAnExistingFileAndItsOtherEntries) {
    WriteUtf16Ini(ini, {L"[Language]", L"1=Deutsch,0407", L"[Set]", L"WinW=900", L"Extra=kept"});
    WriteAppSettings(ini, {1000, 700, 0});
    EXPECT_EQ(IniValue(ini, L"Language", L"1"), L"Deutsch,0407");
    EXPECT_EQ(IniValue(ini, L"Set", L"Extra"), L"kept");
    EXPECT_EQ(IniValue(ini, L"Set", L"WinW"), L"1000");
    EXPECT_EQ(IniValue(ini, L"Set", L"Lang"), L"1");
    const std::vector<unsigned char> bytes = ReadBytes(ini);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes[2], '[') << "still UTF-16: the first character is followed by a zero byte";
    EXPECT_EQ(bytes[3], 0);
}

TEST_F(Settings, ExitIntoAMissingFolderFailsQuietly) {
    const std::wstring nowhere = folder / L"missing\\Velmora.ini";
    WriteAppSettings(nowhere, {1000, 700, 0});
    EXPECT_FALSE(app_test::FileExists(nowhere));
}

TEST(ExecutableFolder, IsThePartBeforeTheLastBackslash) {
    EXPECT_EQ(ExecutableFolder(L"C:\\Program Files\\Velmora\\Velmora.exe"), L"C:\\Program Files\\Velmora");
    EXPECT_EQ(ExecutableFolder(L"\\\\server\\share\\Velmora.exe"), L"\\\\server\\share");
    EXPECT_EQ(ExecutableFolder(L"Velmora.exe"), L"Velmora.exe");
    // In a drive's root the folder is the drive, and the files still land in the root.
    EXPECT_EQ(ExecutableFolder(L"C:\\Velmora.exe"), L"C:");
    EXPECT_EQ(SettingsPathIn(ExecutableFolder(L"C:\\Velmora.exe")), L"C:\\Velmora.ini");
    EXPECT_EQ(SettingsPathIn(L"D:\\Tools"), L"D:\\Tools\\Velmora.ini");
}

TEST(ExecutableFolder, OfTheRunningProgramHoldsIt) {
    const std::wstring path = ExecutablePath();
    const std::wstring folder = ExecutableFolder(path);
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_EQ(path.substr(folder.size()), L"\\app_tests.exe");
    EXPECT_TRUE(app_test::FileExists(path));
}

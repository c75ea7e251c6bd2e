// The working copy: where it lives, written when the window really closes and
// loaded again by the next run.
#include "files/working_copy.h"
#include "tests/app/file_edit_fixture.h"

namespace {

using Texts = std::vector<std::wstring>;

// Makes the exe folder unwritable for the editor: a folder holds the name of
// its write probe. (The tests run as the Unix superuser, for whom Wine's file
// access ignores permission bits, so a read-only folder cannot be made.)
void BlockWriteProbe(const std::wstring& exeFolder) {
    ASSERT_TRUE(::CreateDirectoryW((exeFolder + L"\\" + WRITE_PROBE_NAME).c_str(), nullptr));
}

// Removes the app-data working copy when the test ends.
struct AppDataCopy {
    std::wstring path = AppDataFolder() + L"\\" + WORKING_COPY_NAME;
    AppDataCopy() { ::DeleteFileW(path.c_str()); }
    ~AppDataCopy() { ::DeleteFileW(path.c_str()); }
};

void Close(MainWindowHarness& w) { ::SendMessageW(w.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

}  // namespace

TEST_F(FileEditTest, WorkingCopyLivesBesideAWritableExecutable) {
    EXPECT_EQ(WorkingCopyPath(folder.path()), folder.path() + L"\\CurFlowchart.STxt");
    EXPECT_FALSE(app_test::FileExists(File(WRITE_PROBE_NAME)));
    EXPECT_TRUE(IsFolderWritable(folder.path()));
}

TEST_F(FileEditTest, WorkingCopyMovesToAppDataWhenTheFolderCannotBeWritten) {
    const std::wstring appData = AppDataFolder();
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ(appData.substr(appData.size() - 8), L"\\Velmora");
    EXPECT_NE(::GetFileAttributesW(appData.c_str()), INVALID_FILE_ATTRIBUTES);
    BlockWriteProbe(folder.path());
    EXPECT_FALSE(IsFolderWritable(folder.path()));
    EXPECT_EQ(WorkingCopyPath(folder.path()), appData + L"\\CurFlowchart.STxt");
    EXPECT_EQ(WorkingCopyPath(folder / L"no-such-folder"), appData + L"\\CurFlowchart.STxt");
}

TEST_F(FileEditTest, WorkingCopyComesBackInTheNextRun) {
    {
        MainWindowHarness w;
        Run(w, [&](MainWindowHarness& w) {
            EXPECT_EQ(w.WorkingCopyPath(), File(L"CurFlowchart.STxt"));
            LoadLines(w, File(L"in.stxt"), {"1\tOUT2 1", "2\tEND"});
            questionAnswers = {IDNO};
            Close(w);
        });
    }
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_TRUE(app_test::FileExists(File(L"CurFlowchart.STxt")));
    MainWindowHarness again;
    Run(again, [&](MainWindowHarness& w) {
        EXPECT_EQ(Names(w), (Texts{L"OUT2", L"END", L""}));
        EXPECT_EQ(w.Modified(), 1);  // a loaded working copy counts as changed
        questionAnswers = {IDNO};
        Close(w);
    });
    EXPECT_EQ(questions.size(), 2u);
}

TEST_F(FileEditTest, ClosingWithYesAndNoSaveKeepsTheWindowOpen) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT3 1"});
        questionAnswers = {IDYES};  // and the save dialog is cancelled
        Close(w);
        w.Pump();
        EXPECT_EQ(dialogs.size(), 1u);
        EXPECT_FALSE(app_test::FileExists(File(L"CurFlowchart.STxt")));
        EXPECT_EQ(Names(w), (Texts{L"OUT3", L""}));
        EXPECT_EQ(w.Modified(), 1);
        EXPECT_TRUE(::IsWindowVisible(w.m_hWnd));

        questionAnswers = {IDCANCEL};
        Close(w);
        EXPECT_FALSE(app_test::FileExists(File(L"CurFlowchart.STxt")));

        questionAnswers = {IDNO};
        Close(w);
        EXPECT_TRUE(app_test::FileExists(File(L"CurFlowchart.STxt")));
    });
    EXPECT_EQ(questions.size(), 3u);
}

TEST_F(FileEditTest, WorkingCopyInAppDataComesBackToo) {
    AppDataCopy copy;
    BlockWriteProbe(folder.path());
    {
        MainWindowHarness w;
        Run(w, [&](MainWindowHarness& w) {
            EXPECT_EQ(w.WorkingCopyPath(), copy.path);
            LoadLines(w, File(L"in.stxt"), {"1\tGOTO 1"});
            questionAnswers = {IDNO};
            Close(w);
        });
    }
    EXPECT_TRUE(app_test::FileExists(copy.path));
    EXPECT_FALSE(app_test::FileExists(File(L"CurFlowchart.STxt")));
    MainWindowHarness again;
    Run(again, [&](MainWindowHarness& w) {
        EXPECT_EQ(Names(w), (Texts{L"GOTO", L""}));
        questionAnswers = {IDNO};
        Close(w);
    });
}

TEST_F(FileEditTest, TestsKeepTheirApplicationDataAwayFromTheUsersProfile) {
    // The test program points %APPDATA% at a folder of its own; the editor follows it.
    EXPECT_EQ(AppDataFolder(), app_test::RedirectedAppDataRoot() + L"\\Velmora");
    AppDataCopy copy;
    BlockWriteProbe(folder.path());
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        EXPECT_EQ(w.WorkingCopyPath(), app_test::RedirectedAppDataRoot() + L"\\Velmora\\CurFlowchart.STxt");
    });
}

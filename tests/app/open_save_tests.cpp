// Open, Save and the save question on the real main window, with the file
// dialogs and the question box answered by the test.
#include "app/velmora_app.h"
#include "grid/grid_columns.h"
#include "res/resource.h"
#include "tests/app/file_edit_fixture.h"
#include "widgets/ask_question.h"
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using Names_ = std::vector<std::wstring>;

// The 25-byte device image of the worked example: eight rows once opened.
const std::string EXAMPLE_IMAGE(
    "\x00\x08\x80\x00\x81\x01\x00\x0a\x94\x02\x95\x04\x41\x05\x24\x05"
    "\x42\x0b\x10\x00\x12\x00\x00\x00\x00",
    25);
const Names_ EXAMPLE_NAMES = {L"FOR", L"IF", L"OUT1", L"GOTO", L"OUT2", L"NEXT", L"END", L""};

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(int count, const std::string& last) {
    std::vector<std::string> lines;
    for (int i = 1; i < count; ++i)
        lines.push_back(std::to_string(i) + "\tOUT1 1");
    lines.push_back(std::to_string(count) + "\t" + last);
    return lines;
}

}  // namespace

TEST_F(FileEditTest, OpenTellsTextFromImageByTheName) {
    WriteLines(L"a.stxt", {"1\tOUT1 1", "2\tEND"});
    WriteBytes(L"a.bin", EXAMPLE_IMAGE);
    WriteBytes(L"a.txt", EXAMPLE_IMAGE);
    WriteBytes(L"a", EXAMPLE_IMAGE);
    WriteLines(L"b.txt", {"1\tOUT1 1", "2\tEND"});  // program text, but named as an image
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        dialogAnswers = {File(L"a.stxt")};
        Click(w, IDC_OPEN);
        EXPECT_EQ(Names(w), (Names_{L"OUT1", L"END", L""}));
        EXPECT_EQ(w.LastPath(), File(L"a.stxt"));
        EXPECT_EQ(w.Modified(), 0);
        for (const wchar_t* name : {L"a.bin", L"a.txt", L"a"}) {
            dialogAnswers = {File(name)};
            Click(w, IDC_OPEN);
            EXPECT_EQ(Names(w), EXAMPLE_NAMES) << name;
            EXPECT_EQ(w.RowCount(), 8) << name;
            EXPECT_EQ(w.LastPath(), File(name));
        }
        EXPECT_TRUE(ErrorTexts().empty());
        dialogAnswers = {File(L"b.txt")};
        Click(w, IDC_OPEN);
        EXPECT_EQ(ErrorTexts(), (Names_{L"Open file error!"}));
        EXPECT_EQ(Names(w), EXAMPLE_NAMES);
        EXPECT_EQ(w.LastPath(), File(L"a"));
    });
    // The open dialog as the user sees it; the second one starts at the last file.
    ASSERT_GE(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].kind, FileDialogKind::Open);
    EXPECT_EQ(dialogs[0].title, L"Open Flowchart File");
    EXPECT_EQ(dialogs[0].filter, L"Program Text File(*.STXT)|*.STXT|Send Data File(*.Bin)|*.Bin||");
    EXPECT_EQ(dialogs[0].defaultExtension, L"STXT");
    EXPECT_EQ(dialogs[0].flags, static_cast<DWORD>(OFN_FILEMUSTEXIST));
    EXPECT_EQ(dialogs[0].initialName, folder.path() + L"\\*.STXT");
    EXPECT_EQ(dialogs[1].initialName, File(L"a.stxt"));
    EXPECT_EQ(dialogs[0].owner, dialogs[1].owner);
    EXPECT_NE(dialogs[0].owner, nullptr);
}

TEST_F(FileEditTest, LoadedProgramEndsWithOneEmptyRowWhereThereIsRoom) {
    WriteLines(L"fifty.stxt", Lines(50, "END"));
    WriteLines(L"fortynine.stxt", Lines(49, "END"));
    WriteBytes(L"empty.stxt", "");
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        EXPECT_EQ(w.LoadProgramFile(File(L"fifty.stxt")), 50);
        EXPECT_EQ(w.Grid().GetItemCount(), 50);
        EXPECT_EQ(Cell(w, 49, 1), L"END");
        EXPECT_EQ(w.Grid().GetSelectedRow(), 49);
        EXPECT_EQ(w.Modified(), 1);

        EXPECT_EQ(w.LoadProgramFile(File(L"fortynine.stxt")), 50);
        EXPECT_EQ(w.RowCount(), 50);
        EXPECT_EQ(Cell(w, 48, 1), L"END");
        EXPECT_EQ(Cell(w, 49, 1), L"");
        EXPECT_EQ(Cell(w, 49, 0), L"50");
        EXPECT_EQ(w.Grid().GetSelectedRow(), 49);

        EXPECT_EQ(w.LoadProgramFile(File(L"empty.stxt")), 1);
        EXPECT_EQ(Names(w), (Names_{L""}));
        EXPECT_EQ(w.Grid().GetSelectedRow(), 0);
        EXPECT_EQ(::GetFocus(), w.Grid().m_hWnd);
    });
}

// A program opened over another fills the rows there in place: whatever the
// rows held before, each cell shows what a fresh load of the file shows.
TEST_F(FileEditTest, AProgramOpenedOverAnotherShowsAsIfLoadedAfresh) {
    std::vector<std::string> ifs;
    for (int i = 1; i <= 30; ++i)
        ifs.push_back(std::to_string(i) + "\tIF IN3 = 20 THEN 1 ELSE 2");
    const std::vector<std::string> mixed = {
        "1\tFOR 3", "2\tOUT12 0.5", "3\tSTOP 1", "4\tNEXT", "5\tIF IN4 = ON THEN 1 ELSE 6", "6\tEND"};
    auto cells = [](MainWindowHarness& w) {
        std::vector<std::wstring> all;
        for (int row = 0; row < w.Grid().GetItemCount(); ++row) {
            for (int column = 0; column < GRID_COLUMN_COUNT; ++column) {
                const CellAttr* a = w.Grid().Cell(row, column);
                all.push_back(Cell(w, row, column) + L"|" + std::to_wstring(a->editor) + L"|" +
                              std::to_wstring(a->list) + L"|" + std::to_wstring(a->alignment) + L"|" +
                              std::to_wstring(a->textColour) + L"|" + std::to_wstring(a->backColour));
            }
        }
        return all;
    };
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"empty.stxt"), {});
        LoadLines(w, File(L"mixed.stxt"), mixed);
        const auto fresh = cells(w);
        const int freshSelection = w.Grid().GetSelectedRow();

        LoadLines(w, File(L"ifs.stxt"), ifs);
        Select(w, 27);
        LoadLines(w, File(L"mixed.stxt"), mixed);
        EXPECT_EQ(cells(w), fresh);
        EXPECT_EQ(w.Grid().GetSelectedRow(), freshSelection);
        EXPECT_EQ(w.Grid().GetTopIndex(), 0);
        EXPECT_EQ(w.Chart().m_nSelected, freshSelection + 1);
    });
}

TEST_F(FileEditTest, FailedOpenKeepsTheProgram) {
    WriteBytes(L"over.bin", std::string(1025, '\x12'));
    WriteBytes(L"example.bin", EXAMPLE_IMAGE);
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"mine.stxt"), {"1\tOUT2 1", "2\tEND"});
        w.SetModified(false);
        dialogAnswers = {File(L"over.bin"), File(L"missing.stxt")};
        Click(w, IDC_OPEN);
        Click(w, IDC_OPEN);
        EXPECT_EQ(ErrorTexts(), (Names_{L"Open file error!", L"Open file error!"}));
        EXPECT_EQ(Names(w), (Names_{L"OUT2", L"END", L""}));
        EXPECT_EQ(w.Modified(), 0);
        EXPECT_EQ(w.LastPath(), folder.path() + L"\\*.STXT");

        // The same image within bounds opens.
        dialogAnswers = {File(L"example.bin")};
        Click(w, IDC_OPEN);
        EXPECT_EQ(Names(w), EXAMPLE_NAMES);
        EXPECT_EQ(ErrorTexts().size(), 2u);
    });
}

TEST_F(FileEditTest, ErroneousProgramSavesAsTextButNotAsImage) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tFOR", "2\tOUT1 1"});  // FOR without count or NEXT
        dialogAnswers = {File(L"x.Bin")};
        EXPECT_FALSE(w.SaveCommand());
        EXPECT_EQ(ErrorTexts(), (Names_{L"Write file error!"}));
        EXPECT_FALSE(app_test::FileExists(File(L"x.Bin")));
        EXPECT_EQ(w.Modified(), 1);
        EXPECT_EQ(w.LastPath(), L"*.STXT");
        EXPECT_NE(w.CheckResult(), 0);

        dialogAnswers = {File(L"x.STXT")};
        Click(w, IDC_SAVE);
        EXPECT_EQ(ErrorTexts().size(), 1u);
        EXPECT_EQ(ReadAll(File(L"x.STXT")), "1\tFOR \r\n2\tOUT1 1\r\n3\t\r\n");
        EXPECT_EQ(w.Modified(), 0);
        EXPECT_EQ(w.LastPath(), File(L"x.STXT"));
    });
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].kind, FileDialogKind::Save);
    EXPECT_EQ(dialogs[0].title, L"Save Flowchart File");
    EXPECT_EQ(dialogs[0].initialName, L"*.STXT");
    EXPECT_EQ(dialogs[0].defaultExtension, L"STXT");
    EXPECT_EQ(dialogs[0].flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY));
    EXPECT_EQ(dialogs[1].initialName, L"*.STXT");
}

TEST_F(FileEditTest, CorrectProgramSavesAsImageThatOpensAgain) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT1 1", "2\tEND"});
        dialogAnswers = {File(L"y.bin")};
        EXPECT_TRUE(w.SaveCommand());
        EXPECT_EQ(w.CheckResult(), 0);
        EXPECT_EQ(w.Modified(), 0);
        w.Grid().SetItemText(0, 1, L"OUT2");
        EXPECT_EQ(w.LoadProgramFile(File(L"y.bin")), 3);
        EXPECT_EQ(Names(w), (Names_{L"OUT1", L"END", L""}));
    });
}

// Answering Yes and then not saving stops the command that asked.
TEST_F(FileEditTest, YesWithoutASaveKeepsTheProgram) {
    WriteLines(L"other.stxt", {"1\tEND"});
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"mine.stxt"), {"1\tOUT3 2"});
        // Yes, then the save dialog is cancelled: Open stops before its dialog.
        questionAnswers = {IDYES};
        Click(w, IDC_OPEN);
        EXPECT_EQ(questions, (Names_{L"Do you want to save the program(Y/N)?"}));
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].kind, FileDialogKind::Save);
        EXPECT_EQ(Names(w), (Names_{L"OUT3", L""}));
        EXPECT_EQ(w.Modified(), 1);

        // Yes, then the save fails: Open stops too, after the error.
        questionAnswers = {IDYES};
        dialogAnswers = {File(L"no-such-folder\\x.stxt")};
        Click(w, IDC_OPEN);
        EXPECT_EQ(ErrorTexts(), (Names_{L"Write file error!"}));
        EXPECT_EQ(dialogs.size(), 2u);
        EXPECT_EQ(Names(w), (Names_{L"OUT3", L""}));

        // Cancel stops at once; No goes on without saving.
        questionAnswers = {IDCANCEL};
        Click(w, IDC_OPEN);
        EXPECT_EQ(dialogs.size(), 2u);
        questionAnswers = {IDNO};
        dialogAnswers = {File(L"other.stxt")};
        Click(w, IDC_OPEN);
        EXPECT_EQ(Names(w), (Names_{L"END", L""}));
        EXPECT_EQ(w.Modified(), 0);
        EXPECT_EQ(dialogs.size(), 3u);
        EXPECT_EQ(questions.size(), 4u);

        // Yes with a save that works: saved first, then opened.
        w.Grid().SetItemText(0, 1, L"STOP");
        w.SetModified(true);
        questionAnswers = {IDYES};
        dialogAnswers = {File(L"saved.stxt"), File(L"mine.stxt")};
        Click(w, IDC_OPEN);
        EXPECT_EQ(ReadAll(File(L"saved.stxt")), "1\tSTOP \r\n2\t\r\n");
        EXPECT_EQ(Names(w), (Names_{L"OUT3", L""}));
        EXPECT_EQ(w.LastPath(), File(L"mine.stxt"));
    });
}

TEST_F(FileEditTest, QuestionUsesTheCurrentLanguage) {
    for (int i = 0; i < g_velmoraApp.m_packCount; ++i)
        if (PackText(g_velmoraApp.m_packs[i].name, PACK_NAME_SIZE) == L"简体中文")
            g_velmoraApp.m_curPack = i;
    std::vector<QuestionRequest> requests;
    SetQuestionHook([&](const QuestionRequest& r) {
        requests.push_back(r);
        return IDCANCEL;
    });
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        w.SetModified(true);
        EXPECT_FALSE(w.AskSaveChanges());
        w.SetModified(false);
        EXPECT_TRUE(w.AskSaveChanges());
        EXPECT_EQ(requests.size(), 1u);
        dialogAnswers = {File(L"missing.stxt")};
        Click(w, IDC_OPEN);
    });
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].text, L"要保存编辑的程序吗(Y/N)?");
    EXPECT_TRUE(requests[0].captionsSet);
    EXPECT_EQ(requests[0].captions[0], L"是(&Y)");
    EXPECT_EQ(requests[0].captions[1], L"否(&N)");
    EXPECT_EQ(requests[0].captions[2], L"取消(&C)");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, L"打开程序文件");
    EXPECT_EQ(ErrorTexts(), (Names_{L"打开文件出错!"}));
}

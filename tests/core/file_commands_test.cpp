// Open, Save, the save question and the working copy over a scripted seam,
// against real files in the test's folder.
#include "files/file_commands.h"
#include "model/device_image.h"
#include "tests/core/test_rows.h"
#include <gtest/gtest.h>
#include <deque>

namespace fs = std::filesystem;

namespace {

// Answers the dialogs and the question from queues and records what was shown.
class ScriptedSeam : public FileCommandSeam {
public:
    std::deque<std::optional<std::wstring>> files;  // empty queue: cancelled
    std::deque<SaveAnswer> answers;                 // empty queue: Cancel
    std::vector<FileChoice> choices;
    std::vector<std::wstring> questions;
    std::vector<std::wstring> errors;
    int collected = 0;
    int shown = 0;
    int saved = 0;
    int modifiedWhenShown = -1;

    std::optional<std::wstring> ChooseFile(const FileChoice& choice) override {
        choices.push_back(choice);
        if (files.empty())
            return std::nullopt;
        auto file = files.front();
        files.pop_front();
        return file;
    }
    SaveAnswer AskQuestion(const std::wstring& question, const std::wstring& yes, const std::wstring& no,
                           const std::wstring& cancel) override {
        questions.push_back(question + L"|" + yes + L"|" + no + L"|" + cancel);
        if (answers.empty())
            return SaveAnswer::Cancel;
        const SaveAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowError(const std::wstring& text) override { errors.push_back(text); }
    void CollectRows() override { ++collected; }
    void ShowLoadedRows() override {
        ++shown;
        modifiedWhenShown = *modified;
    }
    void ProgramSaved() override { ++saved; }
    const int* modified = nullptr;
};

const FileTexts TEXTS{L"Open Flowchart File",
                      L"Open file error!",
                      L"Save Flowchart File",
                      L"Write file error!",
                      L"Do you want to save the program(Y/N)?",
                      L"&Yes",
                      L"&No",
                      L"&Cancel"};
const std::wstring QUESTION = L"Do you want to save the program(Y/N)?|&Yes|&No|&Cancel";

class FileCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        seam.modified = &modified;
        fs::remove_all(folder);
        fs::create_directory(folder);
        SetProgram(ExampleProgram());
    }
    void SetProgram(const std::vector<ProgramRow>& program) {
        std::copy(program.begin(), program.end(), rows);
        rowCount = static_cast<int>(program.size());
    }
    std::wstring File(const char* name) const { return (folder / name).wstring(); }

    fs::path folder = fs::absolute("file_commands");
    ProgramRow rows[MAX_ROWS] = {};
    int rowCount = 0;
    int checkResult = -1;
    int modified = 0;
    std::wstring lastPath;
    uint8_t image[IMAGE_BUFFER_SIZE] = {};
    ScriptedSeam seam;
    FileCommands files{{rows, rowCount, checkResult, modified, lastPath, image}, seam, TEXTS};
};

TEST_F(FileCommandsTest, SavedTextOpensAgainAsTheSameProgram) {
    modified = 1;
    seam.files = {File("a.STXT")};
    EXPECT_TRUE(files.SaveCommand());
    EXPECT_EQ(seam.collected, 1) << "the rows are rebuilt from the screen first";
    EXPECT_EQ(modified, 0);
    EXPECT_EQ(lastPath, File("a.STXT"));
    EXPECT_EQ(ReadBytes(folder / "a.STXT"), ExampleText());

    SetProgram({Row(L"END")});
    seam.files = {File("a.STXT")};
    files.OpenCommand(L"C:\\exe");
    EXPECT_TRUE(seam.errors.empty());
    ASSERT_EQ(rowCount, 8);
    for (int i = 0; i < rowCount; ++i)
        EXPECT_TRUE(SameText(rows[i], ExampleProgram()[static_cast<size_t>(i)])) << i;
    EXPECT_EQ(seam.shown, 1);
    EXPECT_EQ(seam.modifiedWhenShown, 1) << "a loaded program counts as modified while it is shown";
    EXPECT_EQ(modified, 0) << "a successful Open leaves nothing to save";
    EXPECT_GE(seam.saved, 2) << "after the save and after the open";
    ASSERT_EQ(seam.choices.size(), 2u);
    EXPECT_EQ(seam.choices[1].kind, FileChoiceKind::Open);
    EXPECT_EQ(seam.choices[1].title, L"Open Flowchart File");
    EXPECT_EQ(seam.choices[1].initialName, File("a.STXT")) << "the last path";
}

TEST_F(FileCommandsTest, DialogsStartFromTheirDefaultNames) {
    files.OpenCommand(L"C:\\exe");
    files.SaveCommand();
    ASSERT_EQ(seam.choices.size(), 2u);
    EXPECT_EQ(seam.choices[0].initialName, L"C:\\exe\\*.STXT");
    EXPECT_EQ(seam.choices[0].filter, L"Program Text File(*.STXT)|*.STXT|Send Data File(*.Bin)|*.Bin||");
    EXPECT_EQ(seam.choices[0].defaultExtension, L"STXT");
    EXPECT_EQ(seam.choices[1].kind, FileChoiceKind::Save);
    EXPECT_EQ(seam.choices[1].title, L"Save Flowchart File");
    EXPECT_EQ(seam.choices[1].initialName, L"C:\\exe\\*.STXT") << "Open set the last path";
    lastPath.clear();
    files.SaveCommand();
    EXPECT_EQ(seam.choices[2].initialName, L"*.STXT");
    EXPECT_TRUE(seam.errors.empty()) << "cancelled dialogs show nothing";
}

TEST_F(FileCommandsTest, FailedLoadsKeepTheProgram) {
    WriteBytes(folder / "long.bin", std::string(1025, '\x12'));
    WriteBytes(folder / "bad.bin", std::string(5, '\x7F'));
    for (const char* name : {"missing.STXT", "long.bin", "bad.bin"}) {
        seam.errors.clear();
        seam.files = {File(name)};
        lastPath = L"before";
        files.OpenCommand(L"C:\\exe");
        EXPECT_EQ(seam.errors, std::vector<std::wstring>{L"Open file error!"}) << name;
        EXPECT_EQ(rowCount, 8) << name;
        EXPECT_TRUE(SameText(rows[0], Row(L"FOR", {L"\u221E"}))) << name;
        EXPECT_EQ(lastPath, L"before") << name;
    }
    EXPECT_EQ(seam.shown, 0);
}

TEST_F(FileCommandsTest, ImageSaveOfAFaultyProgramWritesNothing) {
    SetProgram({Row(L"OUT1", {L"0.5"}), Row(L"OUT3"), Row(L"END"), Row(L"")});
    modified = 1;
    lastPath = L"kept";
    seam.files = {File("x.Bin")};
    EXPECT_FALSE(files.SaveCommand());
    EXPECT_EQ(seam.errors, std::vector<std::wstring>{L"Write file error!"});
    EXPECT_FALSE(fs::exists(folder / "x.Bin"));
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(seam.saved, 0);
    EXPECT_EQ(lastPath, L"kept");
    seam.files = {File("x.STXT")};
    EXPECT_TRUE(files.SaveCommand()) << "as text it is saved";
}

TEST_F(FileCommandsTest, ImageSaveAndLoadOfTheWorkedExample) {
    seam.files = {File("x.Bin"), File("x.Bin")};
    EXPECT_TRUE(files.SaveCommand());
    const std::vector<uint8_t> example = ExampleImage();
    EXPECT_EQ(ReadBytes(folder / "x.Bin"), std::string(example.begin(), example.end()));
    files.OpenCommand(L"");
    EXPECT_EQ(rowCount, 8);
    EXPECT_TRUE(seam.errors.empty());
}

TEST_F(FileCommandsTest, SaveQuestion) {
    struct Case {
        int modified;
        std::deque<SaveAnswer> answers;
        std::deque<std::optional<std::wstring>> files;
        bool goesOn;
        size_t questions;
    };
    const Case cases[] = {
        {0, {}, {}, true, 0},  // nothing to save: no question
        {1, {SaveAnswer::No}, {}, true, 1},
        {1, {SaveAnswer::Cancel}, {}, false, 1},
        {1, {SaveAnswer::Yes}, {std::nullopt}, false, 1},  // the save dialog cancelled
        {1, {SaveAnswer::Yes}, {(fs::absolute("file_commands") / "missing" / "x.STXT").wstring()}, false, 1},
        {1, {SaveAnswer::Yes}, {L"saved.STXT"}, true, 1},
    };
    for (const Case& c : cases) {
        seam.questions.clear();
        modified = c.modified;
        seam.answers = c.answers;
        seam.files = c.files;
        EXPECT_EQ(files.AskSaveChanges(), c.goesOn) << c.questions << " " << c.files.size();
        EXPECT_EQ(seam.questions.size(), c.questions);
        if (!seam.questions.empty()) {
            EXPECT_EQ(seam.questions[0], QUESTION);
        }
    }
}

TEST_F(FileCommandsTest, OpenStopsWhenTheQuestionIsCancelledOrTheSaveFails) {
    modified = 1;
    seam.answers = {SaveAnswer::Cancel, SaveAnswer::Yes};
    files.OpenCommand(L"C:\\exe");
    files.OpenCommand(L"C:\\exe");  // Yes, then the save dialog cancelled
    ASSERT_EQ(seam.choices.size(), 1u) << "only the save dialog was shown";
    EXPECT_EQ(seam.choices[0].kind, FileChoiceKind::Save);
    EXPECT_EQ(modified, 1);
}

TEST_F(FileCommandsTest, WorkingCopyComesBackAndCountsAsModified) {
    EXPECT_FALSE(files.LoadWorkingCopy(File("CurFlowchart.STxt")));
    EXPECT_TRUE(seam.errors.empty()) << "a missing working copy is silent";
    EXPECT_EQ(rowCount, 8);

    seam.answers = {SaveAnswer::No};
    modified = 1;
    EXPECT_TRUE(files.CloseProgram(File("CurFlowchart.STxt"), true));
    EXPECT_EQ(ReadBytes(folder / "CurFlowchart.STxt"), ExampleText()) << "written whatever the answer";

    SetProgram({Row(L"END")});
    EXPECT_TRUE(files.LoadWorkingCopy(File("CurFlowchart.STxt")));
    EXPECT_EQ(rowCount, 8);
    EXPECT_EQ(modified, 1);
    seam.questions.clear();
    EXPECT_FALSE(files.CloseProgram(File("CurFlowchart.STxt"), true)) << "cancelled: the window stays";
    EXPECT_EQ(seam.questions.size(), 1u);
}

TEST_F(FileCommandsTest, WorkingCopyIsNotWrittenWhenTheWindowNeverLoadedIt) {
    SetProgram({Row(L"")});
    EXPECT_TRUE(files.CloseProgram(File("CurFlowchart.STxt"), false));
    EXPECT_FALSE(fs::exists(folder / "CurFlowchart.STxt"));
    EXPECT_TRUE(files.CloseProgram((folder / "missing" / "CurFlowchart.STxt").wstring(), true))
        << "a failed write is silent";
    EXPECT_TRUE(seam.errors.empty());
}

}  // namespace

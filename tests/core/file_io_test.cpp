#include <gtest/gtest.h>

#include "files/file_kind.h"
#include "files/image_file.h"
#include "files/program_file.h"
#include "files/program_text.h"
#include "files/safe_write.h"
#include "model/device_image.h"
#include "tests/core/test_rows.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

TEST(FileKind, OnlyStxtNamesAreProgramText) {
    for (const char* name : {"a.stxt", "A.STXT", "CurFlowchart.STxt", "dir.bin/a.StXt", ".STXT"})
        EXPECT_EQ(FileKindOf(name), FileKind::ProgramText) << name;
    for (const char* name : {"a.bin", "a.txt", "a", "a.stxt.bin", "dir.stxt/a", "a.stx", "a.stxtx"})
        EXPECT_EQ(FileKindOf(name), FileKind::Image) << name;
    EXPECT_EQ(FileKindOf(fs::path(u8"\u7a0b\u5e8f.Stxt")), FileKind::ProgramText);
}

TEST(ImageFile, ReadResults) {
    uint8_t buffer[IMAGE_FILE_CAPACITY];
    const auto example = ExampleImage();
    WriteBytes("example.bin", std::string(example.begin(), example.end()));
    EXPECT_EQ(ReadImageFile("example.bin", buffer), 25);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 25), example);

    WriteBytes("full.bin", std::string(1024, '\x12'));
    EXPECT_EQ(ReadImageFile("full.bin", buffer), 1024);
    WriteBytes("over.bin", std::string(1025, '\x12'));
    EXPECT_EQ(ReadImageFile("over.bin", buffer), -2);
    WriteBytes("empty.bin", "");
    EXPECT_EQ(ReadImageFile("empty.bin", buffer), 0);
    EXPECT_EQ(ReadImageFile("missing.bin", buffer), -1);
    EXPECT_EQ(ReadImageFile(".", buffer), -1);
    EXPECT_EQ(ReadImageFile("", buffer), -4);
    EXPECT_EQ(ReadImageFile("example.bin", nullptr), -4);
}

TEST(ImageFile, WriteResults) {
    const auto example = ExampleImage();
    EXPECT_EQ(WriteImageFile(example.data(), "written.bin", 25), 1);
    EXPECT_EQ(ReadBytes("written.bin"), std::string(example.begin(), example.end()));
    EXPECT_EQ(WriteImageFile(example.data(), "written.bin", 0), 1);
    EXPECT_EQ(ReadBytes("written.bin"), "");
    EXPECT_EQ(WriteImageFile(nullptr, "written.bin", 25), 0);
    EXPECT_EQ(WriteImageFile(example.data(), "written.bin", -1), 0);
    EXPECT_EQ(WriteImageFile(example.data(), "", 25), 0);
    EXPECT_EQ(WriteImageFile(example.data(), "no-such-folder/x.bin", 25), 0);
    fs::create_directories("a-folder");
    EXPECT_EQ(WriteImageFile(example.data(), "a-folder", 25), 0);
    EXPECT_TRUE(fs::is_directory("a-folder"));
}

TEST(SafeWrite, ReplacesAndLeavesNoTemporaryFile) {
    WriteBytes("target.dat", "old contents");
    ASSERT_TRUE(WriteFileSafely("target.dat", "new", 3));
    EXPECT_EQ(ReadBytes("target.dat"), "new");
    EXPECT_FALSE(fs::exists(TemporaryPathFor("target.dat")));
}

TEST(SafeWrite, OldFileSurvivesAFailedWrite) {
    WriteBytes("kept.stxt", "1\tEND\r\n");
    // The temporary file cannot be created where a folder of its name stands.
    fs::create_directories(TemporaryPathFor("kept.stxt"));
    const auto rows = ExampleProgram();
    EXPECT_EQ(WriteProgramText("kept.stxt", rows.data(), 8), 0);
    EXPECT_EQ(ReadBytes("kept.stxt"), "1\tEND\r\n");
    EXPECT_FALSE(WriteFileSafely("kept.stxt", "x", 1));
    EXPECT_EQ(ReadBytes("kept.stxt"), "1\tEND\r\n");
    fs::remove(TemporaryPathFor("kept.stxt"));
    EXPECT_EQ(WriteProgramText("kept.stxt", rows.data(), 8), 1);
    EXPECT_EQ(ReadBytes("kept.stxt"), ExampleText());
}

TEST(SafeWrite, TwoEditorsSavingOneFileNeverShareATemporaryFile) {
    const fs::path mine = TemporaryPathFor("shared.stxt");
    const fs::path other = TemporaryPathFor("shared.stxt", 4242);
    ASSERT_NE(mine, other);
    EXPECT_EQ(mine.parent_path(), fs::path("shared.stxt").parent_path()) << "beside the target, on its volume";
    EXPECT_EQ(TemporaryPathFor("dir/a.stxt", 7), fs::path("dir/a.stxt.7.velmora-tmp"));

    // The other editor is half-way through its own save of the same file.
    WriteBytes("shared.stxt", "old");
    WriteBytes(other, "other editor's half");
    ASSERT_TRUE(WriteFileSafely("shared.stxt", "mine", 4));
    EXPECT_EQ(ReadBytes("shared.stxt"), "mine");
    EXPECT_EQ(ReadBytes(other), "other editor's half") << "its temporary file is left alone";
    EXPECT_FALSE(fs::exists(mine));
    fs::remove(other);
}

TEST(SafeWrite, EmptyAndLargeContentsArriveWhole) {
    ASSERT_TRUE(WriteFileSafely("empty.dat", "", 0));
    EXPECT_EQ(ReadBytes("empty.dat"), "");
    std::string big(300000, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 251);
    ASSERT_TRUE(WriteFileSafely("big.dat", big.data(), big.size()));
    EXPECT_EQ(ReadBytes("big.dat"), big);
}

#ifndef _WIN32
TEST(SafeWrite, OldFileSurvivesAWriteCutShort) {
    // Files may not grow past 16 bytes: the write fails half-way, as on a full disk.
    WriteBytes("cut.bin", "old");
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    const std::string big(100000, 'x');
    const bool written = WriteFileSafely("cut.bin", big.data(), big.size());
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes("cut.bin"), "old");
    EXPECT_FALSE(fs::exists(TemporaryPathFor("cut.bin")));
}
#endif

TEST(ProgramFile, LoadAddsOneEmptyRowWhereThereIsRoom) {
    ProgramRow rows[MAX_ROWS];
    uint8_t image[IMAGE_FILE_CAPACITY];
    std::string fifty, fortyNine;
    for (int i = 1; i <= 50; ++i)
        fifty += std::to_string(i) + "\tOUT1 1\r\n";
    for (int i = 1; i <= 48; ++i)
        fortyNine += std::to_string(i) + "\tOUT1 1\r\n";
    fortyNine += "49\tEND\r\n";
    WriteBytes("fifty.stxt", fifty);
    WriteBytes("forty-nine.STXT", fortyNine);
    WriteBytes("nothing.stxt", "");
    WriteBytes("ends-empty.stxt", "1\tEND\r\n2\t\r\n");
    EXPECT_EQ(LoadProgramRows("fifty.stxt", rows, image), 50);
    EXPECT_EQ(LoadProgramRows("forty-nine.STXT", rows, image), 50);
    EXPECT_TRUE(SameText(rows[48], Row(L"END")));
    EXPECT_TRUE(SameText(rows[49], Row(L"")));
    EXPECT_EQ(LoadProgramRows("nothing.stxt", rows, image), 1);
    EXPECT_EQ(LoadProgramRows("ends-empty.stxt", rows, image), 2);
    EXPECT_EQ(LoadProgramRows("missing.stxt", rows, image), -1);
}

TEST(ProgramFile, LoadReadsOtherNamesAsImages) {
    ProgramRow rows[MAX_ROWS];
    uint8_t image[IMAGE_FILE_CAPACITY];
    const auto example = ExampleImage();
    for (const char* name : {"example.bin", "example.txt", "example"}) {
        WriteBytes(name, std::string(example.begin(), example.end()));
        EXPECT_EQ(LoadProgramRows(name, rows, image), 8) << name;
    }
    WriteBytes("text.txt", ExampleText());
    EXPECT_EQ(LoadProgramRows("text.txt", rows, image), LOAD_NOT_AN_IMAGE);
    WriteBytes("over.bin", std::string(1025, '\0'));
    EXPECT_EQ(LoadProgramRows("over.bin", rows, image), -2);
    WriteBytes("one-record.bin", std::string("\x00\x01\x12\x00\x00", 5));
    EXPECT_EQ(LoadProgramRows("one-record.bin", rows, image), 2);
}

TEST(ProgramFile, SaveRefusesImagesOfProgramsWithErrors) {
    uint8_t image[IMAGE_FILE_CAPACITY];
    auto rows = ExampleProgram();
    rows[2] = Row(L"OUT1", {L""});
    int checked = -1;
    fs::remove("x.Bin");
    EXPECT_EQ(SaveProgramRows("x.Bin", rows.data(), 8, image, &checked), 0);
    EXPECT_EQ(checked, 0);
    EXPECT_FALSE(fs::exists("x.Bin"));
    EXPECT_EQ(SaveProgramRows("x.STXT", rows.data(), 8, image, &checked), 1);

    rows = ExampleProgram();
    EXPECT_EQ(SaveProgramRows("x.Bin", rows.data(), 8, image, nullptr), 1);
    const auto example = ExampleImage();
    EXPECT_EQ(ReadBytes("x.Bin"), std::string(example.begin(), example.end()));
    EXPECT_EQ(SaveProgramRows("empty.bin", rows.data(), 0, image, nullptr), 1);
    EXPECT_EQ(ReadBytes("empty.bin"), "");
}

TEST(ProgramFile, WidePathsWork) {
    const fs::path text = u8"\u7a0b\u5e8f \u221E.stxt";
    const fs::path bin = u8"\u7a0b\u5e8f \u221E.bin";
    auto rows = ExampleProgram();
    uint8_t image[IMAGE_FILE_CAPACITY];
    ASSERT_EQ(SaveProgramRows(text, rows.data(), 8, image, nullptr), 1);
    ASSERT_EQ(SaveProgramRows(bin, rows.data(), 8, image, nullptr), 1);
    ProgramRow loaded[MAX_ROWS];
    EXPECT_EQ(LoadProgramRows(text, loaded, image), 8);
    EXPECT_TRUE(SameText(loaded[1], rows[1]));
    EXPECT_EQ(LoadProgramRows(bin, loaded, image), 8);
    EXPECT_TRUE(SameText(loaded[1], rows[1]));
    EXPECT_TRUE(fs::exists(text));
}

#include <gtest/gtest.h>

#include "model/checker.h"
#include "model/device_image.h"
#include "tests/core/test_rows.h"

namespace {

std::vector<uint8_t> Encode(std::vector<ProgramRow> rows, int capacity = IMAGE_BUFFER_SIZE) {
    CheckProgram(rows.data(), static_cast<int>(rows.size()));
    std::vector<uint8_t> buffer(capacity, 0xEE);
    const int length = EncodeProgram(rows.data(), static_cast<int>(rows.size()), buffer.data(), capacity);
    buffer.resize(length > 0 ? length : 0);
    return buffer;
}

// The record of one row, encoded unchecked (no error bits set).
std::vector<uint8_t> RecordOf(const ProgramRow& row) {
    uint8_t image[16];
    const int length = EncodeProgram(&row, 1, image, sizeof image);
    return length > 3 ? std::vector<uint8_t>(image + 2, image + length - 1) : std::vector<uint8_t>();
}

std::vector<ProgramRow> Decode(const std::vector<uint8_t>& image, int* result) {
    std::vector<ProgramRow> rows(MAX_ROWS, Row(L"STOP", {L"7"}));
    const uint8_t none = 0;
    *result = DecodeProgram(image.empty() ? &none : image.data(), static_cast<int>(image.size()), rows.data());
    return rows;
}

}  // namespace

TEST(EncodeProgram, WorkedExample) { EXPECT_EQ(Encode(ExampleProgram()), ExampleImage()); }

TEST(EncodeProgram, ArgumentBytes) {
    EXPECT_EQ(RecordOf(Row(L"FOR", {L"\u221E"})), (std::vector<uint8_t>{0x80, 0x00}));
    EXPECT_EQ(RecordOf(Row(L"GOTO", {L"1"})), (std::vector<uint8_t>{0x24, 0x00}));
    EXPECT_EQ(RecordOf(Row(L"OUT1", {L"1.0"})), (std::vector<uint8_t>{0x41, 0xFF}));
    EXPECT_EQ(RecordOf(Row(L"OUT123", {L"99"})), (std::vector<uint8_t>{0x48, 108}));
    EXPECT_EQ(RecordOf(Row(L"STOP", {L"\u221E"})), (std::vector<uint8_t>{0x11, 0x00}));
    EXPECT_EQ(RecordOf(Row(L"IF", {L"IN4", L"\uFF1D", L"ON", L"THEN", L"2", L"ELSE", L"2"})),
              (std::vector<uint8_t>{0x84, 0x03, 0x00, 0x01, 0x94, 0x01, 0x95, 0x01}));
    EXPECT_EQ(RecordOf(Row(L"IF", {L"IN3", L"<", L"-15", L"THEN", L"1", L"ELSE", L"2"})),
              (std::vector<uint8_t>{0x83, 0x00, 0x00, 0x00, 0x94, 0x00, 0x95, 0x01}));
    // The editor never makes an IF with another input; it gets IN1's opcode and no value.
    EXPECT_EQ(RecordOf(Row(L"IF", {L"IN9", L"\u2267", L"0", L"THEN", L"1", L"ELSE", L"2"})),
              (std::vector<uint8_t>{0x81, 0x01, 0x00, 0xFF, 0x94, 0x00, 0x95, 0x01}));

    std::vector<ProgramRow> loop = {Row(L"FOR", {L"100"}), Row(L"NEXT"), Row(L"END")};
    EXPECT_EQ(Encode(loop), (std::vector<uint8_t>{0x00, 0x03, 0x80, 0x64, 0x10, 0x00, 0x12, 0x00, 0x00}));
}

TEST(EncodeProgram, UnknownRowsGiveNoRecordButCount) {
    EXPECT_EQ(Encode({Row(L"OUT1", {L"1"}), Row(L"BEEP")}), (std::vector<uint8_t>{0x00, 0x02, 0x41, 0x0A, 0x00}));
}

TEST(EncodeProgram, RefusalsWriteNothing) {
    auto rows = ExampleProgram();
    rows[2] = Row(L"OUT1", {L""});
    CheckProgram(rows.data(), 8);
    std::vector<uint8_t> buffer(64, 0xEE);
    EXPECT_EQ(EncodeProgram(rows.data(), 8, buffer.data(), 64), -1);
    EXPECT_EQ(EncodeProgram(rows.data(), 0, buffer.data(), 64), 0);
    EXPECT_EQ(EncodeProgram(nullptr, 8, buffer.data(), 64), 0);
    EXPECT_EQ(EncodeProgram(rows.data(), 8, nullptr, 64), 0);
    EXPECT_EQ(EncodeProgram(rows.data(), 8, buffer.data(), 2), 0);
    EXPECT_EQ(buffer, std::vector<uint8_t>(64, 0xEE));
}

TEST(EncodeProgram, RecordsThatDoNotFitAreLeftOut) {
    // Start, FOR record and end byte fit in 6 bytes; the IF record does not.
    EXPECT_EQ(Encode(ExampleProgram(), 6), (std::vector<uint8_t>{0x00, 0x08, 0x80, 0x00, 0x00}));
    EXPECT_EQ(Encode(ExampleProgram(), 13).size(), 13u);
}

TEST(DecodeProgram, WorkedExample) {
    int count;
    const auto rows = Decode(ExampleImage(), &count);
    ASSERT_EQ(count, 8);
    auto expected = ExampleProgram();
    SetRowText(expected[0].params[0], L"0");  // the count reads back as its number
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(SameText(rows[i], expected[i])) << i << " " << Describe(rows[i]);
    EXPECT_TRUE(SameText(rows[8], Row(L"STOP", {L"7"}))) << "rows past the count stay";
}

TEST(DecodeProgram, ShortAndBrokenImages) {
    int count;
    Decode({}, &count);
    EXPECT_EQ(count, 0);
    Decode({0x00}, &count);
    EXPECT_EQ(count, 0);
    auto rows = Decode({0x00, 0x02, 0x41, 0x05, 0x99, 0x00, 0x00}, &count);
    EXPECT_EQ(count, -1);
    EXPECT_TRUE(SameText(rows[0], Row(L"STOP", {L"7"}))) << "nothing is taken over";
    // A cut IF record makes no row.
    Decode({0x00, 0x02, 0x41, 0x05, 0x81, 0x01, 0x00, 0x00}, &count);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(DecodeProgram(nullptr, 4, rows.data()), -1);
    EXPECT_EQ(DecodeProgram(ExampleImage().data(), 25, nullptr), -1);
}

TEST(DecodeProgram, OutOfRangeBytesLeaveSlotsEmpty) {
    int count;
    auto rows = Decode({0x00, 0x03, 0x83, 0x04, 0x00, 0x47, 0x11, 0xFE, 0x95, 0x31, 0x84, 0x00,
                        0x00, 0x01, 0x94, 0x00, 0x95, 0x00, 0x43, 109,  0x11, 200,  0x24, 0xFF},
                       &count);
    ASSERT_EQ(count, 5);
    EXPECT_TRUE(SameText(rows[0], Row(L"IF", {L"IN3", L"", L"", L"", L"255", L"ELSE", L"50"}))) << Describe(rows[0]);
    EXPECT_TRUE(SameText(rows[1], Row(L"IF", {L"IN4", L"", L"ON", L"THEN", L"1", L"ELSE", L"1"}))) << Describe(rows[1]);
    EXPECT_TRUE(SameText(rows[2], Row(L"OUT3", {L""})));
    EXPECT_TRUE(SameText(rows[3], Row(L"STOP", {L""})));
    EXPECT_TRUE(SameText(rows[4], Row(L"GOTO", {L"256"})));
}

TEST(DecodeProgram, EncodedProgramsComeBackWhole) {
    std::vector<ProgramRow> rows;
    for (int i = 0; i < MAX_ROWS - 1; ++i) {
        const std::wstring next = std::to_wstring(i + 2);
        rows.push_back(i % 2 ? Row(L"IF", {L"IN2", L"\u2266", L"55", L"THEN", next.c_str(), L"ELSE", L"50"})
                             : Row(L"OUT13", {L"0.3"}));
    }
    rows.push_back(Row(L"END"));
    const auto image = Encode(rows);
    ASSERT_EQ(image.size(), 2u + 25 * 2 + 24 * 8 + 2 + 1);
    int count;
    const auto decoded = Decode(image, &count);
    ASSERT_EQ(count, MAX_ROWS);
    for (int i = 0; i < MAX_ROWS; ++i)
        EXPECT_TRUE(SameText(decoded[i], rows[i])) << i;

    // No more than MAX_ROWS rows, whatever the image holds.
    std::vector<uint8_t> long_image = {0x00, 60};
    for (int i = 0; i < 60; ++i)
        long_image.insert(long_image.end(), {0x12, 0x00});
    Decode(long_image, &count);
    EXPECT_EQ(count, MAX_ROWS);
}

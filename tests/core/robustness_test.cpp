// Random and cut inputs for everything that reads untrusted data. Buffers are
// allocated at their exact size so that the address sanitizer sees any read
// past their end; the seed is fixed, so every run feeds the same inputs.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "files/clipboard_row.h"
#include "files/program_text.h"
#include "model/checker.h"
#include "model/device_image.h"
#include "tests/core/test_rows.h"

namespace {

void ExpectSoundRow(const ProgramRow& row) {
    EXPECT_TRUE(row.code >= -1 && row.code < COMMAND_COUNT) << row.code;
    EXPECT_LE(RowText(row.name).size(), static_cast<size_t>(ROW_TEXT_MAX));
    for (const auto& param : row.params)
        EXPECT_LE(RowText(param).size(), static_cast<size_t>(ROW_TEXT_MAX));
}

class Random {
public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    int Below(int n) { return static_cast<int>(engine_() % static_cast<uint32_t>(n)); }
    // Lengths that often sit at the limits the readers care about.
    int Length(int most) {
        const int edges[] = {0, 1, 2, 8, 9, 258, 259, 260, 1021, 1022, 1023};
        const int edge = edges[Below(std::size(edges))];
        return Below(3) == 0 && edge <= most ? edge : Below(most + 1);
    }

private:
    std::mt19937 engine_;
};

wchar_t RandomLineCharacter(Random& random) {
    const wchar_t pool[] = L" \t\r\n0123456789FORNEXTIFOUTGOTOSTOPENDforifout=<>!.\u221E\u2266\u2267\uFF1D\u00E9";
    return random.Below(10) == 0 ? static_cast<wchar_t>(1 + random.Below(0xD7FF))
                                 : pool[random.Below(std::size(pool) - 1)];
}

uint8_t RandomImageByte(Random& random) {
    const uint8_t opcodes[] = {0x00, 0x80, 0x10, 0x81, 0x82, 0x83, 0x84, 0x41, 0x48, 0x24, 0x11, 0x12, 0x94, 0x95};
    return random.Below(4) == 0 ? static_cast<uint8_t>(random.Below(256)) : opcodes[random.Below(std::size(opcodes))];
}

}  // namespace

TEST(Robustness, ParseProgramLineOnRandomLines) {
    Random random(20240601);
    for (int round = 0; round < 20000; ++round) {
        const int length = random.Length(600);
        std::unique_ptr<wchar_t[]> line(new wchar_t[length + 1]);
        for (int i = 0; i < length; ++i)
            line[i] = RandomLineCharacter(random);
        line[length] = L'\0';
        ProgramRow row;
        if (ParseProgramLine(line.get(), row))
            ExpectSoundRow(row);
        if (HasFailure())
            FAIL() << "round " << round;
    }
}

TEST(Robustness, DecodeProgramOnRandomAndCutImages) {
    Random random(7);
    std::vector<ProgramRow> rows(MAX_ROWS);
    auto decode = [&](const uint8_t* bytes, int length) {
        std::unique_ptr<uint8_t[]> image(new uint8_t[length > 0 ? length : 1]);
        std::copy(bytes, bytes + length, image.get());
        const int count = DecodeProgram(image.get(), length, rows.data());
        EXPECT_GE(count, -1);
        EXPECT_LE(count, MAX_ROWS);
        for (int i = 0; i < count; ++i)
            ExpectSoundRow(rows[i]);
        // Whatever decodes also checks and encodes within the image sizes.
        if (count > 0) {
            CheckProgram(rows.data(), count);
            uint8_t out[IMAGE_FILE_CAPACITY];
            EXPECT_LE(EncodeProgram(rows.data(), count, out, IMAGE_FILE_CAPACITY), 2 + MAX_ROWS * 8 + 1);
        }
    };
    for (int round = 0; round < 20000; ++round) {
        std::vector<uint8_t> bytes(random.Length(450));
        for (auto& byte : bytes)
            byte = RandomImageByte(random);
        decode(bytes.data(), static_cast<int>(bytes.size()));
        if (HasFailure())
            FAIL() << "round " << round;
    }
    std::vector<uint8_t> whole = {0x00, 50};
    for (int i = 0; i < 60; ++i)
        whole.insert(whole.end(), {0x83, 0x02, 0x00, 0x46, 0x94, 0x31, 0x95, 0x00, 0x45, 0x6C});
    for (size_t cut = 0; cut <= whole.size(); ++cut)
        decode(whole.data(), static_cast<int>(cut));
}

TEST(Robustness, ReadProgramTextOnRandomFiles) {
    Random random(99);
    const std::string pieces[] = {" ",
                                  "\t",
                                  "\r\n",
                                  "\n",
                                  "\r",
                                  "1",
                                  "FOR",
                                  "if",
                                  "IN1",
                                  "0",
                                  "=",
                                  "\xE2\x88\x9E",
                                  "\xE2\x89",
                                  "\xC3\xA9",
                                  "\xFF",
                                  std::string(1, '\0'),
                                  std::string(300, 'x'),
                                  std::string(1021, ' ')};
    for (int round = 0; round < 400; ++round) {
        std::string bytes;
        for (int n = random.Below(200); n > 0; --n)
            bytes += pieces[random.Below(std::size(pieces))];
        WriteBytes("random.stxt", bytes);
        const int maximum = 1 + random.Below(MAX_ROWS);
        std::unique_ptr<ProgramRow[]> rows(new ProgramRow[maximum]);
        const int count = ReadProgramText("random.stxt", rows.get(), maximum);
        EXPECT_GE(count, 0);
        EXPECT_LE(count, maximum);
        for (int i = 0; i < count; ++i)
            ExpectSoundRow(rows[i]);
        if (HasFailure())
            FAIL() << "round " << round;
    }
}

TEST(Robustness, ParseClipboardBlockOnRandomBlocks) {
    Random random(3);
    for (int round = 0; round < 5000; ++round) {
        const int size = random.Length(CLIPBOARD_BLOCK_SIZE);
        std::unique_ptr<uint8_t[]> block(new uint8_t[size > 0 ? size : 1]);
        for (int i = 0; i < size; ++i)
            block[i] = i % 2 ? static_cast<uint8_t>(random.Below(4) ? 0 : random.Below(256))
                             : static_cast<uint8_t>(RandomLineCharacter(random));
        ProgramRow row;
        if (ParseClipboardBlock(block.get(), size, row))
            ExpectSoundRow(row);
        if (HasFailure())
            FAIL() << "round " << round;
    }
}

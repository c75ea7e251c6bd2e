#include "files/clipboard_row.h"

#include <cstring>
#include <string>

#include "files/program_text.h"

namespace {

constexpr int BLOCK_UNITS = CLIPBOARD_BLOCK_SIZE / 2;

}  // namespace

void FormatClipboardBlock(int rowIndex, const ProgramRow* rows, uint8_t (&block)[CLIPBOARD_BLOCK_SIZE]) {
    std::memset(block, 0, sizeof block);
    const std::wstring line = FormatProgramLine(rowIndex, rows);
    std::u16string units;
    for (wchar_t c : line) {
        const uint32_t value = sizeof(wchar_t) == 2 ? static_cast<uint16_t>(c) : static_cast<uint32_t>(c);
        if (value > 0xFFFF && value <= 0x10FFFF) {
            units += static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(value > 0xFFFF ? 0xFFFD : value);
        }
    }
    const size_t kept = units.size() < BLOCK_UNITS - 1 ? units.size() : BLOCK_UNITS - 1;
    for (size_t i = 0; i < kept; ++i) {
        block[2 * i] = static_cast<uint8_t>(units[i] & 0xFF);
        block[2 * i + 1] = static_cast<uint8_t>(units[i] >> 8);
    }
}

bool ParseClipboardBlock(const uint8_t* block, size_t size, ProgramRow& row) {
    if (!block)
        return false;
    std::wstring line;
    for (size_t i = 0; i + 1 < size; i += 2) {
        uint32_t unit = block[i] | (block[i + 1] << 8);
        if (unit == 0)
            break;
        // A 32-bit wchar_t holds a surrogate pair as one character.
        if (sizeof(wchar_t) == 4 && unit >= 0xD800 && unit <= 0xDBFF && i + 3 < size) {
            const uint32_t low = block[i + 2] | (block[i + 3] << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        line += static_cast<wchar_t>(unit);
    }
    return ParseProgramLine(line.data(), row);
}

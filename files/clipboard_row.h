// One row on the clipboard: its program text line, without line end, as
// UTF-16 little-endian text with a terminating NUL in a zero-filled block.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/program_row.h"

inline constexpr const wchar_t* CLIPBOARD_FORMAT_NAME = L"KestrinFlowChartText";
constexpr int CLIPBOARD_BLOCK_SIZE = 200;

// Fills the block with the line of row `rowIndex`; a line too long for the
// block is cut so that the NUL always fits.
void FormatClipboardBlock(int rowIndex, const ProgramRow* rows, uint8_t (&block)[CLIPBOARD_BLOCK_SIZE]);

// Reads the line held in the first `size` bytes of a block (up to its NUL)
// into `row`. False, leaving `row` alone, when the block holds no row.
bool ParseClipboardBlock(const uint8_t* block, size_t size, ProgramRow& row);

// One program row and the program's capacity.
#pragma once

#include <cstdint>
#include <string_view>

constexpr int MAX_ROWS = 50;
constexpr int ROW_TEXT_SIZE = 10;  // wide characters per name or parameter, NUL included
constexpr int ROW_TEXT_MAX = 8;    // characters kept of a name or parameter
constexpr int ROW_PARAM_SLOTS = 7;

// Error bits of ProgramRow::errorFlags, in the order of their texts E1..E9.
constexpr uint16_t ERR_NO_PARAM = 0x001;
constexpr uint16_t ERR_NO_JUMP_LINE = 0x002;
constexpr uint16_t ERR_FOR_NO_NEXT = 0x004;
constexpr uint16_t ERR_NEXT_NO_FOR = 0x008;
constexpr uint16_t ERR_GOTO_RANGE = 0x010;
constexpr uint16_t ERR_THEN_RANGE = 0x020;
constexpr uint16_t ERR_ELSE_RANGE = 0x040;
constexpr uint16_t ERR_NO_ENTRANCE = 0x080;
constexpr uint16_t ERR_FOR_NO_PARAM = 0x100;
constexpr int ERROR_BIT_COUNT = 9;

// Link of a NEXT row that has no matching FOR.
constexpr int NEXT_LINK_NONE = 255;

// Plain data: copied whole and zero-filled before it is built. An all-zero row
// is an empty row.
struct ProgramRow {
    uint16_t errorFlags;  // written only by the checker
    int32_t reachable;    // nonzero when reachable from row 0; written only by the checker
    int16_t code;         // CommandCode, -1 when the name matched no command
    wchar_t name[ROW_TEXT_SIZE];
    // Slots 1..7. For a NEXT row the first character of slot 1 is not text but
    // the link: the index of its FOR row, or NEXT_LINK_NONE.
    wchar_t params[ROW_PARAM_SLOTS][ROW_TEXT_SIZE];
};

// The text held in a name or parameter field, never reading past the field.
std::wstring_view RowText(const wchar_t (&field)[ROW_TEXT_SIZE]);
// Stores the first ROW_TEXT_MAX characters of `text`, zero-filling the rest.
void SetRowText(wchar_t (&field)[ROW_TEXT_SIZE], std::wstring_view text);

// The NEXT link stored by the checker (0 until a check has run).
int NextLink(const ProgramRow& row);
void SetNextLink(ProgramRow& row, int link);

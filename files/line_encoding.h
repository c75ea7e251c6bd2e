// Byte form of program text lines. A line whose characters all lie in
// U+0000..U+00FF is stored one byte per character. A line holding a character
// above U+00FF (the time "∞", the comparator forms "≦" and "≧") has no such
// form and is stored as UTF-8; on reading, a line that is valid UTF-8 and holds
// a code point above U+00FF is taken as UTF-8, every other line byte by byte.
// An 8-bit line whose bytes happen to form such UTF-8 (say "ä¸\u00AD") would
// come back changed, so it gets the byte 0xFF after its line number: no UTF-8
// holds that byte, and the line number is never read back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Appends the bytes of one program text line (its line end included).
void AppendLineBytes(std::wstring_view line, std::string& bytes);

// Appends text as UTF-8; with a 16-bit wchar_t a surrogate pair is one
// character and a lone half is encoded by itself.
void AppendUtf8Text(std::wstring_view text, std::string& bytes);

// Incremental UTF-8 decoding, one byte at a time. Encoded surrogate halves are
// accepted so that a lone UTF-16 half written by AppendLineBytes reads back.
struct Utf8Decoder {
    uint32_t codePoint = 0;
    uint32_t minimum = 0;
    int pending = 0;
};
constexpr long UTF8_MORE = -1;     // the sequence goes on
constexpr long UTF8_INVALID = -2;  // not UTF-8; the decoder starts afresh
// Returns the code point completed by `byte`, UTF8_MORE or UTF8_INVALID.
long FeedUtf8(Utf8Decoder& decoder, uint8_t byte);

// Whether a line read so far is UTF-8 holding a code point above U+00FF.
struct Utf8LineCheck {
    Utf8Decoder decoder;
    bool valid = true;
    bool wide = false;
};
void FeedLineCheck(Utf8LineCheck& check, uint8_t byte);
bool ReadsAsUtf8(const Utf8LineCheck& check);
bool ReadsAsUtf8(std::string_view bytes);

// Stores a code point as one or, for 16-bit wchar_t above U+FFFF, two units.
// Returns the number of units written to `units`.
int CodePointToUnits(uint32_t codePoint, wchar_t units[2]);

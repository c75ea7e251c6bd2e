#include "files/line_encoding.h"

namespace {

constexpr uint32_t REPLACEMENT = 0xFFFD;

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(uint32_t codePoint, std::string& bytes) {
    if (codePoint > 0x10FFFF)
        codePoint = REPLACEMENT;  // only a 32-bit wchar_t holds such values
    if (codePoint < 0x80) {
        bytes += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        bytes += static_cast<char>(0xC0 | (codePoint >> 6));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        bytes += static_cast<char>(0xE0 | (codePoint >> 12));
        bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (codePoint >> 18));
        bytes += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

uint32_t Unit(wchar_t c) {
    // wchar_t is signed on some platforms; every value counts as unsigned.
    return sizeof(wchar_t) == 2 ? static_cast<uint16_t>(c) : static_cast<uint32_t>(c);
}

}  // namespace

void AppendUtf8Text(std::wstring_view text, std::string& bytes) {
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t codePoint = Unit(text[i]);
        if (sizeof(wchar_t) == 2 && IsHighSurrogate(codePoint) && i + 1 < text.size() &&
            IsLowSurrogate(Unit(text[i + 1]))) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (Unit(text[i + 1]) - 0xDC00);
            ++i;
        }
        AppendUtf8(codePoint, bytes);
    }
}

void AppendLineBytes(std::wstring_view line, std::string& bytes) {
    bool eightBit = true;
    for (wchar_t c : line)
        eightBit = eightBit && Unit(c) <= 0xFF;
    if (!eightBit)
        return AppendUtf8Text(line, bytes);
    std::string own;
    for (wchar_t c : line)
        own += static_cast<char>(Unit(c));
    if (ReadsAsUtf8(own)) {
        size_t digits = 0;
        while (digits < own.size() && own[digits] >= '0' && own[digits] <= '9')
            ++digits;
        own.insert(digits, 1, '\xFF');
    }
    bytes += own;
}

void FeedLineCheck(Utf8LineCheck& check, uint8_t byte) {
    const long codePoint = FeedUtf8(check.decoder, byte);
    check.valid = check.valid && codePoint != UTF8_INVALID;
    check.wide = check.wide || codePoint > 0xFF;
}

bool ReadsAsUtf8(const Utf8LineCheck& check) { return check.valid && check.wide && check.decoder.pending == 0; }

bool ReadsAsUtf8(std::string_view bytes) {
    Utf8LineCheck check;
    for (char c : bytes)
        FeedLineCheck(check, static_cast<uint8_t>(c));
    return ReadsAsUtf8(check);
}

long FeedUtf8(Utf8Decoder& decoder, uint8_t byte) {
    if (decoder.pending == 0) {
        if (byte < 0x80)
            return byte;
        if (byte >= 0xC2 && byte <= 0xDF)
            decoder = {byte & 0x1Fu, 0x80, 1};
        else if (byte >= 0xE0 && byte <= 0xEF)
            decoder = {byte & 0x0Fu, 0x800, 2};
        else if (byte >= 0xF0 && byte <= 0xF4)
            decoder = {byte & 0x07u, 0x10000, 3};
        else
            return UTF8_INVALID;
        return UTF8_MORE;
    }
    if ((byte & 0xC0) != 0x80) {
        decoder = {};
        return UTF8_INVALID;
    }
    decoder.codePoint = (decoder.codePoint << 6) | (byte & 0x3Fu);
    if (--decoder.pending > 0)
        return UTF8_MORE;
    const uint32_t codePoint = decoder.codePoint;
    const bool overlong = codePoint < decoder.minimum;
    decoder = {};
    return overlong || codePoint > 0x10FFFF ? UTF8_INVALID : static_cast<long>(codePoint);
}

int CodePointToUnits(uint32_t codePoint, wchar_t units[2]) {
    if (sizeof(wchar_t) == 2 && codePoint > 0xFFFF) {
        codePoint -= 0x10000;
        units[0] = static_cast<wchar_t>(0xD800 + (codePoint >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF));
        return 2;
    }
    units[0] = static_cast<wchar_t>(codePoint);
    return 1;
}

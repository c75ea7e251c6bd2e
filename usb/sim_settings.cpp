#include "usb/sim_settings.h"

namespace {

constexpr wchar_t SECTION[] = L"SimDevice";
constexpr long MAX_COUNT = 1000000;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

int DigitValue(wchar_t c, int base) {
    int digit = -1;
    if (c >= L'0' && c <= L'9') {
        digit = c - L'0';
    } else if (c >= L'a' && c <= L'f') {
        digit = c - L'a' + 10;
    } else if (c >= L'A' && c <= L'F') {
        digit = c - L'A' + 10;
    }
    return digit < base ? digit : -1;
}

// Reads a decimal or 0x-prefixed hexadecimal integer, optionally negative,
// between blanks and optionally followed by a ";" comment. False for any
// other text and for a value outside [low, high].
bool ParseSimNumber(const wchar_t* text, long low, long high, long& value) {
    const wchar_t* p = text;
    while (IsBlank(*p)) {
        ++p;
    }
    bool negative = *p == L'-';
    if (negative) {
        ++p;
    }
    int base = 10;
    if (p[0] == L'0' && (p[1] == L'x' || p[1] == L'X')) {
        base = 16;
        p += 2;
    }
    if (DigitValue(*p, base) < 0) {
        return false;
    }
    long magnitude = 0;
    for (int digit; (digit = DigitValue(*p, base)) >= 0; ++p) {
        magnitude = magnitude * base + digit;
        if (magnitude > MAX_COUNT) {
            return false;
        }
    }
    while (IsBlank(*p)) {
        ++p;
    }
    if (*p != L'\0' && *p != L';') {
        return false;
    }
    long result = negative ? -magnitude : magnitude;
    if (result < low || result > high) {
        return false;
    }
    value = result;
    return true;
}

void ReadNumber(const wchar_t* iniPath, const wchar_t* key, long low, long high, long& value) {
    wchar_t text[64] = {};
    GetPrivateProfileStringW(SECTION, key, L"", text, 64, iniPath);
    long parsed = 0;
    if (ParseSimNumber(text, low, high, parsed)) {
        value = parsed;
    }
}

void ReadFlag(const wchar_t* iniPath, const wchar_t* key, bool& flag) {
    long value = flag ? 1 : 0;
    ReadNumber(iniPath, key, 0, 1, value);
    flag = value != 0;
}

void ReadByte(const wchar_t* iniPath, const wchar_t* key, std::uint8_t& byte) {
    long value = byte;
    ReadNumber(iniPath, key, 0, 255, value);
    byte = static_cast<std::uint8_t>(value);
}

void ReadCount(const wchar_t* iniPath, const wchar_t* key, long low, int& count) {
    long value = count;
    ReadNumber(iniPath, key, low, MAX_COUNT, value);
    count = static_cast<int>(value);
}

}  // namespace

SimSettings ReadSimSettings(const wchar_t* iniPath) {
    SimSettings settings;
    ReadFlag(iniPath, L"Halvex", settings.halvexPresent);
    ReadFlag(iniPath, L"Pemble", settings.pemblePresent);
    ReadByte(iniPath, L"Marker", settings.marker);
    ReadCount(iniPath, L"RefusePacket", 0, settings.refusePacket);
    ReadCount(iniPath, L"RefuseHeaders", 0, settings.refuseHeaders);
    ReadByte(iniPath, L"RefuseStatus", settings.refuseStatus);
    ReadByte(iniPath, L"RefuseMarker", settings.refuseMarker);
    ReadByte(iniPath, L"BadPacketStatus", settings.badPacketStatus);
    ReadCount(iniPath, L"FailWriteAfter", -1, settings.failWriteAfter);
    ReadCount(iniPath, L"FailReadAfter", -1, settings.failReadAfter);
    long readBytes = settings.halvexReadBytes;
    ReadNumber(iniPath, L"HalvexReadBytes", SIM_REPLY_SIZE, SIM_MAX_READ_BYTES, readBytes);
    settings.halvexReadBytes = static_cast<int>(readBytes);
    return settings;
}

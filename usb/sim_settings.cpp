#include "usb/sim_settings.h"

#include <cwchar>
#include <vector>

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

// The section's "key=value" lines, read in one go: a device is opened at
// every poll, and each single-key read goes back to the file.
class SectionValues {
public:
    explicit SectionValues(const wchar_t* iniPath) : m_text(32768, L'\0') {
        const DWORD length = GetPrivateProfileSectionW(SECTION, m_text.data(), static_cast<DWORD>(m_text.size()),
                                                       iniPath);
        m_text.resize(length < m_text.size() ? length + 1 : m_text.size());
        m_text.push_back(L'\0');
    }
    // The value of `key` (the first line that names it, case ignored), or "".
    const wchar_t* Find(const wchar_t* key) const {
        const size_t keyLength = std::wcslen(key);
        for (const wchar_t* line = m_text.data(); *line; line += std::wcslen(line) + 1) {
            const wchar_t* equals = std::wcschr(line, L'=');
            if (!equals)
                continue;
            const wchar_t* end = equals;
            while (end > line && IsBlank(end[-1]))
                --end;
            if (static_cast<size_t>(end - line) == keyLength && _wcsnicmp(line, key, keyLength) == 0)
                return Trimmed(equals + 1);
        }
        return L"";
    }

private:
    static const wchar_t* Trimmed(const wchar_t* value) {
        while (IsBlank(*value))
            ++value;
        return value;
    }
    std::vector<wchar_t> m_text;
};

void ReadNumber(const SectionValues& values, const wchar_t* key, long low, long high, long& value) {
    long parsed = 0;
    if (ParseSimNumber(values.Find(key), low, high, parsed)) {
        value = parsed;
    }
}

void ReadFlag(const SectionValues& values, const wchar_t* key, bool& flag) {
    long value = flag ? 1 : 0;
    ReadNumber(values, key, 0, 1, value);
    flag = value != 0;
}

void ReadByte(const SectionValues& values, const wchar_t* key, std::uint8_t& byte) {
    long value = byte;
    ReadNumber(values, key, 0, 255, value);
    byte = static_cast<std::uint8_t>(value);
}

void ReadCount(const SectionValues& values, const wchar_t* key, long low, int& count) {
    long value = count;
    ReadNumber(values, key, low, MAX_COUNT, value);
    count = static_cast<int>(value);
}

}  // namespace

SimSettings ReadSimSettings(const wchar_t* iniPath) {
    SimSettings settings;
    const SectionValues iniValues(iniPath);
    ReadFlag(iniValues, L"Halvex", settings.halvexPresent);
    ReadFlag(iniValues, L"Pemble", settings.pemblePresent);
    ReadByte(iniValues, L"Marker", settings.marker);
    ReadCount(iniValues, L"RefusePacket", 0, settings.refusePacket);
    ReadCount(iniValues, L"RefuseHeaders", 0, settings.refuseHeaders);
    ReadByte(iniValues, L"RefuseStatus", settings.refuseStatus);
    ReadByte(iniValues, L"RefuseMarker", settings.refuseMarker);
    ReadByte(iniValues, L"BadPacketStatus", settings.badPacketStatus);
    ReadCount(iniValues, L"FailWriteAfter", -1, settings.failWriteAfter);
    ReadCount(iniValues, L"FailReadAfter", -1, settings.failReadAfter);
    long readBytes = settings.halvexReadBytes;
    ReadNumber(iniValues, L"HalvexReadBytes", SIM_REPLY_SIZE, SIM_MAX_READ_BYTES, readBytes);
    settings.halvexReadBytes = static_cast<int>(readBytes);
    return settings;
}

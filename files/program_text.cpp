#include "files/program_text.h"

#include <cstring>
#include <fstream>
#include <system_error>

#include "files/line_encoding.h"
#include "files/safe_write.h"
#include "model/vocabulary.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsLineEnd(wchar_t c) { return c == L'\r' || c == L'\n'; }

// Slot text of a parsed token, with the FOR and IF substitutions.
std::wstring_view ParamFromToken(int code, int slot, std::wstring_view token) {
    if (code == CMD_FOR && slot == 0 && token == L"0")
        return VocabularyText(VocabLoopCount, 0);
    if (code == CMD_IF && slot == 1) {
        for (int k = 0; k < VocabularyCount(VocabComparators); ++k)
            if (EqualsAsciiNoCase(token, ComparatorTextForms[k]))
                return VocabularyText(VocabComparators, k);
    }
    return token;
}

// Slot text as written in a line, with the FOR and IF substitutions.
std::wstring_view ParamToLine(int code, int slot, std::wstring_view text) {
    if (code == CMD_FOR && slot == 0 && !text.empty() && text[0] == L'\u221E')
        return L"0";
    if (code == CMD_IF && slot == 1) {
        const int k = FindInVocabulary(VocabComparators, text);
        if (k >= 0)
            return ComparatorTextForms[k];
    }
    return text;
}

// Reads file lines one at a time. A line is scanned twice: once to learn
// whether it is UTF-8, then to decode it in pieces, so that memory stays
// bounded whatever the file holds.
class LineReader {
public:
    explicit LineReader(const std::filesystem::path& path) { file_.open(path, std::ios::in | std::ios::binary); }
    bool IsOpen() const { return file_.is_open(); }

    // Starts the next line; false at the end of the file.
    bool NextLine() {
        const std::streampos start = file_.pubseekoff(0, std::ios::cur, std::ios::in);
        if (start == std::streampos(-1))
            return false;
        Utf8LineCheck check;
        remaining_ = 0;
        for (int c = file_.sbumpc(); c != std::char_traits<char>::eof(); c = file_.sbumpc()) {
            ++remaining_;
            FeedLineCheck(check, static_cast<uint8_t>(c));
            if (c == '\n')
                break;
        }
        utf8_ = ReadsAsUtf8(check);
        decoder_ = {};
        return remaining_ > 0 && file_.pubseekpos(start, std::ios::in) == start;
    }

    // Fills `piece` with the next at most MAX_READ_LINE_PIECE characters of the
    // line, NUL-terminated; false when the line is used up.
    bool NextPiece(wchar_t (&piece)[MAX_READ_LINE_PIECE + 2]) {
        int length = 0;
        while (remaining_ > 0 && length < MAX_READ_LINE_PIECE) {
            const int c = file_.sbumpc();
            if (c == std::char_traits<char>::eof()) {
                remaining_ = 0;
                break;
            }
            --remaining_;
            if (!utf8_) {
                piece[length++] = static_cast<wchar_t>(static_cast<uint8_t>(c));
                continue;
            }
            const long codePoint = FeedUtf8(decoder_, static_cast<uint8_t>(c));
            if (codePoint >= 0)
                length += CodePointToUnits(static_cast<uint32_t>(codePoint), piece + length);
        }
        piece[length] = L'\0';
        return length > 0;
    }

private:
    std::filebuf file_;
    long long remaining_ = 0;  // bytes of the current line not yet decoded
    bool utf8_ = false;
    Utf8Decoder decoder_;
};

}  // namespace

int SplitTokens(wchar_t* line, int maxTokens, Token* tokens) {
    if (!line || !tokens || maxTokens <= 0)
        return 0;
    int p = 0;
    while (IsBlank(line[p]))
        ++p;
    if (line[p] == L'\0')
        return 0;
    int rest = 0;
    while (rest <= MAX_TOKEN_LINE && line[p + rest] != L'\0')
        ++rest;
    if (rest > MAX_TOKEN_LINE)
        return 0;

    int count = 0;
    for (;;) {
        const int start = p;
        while (line[p] != L'\0' && !IsBlank(line[p]) && !IsLineEnd(line[p]))
            ++p;
        tokens[count++] = {start, p - start};
        const wchar_t stop = line[p];
        line[p] = L'\0';
        if (!IsBlank(stop) || count == maxTokens)
            break;  // a line end or the end closes the last token
        ++p;
        while (IsBlank(line[p]))
            ++p;
        if (line[p] == L'\0')
            break;
    }
    return count;
}

bool ParseProgramLine(wchar_t* line, ProgramRow& row) {
    if (!line)
        return false;
    for (wchar_t* c = line; *c != L'\0'; ++c)
        if (*c >= L'a' && *c <= L'z')
            *c = static_cast<wchar_t>(*c - L'a' + L'A');
    Token tokens[MAX_LINE_TOKENS];
    const int count = SplitTokens(line, MAX_LINE_TOKENS, tokens);
    if (count == 0)
        return false;
    std::memset(&row, 0, sizeof row);
    if (count < 2)
        return true;  // the line number alone: an empty row
    auto token = [&](int i) { return std::wstring_view(line + tokens[i].start, tokens[i].length); };
    SetRowText(row.name, token(1));
    const int code = FindCommand(RowText(row.name));
    row.code = static_cast<int16_t>(code);
    const int params = ParamCount(code);
    for (int slot = 0; slot < params && slot + 2 < count; ++slot)
        SetRowText(row.params[slot], ParamFromToken(code, slot, token(slot + 2)));
    return true;
}

std::wstring FormatProgramLine(int rowIndex, const ProgramRow* rows) {
    if (!rows || rowIndex < 0)
        return {};
    const ProgramRow& row = rows[rowIndex];
    std::wstring line = std::to_wstring(rowIndex + 1);
    line += L'\t';
    line += RowText(row.name);
    for (int slot = 0; slot < ParamCount(row.code); ++slot) {
        line += L' ';
        line += ParamToLine(row.code, slot, RowText(row.params[slot]));
    }
    return line;
}

std::string ProgramTextBytes(const ProgramRow* rows, int count) {
    std::string bytes;
    for (int i = 0; rows && i < count; ++i)
        AppendLineBytes(FormatProgramLine(i, rows) + L"\r\n", bytes);
    return bytes;
}

int WriteProgramText(const std::filesystem::path& path, const ProgramRow* rows, int count) {
    if (path.empty() || !rows || count < 0)
        return 0;
    const std::string bytes = ProgramTextBytes(rows, count);
    return WriteFileSafely(path, bytes.data(), bytes.size()) ? 1 : 0;
}

int ReadProgramText(const std::filesystem::path& path, ProgramRow* rows, int maximum) {
    if (path.empty() || !rows)
        return 0;
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return -1;
    LineReader reader(path);
    if (!reader.IsOpen())
        return -1;
    int filled = 0;
    wchar_t piece[MAX_READ_LINE_PIECE + 2];
    while (filled < maximum && reader.NextLine()) {
        while (filled < maximum && reader.NextPiece(piece)) {
            ProgramRow row;
            if (ParseProgramLine(piece, row))
                rows[filled++] = row;
        }
    }
    return filled;
}

#include "chart/element_text.h"
#include "model/vocabulary.h"

namespace {
bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

std::wstring ParamOrUnknown(const ProgramRow& row) {
    const std::wstring_view p = TrimText(RowText(row.params[0]));
    return p.empty() ? std::wstring(L"???") : std::wstring(p);
}
}  // namespace

std::wstring_view TrimText(std::wstring_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::wstring ElementText(const ProgramRow& row) {
    const std::wstring name(TrimText(RowText(row.name)));
    if (row.code == CMD_FOR)
        return name + L"    " + ParamOrUnknown(row);
    if (row.code == CMD_IF) {
        std::wstring text(RowText(row.params[0]));
        text += RowText(row.params[1]);
        text += RowText(row.params[2]);
        return text + L" " + InputUnit(TrimText(RowText(row.params[0]))) + L"?";
    }
    if (row.code == CMD_STOP || IsOutputCommand(row.code))
        return name + L"  " + ParamOrUnknown(row) + L" s";
    return name;  // NEXT, GOTO, END, START, empty and unknown rows
}

bool IsFaultyElement(const ProgramRow& row) { return row.errorFlags != 0 || row.reachable == 0; }

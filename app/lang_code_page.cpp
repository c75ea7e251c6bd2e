#include "app/lang_code_page.h"
#include <cwchar>
#include <iterator>

const LangCodePageRow LangCodePageTable[LANG_CODE_PAGE_ROWS] = {
    {L"简体中文", 0x0804}, {L"繁体中文", 0x0404}, {L"日文", 0x0011},     {L"韩文", 0x0012},     {L"英文", 0x0409},
    {L"法文", 0x040C},     {L"德文", 0x0007},     {L"意大利文", 0x0010}, {L"西班牙文", 0x000A},
};

std::wstring FormatLangCodePageRow(const LangCodePageRow& row) {
    wchar_t text[32];
    std::swprintf(text, std::size(text), L"%.19ls,%04X", row.name, static_cast<unsigned>(row.langId));
    return text;
}

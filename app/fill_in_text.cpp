#include "app/fill_in_text.h"

std::wstring FillInText(std::wstring_view text, std::initializer_list<std::wstring_view> values) {
    std::wstring out;
    auto next = values.begin();
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        const wchar_t after = i + 1 < text.size() ? text[i + 1] : L'\0';
        if (c == L'%' && after == L'%') {
            out += L'%';
            ++i;
        } else if (c == L'%' && (after == L's' || after == L'd')) {
            if (next != values.end())
                out += *next++;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

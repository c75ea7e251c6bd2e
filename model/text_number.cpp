#include "model/text_number.h"

#include <climits>

int ReadDecimal(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX)
            value = INT_MAX + 1LL;  // saturate, keeps INT_MIN reachable
    }
    if (negative)
        value = -value;
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

bool IsBlankText(std::wstring_view text) {
    for (wchar_t c : text)
        if (c != L' ' && c != L'\t' && c != L'\r' && c != L'\n' && c != L'\v' && c != L'\f')
            return false;
    return true;
}

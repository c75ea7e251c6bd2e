// Reading numbers and blanks in parameter texts.
#pragma once

#include <string_view>

// Decimal integer: leading spaces and tabs skipped, one sign, reading stops at
// the first non-digit, no digits reads as 0. Saturates instead of overflowing.
int ReadDecimal(std::wstring_view text);

// True when nothing is left once white space is removed from both ends.
bool IsBlankText(std::wstring_view text);

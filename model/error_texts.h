// Built-in texts E1..E9 that report the error bits, one per bit in bit order.
#pragma once

#include "model/program_row.h"

extern const wchar_t* const ErrorTextsEnglish[ERROR_BIT_COUNT];
extern const wchar_t* const ErrorTextsChinese[ERROR_BIT_COUNT];

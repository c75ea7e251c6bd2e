// Checking a program: error bits, reachability from row 0 and NEXT links.
#pragma once

#include <cstdint>
#include <string>

#include "model/program_row.h"

// Rewrites errorFlags, reachable and the NEXT links of all rows. Returns 1 when
// rows 1..count-1 carry no error bit, else 0. Missing rows or a count of 0 or
// less return 1 and touch nothing.
int CheckProgram(ProgramRow* rows, int count);

// Index of the first row with error bits, looking only up to the last row whose
// code is not 0; -1 when there is none or every row is empty.
int FirstErrorRow(const ProgramRow* rows, int count);

// The texts of the set bits in bit order, joined by "," and ended by "!";
// empty when no bit is set. `texts` holds E1..E9; a missing text counts as empty.
std::wstring FormatErrorList(uint16_t errorFlags, const wchar_t* const texts[ERROR_BIT_COUNT]);

// The text shown inside an element's shape.
#pragma once
#include "model/program_row.h"
#include <string>
#include <string_view>

// `text` without white space at either end.
std::wstring_view TrimText(std::wstring_view text);
// Command name and parameters as the flowchart shows them ("FOR    5", "OUT1  0.5 s",
// "IN1≧100 Lux?"); "???" stands for a missing count or time.
std::wstring ElementText(const ProgramRow& element);
// Faulty elements are drawn in red: an error bit set, or not reachable.
bool IsFaultyElement(const ProgramRow& element);

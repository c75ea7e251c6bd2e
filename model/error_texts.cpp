#include "model/error_texts.h"

const wchar_t* const ErrorTextsEnglish[ERROR_BIT_COUNT] = {
    L"No parameters",
    L"Missing Jump to line number",
    L"FOR no NEXT Match",
    L"No FOR match before NEXT",
    L"GOTO exceeds valid line range",
    L"THEN exceeds valid line range",
    L"ELSE exceeds valid line range",
    L"No entrance",
    L"FOR no parameters",
};

const wchar_t* const ErrorTextsChinese[ERROR_BIT_COUNT] = {
    L"没有参数",       L"缺少跳转行号",   L"FOR后没有NEXT匹配", L"NEXT前没有FOR匹配", L"GOTO超出有效行",
    L"THEN超出有效行", L"ELSE超出有效行", L"没有入口",          L"FOR没有参数",
};

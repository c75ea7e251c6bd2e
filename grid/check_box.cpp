#include "grid/check_box.h"
#include "framework/gdi.h"
#include <algorithm>
#include <cwctype>

bool CheckBoxSquare(const RECT& area, RECT& square) {
    int side = std::min(area.right - area.left, area.bottom - area.top);
    if (side < CHECK_BOX_MIN_SIDE)
        return false;
    side = std::min(side, CHECK_BOX_MAX_SIDE);
    // Integer division truncates toward zero, also for negative coordinates.
    square.left = (area.left + area.right - side) / 2;
    square.top = (area.top + area.bottom - side) / 2;
    square.right = square.left + side;
    square.bottom = square.top + side;
    return true;
}

void DrawCheckBox(HDC dc, const RECT& area, bool ticked) {
    RECT box{};
    if (!CheckBoxSquare(area, box))
        return;
    CBrush frame(::CreateSolidBrush(CHECK_BOX_FRAME));
    ::FrameRect(dc, &box, frame);
    if (!ticked)
        return;
    CPen pen(::CreatePen(PS_SOLID, 2, CHECK_BOX_TICK));
    CSelect select(dc, pen);
    ::MoveToEx(dc, box.left + 2, box.bottom - 8, nullptr);
    ::LineTo(dc, box.left + 4, box.bottom - 4);
    ::LineTo(dc, box.right - 2, box.top + 2);
}

std::wstring_view TrimmedCellText(std::wstring_view text) {
    const auto blank = [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsTickedText(std::wstring_view text) { return TrimmedCellText(text) == L"1"; }

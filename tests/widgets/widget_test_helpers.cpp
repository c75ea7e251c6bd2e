#include "widget_test_helpers.h"
#include <algorithm>

namespace widget_tests {

CFont MakeTestFont(int height) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    return CFont(::CreateFontIndirectW(&lf));
}

RECT BoundingBox(const testing_support::PixelCanvas& canvas, const RECT& area,
                 const std::function<bool(int x, int y, COLORREF c)>& pick) {
    RECT box{};
    bool any = false;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            if (!pick(x, y, canvas.At(x, y)))
                continue;
            if (!any) {
                box = RECT{x, y, x + 1, y + 1};
                any = true;
            }
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box;
}

bool SamePixels(const testing_support::PixelCanvas& a, const testing_support::PixelCanvas& b) {
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

}  // namespace widget_tests

// The language selector: its fonts, its flat face, and the colours and
// resources of its opened list.
#include "res/resource.h"
#include "tests/support/test_support.h"
#include "widget_test_helpers.h"
#include "widgets/my_combo_box.h"
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

using testing_support::PixelCanvas;
using widget_tests::BoundingBox;

namespace {

// A host with a drop-down list that carries a 3-D edge and a -15 pixel
// Arial font before the selector takes it over.
struct Selector {
    testing_support::RecordingParent host{WM_CTLCOLORLISTBOX, WM_CTLCOLORLISTBOX};
    CFont dialogFont = widget_tests::MakeTestFont(-15);
    CMyComboBox combo;
    Selector() {
        EXPECT_TRUE(host.CreateHost(300, 300));
        HWND raw = ::CreateWindowExW(
            WS_EX_CLIENTEDGE, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 10,
            10, 120, 160, host.m_hWnd, reinterpret_cast<HMENU>(IDC_LANG_COMBO), ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(raw, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont.Get()), FALSE);
        EXPECT_TRUE(combo.SubclassWindow(raw));
        combo.AddString(L"中文");
        combo.AddString(L"English");
        combo.SetCurSel(1);
        testing_support::PumpMessages();
    }
    RECT Client() const { return combo.GetClientRect(); }
};

// The pixels the four arrow segments light: each runs from its first point
// up to, not including, its last.
std::set<std::pair<int, int>> ArrowPixels(int r, int y) {
    std::set<std::pair<int, int>> pixels;
    const int segments[4][4] = {
        {r - 9, y + 2, r - 13, y - 2},
        {r - 9, y + 2, r - 5, y - 2},
        {r - 9, y + 1, r - 13, y - 3},
        {r - 9, y + 1, r - 5, y - 3},
    };
    for (const auto& s : segments) {
        const int dx = s[2] > s[0] ? 1 : -1;
        for (int i = 0; i < 4; ++i)
            pixels.insert({s[0] + dx * i, s[1] - i});
    }
    return pixels;
}

void ExpectFrameAndArrow(const PixelCanvas& face, const RECT& rc) {
    const int w = rc.right;
    const int h = rc.bottom;
    EXPECT_EQ(
        face.Count(CMyComboBox::kFrameColor, 0, 0, w, h) - face.Count(CMyComboBox::kFrameColor, 1, 1, w - 1, h - 1),
        2 * w + 2 * (h - 2))
        << "a 173 grey frame all round";
    const auto expected = ArrowPixels(rc.right, (rc.top + rc.bottom) / 2);
    EXPECT_EQ(expected.size(), 14u);
    for (int y = 1; y < h - 1; ++y)
        for (int x = w - 16; x < w - 1; ++x) {
            const bool arrow = expected.count({x, y}) != 0;
            EXPECT_EQ(face.At(x, y), arrow ? CMyComboBox::kArrowColor : RGB(255, 255, 255)) << x << "," << y;
        }
}

// Records every WM_CTLCOLORLISTBOX: who received it, the brush answered and
// the font left in the list's DC.
struct ListColourQuery {
    HWND receiver;
    HBRUSH brush;
    HGDIOBJ font;
};
std::vector<ListColourQuery>& Queries() {
    static std::vector<ListColourQuery> queries;
    return queries;
}
LRESULT CALLBACK RecordReturns(int code, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && info->message == WM_CTLCOLORLISTBOX)
        Queries().push_back({info->hwnd, reinterpret_cast<HBRUSH>(info->lResult),
                             ::GetCurrentObject(reinterpret_cast<HDC>(info->wParam), OBJ_FONT)});
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void OpenAndClose(CMyComboBox& combo) {
    combo.ShowDropDown(TRUE);
    testing_support::PumpMessages();
    combo.ShowDropDown(FALSE);
    testing_support::PumpMessages();
}

}  // namespace

TEST(MyComboBox, FontsAreMadeFromTheDialogFontInTenthsOfAPoint) {
    Selector s;
    EXPECT_EQ(s.combo.GetFaceFontSize(), -112) << "(-15 * 15) / 2 truncates toward zero";
    EXPECT_EQ(s.combo.GetListFontSize(), -112);
    EXPECT_EQ(s.combo.GetFaceFontName(), L"Arial");
    EXPECT_EQ(s.combo.GetListFontName(), L"Arial");
    EXPECT_EQ(s.combo.GetFont(), s.combo.GetFaceFont()) << "the face font is the control's font";
    ASSERT_NE(s.combo.GetListFont(), nullptr);
    EXPECT_NE(s.combo.GetListFont(), s.combo.GetFaceFont());

    const CClientDC screen(nullptr);
    for (HFONT font : {s.combo.GetFaceFont(), s.combo.GetListFont()}) {
        LOGFONTW lf{};
        ASSERT_TRUE(::GetObjectW(font, sizeof lf, &lf));
        EXPECT_EQ(lf.lfHeight, -std::abs(::MulDiv(-112, ::GetDeviceCaps(screen, LOGPIXELSY), 720)));
        EXPECT_EQ(lf.lfWeight, FW_NORMAL);
        EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(lf.lfPitchAndFamily, VARIABLE_PITCH);
        EXPECT_STREQ(lf.lfFaceName, L"Arial");
    }
    if (::GetDeviceCaps(screen, LOGPIXELSY) == 96) {
        LOGFONTW lf{};
        ::GetObjectW(s.combo.GetFaceFont(), sizeof lf, &lf);
        EXPECT_EQ(lf.lfHeight, -15) << "at 96 dpi the dialog font's own height";
    }
}

TEST(MyComboBox, FlatFaceWithFrameTextAndArrow) {
    Selector s;
    const RECT rc = s.Client();
    PixelCanvas face(rc.right, rc.bottom, RGB(1, 2, 3));
    s.combo.PaintFace(face.dc(), rc);
    ExpectFrameAndArrow(face, rc);
    const RECT textArea{1, 1, rc.right - 16, rc.bottom - 1};
    const RECT ink = BoundingBox(face, textArea, [](int, int, COLORREF c) { return c != RGB(255, 255, 255); });
    ASSERT_GT(ink.right, ink.left) << "the selected entry's text";
    EXPECT_GE(ink.left, 5);
    EXPECT_LE(ink.left, 7) << "5 pixels in";
    EXPECT_LE(std::abs((ink.top + ink.bottom) - rc.bottom), 3) << "vertically centred";
    EXPECT_GT(face.Count(RGB(0, 0, 0), 1, 1, rc.right - 16, rc.bottom - 1), 0) << "black text";

    // The DC keeps its own pen, font and background mode.
    EXPECT_EQ(::GetCurrentObject(face.dc(), OBJ_PEN), ::GetStockObject(BLACK_PEN));
    EXPECT_EQ(::GetCurrentObject(face.dc(), OBJ_FONT), ::GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(::GetBkMode(face.dc()), OPAQUE);
}

TEST(MyComboBox, DisabledTextIsGreyAndAnEmptySelectionLeavesOnlyFrameAndArrow) {
    Selector s;
    const RECT rc = s.Client();
    ::EnableWindow(s.combo, FALSE);
    PixelCanvas disabled(rc.right, rc.bottom);
    s.combo.PaintFace(disabled.dc(), rc);
    ExpectFrameAndArrow(disabled, rc);
    const RECT textArea{1, 1, rc.right - 16, rc.bottom - 1};
    EXPECT_GT(disabled.Count(CMyComboBox::kDisabledTextColor, 1, 1, rc.right - 16, rc.bottom - 1), 0);
    const RECT dark = BoundingBox(disabled, textArea, [](int, int, COLORREF c) {
        return GetRValue(c) < 160 || GetGValue(c) < 160 || GetBValue(c) < 160;
    });
    EXPECT_EQ(dark.right, dark.left) << "nothing darker than the disabled grey";

    ::EnableWindow(s.combo, TRUE);
    s.combo.SetCurSel(-1);
    PixelCanvas empty(rc.right, rc.bottom);
    s.combo.PaintFace(empty.dc(), rc);
    ExpectFrameAndArrow(empty, rc);
    EXPECT_EQ(empty.Count(RGB(255, 255, 255), 1, 1, rc.right - 16, rc.bottom - 1), (rc.right - 17) * (rc.bottom - 2));
}

TEST(MyComboBox, TheWindowLosesItsEdgeAndShowsExactlyThePaintedFace) {
    Selector s;
    ::RedrawWindow(s.combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    testing_support::PumpMessages();
    EXPECT_EQ(s.combo.GetExStyle() & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME), 0u);
    const RECT window = s.combo.GetWindowRect();
    const RECT rc = s.Client();
    ASSERT_EQ(window.right - window.left, rc.right) << "no border left";
    PixelCanvas screen(rc.right, rc.bottom);
    testing_support::CaptureWindow(s.combo, screen);
    PixelCanvas painted(rc.right, rc.bottom);
    s.combo.PaintFace(painted.dc(), rc);
    EXPECT_TRUE(widget_tests::SamePixels(screen, painted));
}

TEST(MyComboBox, TheOpenedListAsksTheComboItselfAndGetsOneBrushAndOneFont) {
    Selector s;
    Queries().clear();
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &RecordReturns, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    OpenAndClose(s.combo);
    const int before = testing_support::CountGdiObjects();
    for (int i = 0; i < 100; ++i)
        OpenAndClose(s.combo);
    const int after = testing_support::CountGdiObjects();
    ::UnhookWindowsHookEx(hook);

    EXPECT_GT(before, 0);
    EXPECT_EQ(after, before) << "no new GDI objects after the first opening";
    ASSERT_GE(Queries().size(), 101u) << "every opening paints the list";
    EXPECT_TRUE(s.host.Take(WM_CTLCOLORLISTBOX).empty()) << "the combo answers; the dialog is never asked";
    const HBRUSH brush = Queries().front().brush;
    for (const auto& q : Queries()) {
        EXPECT_EQ(q.receiver, s.combo.m_hWnd);
        EXPECT_EQ(q.brush, brush);
        EXPECT_EQ(q.font, s.combo.GetListFont());
    }
    LOGBRUSH lb{};
    ASSERT_TRUE(::GetObjectW(brush, sizeof lb, &lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
}

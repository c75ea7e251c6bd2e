// Owner-drawn buttons: the dialog manager's view of them, clicks, pointer
// tracking, focus, and the pixels of both looks.
#include "res/resource.h"
#include "tests/support/test_support.h"
#include "widget_test_helpers.h"
#include "app/button_looks.h"
#include "framework/dialog.h"
#include "widgets/shade_image.h"
#include <gtest/gtest.h>
#include <vector>

using testing_support::PixelCanvas;
using testing_support::RecordingParent;
using widget_tests::BoundingBox;

namespace {

constexpr int kW = 84;
constexpr int kH = 40;
const RECT kCanvasRect{0, 0, kW, kH};

UINT TypeOf(HWND button) { return static_cast<UINT>(::GetWindowLongPtrW(button, GWL_STYLE)) & BS_TYPEMASK; }

std::vector<WPARAM>& DialogCommands() {
    static std::vector<WPARAM> commands;
    return commands;
}

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND)
        DialogCommands().push_back(wParam);
    return msg == WM_INITDIALOG;
}

// The colour of the shade row `y` pixels below the top.
COLORREF ShadeAt(const CCeXDib& shade, int y) {
    const BYTE index = shade.GetBits()[static_cast<std::size_t>(shade.GetHeight() - 1 - y) * shade.GetLineWidth()];
    const RGBQUAD q = shade.GetPaletteColor(index);
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

void Activate(HWND top) {
    ::SetForegroundWindow(top);
    ::SetActiveWindow(top);
    testing_support::PumpMessages();
}

// A host with one button of the given class, style and caption.
template <typename Button>
struct Hosted {
    RecordingParent host{WM_COMMAND, WM_COMMAND};
    Button button;
    CFont font = widget_tests::MakeTestFont();
    explicit Hosted(const wchar_t* caption, DWORD style = BS_PUSHBUTTON, UINT id = IDC_CMD_OUT1) {
        EXPECT_TRUE(host.CreateHost(300, 200));
        EXPECT_TRUE(button.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, RECT{10, 10, 10 + kW, 10 + kH},
                                  host.m_hWnd, id));
        button.SetFont(font);
    }
};

}  // namespace

TEST(ButtonST, AttachMakesItOwnerDrawnAndKeepsTheDialogManagerInformed) {
    // The template names the framework's class; no CDialog takes this one.
    ASSERT_TRUE(RegisterFrameworkDialogClass());
    HWND dialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MESSAGEBOX), nullptr,
                                       &RecordingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ::ShowWindow(dialog, SW_SHOW);
    Activate(dialog);
    // A button whose style says "default" although the dialog's default is
    // another one tells the dialog when it is attached.
    ::SendMessageW(dialog, DM_SETDEFID, IDC_MB_RIGHT, 0);
    HWND leftItem = ::GetDlgItem(dialog, IDC_MB_LEFT);
    ::SetWindowLongPtrW(leftItem, GWL_STYLE,
                        (::GetWindowLongPtrW(leftItem, GWL_STYLE) & ~BS_TYPEMASK) | BS_DEFPUSHBUTTON);
    CButtonST left;
    CButtonST middle;
    CButtonST right;
    ASSERT_TRUE(left.SubclassDlgItem(IDC_MB_LEFT, dialog));
    EXPECT_TRUE(left.IsDefault());
    EXPECT_EQ(LOWORD(::SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDC_MB_LEFT);
    EXPECT_EQ(TypeOf(::GetDlgItem(dialog, IDC_MB_RIGHT)), static_cast<UINT>(BS_PUSHBUTTON))
        << "the old default demoted";

    ASSERT_TRUE(middle.SubclassDlgItem(IDC_MB_MIDDLE, dialog));
    ASSERT_TRUE(right.SubclassDlgItem(IDC_MB_RIGHT, dialog));
    EXPECT_FALSE(middle.IsDefault());
    EXPECT_FALSE(right.IsDefault());
    // The dialog manager moves the default between owner-drawn buttons too.
    ::SendMessageW(dialog, DM_SETDEFID, IDC_MB_RIGHT, 0);
    EXPECT_FALSE(left.IsDefault());
    EXPECT_TRUE(right.IsDefault());
    for (HWND b : {left.m_hWnd, middle.m_hWnd, right.m_hWnd})
        EXPECT_EQ(TypeOf(b), static_cast<UINT>(BS_OWNERDRAW)) << "demoted or not, the button stays owner-drawn";
    EXPECT_TRUE(::SendMessageW(right, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    EXPECT_TRUE(::SendMessageW(left, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);

    // Moving the focus moves the default; Enter then clicks the focused button.
    ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(left.m_hWnd), TRUE);
    EXPECT_TRUE(left.IsDefault());
    EXPECT_FALSE(right.IsDefault());
    DialogCommands().clear();
    MSG enter{left.m_hWnd, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    EXPECT_TRUE(::IsDialogMessageW(dialog, &enter));
    ASSERT_FALSE(DialogCommands().empty());
    EXPECT_EQ(DialogCommands().back(), MAKEWPARAM(IDC_MB_LEFT, BN_CLICKED));
    ::DestroyWindow(dialog);
}

TEST(ButtonST, StyleChangesBetweenPushAndDefaultUpdateTheFlagAndStayOwnerDrawn) {
    Hosted<CButtonST> h(L"FOR");
    EXPECT_FALSE(h.button.IsDefault());
    EXPECT_EQ(TypeOf(h.button), static_cast<UINT>(BS_OWNERDRAW));
    h.button.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(h.button.IsDefault());
    EXPECT_EQ(TypeOf(h.button), static_cast<UINT>(BS_OWNERDRAW));
    h.button.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(h.button.IsDefault());
    EXPECT_EQ(TypeOf(h.button), static_cast<UINT>(BS_OWNERDRAW));

    Hosted<CButtonST> exit(L"Exit", BS_DEFPUSHBUTTON, IDOK);
    EXPECT_TRUE(exit.button.IsDefault()) << "a default push button remembers it when attached";
}

TEST(ButtonST, DoubleClickGivesTheParentTwoClicks) {
    Hosted<CButtonST> h(L"Insert", BS_PUSHBUTTON, IDC_CMD_INSERT);
    ConfigureCommandButton(h.button);
    const LPARAM at = MAKELPARAM(5, 5);
    h.button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    h.button.SendMessage(WM_LBUTTONUP, 0, at);
    h.button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    h.button.SendMessage(WM_LBUTTONUP, 0, at);
    testing_support::PumpMessages();
    const auto commands = h.host.Take(WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    for (const auto& c : commands) {
        EXPECT_EQ(LOWORD(c.wParam), IDC_CMD_INSERT);
        EXPECT_EQ(HIWORD(c.wParam), BN_CLICKED);
    }
    EXPECT_EQ(::GetFocus(), h.button.m_hWnd) << "a click gives the button the focus";
}

TEST(ButtonST, AnswersTheColourQueryWithAHollowBrush) {
    Hosted<CButtonST> h(L"IF");
    const testing_support::PixelCanvas canvas(1, 1);
    const LRESULT brush = h.host.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(canvas.dc()),
                                             reinterpret_cast<LPARAM>(h.button.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH));
}

TEST(ButtonST, FlatButtonsLightUpUnderThePointerUntilLeaveFocusLossDisableDeactivationOrCancel) {
    Hosted<CButtonST> h(L"OUT2");
    ConfigureCommandButton(h.button);
    Activate(h.host.m_hWnd);
    const LPARAM inside = MAKELPARAM(5, 5);
    auto hover = [&] {
        h.button.SendMessage(WM_MOUSEMOVE, 0, inside);
        return h.button.IsMouseOver() != FALSE;
    };

    ASSERT_TRUE(hover());
    PixelCanvas lit(kW, kH);
    h.button.DrawButton(lit.dc(), kCanvasRect, 0);
    EXPECT_EQ(lit.At(3, 3), kCommandInBackground);
    h.button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(h.button.IsMouseOver());
    PixelCanvas out(kW, kH);
    h.button.DrawButton(out.dc(), kCanvasRect, 0);
    EXPECT_EQ(out.At(3, 3), kCommandOutBackground);

    h.button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, inside);
    EXPECT_FALSE(h.button.IsMouseOver()) << "a left button held down elsewhere and dragged in";

    ASSERT_TRUE(hover());
    h.button.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(h.button.IsMouseOver());
    ASSERT_TRUE(hover());
    h.button.SendMessage(WM_KILLFOCUS);
    EXPECT_FALSE(h.button.IsMouseOver());
    ASSERT_TRUE(hover());
    h.button.SendMessage(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_FALSE(h.button.IsMouseOver());
    ASSERT_TRUE(hover());
    ::EnableWindow(h.button, FALSE);
    EXPECT_FALSE(h.button.IsMouseOver());
    ::EnableWindow(h.button, TRUE);

    // With the real pointer on the button and then elsewhere, the platform reports the leave.
    POINT centre{kW / 2, kH / 2};
    ::ClientToScreen(h.button, &centre);
    ::SetCursorPos(centre.x, centre.y);
    ASSERT_TRUE(hover());
    ::SetCursorPos(0, 0);
    // The platform reports the leave on its own time.
    EXPECT_TRUE(testing_support::PumpUntil([&] { return !h.button.IsMouseOver(); }));

    h.button.SetFlat(FALSE);
    EXPECT_FALSE(hover()) << "raised buttons do not track the pointer";
}

TEST(ButtonST, WithoutAlwaysTrackOnlyTheActiveWindowTracks) {
    Hosted<CButtonST> h(L"OUT3");
    RecordingParent other;
    ASSERT_TRUE(other.CreateHost(100, 100, L"Other"));
    h.button.SetAlwaysTrack(FALSE);
    Activate(other.m_hWnd);
    ASSERT_NE(::GetActiveWindow(), h.host.m_hWnd);
    h.button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(h.button.IsMouseOver());
    Activate(h.host.m_hWnd);
    ASSERT_EQ(::GetActiveWindow(), h.host.m_hWnd);
    h.button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(h.button.IsMouseOver());
}

TEST(ButtonST, ADisabledButtonHandsItsFocusOn) {
    Hosted<CButtonST> h(L"OUT4");
    CButtonST next;
    ASSERT_TRUE(next.Create(L"OUT12", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{100, 10, 150, 40}, h.host.m_hWnd,
                            IDC_CMD_OUT12));
    Activate(h.host.m_hWnd);

    ::SetFocus(h.button);
    ASSERT_EQ(::GetFocus(), h.button.m_hWnd);
    ::EnableWindow(h.button, FALSE);
    EXPECT_EQ(::GetFocus(), next.m_hWnd) << "the next control in tab order";

    ::EnableWindow(h.button, TRUE);
    ::EnableWindow(h.button, FALSE);
    EXPECT_EQ(::GetFocus(), next.m_hWnd) << "disabling a button without the focus leaves the focus alone";

    ::EnableWindow(next, FALSE);
    EXPECT_EQ(::GetFocus(), h.host.m_hWnd) << "no other control takes it: the parent does";
}

TEST(ButtonST, APictureIsDrawnThroughItsMaskAndEmbossedWhenDisabled) {
    Hosted<CButtonST> h(L"");
    constexpr COLORREF kMagenta = RGB(255, 0, 255);
    HBITMAP picture;
    {
        const CClientDC screen(nullptr);
        picture = ::CreateCompatibleBitmap(screen, 4, 4);
        CMemoryDC dc(screen);
        dc.SelectBitmap(picture);
        const CBrush magenta(::CreateSolidBrush(kMagenta));
        const CBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
        const RECT all{0, 0, 4, 4};
        const RECT half{0, 0, 2, 4};
        ::FillRect(dc, &all, magenta);
        ::FillRect(dc, &half, red);
    }
    ASSERT_TRUE(h.button.SetBitmap(picture, kMagenta));
    EXPECT_TRUE(::DeleteObject(picture)) << "the caller keeps its bitmap; the button holds a copy";
    ASSERT_TRUE(h.button.HasPicture());

    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const RECT r{0, 0, 20, 20};
    PixelCanvas enabled(20, 20);
    h.button.DrawButton(enabled.dc(), r, 0);
    // No caption: centred at (8, 8).
    EXPECT_EQ(enabled.At(8, 8), RGB(255, 0, 0));
    EXPECT_EQ(enabled.At(9, 11), RGB(255, 0, 0));
    EXPECT_EQ(enabled.At(10, 8), face) << "the transparent colour shows the background";
    EXPECT_EQ(enabled.At(11, 11), face);
    EXPECT_EQ(enabled.Count(kMagenta, 0, 0, 20, 20), 0);

    PixelCanvas disabled(20, 20);
    h.button.DrawButton(disabled.dc(), r, ODS_DISABLED);
    EXPECT_EQ(disabled.Count(RGB(255, 0, 0), 0, 0, 20, 20), 0);
    EXPECT_EQ(disabled.At(8, 8), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(disabled.At(9, 11), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(disabled.At(10, 9), ::GetSysColor(COLOR_3DHILIGHT)) << "the highlight one pixel down and right";
    EXPECT_EQ(disabled.At(9, 12), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(disabled.At(11, 9), face);

    h.button.SetGrayDisabledPicture(FALSE);
    PixelCanvas plain(20, 20);
    h.button.DrawButton(plain.dc(), r, ODS_DISABLED);
    EXPECT_EQ(plain.At(8, 8), RGB(255, 0, 0));

    EXPECT_FALSE(h.button.SetBitmap(UINT{4242}, kMagenta)) << "no such bitmap resource";
    EXPECT_FALSE(h.button.HasPicture());
}

TEST(ButtonST, DisabledCommandButtonPixels) {
    Hosted<CButtonST> h(L"OUT1");
    ConfigureCommandButton(h.button);
    ::EnableWindow(h.button, FALSE);
    PixelCanvas disabled(kW, kH);
    PixelCanvas enabled(kW, kH);
    h.button.DrawButton(disabled.dc(), kCanvasRect, ODS_DISABLED);
    h.button.DrawButton(enabled.dc(), kCanvasRect, 0);

    const int perimeter = 2 * kW + 2 * (kH - 2);
    EXPECT_EQ(disabled.Count(kCommandBorder, 0, 0, kW, kH) - disabled.Count(kCommandBorder, 1, 1, kW - 1, kH - 1),
              perimeter)
        << "the light grey border all round";
    EXPECT_EQ(disabled.At(2, 2), kCommandOutBackground);
    EXPECT_GT(disabled.Count(CButtonST::kDisabledTextColor, 1, 1, kW - 1, kH - 1), 0);
    EXPECT_EQ(disabled.Count(CButtonST::kDefaultTextColor, 0, 0, kW, kH), 0);
    EXPECT_GT(enabled.Count(CButtonST::kDefaultTextColor, 1, 1, kW - 1, kH - 1), 0);

    const RECT inner{1, 1, kW - 1, kH - 1};
    const auto ink = [](int, int, COLORREF c) { return c != kCommandOutBackground; };
    const RECT a = BoundingBox(enabled, inner, ink);
    const RECT b = BoundingBox(disabled, inner, ink);
    ASSERT_GT(a.right, a.left);
    EXPECT_EQ(b.left, a.left + 1);
    EXPECT_EQ(b.top, a.top + 1);
    EXPECT_EQ(b.right, a.right + 1);
    EXPECT_EQ(b.bottom, a.bottom + 1);
    EXPECT_LE(std::abs((a.left + a.right) - kW), 2) << "centred";

    // The window on screen shows exactly what the paint code draws.
    PixelCanvas screen(kW, kH);
    testing_support::CaptureWindow(h.button, screen);
    EXPECT_TRUE(widget_tests::SamePixels(screen, disabled));
}

TEST(ButtonST, PressedCommandButtonUsesThePressedBorderAndTheInColours) {
    Hosted<CButtonST> h(L"GOTO");
    ConfigureCommandButton(h.button);
    PixelCanvas pressed(kW, kH);
    h.button.DrawButton(pressed.dc(), kCanvasRect, ODS_SELECTED);
    EXPECT_EQ(pressed.At(0, 0), kCommandPressedBorder);
    EXPECT_EQ(pressed.At(kW - 1, kH - 1), kCommandPressedBorder);
    EXPECT_EQ(pressed.At(2, 2), kCommandInBackground);
    PixelCanvas focused(kW, kH);
    h.button.DrawButton(focused.dc(), kCanvasRect, ODS_FOCUS);
    EXPECT_EQ(focused.At(2, 2), kCommandFocusBackground);
    EXPECT_EQ(focused.At(0, 0), kCommandBorder);
}

TEST(ShadeButtonST, RaisedEdgeAndPressedLook) {
    Hosted<CShadeButtonST> h(L"Save", BS_PUSHBUTTON, IDC_SAVE);
    ASSERT_TRUE(ConfigureShadedButton(h.button, kShadedButtonLooks[1]));
    const CCeXDib& shade = h.button.GetShade();
    ASSERT_EQ(shade.GetWidth(), kW);
    ASSERT_EQ(shade.GetHeight(), kH);
    PixelCanvas normal(kW, kH);
    PixelCanvas pressed(kW, kH);
    h.button.DrawButton(normal.dc(), kCanvasRect, 0);
    h.button.DrawButton(pressed.dc(), kCanvasRect, ODS_SELECTED);

    // Raised: highlight and 3-D light at top and left, dark shadow and shadow at bottom and right.
    EXPECT_EQ(normal.At(10, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(normal.At(0, 10), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(normal.At(10, 1), ::GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(normal.At(10, kH - 1), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(normal.At(kW - 1, 10), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(normal.At(10, kH - 2), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(normal.At(10, 2), ShadeAt(shade, 2));

    // Pressed: a one-pixel shadow frame, the shade unchanged inside it.
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(pressed.Count(shadow, 0, 0, kW, 1), kW);
    EXPECT_EQ(pressed.Count(shadow, 0, kH - 1, kW, kH), kW);
    EXPECT_EQ(pressed.Count(shadow, 0, 0, 1, kH), kH);
    EXPECT_EQ(pressed.Count(shadow, kW - 1, 0, kW, kH), kH);
    for (int y = 1; y < 6; ++y)
        EXPECT_EQ(pressed.At(kW / 2, y), ShadeAt(shade, y)) << y;
    EXPECT_EQ(pressed.At(kW / 2, kH - 2), ShadeAt(shade, kH - 2));

    // The picture sits 3 pixels in and centred vertically; pressed, it moves one pixel right and down.
    const int px = 3;
    const int py = (kH - 24) / 2;
    int opaque = 0;
    for (int y = py; y < py + 24; ++y)
        for (int x = px; x < px + 24; ++x) {
            if (normal.At(x, y) == ShadeAt(shade, y))
                continue;
            ++opaque;
            EXPECT_EQ(pressed.At(x + 1, y + 1), normal.At(x, y)) << x << "," << y;
        }
    EXPECT_GT(opaque, 50);
    EXPECT_EQ(normal.Count(kShadedButtonLooks[1].transparent, px, py, px + 24, py + 24), 0)
        << "the transparent colour shows the shade";

    // The caption, right of the picture, moves the same way.
    const auto ink = [&](int, int y, COLORREF c) { return c != ShadeAt(shade, y); };
    const RECT captionArea{px + 25, 3, kW - 3, kH - 3};
    const RECT a = BoundingBox(normal, captionArea, ink);
    const RECT b = BoundingBox(pressed, captionArea, ink);
    ASSERT_GT(a.right, a.left);
    EXPECT_EQ(b.left, a.left + 1);
    EXPECT_EQ(b.top, a.top + 1);
    EXPECT_EQ(b.right, a.right + 1);
    EXPECT_EQ(b.bottom, a.bottom + 1);
}

TEST(ShadeButtonST, FocusedSaveButtonHasItsFocusRectangleFourPixelsInAndItsEdgeOneIn) {
    Hosted<CShadeButtonST> h(L"Save", BS_PUSHBUTTON, IDC_SAVE);
    ASSERT_TRUE(ConfigureShadedButton(h.button, kShadedButtonLooks[1]));
    const CCeXDib& shade = h.button.GetShade();
    PixelCanvas focused(kW, kH);
    PixelCanvas normal(kW, kH);
    h.button.DrawButton(focused.dc(), kCanvasRect, ODS_FOCUS);
    h.button.DrawButton(normal.dc(), kCanvasRect, 0);

    const auto offShade = [&](const PixelCanvas& c, int y, int from, int to) {
        int n = 0;
        for (int x = from; x < to; ++x)
            n += c.At(x, y) != ShadeAt(shade, y);
        return n;
    };
    // The black frame is covered by the shade; the edge starts one pixel in.
    EXPECT_EQ(offShade(focused, 0, 0, kW), 0);
    EXPECT_EQ(focused.At(10, 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(focused.At(10, 2), ::GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(focused.At(10, kH - 2), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(offShade(focused, 3, 3, kW - 3), 0);
    // Dotted rectangle on row 4 (and column 4), nothing on rows 3 and 5.
    EXPECT_GE(offShade(focused, 4, 4, kW - 4), (kW - 8) / 3);
    EXPECT_EQ(offShade(focused, 4, 3, 4), 0) << "left of the focus rectangle";
    EXPECT_EQ(offShade(focused, 5, 5, kW - 5), 0);
    EXPECT_EQ(offShade(normal, 4, 2, kW - 2), 0) << "no focus rectangle without the focus";
    int column = 0;
    for (int y = 4; y < kH - 4; ++y)
        column += focused.At(4, y) != ShadeAt(shade, y);
    EXPECT_GE(column, (kH - 8) / 3);
}

TEST(ShadeButtonST, ThePictureStaysThreePixelsFromTheEdgeWhenFocusedOrDefault) {
    for (const bool asDefault : {false, true}) {
        SCOPED_TRACE(asDefault ? "default" : "focused");
        Hosted<CShadeButtonST> h(L"Save", asDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, IDC_SAVE);
        ASSERT_TRUE(ConfigureShadedButton(h.button, kShadedButtonLooks[1]));
        const CCeXDib& shade = h.button.GetShade();
        PixelCanvas framed(kW, kH);
        PixelCanvas plain(kW, kH);
        h.button.DrawButton(framed.dc(), kCanvasRect, asDefault ? 0 : ODS_FOCUS);
        // The same button drawn without the black frame, as a non-default button without the focus.
        Hosted<CShadeButtonST> other(L"Save", BS_PUSHBUTTON, IDC_SAVE);
        ASSERT_TRUE(ConfigureShadedButton(other.button, kShadedButtonLooks[1]));
        other.button.DrawButton(plain.dc(), kCanvasRect, 0);

        // The picture is 24 pixels wide; column 4 carries the focus rectangle's dots.
        const auto picture = [&](int x, int y, COLORREF c) { return x != 4 && c != ShadeAt(shade, y); };
        // Inside the edges, which the frame moves one pixel in.
        const RECT area{3, 5, 28, kH - 5};
        const RECT a = BoundingBox(plain, area, picture);
        const RECT b = BoundingBox(framed, area, picture);
        ASSERT_GT(a.right, a.left);
        EXPECT_EQ(b.left, a.left) << "the picture does not move when the frame is drawn";
        EXPECT_EQ(b.right, a.right);
        int differing = 0;
        for (int y = a.top; y < a.bottom; ++y)
            for (int x = a.left; x < a.right; ++x)
                differing += x != 4 && framed.At(x, y) != plain.At(x, y);
        EXPECT_EQ(differing, 0);
    }
}

TEST(ShadeButtonST, TheDefaultExitButtonHasItsEdgeOnePixelIn) {
    Hosted<CShadeButtonST> h(L"Exit", BS_DEFPUSHBUTTON, IDOK);
    ASSERT_TRUE(ConfigureShadedButton(h.button, kShadedButtonLooks[3]));
    PixelCanvas canvas(kW, kH);
    h.button.DrawButton(canvas.dc(), kCanvasRect, 0);
    EXPECT_EQ(canvas.At(10, 0), ShadeAt(h.button.GetShade(), 0));
    EXPECT_EQ(canvas.At(10, 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(10, kH - 2), ::GetSysColor(COLOR_3DDKSHADOW));
}

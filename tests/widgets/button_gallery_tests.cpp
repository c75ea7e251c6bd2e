// All the main window's button looks side by side, as a screenshot artefact,
// and each button on screen exactly as its paint code draws it.
#include "res/resource.h"
#include "tests/support/test_support.h"
#include "widget_test_helpers.h"
#include "app/button_looks.h"
#include "widgets/my_combo_box.h"
#include <gtest/gtest.h>
#include <array>
#include <memory>

using testing_support::PixelCanvas;

TEST(ButtonGallery, FiveShadedAndSixteenCommandButtons) {
    testing_support::RecordingParent host;
    ASSERT_TRUE(host.CreateHost(820, 170, L"Velmora buttons"));
    const CFont font = widget_tests::MakeTestFont(-13);

    struct Shaded {
        const wchar_t* caption;
        DWORD style;
    };
    const std::array<Shaded, 5> shadedCaptions{{{L"Open", BS_PUSHBUTTON},
                                                {L"Save", BS_PUSHBUTTON},
                                                {L"Clear", BS_PUSHBUTTON},
                                                {L"Exit", BS_DEFPUSHBUTTON},
                                                {L"Send", BS_PUSHBUTTON}}};
    std::array<CShadeButtonST, 5> shaded;
    for (std::size_t i = 0; i < shaded.size(); ++i) {
        const int left = 10 + static_cast<int>(i) * 100;
        ASSERT_TRUE(shaded[i].Create(shadedCaptions[i].caption,
                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | shadedCaptions[i].style,
                                     RECT{left, 10, left + 84, 44}, host.m_hWnd, kShadedButtonLooks[i].controlId));
        shaded[i].SetFont(font);
        EXPECT_TRUE(ConfigureShadedButton(shaded[i], kShadedButtonLooks[i])) << i;
    }

    const std::array<const wchar_t*, 16> commandCaptions{L"Insert", L"FOR",  L"NEXT",  L"IF",    L"OUT1",  L"OUT2",
                                                         L"OUT3",   L"OUT4", L"OUT12", L"OUT13", L"OUT23", L"OUT123",
                                                         L"GOTO",   L"STOP", L"END",   L"Delete"};
    std::array<CButtonST, 16> commands;
    int left = 10;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const int width = i == 0 || i == 15 ? 56 : 46;
        ASSERT_TRUE(commands[i].Create(commandCaptions[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                       RECT{left, 70, left + width, 104}, host.m_hWnd,
                                       IDC_CMD_INSERT + static_cast<UINT>(i)));
        commands[i].SetFont(font);
        ConfigureCommandButton(commands[i]);
        left += width + 2;
    }
    ::EnableWindow(commands[15], FALSE);
    commands[2].SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));  // NEXT under the pointer

    CMyComboBox selector;
    HWND raw = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 520, 14,
                                 110, 120, host.m_hWnd, reinterpret_cast<HMENU>(IDC_LANG_COMBO),
                                 ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(raw, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    ASSERT_TRUE(selector.SubclassWindow(raw));
    selector.AddString(L"English");
    selector.SetCurSel(0);

    ::RedrawWindow(host.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testing_support::PumpMessages();
    EXPECT_TRUE(testing_support::SaveWindowScreenshot(host, L"widgets_buttons.bmp"));

    // On screen, every button is exactly what its paint code draws for its state.
    auto expectOnScreen = [](CButtonST& button, UINT state) {
        const RECT rc = button.GetClientRect();
        PixelCanvas screen(rc.right, rc.bottom);
        testing_support::CaptureWindow(button, screen);
        PixelCanvas drawn(rc.right, rc.bottom);
        button.DrawButton(drawn.dc(), rc, state);
        EXPECT_TRUE(widget_tests::SamePixels(screen, drawn)) << button.GetWindowText();
    };
    for (auto& b : shaded)
        expectOnScreen(b, 0);
    for (std::size_t i = 0; i < 15; ++i)
        expectOnScreen(commands[i], 0);
    expectOnScreen(commands[15], ODS_DISABLED);
    EXPECT_TRUE(commands[2].IsMouseOver());
}

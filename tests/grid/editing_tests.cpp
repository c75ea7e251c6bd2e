// Clicks, in-place editors and the end-of-edit reports, driven through a real
// grid window.
#include "framework/gdi.h"
#include "grid/check_box.h"
#include "tests/grid/grid_host.h"
#include <gtest/gtest.h>
#include <algorithm>

using namespace grid_testing;
using namespace testing_support;

namespace {

using Entries = std::vector<std::wstring>;

// A grid with a drop-down over {"", "10", "1", "ON"} in row 0, column 2 and
// one over {"A", "B"} in row 1, column 3.
struct ComboGrid : GridHost {
    ComboGrid() {
        numbers = AddList({L"", L"10", L"1", L"ON"});
        letters = AddList({L"A", L"B"});
        MakeCombo(0, 2, numbers);
        MakeCombo(1, 3, letters);
    }
    int numbers = 0;
    int letters = 0;
};

}  // namespace

TEST(GridCombo, OpensOverTheCellWithItsListFontAndFocus) {
    GridHost host;
    std::vector<std::wstring> texts;
    std::vector<const wchar_t*> pointers;
    for (int i = 0; i < 60; ++i)
        texts.push_back(std::to_wstring(i));
    for (const auto& text : texts)
        pointers.push_back(text.c_str());
    const int number = host.grid.AddValueList(static_cast<int>(pointers.size()), pointers.data()) + 1;
    host.MakeCombo(0, 2, number);
    HFONT font = ::CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    host.grid.SetFont(font);
    host.Click(0, 2);
    ASSERT_NE(host.Combo(), nullptr);
    EXPECT_EQ(host.ComboEntries(), texts);
    EXPECT_EQ(::GetFocus(), host.Combo());
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(host.Combo(), WM_GETFONT, 0, 0)), font);
    EXPECT_EQ(::GetDlgCtrlID(host.Combo()), static_cast<int>(GRID_COMBO_ID));
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(host.Combo(), GWL_STYLE));
    EXPECT_EQ(style & CBS_DROPDOWNLIST, static_cast<DWORD>(CBS_DROPDOWNLIST));
    EXPECT_TRUE(style & CBS_NOINTEGRALHEIGHT);

    // Over the label, one pixel higher; 400 pixels down to the end of the opened list.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(host.Combo(), &info));
    ::SendMessageW(host.Combo(), CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(::GetWindowLongPtrW(info.hwndList, GWL_STYLE) & WS_VSCROLL);
    RECT combo{};
    RECT list{};
    ::GetWindowRect(host.Combo(), &combo);
    ::GetWindowRect(info.hwndList, &list);
    EXPECT_NEAR(list.bottom - combo.top, GRID_COMBO_HEIGHT, 2) << "give or take the platform's list border";
    ::MapWindowPoints(nullptr, host.grid.m_hWnd, reinterpret_cast<POINT*>(&combo), 2);
    const RECT label = host.Label(0, 2);
    EXPECT_EQ(combo.left, label.left);
    EXPECT_EQ(combo.right, label.right);
    EXPECT_EQ(combo.top, label.top - 1);
    ::SendMessageW(host.Combo(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_TRUE(host.parent.messages.empty()) << "opening reports nothing";
    host.grid.DestroyWindow();
    ::DeleteObject(font);
}

TEST(GridCombo, InitialSelectionIsTheExactEntryThenAPrefixSearchOrTheFirstEmptyEntry) {
    ComboGrid host;
    host.grid.SetItemText(0, 2, L"1");
    host.Click(0, 2);
    EXPECT_EQ(host.ComboSelectedText(), L"1") << "the cell's own entry wins over an earlier one that begins with it";
    host.Click(3, 0);

    host.grid.SetItemText(0, 2, L"O");
    host.Click(0, 2);
    EXPECT_EQ(host.ComboSelectedText(), L"ON") << "no exact entry: the first that begins with the text";
    host.Click(3, 0);

    host.grid.SetItemText(0, 2, L"on");
    host.Click(0, 2);
    EXPECT_EQ(host.ComboSelectedText(), L"ON") << "the search ignores case";
    host.Click(3, 0);

    host.grid.SetItemText(0, 2, L"");
    host.Click(0, 2);
    EXPECT_EQ(host.ComboSelection(), 0) << "an empty cell selects the list's empty entry";
    host.Click(3, 0);

    host.grid.SetItemText(1, 3, L"");
    host.Click(1, 3);
    EXPECT_EQ(host.ComboSelection(), CB_ERR) << "no empty entry, nothing selected";
}

TEST(GridCombo, ClosingWritesBackAndReportsWhetherTheTextChanged) {
    ComboGrid host;
    host.grid.SetItemText(1, 3, L"A");
    host.Click(1, 3);
    ::SendMessageW(host.Combo(), CB_SETCURSEL, 1, 0);
    host.Click(3, 0);  // a press elsewhere closes it
    EXPECT_EQ(host.Combo(), nullptr);
    EXPECT_EQ(host.Text(1, 3), L"B");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{1, 3, 1}}));

    host.Click(1, 3);
    host.Click(3, 0);  // the entry it already held
    EXPECT_EQ(host.Text(1, 3), L"B");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{1, 3, 0}}));

    host.Click(1, 3);
    ::SendMessageW(host.Combo(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    host.Click(3, 0);  // no selection: nothing written, reported unchanged
    EXPECT_EQ(host.Text(1, 3), L"B");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{1, 3, 0}}));

    host.grid.SetItemText(0, 2, L"on");
    host.Click(0, 2);
    host.Click(3, 0);  // "ON" was only pointed at, not chosen: "on" stays
    EXPECT_EQ(host.Text(0, 2), L"on");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{0, 2, 0}}));
    host.Click(0, 2);
    // The user confirms "ON" in the list: chosen, a change by exact comparison.
    ::SendMessageW(host.grid.m_hWnd, WM_COMMAND, MAKEWPARAM(GRID_COMBO_ID, CBN_SELENDOK),
                   reinterpret_cast<LPARAM>(host.Combo()));
    host.Click(3, 0);
    EXPECT_EQ(host.Text(0, 2), L"ON");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{0, 2, 1}}));
    EXPECT_TRUE(host.parent.messages.empty()) << "no other report, and none for presses with no editor";
}

TEST(GridCombo, OpenedAndClosedWithoutAChoiceTheCellStaysAsItWas) {
    GridHost host;
    // The values of an IF on a switch-like input: "-1" is an entry and also begins "-15".
    const int values = host.AddList({L"-15", L"-10", L"-1", L"0", L"1"});
    host.MakeCombo(0, 4, values);
    struct Case {
        const wchar_t* text;
        const wchar_t* shown;  // selected while open
    };
    const Case cases[] = {{L"-1", L"-1"}, {L"-10", L"-10"}, {L"7", L"<none>"}, {L"-", L"-15"}, {L"", L"<none>"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell \"" << std::string(c.text, c.text + wcslen(c.text)) << "\"");
        host.grid.SetItemText(0, 4, c.text);
        host.Click(0, 4);
        ASSERT_NE(host.Combo(), nullptr);
        EXPECT_EQ(host.ComboSelectedText(), c.shown);
        host.Click(3, 0);
        EXPECT_EQ(host.Text(0, 4), c.text);
        EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{0, 4, 0}}));
    }

    // The user confirms the entry that was only pointed at: that is a choice.
    host.grid.SetItemText(0, 4, L"-");
    host.Click(0, 4);
    ::SendMessageW(host.grid.m_hWnd, WM_COMMAND, MAKEWPARAM(GRID_COMBO_ID, CBN_SELENDOK),
                   reinterpret_cast<LPARAM>(host.Combo()));
    host.Click(3, 0);
    EXPECT_EQ(host.Text(0, 4), L"-15");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{0, 4, 1}}));

    // A keyboard step in the closed drop-down is a choice too.
    host.grid.SetItemText(0, 4, L"7");
    host.Click(0, 4);
    ::SendMessageW(host.Combo(), WM_KEYDOWN, VK_DOWN, 0);
    host.Click(3, 0);
    EXPECT_EQ(host.Text(0, 4), L"-15");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{0, 4, 1}}));
}

TEST(GridCombo, ASecondDropDownClosesTheFirstBeforeItOpens) {
    ComboGrid host;
    host.Click(0, 2);
    ::SendMessageW(host.Combo(), CB_SETCURSEL, 2, 0);
    host.Click(1, 3);
    EXPECT_EQ(host.Text(0, 2), L"1");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{0, 2, 1}}))
        << "the first cell, with its own row and column";
    ASSERT_NE(host.Combo(), nullptr) << "the second drop-down stays open";
    EXPECT_EQ(host.ComboEntries(), (Entries{L"A", L"B"}));
    EXPECT_EQ(::GetFocus(), host.Combo());

    ::SendMessageW(host.Combo(), CB_SETCURSEL, 0, 0);
    host.Click(3, 0);
    EXPECT_EQ(host.Text(1, 3), L"A");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{1, 3, 1}}));
}

TEST(GridCombo, FocusLossCommitsOnceAndALateReportIsHarmless) {
    ComboGrid host;
    host.Click(1, 3);
    ::SendMessageW(host.Combo(), CB_SETCURSEL, 1, 0);
    ::SetFocus(host.parent.m_hWnd);
    EXPECT_NE(host.Combo(), nullptr) << "the editor closes only when the posted report arrives";
    PumpMessages();
    EXPECT_EQ(host.Combo(), nullptr);
    EXPECT_EQ(host.Text(1, 3), L"B");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{1, 3, 1}}));

    host.grid.PostMessage(WM_GRID_KILLFOCUS);  // with no editor open
    PumpMessages();
    EXPECT_TRUE(host.parent.messages.empty());
}

TEST(GridCombo, EnterCommitsAndGoesOnEscapeCancelsAndStops) {
    ComboGrid host;
    host.grid.SetItemText(1, 3, L"A");
    for (const bool dropped : {false, true}) {
        SCOPED_TRACE(dropped ? "list open" : "list closed");
        host.Click(1, 3);
        ::SendMessageW(host.Combo(), CB_SETCURSEL, 1, 0);
        if (dropped)
            ::SendMessageW(host.Combo(), CB_SHOWDROPDOWN, TRUE, 0);
        ::PostMessageW(host.Combo(), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(PumpThroughPreTranslate(), 1) << "consumed: the dialog never sees it as Cancel";
        EXPECT_EQ(host.Combo(), nullptr);
        EXPECT_EQ(host.Text(1, 3), L"A") << "the choice is dropped";
        EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{1, 3, 0}}));
    }
    ::PostMessageW(host.grid.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(PumpThroughPreTranslate(), 0) << "with no editor open, Escape goes its normal way";

    host.Click(1, 3);
    ::SendMessageW(host.Combo(), CB_SETCURSEL, 1, 0);
    ::PostMessageW(host.Combo(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(PumpThroughPreTranslate(), 0) << "Enter is not consumed";
    EXPECT_EQ(host.Combo(), nullptr);
    EXPECT_EQ(host.Text(1, 3), L"B");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{1, 3, 1}}));
}

TEST(GridCombo, VerticalScrollingTakesTheFocusAndSoCommits) {
    GridHost host(30, 520, 200);
    const int list = host.AddList({L"A", L"B"});
    host.MakeCombo(0, 1, list);
    host.Click(0, 1);
    ::SendMessageW(host.Combo(), CB_SETCURSEL, 0, 0);
    host.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(::GetFocus(), host.grid.m_hWnd);
    PumpMessages();
    EXPECT_EQ(host.Combo(), nullptr);
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{0, 1, 1}}));
    EXPECT_EQ(host.grid.GetTopIndex(), 1) << "then the list scrolls as usual";
}

TEST(GridCombo, CellsThatCannotOpenOneOpenNothing) {
    ComboGrid host;
    const int empty = host.grid.AddValueList(0, nullptr) + 1;
    host.MakeCombo(2, 1, 0);                    // no list
    host.MakeCombo(2, 2, 9);                    // beyond the registered lists
    host.MakeCombo(2, 3, empty);                // an empty list
    host.grid.SetCellEditor(2, 4, CELL_COMBO);  // not editable
    host.grid.SetCellList(2, 4, static_cast<BYTE>(host.numbers));
    for (int column = 1; column <= 4; ++column) {
        host.Click(2, column);
        EXPECT_EQ(host.Combo(), nullptr) << column;
    }
    // Below the last row: a click on no row.
    RECT last{};
    host.grid.GetItemRect(3, last, LVIR_BOUNDS);
    host.Press(POINT{host.Centre(0, 2).x, last.bottom + 20});
    EXPECT_EQ(host.Combo(), nullptr);
    EXPECT_TRUE(host.parent.messages.empty());
}

TEST(GridCombo, AGridWithoutRowsIgnoresClicks) {
    GridHost host(0);
    host.MakeCombo(0, 1, host.AddList({L"A"}));
    host.Press(POINT{60, 40});
    EXPECT_EQ(host.Combo(), nullptr);
}

TEST(GridEdit, OpensCentredWithAllTextSelectedAndReportsOnClose) {
    GridHost host;
    host.grid.SetCellEditable(1, 4);
    host.grid.SetCellEditor(1, 4, CELL_EDIT);
    host.grid.SetItemText(1, 4, L"abc");
    host.Click(1, 4);
    ASSERT_NE(host.Edit(), nullptr);
    EXPECT_EQ(::GetFocus(), host.Edit());
    EXPECT_TRUE(::GetWindowLongPtrW(host.Edit(), GWL_STYLE) & ES_CENTER);
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(host.Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
    RECT placed{};
    ::GetWindowRect(host.Edit(), &placed);
    ::MapWindowPoints(nullptr, host.grid.m_hWnd, reinterpret_cast<POINT*>(&placed), 2);
    const RECT label = host.Label(1, 4);
    EXPECT_TRUE(::EqualRect(&placed, &label));

    // Centred: the text starts well inside the box (the edit control takes its
    // alignment only at creation).
    ::SetWindowTextW(host.Edit(), L"W");
    ::RedrawWindow(host.Edit(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const int width = placed.right - placed.left;
    const int height = placed.bottom - placed.top;
    PixelCanvas canvas(width, height);
    {
        CClientDC dc(host.Edit());
        ::BitBlt(canvas.dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    }
    int firstInk = width;
    for (int x = 2; x < width - 4 && firstInk == width; ++x) {
        if (canvas.Count(::GetPixel(canvas.dc(), width - 3, 2), x, 2, x + 1, height - 4) < height - 6)
            firstInk = x;
    }
    EXPECT_GT(firstInk, width / 4);
    ::SetWindowTextW(host.Edit(), L"abc");

    ::SetWindowTextW(host.Edit(), L"abd");
    host.Click(3, 0);
    EXPECT_EQ(host.Edit(), nullptr);
    EXPECT_EQ(host.Text(1, 4), L"abd");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_EDITEND), (std::vector<Report>{{1, 4, 1}}));

    host.Click(1, 4);
    ::PostMessageW(host.Edit(), WM_KEYDOWN, VK_RETURN, 0);
    PumpThroughPreTranslate();
    EXPECT_EQ(host.Edit(), nullptr);
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_EDITEND), (std::vector<Report>{{1, 4, 0}}));
}

TEST(GridEdit, EscapeCancelsTheTypedTextAndStops) {
    GridHost host;
    host.grid.SetCellEditable(1, 4);
    host.grid.SetCellEditor(1, 4, CELL_EDIT);
    host.grid.SetItemText(1, 4, L"abc");
    host.Click(1, 4);
    ::SetWindowTextW(host.Edit(), L"typed");
    ::PostMessageW(host.Edit(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(PumpThroughPreTranslate(), 1);
    EXPECT_EQ(host.Edit(), nullptr);
    EXPECT_EQ(host.Text(1, 4), L"abc");
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_EDITEND), (std::vector<Report>{{1, 4, 0}}));
}

TEST(GridEditing, EndEditingCommitsAndDeliversTheReportsBeforeReturning) {
    ComboGrid host;
    host.grid.SetCellEditable(2, 4);
    host.grid.SetCellEditor(2, 4, CELL_EDIT);
    EXPECT_FALSE(host.grid.IsEditing());
    host.grid.EndEditing();  // nothing open: nothing reported
    EXPECT_TRUE(host.parent.messages.empty());

    host.Click(1, 3);
    ::SendMessageW(host.Combo(), CB_SETCURSEL, 1, 0);
    EXPECT_TRUE(host.grid.IsEditing());
    host.grid.EndEditing();
    EXPECT_FALSE(host.grid.IsEditing());
    EXPECT_EQ(host.Text(1, 3), L"B");
    // Sent, not posted: the parent has it before EndEditing returns.
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_COMBOEND), (std::vector<Report>{{1, 3, 1}}));

    // A report already posted by a focus loss is delivered too, and only once.
    host.Click(2, 4);
    ::SetWindowTextW(host.Edit(), L"x");
    ::SetFocus(host.parent.m_hWnd);
    host.grid.SendMessage(WM_GRID_KILLFOCUS);
    EXPECT_EQ(host.Edit(), nullptr);
    host.grid.EndEditing();
    EXPECT_EQ(TakeReports(host.parent, WM_GRID_EDITEND), (std::vector<Report>{{2, 4, 1}}));
    PumpMessages();
    EXPECT_TRUE(host.parent.messages.empty());
}

TEST(GridEdit, CursorIsAnIBeamOnlyOverAnEditableEditCell) {
    GridHost host;
    host.grid.SetCellEditable(1, 4);
    host.grid.SetCellEditor(1, 4, CELL_EDIT);
    host.grid.SetCellEditor(1, 5, CELL_EDIT);  // not editable
    host.MakeCombo(1, 6, host.AddList({L"A"}));
    const HCURSOR ibeam = ::LoadCursorW(nullptr, IDC_IBEAM);
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const auto cursorAt = [&](POINT point) {
        ::ClientToScreen(host.grid.m_hWnd, &point);
        ::SetCursorPos(point.x, point.y);
        host.grid.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(host.grid.m_hWnd),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    EXPECT_EQ(cursorAt(host.Centre(1, 4)), ibeam);
    EXPECT_EQ(cursorAt(host.Centre(1, 5)), arrow);
    EXPECT_EQ(cursorAt(host.Centre(1, 6)), arrow);
    EXPECT_EQ(cursorAt(host.Centre(2, 4)), arrow);

    int row = 0;
    int column = 0;
    EXPECT_TRUE(host.grid.CellFromPoint(host.Centre(2, 7), row, column));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(column, 7);
    EXPECT_FALSE(host.grid.CellFromPoint(POINT{5, 300}, row, column));
    EXPECT_EQ(row, -1);
    EXPECT_EQ(column, -1);
}

TEST(GridCheck, AClickInsideTheSquareTogglesWithoutReport) {
    GridHost host(4, 520, 320);
    host.grid.SetCellEditable(1, 4);
    host.grid.SetCellEditor(1, 4, CELL_CHECK);
    host.grid.SetItemText(1, 4, L" 1 ");
    RECT bounds{};
    ASSERT_TRUE(host.grid.GetSubItemRect(1, 4, LVIR_BOUNDS, bounds));
    RECT square{};
    ASSERT_TRUE(CheckBoxSquare(bounds, square));
    const POINT inside{(square.left + square.right) / 2, (square.top + square.bottom) / 2};
    host.Press(inside);
    EXPECT_EQ(host.Text(1, 4), L"0");
    host.Press(inside);
    EXPECT_EQ(host.Text(1, 4), L"1");
    host.Press(POINT{bounds.left + 2, inside.y});  // in the cell, outside the square
    EXPECT_EQ(host.Text(1, 4), L"1");

    host.grid.SetColumnWidth(4, 7);  // too narrow for a square
    ASSERT_TRUE(host.grid.GetSubItemRect(1, 4, LVIR_BOUNDS, bounds));
    host.Press(POINT{bounds.left + 3, inside.y});
    EXPECT_EQ(host.Text(1, 4), L"1");
    EXPECT_TRUE(host.parent.messages.empty());
}

TEST(GridCheck, SquareRules) {
    const auto same = [](const RECT& a, RECT b) { return ::EqualRect(&a, &b) != FALSE; };
    RECT square{};
    EXPECT_FALSE(CheckBoxSquare(RECT{0, 0, 7, 30}, square)) << "a side below 8 has no square";
    ASSERT_TRUE(CheckBoxSquare(RECT{0, 0, 8, 30}, square));
    EXPECT_TRUE(same(square, RECT{0, 11, 8, 19}));
    ASSERT_TRUE(CheckBoxSquare(RECT{10, 0, 61, 24}, square)) << "capped at 18, centred";
    EXPECT_TRUE(same(square, RECT{26, 3, 44, 21}));
    ASSERT_TRUE(CheckBoxSquare(RECT{-31, -10, 0, 9}, square)) << "division truncates toward zero";
    EXPECT_TRUE(same(square, RECT{-24, -9, -6, 9}));
}

TEST(GridDoubleClick, ReportedOnlyWithTheStoredSelection) {
    GridHost host;
    const POINT at = host.Centre(2, 3);
    const auto doubleClick = [&] {
        const LPARAM lp = MAKELPARAM(at.x, at.y);
        host.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lp);
        host.grid.SendMessage(WM_LBUTTONUP, 0, lp);
        host.grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, lp);
        host.grid.SendMessage(WM_LBUTTONUP, 0, lp);
        PumpMessages();
    };
    doubleClick();
    EXPECT_TRUE(host.parent.Take(WM_GRID_DBLCLK).empty());
    host.grid.m_bStoredSelection = TRUE;
    doubleClick();
    const auto reports = host.parent.Take(WM_GRID_DBLCLK);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].wParam, 2u);
    EXPECT_EQ(reports[0].lParam, 3);
}

TEST(GridNotifications, ClicksStayInTheGridItemChangesReachTheParent) {
    ComboGrid host;
    host.Click(1, 3);
    ::SendMessageW(host.Combo(), CB_SETCURSEL, 1, 0);
    host.Click(2, 3);
    for (UINT code : host.parent.notifications)
        EXPECT_TRUE(code != NM_CLICK && code != NM_DBLCLK) << code;
    EXPECT_NE(std::find(host.parent.notifications.begin(), host.parent.notifications.end(), LVN_ITEMCHANGED),
              host.parent.notifications.end());
    EXPECT_TRUE(host.parent.commands.empty()) << "the editors' notifications stay with the grid";
}

// The main window under Wine: placement and layout, the grid's font steps,
// colours, keyboard routing, the selection shared with the flowchart, the
// language switch, the about box and closing.
#include "app/velmora_app.h"
#include "chart/chart_metrics.h"
#include "grid/grid_messages.h"
#include "model/vocabulary.h"
#include "res/resource.h"
#include "tests/app/main_window_test_support.h"
#include "widgets/ask_question.h"
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace mw_test;

namespace {

int Width(const RECT& rc) { return rc.right - rc.left; }
int Height(const RECT& rc) { return rc.bottom - rc.top; }

int GridClientWidth(MainWindowHarness& w) { return w.Grid().GetClientRect().right; }

int RowHeight(MainWindowHarness& w) {
    RECT item{};
    w.Grid().GetItemRect(0, item, LVIR_BOUNDS);
    return Height(item);
}

LOGFONTW GridFont(MainWindowHarness& w) {
    LOGFONTW font{};
    ::GetObjectW(w.Grid().GetFont(), sizeof font, &font);
    return font;
}

// Resizes the window until the grid's client width is `target` (two client
// pixels are one grid pixel while the grid takes half the window).
void DriveGridClientWidth(MainWindowHarness& w, int target) {
    for (int attempt = 0; attempt < 6 && GridClientWidth(w) != target; ++attempt) {
        const RECT client = w.GetClientRect();
        SetClientSize(w, client.right + 2 * (target - GridClientWidth(w)), client.bottom);
    }
    ASSERT_EQ(GridClientWidth(w), target);
}

// Moves the Delete button next to Insert: the command row shrinks below 400
// pixels (as with a smaller dialog font), so that the grid may get that narrow.
void ShrinkButtonRow(MainWindowHarness& w) {
    const RECT insert = ControlRect(w, IDC_CMD_INSERT);
    const HWND del = w.GetDlgItem(IDC_CMD_DELETE);
    const RECT rc = ControlRect(w, del);
    ::MoveWindow(del, insert.right, rc.top, Width(rc), Height(rc), FALSE);
}

// A program of 50 END rows: longer than the grid shows, so the grid has a
// vertical scroll bar.
void ShowFullProgram(MainWindowHarness& w) {
    ProgramRow rows[MAX_ROWS] = {};
    for (ProgramRow& row : rows) {
        row.code = CMD_END;
        SetRowText(row.name, L"END");
    }
    w.ShowProgram(rows);
    w.Pump();
}

COLORREF ClientPixel(MainWindowHarness& w, int x, int y) {
    const RECT outer = w.GetWindowRect();
    POINT origin{0, 0};
    ::ClientToScreen(w, &origin);
    testing_support::PixelCanvas canvas(Width(outer), Height(outer));
    testing_support::CaptureWindow(w, canvas);
    return canvas.At(origin.x - outer.left + x, origin.y - outer.top + y);
}

// Holds the Ctrl key in this thread's keyboard state for a scope.
class ControlHeld {
public:
    ControlHeld() {
        ::GetKeyboardState(m_saved);
        BYTE keys[256];
        std::memcpy(keys, m_saved, sizeof keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
        ::SetKeyboardState(keys);
    }
    ~ControlHeld() { ::SetKeyboardState(m_saved); }
    ControlHeld(const ControlHeld&) = delete;
    ControlHeld& operator=(const ControlHeld&) = delete;

private:
    BYTE m_saved[256];
};

// Records the timer ticks the window gets.
class TimerWindow : public MainWindowHarness {
public:
    std::vector<WPARAM> ticks;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_TIMER)
            ticks.push_back(wParam);
        return MainWindowHarness::WindowProc(msg, wParam, lParam);
    }
};

// Counts the window's own OK and cancel requests instead of closing.
class CountingWindow : public MainWindowHarness {
public:
    int okCount = 0;
    int cancelCount = 0;

protected:
    void OnOK() override { ++okCount; }
    void OnCancel() override { ++cancelCount; }
};

}  // namespace

TEST_F(MainWindowTest, OpensCentredWithItsControlsReady) {
    MainWindowHarness window;
    window.Run([this](MainWindowHarness& w) {
        RECT desktop{};
        ::GetWindowRect(::GetDesktopWindow(), &desktop);
        const RECT outer = w.GetWindowRect();
        EXPECT_EQ(Width(outer), 1000);
        EXPECT_EQ(Height(outer), 700);
        EXPECT_EQ(outer.left, (Width(desktop) - 1000) / 2);
        EXPECT_EQ(outer.top, (Height(desktop) - 700) / 2);
        EXPECT_EQ(g_velmoraApp.m_winWidth, 1000);
        EXPECT_EQ(g_velmoraApp.m_winHeight, 700);

        EXPECT_EQ(w.Grid().GetItemCount(), 1) << "no working copy: one blank row";
        ASSERT_NE(w.Chart().m_hWnd, nullptr);
        EXPECT_EQ(w.RowCount(), 1);
        EXPECT_EQ(w.Modified(), 0);
        EXPECT_EQ(w.Chart().ElementFromPoint(0, 0), 0) << "the flowchart shows its START element";
        EXPECT_EQ(::GetDlgCtrlID(w.Chart()), IDC_CHART);
        EXPECT_TRUE(::IsWindowVisible(w.Chart()));
        EXPECT_EQ(w.WorkingCopyPath(), folder / L"CurFlowchart.STxt");
        const PBRANGE range = w.Progress().GetRange();
        EXPECT_EQ(range.iLow, 1);
        EXPECT_EQ(range.iHigh, 100);
        EXPECT_TRUE(w.NoDevicePicture());
        EXPECT_TRUE(w.DevicePicture());
        EXPECT_EQ(w.ZoomIndex(), 0);
        EXPECT_EQ(::IsDlgButtonChecked(w, IDC_ZOOM_1X), BST_CHECKED);
        EXPECT_EQ(w.SendMessage(WM_GETICON, ICON_BIG), reinterpret_cast<LRESULT>(w.WindowIcon()));
        EXPECT_EQ(w.SendMessage(WM_GETICON, ICON_SMALL), reinterpret_cast<LRESULT>(w.WindowIcon()));
        EXPECT_EQ(w.SendMessage(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(w.WindowIcon()));
        for (CShadeButtonST* button : w.PictureButtons())
            EXPECT_TRUE(button->HasPicture()) << ::GetDlgCtrlID(*button);

        // The language selector lists the packs in table order, the current one selected.
        ASSERT_EQ(w.LangCombo().GetCount(), 2);
        EXPECT_EQ(w.LangCombo().GetLBText(0), L"English");
        EXPECT_EQ(w.LangCombo().GetLBText(1), L"\u7B80\u4F53\u4E2D\u6587");
        EXPECT_EQ(w.LangCombo().GetCurSel(), 0);
        EXPECT_EQ(TextOf(w.GetDlgItem(IDC_OPEN)),
                  std::wstring(PackText(BuiltinEnglishPack().captions[0], PACK_SHORT_TEXT_SIZE)));

        // The window menu ends with a separator and the about item.
        const HMENU menu = ::GetSystemMenu(w, FALSE);
        const int count = ::GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, IDM_ABOUTBOX, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"\u5173\u4E8E Velmora(&A)...");
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &info);
        EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    });
}

TEST_F(MainWindowTest, WithoutTheFlowchartInitialisationStopsAndTheWorkingCopyIsKept) {
    const std::wstring copy = folder / L"CurFlowchart.STxt";
    {
        HANDLE file = ::CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const char text[] = "1 END\r\n";
        DWORD written = 0;
        ::WriteFile(file, text, sizeof text - 1, &written, nullptr);
        ::CloseHandle(file);
    }
    const std::vector<unsigned char> before = app_test::ReadBytes(copy);
    // The platform refuses to create the flowchart view (child id 101).
    static HHOOK s_hook;
    s_hook = ::SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_CREATEWND) {
                const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
                if ((cs->style & WS_CHILD) && cs->hMenu == reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_CHART)))
                    return 1;
            }
            return ::CallNextHookEx(s_hook, code, wParam, lParam);
        },
        nullptr, ::GetCurrentThreadId());
    ASSERT_NE(s_hook, nullptr);
    TimerWindow window;
    window.Run([&](MainWindowHarness& w) {
        EXPECT_EQ(w.Chart().m_hWnd, nullptr);
        EXPECT_TRUE(::IsWindowVisible(w)) << "the window stays open";
        EXPECT_EQ(w.WorkingCopyPath(), copy) << "steps up to 8 ran";
        EXPECT_EQ(w.Grid().GetColumnCount(), 0) << "no grid set-up";
        EXPECT_EQ(w.Grid().GetItemCount(), 0) << "no working copy loaded";
        EXPECT_NE(Width(w.GetWindowRect()), 1000) << "not placed";
        EXPECT_FALSE(w.StopTimer(TIMER_POLL)) << "no poll timer";
        EXPECT_TRUE(window.ticks.empty());
        w.PostMessage(WM_COMMAND, IDOK);
        w.Pump();
    });
    ::UnhookWindowsHookEx(s_hook);
    EXPECT_EQ(app_test::ReadBytes(copy), before) << "closing keeps the last program";
}

TEST_F(MainWindowTest, AWindowLargerThanTheDesktopStartsAtItsLeftEdge) {
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    g_velmoraApp.m_winWidth = Width(desktop) + 101;
    LargeWindow window;
    window.Run([&](MainWindowHarness& w) {
        const RECT outer = w.GetWindowRect();
        EXPECT_EQ(outer.left, 0) << "a negative position becomes 0";
        EXPECT_EQ(outer.top, (Height(desktop) - 700) / 2);
        EXPECT_EQ(Width(outer), Width(desktop) + 101);
    });
}

TEST_F(MainWindowTest, CannotBeMadeSmallerThan880By600) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        MINMAXINFO info{};
        w.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.ptMinTrackSize.x, 880);
        EXPECT_EQ(info.ptMinTrackSize.y, 600);
        ::SetWindowPos(w, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
        w.Pump();
        const RECT outer = w.GetWindowRect();
        EXPECT_EQ(Width(outer), 880);
        EXPECT_EQ(Height(outer), 600);
        EXPECT_EQ(g_velmoraApp.m_winWidth, 880);
        EXPECT_EQ(g_velmoraApp.m_winHeight, 600);
    });
}

TEST_F(MainWindowTest, WideClientSplitsGridAndFlowchartAtTheMiddle) {
    LargeWindow window;
    window.Run([](MainWindowHarness& w) {
        SetClientSize(w, 2000, 900);
        ASSERT_EQ(w.GetClientRect().right, 2000);
        const RECT grid = ControlRect(w, IDC_GRID);
        const RECT chart = ControlRect(w, w.Chart());
        const RECT insert = ControlRect(w, IDC_CMD_INSERT);
        const RECT del = ControlRect(w, IDC_CMD_DELETE);
        ASSERT_LT(Width(RECT{insert.left, 0, del.right, 0}), 992 - grid.left);
        EXPECT_EQ(grid.right, 992);
        EXPECT_EQ(chart.left, 1000);
        EXPECT_EQ(chart.right, 1992);
        EXPECT_EQ(chart.top, grid.top);
        EXPECT_EQ(chart.bottom, grid.bottom);
        EXPECT_EQ(ControlRect(w, IDC_CHART_LABEL).left, 1000);

        // Bottom up: status line, then Send and the command row 6 pixels above it, then the grid.
        const RECT status = ControlRect(w, IDC_STATUS);
        EXPECT_EQ(status.left, -1);
        EXPECT_EQ(status.right, 2001);
        EXPECT_EQ(status.bottom, 901);
        const RECT progress = ControlRect(w, IDC_PROGRESS);
        EXPECT_TRUE(::EqualRect(&status, &progress));
        const RECT send = ControlRect(w, IDC_SEND);
        EXPECT_EQ(send.right, 1992);
        EXPECT_EQ(send.bottom, status.top - 6);
        for (int id = IDC_CMD_INSERT; id <= IDC_CMD_DELETE; ++id)
            EXPECT_EQ(ControlRect(w, id).bottom, status.top - 6) << id;
        EXPECT_EQ(grid.bottom, del.top - 6);

        // Top band: the device picture at the right edge, the language caption and selector 10 pixels left of it.
        const RECT logo = ControlRect(w, IDC_LOGO);
        EXPECT_EQ(logo.left, 2);
        EXPECT_EQ(logo.top, 2);
        const RECT device = ControlRect(w, IDC_DEVICE_ICON);
        EXPECT_EQ(device.right, 1998);
        EXPECT_EQ(Height(device), Height(logo));
        const RECT label = ControlRect(w, IDC_LANG_LABEL);
        EXPECT_EQ(label.right, device.left - 10);
        const RECT combo = ControlRect(w, IDC_LANG_COMBO);
        EXPECT_EQ(combo.left, label.left);
        EXPECT_EQ(Width(combo), Width(label));
        RECT dropped{};
        w.LangCombo().SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        EXPECT_GT(Height(dropped), 2 * Height(combo)) << "the opened list keeps its height";
        const RECT band = ControlRect(w, IDC_TOP_BAND);
        EXPECT_EQ(Width(band), 2000);
        EXPECT_EQ(Height(band), Height(logo) + 4);

        // Columns: 48 for the number, the rest scaled to the client width.
        const int client = GridClientWidth(w);
        const double scale = (client - 48 - 9) / 385.0;
        EXPECT_EQ(w.Grid().GetColumnWidth(0), 48);
        const int design[] = {48, 55, 50, 40, 70, 45, 40, 45, 40};
        for (int i = 1; i < 9; ++i)
            EXPECT_EQ(w.Grid().GetColumnWidth(i), static_cast<int>(design[i] * scale + 0.5)) << i;
    });
}

TEST_F(MainWindowTest, NarrowWindowNeverMakesTheGridNarrowerThanTheButtonRow) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        SetClientSize(w, 100, 100);  // held at the minimum size
        const int cw = w.GetClientRect().right;
        const RECT grid = ControlRect(w, IDC_GRID);
        const int row = ControlRect(w, IDC_CMD_DELETE).right - ControlRect(w, IDC_CMD_INSERT).left;
        ASSERT_GT(row, cw / 2 - 8 - grid.left) << "the button row is the wider one here";
        EXPECT_EQ(Width(grid), row);
        const RECT chart = ControlRect(w, w.Chart());
        EXPECT_EQ(chart.left, grid.right + 8);
        EXPECT_EQ(chart.right, cw - 8);
    });
}

TEST_F(MainWindowTest, GridFontStepsWithTheGridClientWidth) {
    LargeWindow window;
    window.Run([](MainWindowHarness& w) {
        ShrinkButtonRow(w);
        const struct {
            int width;
            int size;
            int rowHeight;
        } steps[] = {{800, 10, 28}, {799, 9, 26}, {399, 7, 22}, {400, 8, 24}, {599, 8, 24}, {600, 9, 26}};
        for (const auto& step : steps) {
            DriveGridClientWidth(w, step.width);
            EXPECT_EQ(g_gridFontSize, step.size) << step.width;
            EXPECT_EQ(RowHeight(w), step.rowHeight) << step.width;
            const LOGFONTW font = GridFont(w);
            EXPECT_EQ(font.lfHeight, 2 * step.size) << step.width;
            EXPECT_EQ(font.lfWidth, step.size) << step.width;
            EXPECT_EQ(font.lfWeight, 550);
            EXPECT_STREQ(font.lfFaceName, L"\u5B8B\u4F53");
        }
    });
}

TEST_F(MainWindowTest, GridWithoutClientWidthFitsColumnsToTheirHeaders) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ::SetWindowPos(w.Grid(), nullptr, 0, 0, 0, 200, SWP_NOMOVE | SWP_NOZORDER);
        ASSERT_LE(GridClientWidth(w), 0);
        w.FitGridColumns();
        for (int i = 0; i < 9; ++i)
            EXPECT_GT(w.Grid().GetColumnWidth(i), 0) << i;
        EXPECT_NE(w.Grid().GetColumnWidth(0), 48) << "the header text's width, not the fixed one";
        EXPECT_EQ(g_gridFontSize, 7);
    });
}

TEST_F(MainWindowTest, MinimisingKeepsTheStoredSizeMaximisingStoresIt) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        SetClientSize(w, 1100, 720);
        const int width = g_velmoraApp.m_winWidth;
        const int height = g_velmoraApp.m_winHeight;
        ASSERT_EQ(width, Width(w.GetWindowRect()));
        ::ShowWindow(w, SW_MINIMIZE);
        w.Pump();
        ASSERT_TRUE(::IsIconic(w));
        EXPECT_EQ(g_velmoraApp.m_winWidth, width);
        EXPECT_EQ(g_velmoraApp.m_winHeight, height);
        ::ShowWindow(w, SW_RESTORE);
        w.Pump();
        EXPECT_EQ(g_velmoraApp.m_winWidth, width);
        EXPECT_EQ(g_velmoraApp.m_winHeight, height);

        ::ShowWindow(w, SW_MAXIMIZE);
        w.Pump();
        ASSERT_TRUE(::IsZoomed(w));
        const RECT outer = w.GetWindowRect();
        EXPECT_EQ(g_velmoraApp.m_winWidth, Width(outer));
        EXPECT_EQ(g_velmoraApp.m_winHeight, Height(outer));
        EXPECT_GT(g_velmoraApp.m_winWidth, width);
    });
}

TEST_F(MainWindowTest, BackgroundAndLabelsUseTheWindowColour) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        const HDC dc = ::CreateCompatibleDC(nullptr);
        for (UINT msg : {WM_CTLCOLORDLG, WM_CTLCOLORSTATIC}) {
            ::SetTextColor(dc, RGB(1, 2, 3));
            ::SetBkColor(dc, RGB(4, 5, 6));
            const HWND child = msg == WM_CTLCOLORDLG ? w.m_hWnd : w.GetDlgItem(IDC_STATUS);
            const LRESULT brush = w.SendMessage(msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
            EXPECT_EQ(brush, reinterpret_cast<LRESULT>(w.BackgroundBrush())) << msg;
            EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 0)) << msg;
            EXPECT_EQ(::GetBkColor(dc), RGB(255, 200, 130)) << msg;
        }
        ::SetTextColor(dc, RGB(1, 2, 3));
        const LRESULT edit = w.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(w.GetDlgItem(IDC_STATUS)));
        EXPECT_NE(edit, reinterpret_cast<LRESULT>(w.BackgroundBrush()));
        ::DeleteDC(dc);

        // On screen: the strip right of the flowchart, and the status line.
        ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        w.Pump();
        const RECT chart = ControlRect(w, w.Chart());
        EXPECT_EQ(ClientPixel(w, chart.right + 4, (chart.top + chart.bottom) / 2), RGB(255, 200, 130));
        const RECT status = ControlRect(w, IDC_STATUS);
        EXPECT_EQ(ClientPixel(w, status.left + 100, (status.top + status.bottom) / 2), RGB(255, 200, 130));
    });
}

TEST_F(MainWindowTest, TabAndArrowsReachTheGridAndTheFlowchart) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ShowExample(w);
        ::SetFocus(w.Grid());
        w.Grid().SelectRow(0);
        w.Grid().SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
        w.PressKey(w.Grid(), VK_DOWN);
        EXPECT_EQ(w.Grid().GetSelectedRow(), 1) << "the list moved its selection";
        EXPECT_EQ(w.Chart().m_nSelected, 2);
        w.PressKey(w.Grid(), VK_TAB);
        EXPECT_EQ(::GetFocus(), w.Grid().m_hWnd) << "Tab stays in the grid";

        ::SetFocus(w.Chart());
        w.PressKey(w.Chart(), VK_DOWN);
        EXPECT_EQ(w.Chart().m_nSelected, 3);
        EXPECT_EQ(w.Grid().GetSelectedRow(), 2) << "the chart's report reached the grid";
        w.PressKey(w.Chart(), VK_TAB);
        EXPECT_EQ(::GetFocus(), w.Chart().m_hWnd) << "Tab stays in the flowchart";
        EXPECT_EQ(w.Chart().m_nSelected, 4);
        EXPECT_EQ(w.Grid().GetSelectedRow(), 3);
        w.PressKey(w.Chart(), VK_UP);
        EXPECT_EQ(w.Chart().m_nSelected, 3);
        EXPECT_EQ(w.Grid().GetSelectedRow(), 2);
    });
}

TEST_F(MainWindowTest, EnterAndEscapeInTheGridDoNotClose) {
    CountingWindow window;
    window.Run([&window](MainWindowHarness& w) {
        ::SetFocus(w.Grid());
        w.PressKey(w.Grid(), VK_RETURN);
        w.PressKey(w.Grid(), VK_ESCAPE);
        w.PressKey(w.Chart(), VK_RETURN);
        w.PressKey(w.Chart(), VK_ESCAPE);
        EXPECT_EQ(window.okCount, 0);
        EXPECT_EQ(window.cancelCount, 0);
        // Outside those two, Enter is the default button and Escape the cancel request.
        const HWND send = w.GetDlgItem(IDC_SEND);
        ::SetFocus(send);
        w.PressKey(send, VK_RETURN);
        EXPECT_EQ(window.okCount, 1);
        w.PressKey(send, VK_ESCAPE);
        EXPECT_EQ(window.cancelCount, 1);
    });
}

TEST_F(MainWindowTest, EnterInTheGridsDropDownChoosesWithoutClosing) {
    CountingWindow window;
    window.Run([&window](MainWindowHarness& w) {
        RECT label{};
        ASSERT_TRUE(w.Grid().GetSubItemRect(0, 1, LVIR_LABEL, label));
        const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
        w.Grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        w.Grid().SendMessage(WM_LBUTTONUP, 0, at);
        w.Pump();
        const HWND combo = ::GetDlgItem(w.Grid(), GRID_COMBO_ID);
        ASSERT_NE(combo, nullptr) << "the command cell opens its drop-down";
        const LRESULT entry = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(L"FOR"));
        ASSERT_GE(entry, 0);
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        w.PressKey(combo, VK_RETURN);
        EXPECT_EQ(::GetDlgItem(w.Grid(), GRID_COMBO_ID), nullptr);
        EXPECT_EQ(w.Grid().GetItemText(0, 1), L"FOR");
        EXPECT_EQ(w.Grid().GetItemCount(), 2) << "the grid's report was handled";
        EXPECT_EQ(w.Rows()[0].code, CMD_FOR);
        EXPECT_EQ(window.okCount, 0) << "Enter ended the choice, not the window";
    });
}

TEST_F(MainWindowTest, EscapeInTheGridsDropDownCancelsWithoutClosing) {
    CountingWindow window;
    window.Run([&window](MainWindowHarness& w) {
        ShowExample(w);
        RECT label{};
        ASSERT_TRUE(w.Grid().GetSubItemRect(2, 1, LVIR_LABEL, label));
        const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
        for (const bool dropped : {false, true}) {
            SCOPED_TRACE(dropped ? "list open" : "list closed");
            w.Grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
            w.Grid().SendMessage(WM_LBUTTONUP, 0, at);
            w.Pump();
            const HWND combo = ::GetDlgItem(w.Grid(), GRID_COMBO_ID);
            ASSERT_NE(combo, nullptr);
            const LRESULT entry = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(L"END"));
            ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
            if (dropped)
                ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
            w.PressKey(combo, VK_ESCAPE);
            EXPECT_EQ(::GetDlgItem(w.Grid(), GRID_COMBO_ID), nullptr);
            EXPECT_EQ(w.Grid().GetItemText(2, 1), L"OUT1") << "the edit was cancelled";
            EXPECT_EQ(w.Rows()[2].code, CMD_OUT1);
            EXPECT_EQ(window.cancelCount, 0) << "Escape ended the edit, not the window";
            EXPECT_TRUE(::IsWindowVisible(w.m_hWnd));
        }
    });
}

TEST_F(MainWindowTest, AFlatButtonsHoverLookClearsWhenTheWindowIsDeactivated) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ::SetForegroundWindow(w.m_hWnd);
        ::SetActiveWindow(w.m_hWnd);
        w.Pump();
        CButtonST& button = w.CommandButton(3);
        ASSERT_TRUE(button.IsFlat());
        const RECT client = button.GetClientRect();
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
        ASSERT_TRUE(button.IsMouseOver());

        // Another program's window comes to the front; the pointer never left the button.
        const HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                             nullptr, nullptr, nullptr);
        ASSERT_NE(other, nullptr);
        ::SetForegroundWindow(other);
        ::SetActiveWindow(other);
        w.Pump();
        EXPECT_NE(::GetActiveWindow(), w.m_hWnd);
        EXPECT_FALSE(button.IsMouseOver());
        ::DestroyWindow(other);
    });
}

TEST_F(MainWindowTest, DeleteKeyInTheGridDeletesTheSelectedRow) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ShowExample(w);
        ::SetFocus(w.Grid());
        w.Grid().SelectRow(2);
        w.PressKey(w.Grid(), VK_DELETE);
        ASSERT_EQ(w.Grid().GetItemCount(), 7);
        EXPECT_EQ(w.Grid().GetItemText(2, 1), L"GOTO");
        EXPECT_EQ(w.Grid().GetItemText(6, 0), L"7");
        w.PressKey(w.GetDlgItem(IDC_SEND), VK_DELETE);
        EXPECT_EQ(w.Grid().GetItemCount(), 7) << "only in the grid";
    });
}

TEST_F(MainWindowTest, ControlKeysInTheGridCopyPasteAndCutRows) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ShowExample(w);
        ::SetFocus(w.Grid());
        w.Grid().SelectRow(0);
        w.PressKey(w.Grid(), 'C');
        w.Grid().SelectRow(6);
        w.PressKey(w.Grid(), 'V');
        EXPECT_EQ(w.Grid().GetItemCount(), 8) << "without Ctrl these are plain letters";
        {
            ControlHeld control;
            w.Grid().SelectRow(0);
            w.PressKey(w.Grid(), 'C');
            w.Grid().SelectRow(6);
            w.PressKey(w.Grid(), 'V');
            ASSERT_EQ(w.Grid().GetItemCount(), 9);
            EXPECT_EQ(w.Grid().GetItemText(6, 1), L"FOR");
            EXPECT_EQ(w.Grid().GetItemText(7, 1), L"END");
            w.Grid().SelectRow(6);
            w.PressKey(w.Grid(), 'X');
            EXPECT_EQ(w.Grid().GetItemCount(), 8);
            EXPECT_EQ(w.Grid().GetItemText(6, 1), L"END");
        }
    });
}

TEST_F(MainWindowTest, PollTimerRunsFromTheStartAndItsTicksPoll) {
    TimerWindow window;
    window.Run([&window](MainWindowHarness& w) {
        EXPECT_FALSE(w.StopTimer(TIMER_SEND_DONE)) << "no send yet";
        ASSERT_TRUE(w.StopTimer(TIMER_POLL));
        // Its ticks, delivered as the platform does; a stray one is ignored.
        w.Tick(TIMER_POLL);
        w.Tick(TIMER_POLL);
        w.Tick(77);
        EXPECT_EQ(window.ticks, (std::vector<WPARAM>{TIMER_POLL, TIMER_POLL, 77}));
        EXPECT_TRUE(::IsWindowVisible(w));
    });
}

TEST_F(MainWindowTest, ZoomButtonsReadTheRadioGroup) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ShowExample(w);
        ::CheckRadioButton(w, IDC_ZOOM_1X, IDC_ZOOM_3X, IDC_ZOOM_2X);
        w.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZOOM_2X, BN_CLICKED),
                      reinterpret_cast<LPARAM>(w.GetDlgItem(IDC_ZOOM_2X)));
        EXPECT_EQ(w.ZoomIndex(), 2);
        EXPECT_EQ(g_zoomLevel, 0) << "only level 0 exists";
        ::CheckRadioButton(w, IDC_ZOOM_1X, IDC_ZOOM_3X, IDC_ZOOM_1X);
        w.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZOOM_1X, BN_CLICKED),
                      reinterpret_cast<LPARAM>(w.GetDlgItem(IDC_ZOOM_1X)));
        EXPECT_EQ(w.ZoomIndex(), 0);
    });
}

TEST_F(MainWindowTest, SelectingAGridRowSelectsTheNextElement) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ShowExample(w);
        w.Grid().SelectRow(3);
        EXPECT_EQ(w.Chart().m_nSelected, 4);
        w.Grid().SelectRow(0);
        EXPECT_EQ(w.Chart().m_nSelected, 1);

        // The chart's own report: the grid follows without selecting back in the chart.
        w.Chart().m_nSelected = 5;
        EXPECT_EQ(w.SendMessage(WM_CHART_SELCHANGE, 5), 1);
        EXPECT_EQ(w.Grid().GetSelectedRow(), 4);
        EXPECT_EQ(w.Chart().m_nSelected, 5);
    });
}

TEST_F(MainWindowTest, ChartSelectionScrollsTheGridToTheRow) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ShowFullProgram(w);
        ASSERT_EQ(w.Grid().GetTopIndex(), 0);
        w.Chart().m_nSelected = 50;
        w.SendMessage(WM_CHART_SELCHANGE, 50);
        EXPECT_EQ(w.Grid().GetSelectedRow(), 49);
        const int top = w.Grid().GetTopIndex();
        EXPECT_GT(top, 0);
        EXPECT_LE(top, 49);
        EXPECT_GE(top + w.Grid().GetCountPerPage(), 49);
    });
}

TEST_F(MainWindowTest, ClickingStartClearsTheGridSelectionAndTheStatusLine) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        w.Grid().SelectRow(0);
        Choose(w, 0, 1, L"FOR");
        ASSERT_EQ(StatusText(w), L"FOR no NEXT Match,FOR no parameters!");
        const RECT start = w.Chart().ElementRowRect(0);
        const LPARAM point = MAKELPARAM(start.left + 20, (start.top + start.bottom) / 2);
        ::PostMessageW(w.Chart(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::PostMessageW(w.Chart(), WM_LBUTTONUP, 0, point);
        w.Pump();
        EXPECT_EQ(w.Chart().m_nSelected, 0);
        EXPECT_EQ(w.Grid().GetSelectedRow(), -1);
        EXPECT_EQ(StatusText(w), L"");
    });
}

TEST_F(MainWindowTest, GridDoubleClickReportSelectsTheRow) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ShowExample(w);
        EXPECT_EQ(w.SendMessage(WM_GRID_DBLCLK, 2, 1), 1);
        EXPECT_EQ(w.Grid().GetSelectedRow(), 2);
        EXPECT_EQ(w.SendMessage(WM_GRID_DBLCLK, 60, 1), 1);
        EXPECT_EQ(w.Grid().GetSelectedRow(), 2) << "a row outside the grid changes nothing";
    });
}

TEST_F(MainWindowTest, LanguageSwitchChangesTheSixCaptionsAtOnce) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        w.Grid().SelectRow(0);
        Choose(w, 0, 1, L"FOR");
        const std::wstring english = StatusText(w);
        ASSERT_EQ(english, L"FOR no NEXT Match,FOR no parameters!");

        w.LangCombo().SetCurSel(1);
        w.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LANG_COMBO, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(w.LangCombo().m_hWnd));
        EXPECT_EQ(g_velmoraApp.m_curPack, 1);
        const LanguagePack& chinese = BuiltinChinesePack();
        const int ids[] = {IDC_OPEN, IDC_SAVE, IDC_CLEAR, IDC_LANG_LABEL, IDC_SEND, IDOK};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(TextOf(w.GetDlgItem(ids[i])), std::wstring(PackText(chinese.captions[i], PACK_SHORT_TEXT_SIZE)))
                << ids[i];
        EXPECT_EQ(StatusText(w), english) << "the status line waits for its next refresh";

        Choose(w, 1, 1, L"NEXT");
        EXPECT_EQ(StatusText(w), std::wstring(PackText(chinese.errorTexts[8], PACK_SHORT_TEXT_SIZE)) + L"!")
            << "the next refresh speaks the new language";
    });
}

TEST_F(MainWindowTest, WindowMenuShowsTheAboutBox) {
    static std::wstring s_title;
    s_title.clear();
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        // The box runs its own modal loop; a driver inside it records and closes it.
        testing_support::ModalDriver driver([&w](HWND hwnd) { return hwnd != w.m_hWnd && ::IsWindowEnabled(hwnd); },
                                            [](HWND box) {
                                                s_title = TextOf(box);
                                                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                                            });
        w.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        EXPECT_FALSE(driver.TimedOut());
        EXPECT_EQ(s_title, L"\u5173\u4E8E Velmora");
        EXPECT_TRUE(::IsWindowEnabled(w)) << "the main window is usable again";
    });
}

TEST_F(MainWindowTest, ClosingAsksAboutChangesAndCancelKeepsTheWindow) {
    int questions = 0;
    int answer = IDCANCEL;
    SetQuestionHook([&](const QuestionRequest&) {
        ++questions;
        return answer;
    });
    MainWindowHarness window;
    const INT_PTR result = window.Run([&](MainWindowHarness& w) {
        Choose(w, 0, 1, L"END");
        ASSERT_EQ(w.Modified(), 1);
        w.PostMessage(WM_SYSCOMMAND, SC_CLOSE);
        w.Pump();
        EXPECT_EQ(questions, 1);
        EXPECT_TRUE(::IsWindowVisible(w)) << "cancel keeps the window";
        answer = IDNO;
        w.PostMessage(WM_COMMAND, IDOK);
        w.Pump();
        EXPECT_EQ(questions, 2);
    });
    SetQuestionHook(nullptr);
    EXPECT_EQ(result, IDOK);
    const auto copy = app_test::ReadBytes(folder / L"CurFlowchart.STxt");
    const std::string text(copy.begin(), copy.end());
    EXPECT_NE(text.find("END"), std::string::npos) << "the working copy is written at the close";
}

TEST_F(MainWindowTest, EscapeClosesAnUnchangedProgramWithoutAQuestion) {
    int questions = 0;
    SetQuestionHook([&](const QuestionRequest&) { return ++questions, IDCANCEL; });
    MainWindowHarness window;
    const INT_PTR result = window.Run([](MainWindowHarness& w) { w.PressKey(w.GetDlgItem(IDC_SEND), VK_ESCAPE); });
    SetQuestionHook(nullptr);
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(app_test::FileExists(folder / L"CurFlowchart.STxt"));
}

// Started as the application starts, the controls reach their objects through
// their own class procedures, with no subclass chain, under the template's
// class names.
TEST_F(MainWindowTest, ControlsAreBoundWithoutASubclassChainUnderTheirOwnNames) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        const struct {
            HWND control;
            const wchar_t* className;
        } controls[] = {{w.Grid().m_hWnd, L"SysListView32"},
                        {w.GetDlgItem(IDC_OPEN), L"Button"},
                        {w.GetDlgItem(IDC_CMD_FOR), L"Button"},
                        {w.LangCombo().m_hWnd, L"ComboBox"}};
        for (const auto& c : controls) {
            SCOPED_TRACE(testing::Message() << c.className);
            EXPECT_NE(CWnd::FromHandle(c.control), nullptr);
            EXPECT_EQ(::GetWindowLongPtrW(c.control, GWLP_WNDPROC), ::GetClassLongPtrW(c.control, GCLP_WNDPROC));
            wchar_t name[64]{};
            ::GetClassNameW(c.control, name, 64);
            EXPECT_EQ(_wcsicmp(name, c.className), 0) << name;
        }
    });
}

// The context menu: opened for real by WM_CONTEXTMENU and looked at while it
// shows, and its owner-drawn items drawn into a canvas.
#include "app/context_menu.h"
#include "app/velmora_app.h"
#include "res/resource.h"
#include "tests/app/file_edit_fixture.h"

namespace {

using Texts = std::vector<std::wstring>;
constexpr UINT_PTR CAPTURE_TIMER = 77;

// What one opening of the menu showed.
struct MenuSeen {
    bool opened = false;
    Texts texts;  // the popup's items by position
    Texts submenuTexts;
    bool allOwnerDrawn = true;
    bool pasteGrayed = false;
    int highlightPixels = 0;  // in the menu window after the first item was highlighted
    int backgroundPixels = 0;
};

// The real window, watching its menus: when a menu has opened and is idle,
// the probe reads it, highlights an item and closes it (or chooses the item).
class MenuProbe : public MainWindowHarness {
public:
    MenuSeen seen;
    bool chooseFirst = false;

    MenuSeen Open(POINT screen) {
        seen = {};
        m_idle = false;
        OpenGridContextMenu(screen);
        return seen;
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_INITMENUPOPUP && !seen.opened) {
            seen.opened = true;
            m_popup = reinterpret_cast<HMENU>(wParam);
        }
        if (msg == WM_TIMER && wParam == CAPTURE_TIMER) {
            // The menu has drawn its highlighted item by now.
            ::KillTimer(m_hWnd, CAPTURE_TIMER);
            Capture();
            return 0;
        }
        if (msg == WM_ENTERIDLE && wParam == MSGF_MENU && !m_idle) {
            m_idle = true;
            Inspect(reinterpret_cast<HWND>(lParam));
        }
        return MainWindowHarness::WindowProc(msg, wParam, lParam);
    }

private:
    void Inspect(HWND menuWindow) {
        for (int i = 0; i < ::GetMenuItemCount(m_popup); ++i) {
            const OwnerDrawnItem* item = COwnerDrawnMenu::ItemOf(m_popup, static_cast<UINT>(i), true);
            seen.allOwnerDrawn = seen.allOwnerDrawn && item;
            seen.texts.push_back(item ? item->text : L"?");
            if (HMENU sub = ::GetSubMenu(m_popup, i))
                for (int k = 0; k < ::GetMenuItemCount(sub); ++k) {
                    const OwnerDrawnItem* subItem = COwnerDrawnMenu::ItemOf(sub, static_cast<UINT>(k), true);
                    seen.submenuTexts.push_back(subItem ? subItem->text : L"?");
                }
        }
        seen.pasteGrayed = (::GetMenuState(m_popup, ID_EDIT_PASTE, MF_BYCOMMAND) & MF_GRAYED) != 0;
        // The first item highlighted by the keyboard, then read back from the screen.
        ::PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        if (chooseFirst)
            ::PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        else
            ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
                ::KillTimer(nullptr, id);
                ::EndMenu();
            });
        m_menuWindow = menuWindow;
        ::SetTimer(m_hWnd, CAPTURE_TIMER, 150, nullptr);
    }

    void Capture() {
        RECT r;
        if (!::GetWindowRect(m_menuWindow, &r))
            return;
        testing_support::PixelCanvas canvas(r.right - r.left, r.bottom - r.top);
        testing_support::CaptureWindow(m_menuWindow, canvas);
        seen.highlightPixels = canvas.Count(MENU_HIGHLIGHT, 0, 0, canvas.width(), canvas.height());
        seen.backgroundPixels = canvas.Count(MENU_BACKGROUND, 0, 0, canvas.width(), canvas.height());
        canvas.SaveBmp(L"context_menu.bmp");
    }

    HMENU m_popup = nullptr;
    HWND m_menuWindow = nullptr;
    bool m_idle = false;
};

POINT CentreOf(HWND hwnd) {
    RECT r;
    ::GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

TEST_F(FileEditTest, ContextMenuShowsTheLanguageTextsAndGreysPasteWithoutARow) {
    MenuProbe w;
    Run(w, [&](MainWindowHarness&) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT1 1", "2\tEND"});
        Select(w, 0);
        Click(w, ID_EDIT_COPY);
        MenuSeen seen = w.Open(CentreOf(w.Grid().m_hWnd));
        ASSERT_TRUE(seen.opened);
        EXPECT_TRUE(seen.allOwnerDrawn);
        EXPECT_EQ(seen.texts,
                  (Texts{L"Cut", L"Copy", L"Paste", L"Delete", L"", L"Insert Row", L"Insert", L"", L"Undo", L"Redo"}));
        EXPECT_EQ(seen.submenuTexts, (Texts{L"FOR", L"NEXT", L"IF", L"OUT1", L"OUT2", L"OUT3", L"OUT4", L"OUT12",
                                            L"OUT13", L"OUT23", L"OUT123", L"GOTO", L"STOP", L"END"}));
        EXPECT_FALSE(seen.pasteGrayed);
        EXPECT_GT(seen.backgroundPixels, 1000);
        EXPECT_GT(seen.highlightPixels, 100);

        // Another program puts plain text on the clipboard: no row to paste.
        PutOnClipboard(CF_UNICODETEXT, {'h', 0, 'i', 0, 0, 0});
        seen = w.Open(CentreOf(w.Grid().m_hWnd));
        ASSERT_TRUE(seen.opened);
        EXPECT_TRUE(seen.pasteGrayed);
        EXPECT_EQ(Names(w), (Texts{L"OUT1", L"END", L""}));  // nothing was chosen

        // The texts follow the language at each opening.
        for (int i = 0; i < g_velmoraApp.m_packCount; ++i)
            if (PackText(g_velmoraApp.m_packs[i].name, PACK_NAME_SIZE) == L"简体中文")
                g_velmoraApp.m_curPack = i;
        seen = w.Open(CentreOf(w.Grid().m_hWnd));
        EXPECT_EQ(seen.texts,
                  (Texts{L"剪切", L"复制", L"粘贴", L"删除", L"", L"插入空行", L"插入", L"", L"撤销", L"重做"}));
    });
}

TEST_F(FileEditTest, ContextMenuCommandReachesTheWindow) {
    MenuProbe w;
    w.chooseFirst = true;  // Cut
    Run(w, [&](MainWindowHarness&) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT1 1", "2\tEND"});
        Select(w, 0);
        ASSERT_TRUE(w.Open(CentreOf(w.Grid().m_hWnd)).opened);
        w.Pump();
        EXPECT_EQ(Names(w), (Texts{L"END", L""}));
        EXPECT_NE(ClipboardRowBytes().size(), 0u);
    });
}

TEST_F(FileEditTest, ContextMenuOpensOnlyOnTheGridWithASelectedRow) {
    MenuProbe w;
    Run(w, [&](MainWindowHarness&) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT1 1"});
        Select(w, 0);
        // A right click on the flowchart opens the flowchart's own menu, not the grid's.
        EXPECT_EQ(w.Open(CentreOf(w.Chart().m_hWnd)).texts, (Texts{L"Export\u2026", L"Copy picture", L"Print\u2026"}));
        EXPECT_FALSE(w.Open(POINT{-1, -1}).opened);  // a request from the keyboard
        Select(w, -1);
        EXPECT_FALSE(w.Open(CentreOf(w.Grid().m_hWnd)).opened);
    });
}

// The items' drawing, read back as pixels.
TEST(ContextMenuLook, ItemsDrawInTheWindowColours) {
    HMENU popup = ::CreatePopupMenu();
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuW(sub, MF_STRING, 1101, L"FOR");
    ::AppendMenuW(popup, MF_STRING, 1, L"Cut\tCtrl+X");
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Insert");
    {
        COwnerDrawnMenu look(popup);
        EXPECT_EQ(COwnerDrawnMenu::ItemOf(popup, 0, true)->text, L"Cut\tCtrl+X");
        EXPECT_TRUE(look.SetItemText(popup, 1, false, L"Cut"));
        EXPECT_EQ(COwnerDrawnMenu::ItemOf(popup, 0, true)->text, L"Cut");
        EXPECT_TRUE(COwnerDrawnMenu::ItemOf(popup, 1, true)->separator);
        EXPECT_TRUE(COwnerDrawnMenu::ItemOf(popup, 2, true)->submenu);
        EXPECT_EQ(COwnerDrawnMenu::ItemOf(sub, 1101, false)->text, L"FOR");

        auto measure = [](HMENU menu, UINT pos) {
            MEASUREITEMSTRUCT mis = {};
            mis.CtlType = ODT_MENU;
            mis.itemData = reinterpret_cast<ULONG_PTR>(COwnerDrawnMenu::ItemOf(menu, pos, true));
            EXPECT_TRUE(COwnerDrawnMenu::Measure(mis));
            return mis;
        };
        EXPECT_GE(measure(popup, 0).itemHeight, 20u);
        EXPECT_LT(measure(popup, 1).itemHeight, 20u);
        EXPECT_GT(measure(popup, 2).itemWidth, measure(sub, 0).itemWidth);

        testing_support::PixelCanvas canvas(120, 90, RGB(0, 255, 0));
        auto draw = [&](HMENU menu, UINT pos, int top, int height, UINT state) {
            DRAWITEMSTRUCT dis = {};
            dis.CtlType = ODT_MENU;
            dis.itemState = state;
            dis.hDC = canvas.dc();
            dis.rcItem = {0, top, 120, top + height};
            dis.itemData = reinterpret_cast<ULONG_PTR>(COwnerDrawnMenu::ItemOf(menu, pos, true));
            EXPECT_TRUE(COwnerDrawnMenu::Draw(dis));
        };
        draw(popup, 0, 0, 20, 0);
        draw(popup, 1, 20, 8, 0);
        draw(popup, 2, 28, 20, ODS_SELECTED);
        draw(popup, 0, 48, 20, ODS_GRAYED);
        draw(popup, 0, 68, 20, ODS_SELECTED | ODS_GRAYED);
        canvas.SaveBmp(L"context_menu_items.bmp");

        EXPECT_EQ(canvas.Count(RGB(0, 255, 0), 0, 0, 120, 88), 0);  // every pixel drawn
        EXPECT_EQ(canvas.At(2, 2), MENU_BACKGROUND);
        EXPECT_GT(canvas.Count(MENU_TEXT, 0, 0, 120, 20), 10);  // the text
        EXPECT_GT(canvas.Count(MENU_SEPARATOR, 0, 20, 120, 28), 50);
        EXPECT_EQ(canvas.At(2, 30), MENU_HIGHLIGHT);
        EXPECT_GT(canvas.Count(MENU_HIGHLIGHT_TEXT, 0, 28, 90, 48), 10);
        EXPECT_GT(canvas.Count(MENU_HIGHLIGHT_TEXT, 100, 28, 120, 48), 8);  // the submenu arrow
        EXPECT_EQ(canvas.Count(MENU_TEXT, 0, 48, 120, 68), 0);              // greyed, not black
        EXPECT_GT(canvas.Count(MENU_GRAYED_TEXT, 0, 48, 120, 68), 10);
        EXPECT_EQ(canvas.At(2, 70), MENU_HIGHLIGHT);
        EXPECT_EQ(canvas.Count(MENU_HIGHLIGHT_TEXT, 0, 68, 120, 88), 0);

        DRAWITEMSTRUCT control = {};
        control.CtlType = ODT_BUTTON;
        EXPECT_FALSE(COwnerDrawnMenu::Draw(control));
    }
    ::DestroyMenu(popup);
}

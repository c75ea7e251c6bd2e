// The owner-drawn look of the main window's context menu: every item of a
// popup (and of its submenus) is drawn here in the window's colours. Each
// item's text lives in this object, its address in the item's data, for as
// long as the object lives, which must cover the menu's display.
#pragma once
#include "framework/palette.h"
#include "framework/gdi.h"
#include <windows.h>
#include <deque>
#include <string>
#include <string_view>

constexpr COLORREF MENU_BACKGROUND = PALETTE_WINDOW_BACKGROUND;
constexpr COLORREF MENU_TEXT = PALETTE_BLACK;
constexpr COLORREF MENU_HIGHLIGHT = PALETTE_SELECTION_FOCUSED;
constexpr COLORREF MENU_HIGHLIGHT_TEXT = PALETTE_WHITE;
constexpr COLORREF MENU_GRAYED_TEXT = RGB(150, 130, 110);
constexpr COLORREF MENU_SEPARATOR = RGB(190, 140, 80);

struct OwnerDrawnItem {
    std::wstring text;  // "&" marks the mnemonic; a TAB starts the right-aligned hint
    bool separator = false;
    bool submenu = false;
};

class COwnerDrawnMenu {
public:
    // Makes every item of `popup` and its submenus owner-drawn, keeping its text.
    explicit COwnerDrawnMenu(HMENU popup);
    COwnerDrawnMenu(const COwnerDrawnMenu&) = delete;
    COwnerDrawnMenu& operator=(const COwnerDrawnMenu&) = delete;

    // Replaces an item's text whole: by command id, or by position.
    bool SetItemText(HMENU menu, UINT item, bool byPosition, std::wstring_view text);

    // The item drawn for an item of a converted menu, or null.
    static const OwnerDrawnItem* ItemOf(HMENU menu, UINT item, bool byPosition);

    // WM_MEASUREITEM and WM_DRAWITEM for menu items (CtlType ODT_MENU); false
    // for anything else.
    static bool Measure(MEASUREITEMSTRUCT& mis);
    static bool Draw(const DRAWITEMSTRUCT& dis);

private:
    void Convert(HMENU menu);
    static void DrawItemLook(const DRAWITEMSTRUCT& dis, const OwnerDrawnItem& item);

    CBrush m_background;                 // behind the items, in the menu's margins
    std::deque<OwnerDrawnItem> m_items;  // stable addresses
};

#include "app/context_menu.h"
#include <algorithm>
#include <vector>

namespace {

constexpr int TEXT_MARGIN = 10;  // left of the text and right of the hint
constexpr int HINT_GAP = 24;     // between the text and its hint
constexpr int ARROW_SPACE = 18;  // room for the submenu arrow at the right
constexpr int MIN_ITEM_HEIGHT = 20;
constexpr int SEPARATOR_HEIGHT = 7;

// The platform's menu font, made for one measuring or drawing step.
CFont MenuFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return CFont(::CreateFontIndirectW(&metrics.lfMenuFont));
    return CFont();
}

std::wstring_view Label(const OwnerDrawnItem& item) {
    return std::wstring_view(item.text).substr(0, item.text.find(L'\t'));
}

std::wstring_view Hint(const OwnerDrawnItem& item) {
    const size_t tab = item.text.find(L'\t');
    return tab == std::wstring::npos ? std::wstring_view() : std::wstring_view(item.text).substr(tab + 1);
}

SIZE TextSize(HDC dc, std::wstring_view text) {
    RECT r = {0, 0, 0, 0};
    if (!text.empty())
        ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    CBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &r, brush);
}

}  // namespace

COwnerDrawnMenu::COwnerDrawnMenu(HMENU popup) : m_background(::CreateSolidBrush(MENU_BACKGROUND)) { Convert(popup); }

void COwnerDrawnMenu::Convert(HMENU menu) {
    MENUINFO look = {};
    look.cbSize = sizeof look;
    look.fMask = MIM_BACKGROUND;
    look.hbrBack = m_background;
    ::SetMenuInfo(menu, &look);
    const int count = ::GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        wchar_t text[256] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info))
            continue;
        OwnerDrawnItem& item = m_items.emplace_back();
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        item.submenu = info.hSubMenu != nullptr;
        if (!item.separator)
            item.text = text;
        if (info.hSubMenu)
            Convert(info.hSubMenu);
        MENUITEMINFOW owner = {};
        owner.cbSize = sizeof owner;
        owner.fMask = MIIM_FTYPE | MIIM_DATA;
        owner.fType = MFT_OWNERDRAW | (item.separator ? MFT_SEPARATOR : 0);
        owner.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
        ::SetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &owner);
    }
}

const OwnerDrawnItem* COwnerDrawnMenu::ItemOf(HMENU menu, UINT item, bool byPosition) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!::GetMenuItemInfoW(menu, item, byPosition, &info) || !(info.fType & MFT_OWNERDRAW))
        return nullptr;
    return reinterpret_cast<const OwnerDrawnItem*>(info.dwItemData);
}

bool COwnerDrawnMenu::SetItemText(HMENU menu, UINT item, bool byPosition, std::wstring_view text) {
    // Only items of this object's menus are changed.
    const OwnerDrawnItem* found = ItemOf(menu, item, byPosition);
    for (OwnerDrawnItem& own : m_items) {
        if (&own == found) {
            own.text = text;
            return true;
        }
    }
    return false;
}

bool COwnerDrawnMenu::Measure(MEASUREITEMSTRUCT& mis) {
    const auto* item = reinterpret_cast<const OwnerDrawnItem*>(mis.itemData);
    if (mis.CtlType != ODT_MENU || !item)
        return false;
    if (item->separator) {
        mis.itemWidth = 1;
        mis.itemHeight = SEPARATOR_HEIGHT;
        return true;
    }
    HDC screen = ::GetDC(nullptr);
    SIZE label, hint;
    {
        CFont font = MenuFont();
        CSelect select(screen, font);
        label = TextSize(screen, Label(*item));
        hint = TextSize(screen, Hint(*item));
    }
    ::ReleaseDC(nullptr, screen);
    int width = TEXT_MARGIN + label.cx + TEXT_MARGIN;
    if (hint.cx > 0)
        width += HINT_GAP + hint.cx;
    width += ARROW_SPACE;
    mis.itemWidth = static_cast<UINT>(width);
    mis.itemHeight = static_cast<UINT>(std::max<LONG>(MIN_ITEM_HEIGHT, std::max(label.cy, hint.cy) + 6));
    return true;
}

bool COwnerDrawnMenu::Draw(const DRAWITEMSTRUCT& dis) {
    const auto* item = reinterpret_cast<const OwnerDrawnItem*>(dis.itemData);
    if (dis.CtlType != ODT_MENU || !item)
        return false;
    DrawItemLook(dis, *item);
    if (item->submenu) {
        // The platform draws its own arrow after this; the drawn one stays.
        ::ExcludeClipRect(dis.hDC, dis.rcItem.right - ARROW_SPACE, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom);
    }
    return true;
}

void COwnerDrawnMenu::DrawItemLook(const DRAWITEMSTRUCT& dis, const OwnerDrawnItem& item) {
    HDC dc = dis.hDC;
    const RECT& r = dis.rcItem;
    CSaveDC saved(dc);
    if (item.separator) {
        FillSolid(dc, r, MENU_BACKGROUND);
        const int y = (r.top + r.bottom) / 2;
        FillSolid(dc, RECT{r.left + 4, y, r.right - 4, y + 1}, MENU_SEPARATOR);
        return;
    }
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool grayed = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    FillSolid(dc, r, selected ? MENU_HIGHLIGHT : MENU_BACKGROUND);
    COLORREF ink = selected ? MENU_HIGHLIGHT_TEXT : MENU_TEXT;
    if (grayed)
        ink = selected ? RGB(170, 170, 210) : MENU_GRAYED_TEXT;

    CFont font = MenuFont();
    CSelect select(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ink);
    const UINT prefix = (dis.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    RECT text = {r.left + TEXT_MARGIN, r.top, r.right - ARROW_SPACE, r.bottom};
    const std::wstring_view label = Label(item), hint = Hint(item);
    ::DrawTextW(dc, label.data(), static_cast<int>(label.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | prefix);
    if (!hint.empty())
        ::DrawTextW(dc, hint.data(), static_cast<int>(hint.size()), &text,
                    DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    if (item.submenu) {
        // A small solid triangle pointing right, in the text colour.
        const int cx = r.right - ARROW_SPACE / 2 - 2, cy = (r.top + r.bottom) / 2;
        const POINT arrow[3] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
        CBrush brush(::CreateSolidBrush(ink));
        CPen pen(::CreatePen(PS_SOLID, 1, ink));
        CSelect useBrush(dc, brush);
        CSelect usePen(dc, pen);
        ::Polygon(dc, arrow, 3);
    }
}

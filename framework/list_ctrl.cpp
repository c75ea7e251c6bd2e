#include "framework/list_ctrl.h"

int CListCtrl::InsertColumn(int column, const std::wstring& heading, int format, int width) {
    LVCOLUMNW col{};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<LPWSTR>(heading.c_str());
    col.iSubItem = column;
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::GetColumnCount() const {
    HWND header = GetHeaderCtrl();
    return header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListCtrl::InsertItem(int item, const std::wstring& text) {
    LVITEMW it{};
    it.mask = LVIF_TEXT;
    it.iItem = item;
    it.pszText = const_cast<LPWSTR>(text.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const std::wstring& text) {
    LVITEMW it{};
    it.iSubItem = subItem;
    it.pszText = const_cast<LPWSTR>(text.c_str());
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
}

std::wstring CListCtrl::GetItemText(int item, int subItem) const {
    // The list copies at most the buffer; grow until the text fits.
    for (size_t size = 64;; size *= 4) {
        std::wstring buffer(size, L'\0');
        LVITEMW it{};
        it.iSubItem = subItem;
        it.pszText = buffer.data();
        it.cchTextMax = static_cast<int>(size);
        const auto got = static_cast<size_t>(
            Ask(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
        if (got + 1 < size || size >= 65536) {
            buffer.resize(got < size ? got : size - 1);
            return buffer;
        }
    }
}

void CListCtrl::RevealNearTop(int item) {
    const int top = GetTopIndex();
    RECT rc{};
    if ((item >= top && item < top + GetCountPerPage()) || !GetItemRect(item, rc, LVIR_BOUNDS))
        return;
    // Report view scrolls by whole rows, given in pixels.
    const int target = item > 0 ? item - 1 : 0;
    SendMessage(LVM_SCROLL, 0, static_cast<LPARAM>(target - top) * (rc.bottom - rc.top));
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEMW it{};
    it.stateMask = mask;
    it.state = state;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
}

bool CListCtrl::GetItemRect(int item, RECT& rect, int code) const {
    rect = {};
    rect.left = code;
    return Ask(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect)) != 0;
}

bool CListCtrl::GetSubItemRect(int item, int subItem, int code, RECT& rect) const {
    rect = {};
    rect.top = subItem;
    rect.left = code;
    return Ask(LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect)) != 0;
}

POINT CListCtrl::GetOrigin() const {
    POINT origin{};
    Ask(LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&origin));
    return origin;
}

void CListCtrl::DrawItem(DRAWITEMSTRUCT*) {}
void CListCtrl::MeasureItem(MEASUREITEMSTRUCT*) {}

bool CListCtrl::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (msg == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        *result = TRUE;
        return true;
    }
    if (msg == WM_MEASUREITEM) {
        MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        *result = TRUE;
        return true;
    }
    return CWnd::OnChildNotify(msg, wParam, lParam, result);
}

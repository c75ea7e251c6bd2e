// CListCtrl: the platform list view in report view, with owner-drawn rows
// and row measuring reflected back to the control.
#pragma once
#include "framework/controls.h"

class CListCtrl : public CWnd {
public:
    // Questions about the list's own state (counts, item states, rectangles,
    // texts) are asked with CWnd::Ask: a paint asks hundreds.
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
        return CWnd::Create(WC_LISTVIEWW, L"", style, rect, parent, id);
    }

    // Columns.
    int InsertColumn(int column, const std::wstring& heading, int format, int width);
    BOOL DeleteColumn(int column) {
        return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
    }
    int GetColumnWidth(int column) const {
        return static_cast<int>(Ask(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    }
    BOOL SetColumnWidth(int column, int width) {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width));
    }
    HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(Ask(LVM_GETHEADER)); }
    int GetColumnCount() const;

    // Rows and cells.
    int GetItemCount() const { return static_cast<int>(Ask(LVM_GETITEMCOUNT)); }
    int InsertItem(int item, const std::wstring& text);
    BOOL DeleteItem(int item) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL SetItemText(int item, int subItem, const std::wstring& text);
    std::wstring GetItemText(int item, int subItem) const;
    UINT GetItemState(int item, UINT mask) const {
        return static_cast<UINT>(Ask(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
    }
    BOOL SetItemState(int item, UINT state, UINT mask);
    // Bounds of a row (LVIR_BOUNDS, LVIR_LABEL ...); false when the list reports none.
    bool GetItemRect(int item, RECT& rect, int code) const;
    bool GetSubItemRect(int item, int subItem, int code, RECT& rect) const;
    BOOL EnsureVisible(int item, BOOL partialOk) {
        return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk));
    }
    // Scrolls so that `item`, when not wholly in view, shows second from the
    // top with the items after it below (report view).
    void RevealNearTop(int item);
    int GetTopIndex() const { return static_cast<int>(Ask(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(Ask(LVM_GETCOUNTPERPAGE)); }
    int SubItemHitTest(LVHITTESTINFO* info) const {
        return static_cast<int>(Ask(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
    POINT GetOrigin() const;

    // Looks.
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(Ask(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD style) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
    }
    COLORREF GetBkColor() const { return static_cast<COLORREF>(Ask(LVM_GETBKCOLOR)); }
    BOOL SetBkColor(COLORREF colour) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, colour)); }
    COLORREF GetTextBkColor() const { return static_cast<COLORREF>(Ask(LVM_GETTEXTBKCOLOR)); }

    // Owner-drawn rows (LVS_OWNERDRAWFIXED) draw and measure here.
    virtual void DrawItem(DRAWITEMSTRUCT* dis);
    virtual void MeasureItem(MEASUREITEMSTRUCT* mis);
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

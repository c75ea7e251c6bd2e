#include "grid/item_editors.h"
#include "grid/grid_messages.h"

namespace {

// Lets the platform finish the focus change, then tells the grid by a posted
// message, so the grid closes the editor only after the change has completed.
bool OnEditorKillFocus(CWnd& editor, WPARAM, LPARAM, LRESULT& result) {
    result = editor.Default();
    if (HWND grid = editor.GetParent())
        ::PostMessageW(grid, WM_GRID_KILLFOCUS, 0, 0);
    return true;
}

const MessageMap* ItemEditorMessageMap() {
    static const MessageEntry entries[] = {
        {WM_KILLFOCUS, 0, 0, 0, &OnEditorKillFocus},
    };
    static const MessageMap map{CWnd::StaticMessageMap(), entries, std::size(entries)};
    return &map;
}

}  // namespace

BOOL CItemEditEx::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.style |= ES_CENTER;
    return CEdit::PreCreateWindow(cs);
}

const MessageMap* CItemEditEx::GetMessageMap() const { return ItemEditorMessageMap(); }

const MessageMap* CItemComboEx::GetMessageMap() const { return ItemEditorMessageMap(); }

// Insert, delete, clear, cut, copy and paste of whole rows, and the context
// menu that offers them.
#include "app/context_menu.h"
#include "app/main_window.h"
#include "app/velmora_app.h"
#include "files/clipboard_row.h"
#include "framework/handles.h"
#include "model/checker.h"
#include "model/vocabulary.h"
#include "res/resource.h"
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The private clipboard format of one row.
const UINT CF_PROGRAM_ROW = ::RegisterClipboardFormatW(CLIPBOARD_FORMAT_NAME);

// A row line is cut into no tokens beyond 259 characters, so reading more of
// a block than this never changes what it pastes.
constexpr size_t MAX_PASTE_BYTES = 1024;

// The clipboard, open for one scope.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardSession() {
        if (m_open)
            ::CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    explicit operator bool() const { return m_open; }

private:
    bool m_open;
};

// A locked global memory block, unlocked at the end of the scope.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block) : m_block(block), m_data(block ? ::GlobalLock(block) : nullptr) {}
    ~GlobalLockScope() {
        if (m_data)
            ::GlobalUnlock(m_block);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    void* Data() const { return m_data; }

private:
    HGLOBAL m_block;
    void* m_data;
};

// Menu text Mn (1-based) of the current language.
std::wstring MenuText(int n) {
    return std::wstring(PackText(g_velmoraApp.CurrentPack().menuTexts[n - 1], PACK_SHORT_TEXT_SIZE));
}

// Position of the "insert" submenu in the context menu's popup.
constexpr UINT INSERT_SUBMENU_POSITION = 6;

// Undo and Redo follow the menu's own items, after a separator; their texts
// are set with the others once the menu is owner-drawn.
void AddHistoryItems(HMENU popup) {
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(popup, MF_STRING, ID_EDIT_UNDO, L"");
    ::AppendMenuW(popup, MF_STRING, ID_EDIT_REDO, L"");
}

}  // namespace

void CVelmoraDlg::FollowInsertedRow(int sel) {
    m_grid.SelectRow(sel + 1);
    RecheckAndRedraw();
    m_grid.EnsureVisible(sel + 1, TRUE);
    ::SetFocus(m_grid.m_hWnd);
    m_chart.SelectElement(sel + 2);
    ShowRowStatus(m_grid.GetSelectedRow());
}

bool CVelmoraDlg::InsertCommand(int code) {
    m_grid.EndEditing();
    const int n = m_grid.GetItemCount();
    if (n >= MAX_ROWS)
        return false;
    const int sel = m_grid.GetSelectedRow();
    if (sel < 0 || sel > n)
        return false;
    ProgramRow record = {};
    record.code = static_cast<int16_t>(code);
    if (code >= 0 && code < VocabularyCount(VocabCommands))
        SetRowText(record.name, VocabularyText(VocabCommands, code));
    const ProgramState before = ShownProgram();
    if (!InsertProgramRow(sel, &record, true))
        return false;
    m_modified = 1;
    FollowInsertedRow(sel);
    ProgramChanged(&before);
    return true;
}

void CVelmoraDlg::DeleteCommand() {
    m_grid.EndEditing();
    const int n = m_grid.GetItemCount();
    int sel = m_grid.GetSelectedRow();
    if (sel < 0 || sel >= n)
        return;
    const ProgramState before = ShownProgram();
    m_modified = 1;
    if (n == 1) {
        ResetGridRow(0, true);
        RenumberRows(true);
    } else {
        DeleteProgramRow(sel);
        if (sel == n - 1)
            --sel;
        m_grid.SelectRow(sel);
    }
    RecheckAndRedraw();
    ::SetFocus(m_grid.m_hWnd);
    ShowRowStatus(m_grid.GetSelectedRow());
    ProgramChanged(&before);
}

void CVelmoraDlg::ClearProgram() {
    m_grid.EndEditing();
    if (!AskSaveChanges())
        return;
    const ProgramState before = ShownProgram();
    m_modified = 1;
    m_grid.DeleteAllItems();
    m_chart.m_nSelected = -1;
    InsertProgramRow(m_grid.GetItemCount(), nullptr, true);
    RecheckAndRedraw();
    m_grid.SelectRow(0);
    ::SetFocus(m_grid.m_hWnd);
    ShowRowStatus(m_grid.GetSelectedRow());
    ProgramChanged(&before);
}

bool CVelmoraDlg::CopyRow() {
    const int sel = m_grid.GetSelectedRow();
    if (sel < 0)
        return false;
    GridToRows();
    // Rows read back from the grid carry no check results; the status line reads them.
    m_checkResult = CheckProgram(m_rows, m_rowCount);
    if (sel >= m_rowCount)
        return false;
    uint8_t block[CLIPBOARD_BLOCK_SIZE];
    FormatClipboardBlock(sel, m_rows, block);
    // The block is made before the clipboard is emptied: a failure leaves it as it was.
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, CLIPBOARD_BLOCK_SIZE);
    if (!memory)
        return false;
    {
        GlobalLockScope lock(memory);
        if (!lock.Data()) {
            ::GlobalFree(memory);
            return false;
        }
        std::memcpy(lock.Data(), block, sizeof block);
    }
    ClipboardSession clipboard(m_hWnd);
    if (!clipboard || !::EmptyClipboard()) {
        ::GlobalFree(memory);
        return false;
    }
    // Once placed, the block belongs to the clipboard.
    if (!::SetClipboardData(CF_PROGRAM_ROW, memory)) {
        ::GlobalFree(memory);
        return false;
    }
    return true;
}

void CVelmoraDlg::CutRow() {
    m_grid.EndEditing();
    const int sel = m_grid.GetSelectedRow();
    if (sel < 0 || sel >= m_grid.GetItemCount())
        return;
    // A row whose copy did not reach the clipboard would be lost.
    if (CopyRow())
        DeleteCommand();
}

void CVelmoraDlg::PasteRow() {
    m_grid.EndEditing();
    const int sel = m_grid.GetSelectedRow();
    const int n = m_grid.GetItemCount();
    if (sel < 0 || n >= MAX_ROWS || sel >= n)
        return;
    if (!::IsClipboardFormatAvailable(CF_PROGRAM_ROW))
        return;
    // The block comes from any program: its size is whatever it is, and it
    // need not hold a NUL. Only a bounded copy of it is read.
    std::vector<uint8_t> copy;
    {
        ClipboardSession clipboard(m_hWnd);
        if (!clipboard)
            return;
        HGLOBAL data = static_cast<HGLOBAL>(::GetClipboardData(CF_PROGRAM_ROW));
        if (!data)
            return;
        const size_t size = std::min<size_t>(::GlobalSize(data), MAX_PASTE_BYTES);
        GlobalLockScope lock(data);
        if (!lock.Data())
            return;
        const auto* bytes = static_cast<const uint8_t*>(lock.Data());
        copy.assign(bytes, bytes + size);
    }
    ProgramRow record = {};
    if (!ParseClipboardBlock(copy.data(), copy.size(), record))
        return;
    const ProgramState before = ShownProgram();
    m_modified = 1;
    if (!InsertProgramRow(sel, &record, true))
        return;
    FollowInsertedRow(sel);
    ProgramChanged(&before);
}

void CVelmoraDlg::ShowContextMenu(int x, int y) {
    m_grid.EndEditing();
    RECT grid;
    if (!m_grid.m_hWnd || !::GetWindowRect(m_grid.m_hWnd, &grid) || !::PtInRect(&grid, POINT{x, y}))
        return;
    if (m_grid.GetSelectedRow() < 0)
        return;
    CMenuHandle menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CONTEXT_MENU)));
    HMENU popup = menu ? ::GetSubMenu(menu, 0) : nullptr;
    if (!popup)
        return;
    AddHistoryItems(popup);
    COwnerDrawnMenu look(popup);
    const UINT items[] = {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_ROW_DELETE, ID_INSERT_BLANK};
    for (int i = 0; i < 5; ++i)
        look.SetItemText(popup, items[i], false, MenuText(i + 1));
    look.SetItemText(popup, INSERT_SUBMENU_POSITION, true, MenuText(6));
    look.SetItemText(popup, ID_EDIT_UNDO, false, g_velmoraApp.Text(XT_MENU_UNDO));
    look.SetItemText(popup, ID_EDIT_REDO, false, g_velmoraApp.Text(XT_MENU_REDO));
    if (!m_history.CanUndo())
        ::EnableMenuItem(popup, ID_EDIT_UNDO, MF_BYCOMMAND | MF_GRAYED);
    if (!m_history.CanRedo())
        ::EnableMenuItem(popup, ID_EDIT_REDO, MF_BYCOMMAND | MF_GRAYED);
    if (!::IsClipboardFormatAvailable(CF_PROGRAM_ROW))
        ::EnableMenuItem(popup, ID_EDIT_PASTE, MF_BYCOMMAND | MF_GRAYED);
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, m_hWnd, nullptr);
}

LRESULT CVelmoraDlg::OnMeasureItem(WPARAM, LPARAM lParam) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!mis || !COwnerDrawnMenu::Measure(*mis))
        return Default();
    return TRUE;
}

LRESULT CVelmoraDlg::OnDrawItem(WPARAM, LPARAM lParam) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!dis || !COwnerDrawnMenu::Draw(*dis))
        return Default();
    return TRUE;
}

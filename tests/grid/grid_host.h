// A real grid in a recording host window, driven by the messages that user
// input produces.
#pragma once
#include "grid/edit_list_ctrl_ex.h"
#include "grid/grid_messages.h"
#include "tests/support/test_support.h"
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace grid_testing {

constexpr UINT GRID_ID = 1001;
constexpr DWORD GRID_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                             LVS_SHOWSELALWAYS;

// The host window: records the grid's posted messages, the list
// notifications that reach its message map and every command it receives.
class GridParent : public testing_support::RecordingParent {
public:
    GridParent() : RecordingParent(WM_USER, WM_USER + 200) {}
    std::vector<UINT> notifications;
    std::vector<WPARAM> commands;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnListNotify(NMHDR* hdr, LRESULT*) { notifications.push_back(hdr->code); }
    DECLARE_MESSAGE_MAP()
};

class GridHost {
public:
    // A host with a grid of the nine columns and `rows` numbered rows.
    explicit GridHost(int rows = 4, int width = 520, int height = 320);

    GridParent parent;
    CEditListCtrlEx grid;

    // Registers a value list and returns its 1-based number.
    int AddList(std::initializer_list<const wchar_t*> texts);
    // Makes a cell an editable drop-down over list `number`.
    void MakeCombo(int row, int column, int number);

    RECT Label(int row, int column) const;
    POINT Centre(int row, int column) const;
    // Left button down and up at a client point, then the queue is pumped.
    void Press(POINT point);
    void Click(int row, int column) { Press(Centre(row, column)); }

    HWND Combo() const { return ::GetDlgItem(grid.m_hWnd, GRID_COMBO_ID); }
    HWND Edit() const { return ::GetDlgItem(grid.m_hWnd, GRID_EDIT_ID); }
    std::vector<std::wstring> ComboEntries() const;
    int ComboSelection() const;
    std::wstring ComboSelectedText() const;
    std::wstring Text(int row, int column) const { return grid.GetItemText(row, column); }
};

// The reports of one message: {row, column, lParam} each.
struct Report {
    int row;
    int column;
    LPARAM changed;
    bool operator==(const Report&) const = default;
};
void PrintTo(const Report& report, std::ostream* out);
std::vector<Report> TakeReports(testing_support::RecordingParent& parent, UINT message);

// Delivers the queued messages the way the dialog loop does: the target and
// then each parent see a message in their pre-translate hook first. Returns
// how many messages a hook consumed.
int PumpThroughPreTranslate();

}  // namespace grid_testing

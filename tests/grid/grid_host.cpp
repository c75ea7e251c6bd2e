#include "tests/grid/grid_host.h"
#include "framework/controls.h"
#include <gtest/gtest.h>

using namespace testing_support;

namespace grid_testing {

// clang-format off
BEGIN_MESSAGE_MAP(GridParent, RecordingParent)
    Notify<&ThisClass::OnListNotify>(NM_CLICK, GRID_ID),
    Notify<&ThisClass::OnListNotify>(NM_DBLCLK, GRID_ID),
    Notify<&ThisClass::OnListNotify>(LVN_ITEMCHANGED, GRID_ID),
END_MESSAGE_MAP()
// clang-format on

LRESULT GridParent::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND)
        commands.push_back(wParam);
    return RecordingParent::WindowProc(msg, wParam, lParam);
}

GridHost::GridHost(int rows, int width, int height) {
    EXPECT_TRUE(parent.CreateHost(width + 20, height + 20, L"Grid"));
    EXPECT_TRUE(grid.Create(GRID_STYLE, RECT{10, 10, 10 + width, 10 + height}, parent.m_hWnd, GRID_ID));
    grid.SetUpColumns();
    for (int i = 0; i < rows; ++i)
        grid.InsertItem(i, std::to_wstring(i + 1));
    PumpMessages();
}

int GridHost::AddList(std::initializer_list<const wchar_t*> texts) {
    std::vector<const wchar_t*> array(texts);
    return grid.AddValueList(static_cast<int>(array.size()), array.data()) + 1;
}

void GridHost::MakeCombo(int row, int column, int number) {
    grid.SetCellEditable(row, column);
    grid.SetCellEditor(row, column, CELL_COMBO);
    grid.SetCellList(row, column, static_cast<BYTE>(number));
}

RECT GridHost::Label(int row, int column) const {
    RECT rect{};
    EXPECT_TRUE(grid.GetSubItemRect(row, column, LVIR_LABEL, rect)) << row << "," << column;
    return rect;
}

POINT GridHost::Centre(int row, int column) const {
    const RECT rect = Label(row, column);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void GridHost::Press(POINT point) {
    const LPARAM at = MAKELPARAM(point.x, point.y);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    grid.SendMessage(WM_LBUTTONUP, 0, at);
    PumpMessages();
}

std::vector<std::wstring> GridHost::ComboEntries() const {
    CComboBox combo;
    std::vector<std::wstring> entries;
    combo.m_hWnd = Combo();
    if (combo.m_hWnd) {
        for (int i = 0; i < combo.GetCount(); ++i)
            entries.push_back(combo.GetLBText(i));
    }
    combo.m_hWnd = nullptr;  // borrowed, not owned
    return entries;
}

int GridHost::ComboSelection() const { return static_cast<int>(::SendMessageW(Combo(), CB_GETCURSEL, 0, 0)); }

std::wstring GridHost::ComboSelectedText() const {
    const int index = ComboSelection();
    const auto entries = ComboEntries();
    return index >= 0 && index < static_cast<int>(entries.size()) ? entries[static_cast<size_t>(index)] : L"<none>";
}

std::vector<Report> TakeReports(RecordingParent& parent, UINT message) {
    std::vector<Report> reports;
    for (const auto& m : parent.Take(message))
        reports.push_back({static_cast<int>(LOWORD(m.wParam)), static_cast<int>(HIWORD(m.wParam)), m.lParam});
    return reports;
}

void PrintTo(const Report& report, std::ostream* out) {
    *out << "{row " << report.row << ", column " << report.column << ", changed " << report.changed << "}";
}

int PumpThroughPreTranslate() {
    int consumed = 0;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        bool taken = false;
        for (HWND hwnd = msg.hwnd; hwnd && !taken; hwnd = ::GetParent(hwnd)) {
            if (CWnd* wnd = CWnd::FromHandle(hwnd))
                taken = wnd->PreTranslateMessage(&msg) != FALSE;
        }
        if (taken) {
            ++consumed;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return consumed;
}

}  // namespace grid_testing

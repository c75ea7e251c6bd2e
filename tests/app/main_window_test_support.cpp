#include "tests/app/main_window_test_support.h"
#include "app/velmora_app.h"
#include "framework/class_takeover.h"
#include "grid/grid_messages.h"
#include "model/program_row.h"
#include "model/vocabulary.h"
#include "res/resource.h"
#include <commctrl.h>

namespace mw_test {

MainWindowTest::MainWindowTest() : folder(L"mainwin-" + app_test::CurrentTestName()) {}

void MainWindowTest::SetUp() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    framework::TakeOverCommonControls();  // as the application's start-up does
    CVelmoraApp& app = g_velmoraApp;
    app.m_exeFolder = folder.path();
    app.m_settingsPath = folder / L"Velmora.ini";
    app.LoadLanguagePacks();
    app.m_curPack = 0;
    app.m_winWidth = 1000;
    app.m_winHeight = 700;
}

LRESULT LargeWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = MainWindowHarness::WindowProc(msg, wParam, lParam);
    if (msg == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = POINT{200, 200};
        info->ptMaxTrackSize = POINT{4000, 3000};
    }
    return result;
}

void Choose(MainWindowHarness& window, int row, int column, const std::wstring& text, bool changed) {
    window.Grid().SetItemText(row, column, text);
    window.PostMessage(WM_GRID_COMBOEND, GridCellParam(row, column), changed ? 1 : 0);
    window.Pump();
}

void ShowExample(MainWindowHarness& window) {
    struct Line {
        int16_t code;
        const wchar_t* texts[8];
    };
    const Line lines[8] = {
        {CMD_FOR, {L"FOR", L"\u221E"}},
        {CMD_IF, {L"IF", L"IN1", L"\u2267", L"100", L"THEN", L"3", L"ELSE", L"5"}},
        {CMD_OUT1, {L"OUT1", L"0.5"}},
        {CMD_GOTO, {L"GOTO", L"6"}},
        {CMD_OUT2, {L"OUT2", L"2"}},
        {CMD_NEXT, {L"NEXT"}},
        {CMD_END, {L"END"}},
        {CMD_NONE, {}},
    };
    ProgramRow rows[8] = {};
    for (int i = 0; i < 8; ++i) {
        ProgramRow& row = rows[i];
        row.code = lines[i].code;
        if (lines[i].texts[0])
            SetRowText(row.name, lines[i].texts[0]);
        for (int p = 0; p < 7; ++p) {
            if (lines[i].texts[p + 1])
                SetRowText(row.params[p], lines[i].texts[p + 1]);
        }
    }
    window.ShowProgram(rows);
    window.Pump();
}

RECT ControlRect(HWND dialog, HWND control) {
    RECT rc{};
    ::GetWindowRect(control, &rc);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

RECT ControlRect(HWND dialog, int id) { return ControlRect(dialog, ::GetDlgItem(dialog, id)); }

void SetClientSize(MainWindowHarness& window, int width, int height) {
    RECT outer = window.GetWindowRect();
    RECT client = window.GetClientRect();
    const int extraX = (outer.right - outer.left) - client.right;
    const int extraY = (outer.bottom - outer.top) - client.bottom;
    ::SetWindowPos(window, nullptr, 0, 0, width + extraX, height + extraY, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    window.Pump();
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[512] = {};
    ::GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

std::wstring StatusText(HWND dialog) { return TextOf(::GetDlgItem(dialog, IDC_STATUS)); }

}  // namespace mw_test

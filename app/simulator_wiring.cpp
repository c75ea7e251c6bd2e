// The main window's side of the simulator: the Run button in the free space
// of the top bar, opening the window, and the links it runs through.
#include "app/main_window.h"
#include "app/velmora_app.h"
#include "model/checker.h"
#include "res/resource.h"
#include "app/button_looks.h"

#include <shellapi.h>

namespace {

constexpr int kRunButtonGap = 3;

// "Velmora.exe /run" opens the simulator with the editor.
bool AskedToRunAtStart() {
    int count = 0;
    wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!args)
        return false;
    bool asked = false;
    for (int i = 1; i < count; ++i)
        asked = asked || ::CompareStringOrdinal(args[i], -1, L"/run", -1, TRUE) == CSTR_EQUAL;
    ::LocalFree(args);
    return asked;
}

}  // namespace

void CVelmoraDlg::OpenSimulatorIfAsked() {
    if (AskedToRunAtStart())
        OpenSimulator();
}

void CVelmoraDlg::CreateRunButton() {
    const HWND clear = GetDlgItem(IDC_CLEAR);
    if (!clear || m_btnRun.m_hWnd)
        return;
    RECT rc{};
    ::GetWindowRect(clear, &rc);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    const int width = rc.right - rc.left;
    const RECT place{rc.right + kRunButtonGap, rc.top, rc.right + kRunButtonGap + width, rc.bottom};
    if (!m_btnRun.Create(g_velmoraApp.Text(XT_SIM_OPEN).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                         place, m_hWnd, IDC_RUN_SIMULATOR))
        return;
    m_btnRun.SetFont(reinterpret_cast<HFONT>(::SendMessageW(clear, WM_GETFONT, 0, 0)), FALSE);
    // Shaded like Open, Save and Clear; its face carries no picture.
    ConfigureShadedButton(m_btnRun, ShadedButtonLook{IDC_RUN_SIMULATOR, 0, RGB(192, 192, 192)});
    ::SetWindowPos(m_btnRun, clear, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Right of Clear, as Clear is right of Save.
void CVelmoraDlg::PlaceRunButton() {
    const HWND clear = GetDlgItem(IDC_CLEAR);
    if (!clear || !m_btnRun.m_hWnd)
        return;
    RECT rc{};
    ::GetWindowRect(clear, &rc);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    ::SetWindowPos(m_btnRun, nullptr, rc.right + kRunButtonGap, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVelmoraDlg::OpenSimulator() {
    SimulatorLinks links;
    links.loadProgram = [this](DeviceRun& run) { return LoadRunProgram(run); };
    links.showRow = [this](int row) { ShowRunningRow(row); };
    m_simulator.Open(m_hWnd, std::move(links), g_velmoraApp.m_settingsPath);
}

bool CVelmoraDlg::LoadRunProgram(DeviceRun& run) {
    GridToRows();
    m_checkResult = CheckProgram(m_rows, m_rowCount);
    if (run.Load(m_rows, m_rowCount) < 0)
        return true;
    ShowSyntaxError();
    return false;
}

void CVelmoraDlg::ShowRunningRow(int row) {
    if (row < 0 || row >= m_grid.GetItemCount())
        return;
    // Out of view, the running row comes in second from the top with the rows
    // that run next below it: both views then scroll once a page, not at
    // every row (each scroll redraws a scroll bar, which is slow under Wine).
    m_grid.RevealNearTop(row);
    m_chart.RevealElementNearTop(row + 1);  // the flowchart's first element is its start
    // The grid tells the flowchart (LVN_ITEMCHANGED), which selects it.
    m_grid.SelectRow(row);
    m_grid.EnsureVisible(row, FALSE);
}

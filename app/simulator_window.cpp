#include "app/simulator_window.h"

#include "app/simulator_place.h"
#include "app/velmora_app.h"
#include "model/vocabulary.h"
#include "model/text_number.h"
#include <commctrl.h>

namespace {

constexpr const wchar_t* kSimulatorClass = L"VelmoraSimulator";
constexpr int kClientWidth = 380;
constexpr int kClientHeight = 420;
constexpr int kSwitchInput = 3;

// Where each slider starts and what a position means: the light slider walks
// the lux values an IF can name, the others count from their lowest value.
int SliderPositions(int input) {
    return input == 0 ? VocabularyCount(VocabLux) - 1 : InputRanges[input].high - InputRanges[input].low;
}

int SliderValue(int input, int position) {
    if (input == 0) {
        const wchar_t* lux = VocabularyText(VocabLux, position);
        return lux ? ReadDecimal(lux) : 0;
    }
    return InputRanges[input].low + position;
}

// The nearest position at or below a value.
int SliderPosition(int input, int value) {
    int position = 0;
    for (int p = 0; p <= SliderPositions(input); ++p)
        if (SliderValue(input, p) <= value)
            position = p;
    return position;
}

const wchar_t* const kUnits[RUN_INPUT_COUNT] = {L" Lux", L" dB", L" \u2103", L""};

std::wstring TenthsText(int64_t tenths) { return std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10); }

// A text with "{name}" replaced: the packs' texts are never used as a format.
std::wstring Fill(std::wstring text, std::wstring_view name, const std::wstring& value) {
    const size_t at = text.find(name);
    if (at != std::wstring::npos)
        text.replace(at, name.size(), value);
    return text;
}

const std::wstring& Text(ExtraTextId id) { return g_velmoraApp.Text(id); }

// Arial, as the grid: it has the ℃ and the Chinese texts.
HFONT MakeFont() {
    return ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CSimulatorWindow, CWnd)
    Command<&ThisClass::OnRun>(IDC_SIM_RUN),
    Command<&ThisClass::OnPause>(IDC_SIM_PAUSE),
    Command<&ThisClass::OnStep>(IDC_SIM_STEP),
    Command<&ThisClass::OnStop>(IDC_SIM_STOP),
    Command<&ThisClass::OnSpeed>(IDC_SIM_SPEED, CBN_SELCHANGE),
    Command<&ThisClass::OnSwitch>(IDC_SIM_SWITCH),
    HScroll<&ThisClass::OnHScroll>(),
    Timer<&ThisClass::OnTimer>(),
    Simple<&ThisClass::OnClose>(WM_CLOSE),
    Simple<&ThisClass::OnDestroy>(WM_DESTROY),
END_MESSAGE_MAP()
// clang-format on

BOOL CSimulatorWindow::PreCreateWindow(CREATESTRUCTW& cs) {
    return UseFrameworkClass(cs, kSimulatorClass, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

bool CSimulatorWindow::Open(HWND owner, SimulatorLinks links, const std::wstring& settingsPath) {
    if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        ::SetForegroundWindow(m_hWnd);
        return true;
    }
    m_links = std::move(links);
    m_settingsPath = settingsPath;
    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
    const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    const POINT place = SimulatorPlace(settingsPath, owner, size);
    const RECT rect{place.x, place.y, place.x + size.cx, place.y + size.cy};
    if (!Create(nullptr, Text(XT_SIM_TITLE).c_str(), style, rect, owner, 0, WS_EX_TOOLWINDOW))
        return false;
    CreateControls();
    ApplyLanguage();
    m_loaded = false;
    UpdateView();
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    return true;
}

void CSimulatorWindow::CreateControls() {
    m_font = CFont(MakeFont());
    const HFONT font = m_font;
    auto place = [](int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; };
    auto label = [&](UINT id, RECT rc, DWORD extra = 0) {
        const HWND control = ::CreateWindowExW(
            0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX | extra, rc.left, rc.top, rc.right - rc.left,
            rc.bottom - rc.top, m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(id)), ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };
    for (int i = 0; i < 4; ++i) {
        m_buttons[i].Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, place(8 + 92 * i, 8, 84, 26),
                            m_hWnd, IDC_SIM_RUN + i);
        m_buttons[i].SetFont(font, FALSE);
    }
    label(IDC_SIM_SPEED_LABEL, place(8, 46, 60, 18));
    m_speedCombo.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, place(72, 42, 80, 120),
                        m_hWnd, IDC_SIM_SPEED);
    m_speedCombo.SetFont(font, FALSE);
    for (int speed : kSimSpeeds)
        m_speedCombo.AddString(std::to_wstring(speed) + L"\u00D7");
    m_speedCombo.SetCurSel(0);
    m_clockText = label(IDC_SIM_CLOCK, place(170, 46, 200, 18));

    for (int input = 0; input < RUN_INPUT_COUNT; ++input) {
        const int y = 80 + 36 * input;
        label(IDC_SIM_INPUT_LABEL + input, place(8, y + 6, 90, 18));
        label(IDC_SIM_INPUT_VALUE + input, place(300, y + 6, 76, 18));
        if (input == kSwitchInput) {
            m_switch.Create(L"OFF / ON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                            place(104, y + 4, 120, 22), m_hWnd, IDC_SIM_SWITCH);
            m_switch.SetFont(font, FALSE);
            m_switch.SetCheck(m_run.Input(input) ? BST_CHECKED : BST_UNCHECKED);
        } else {
            CWnd& slider = m_sliders[input];
            slider.Create(TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS,
                          place(100, y, 196, 30), m_hWnd, IDC_SIM_SLIDER + input);
            slider.SendMessage(TBM_SETRANGEMIN, FALSE, 0);
            slider.SendMessage(TBM_SETRANGEMAX, FALSE, SliderPositions(input));
            slider.SendMessage(TBM_SETPOS, TRUE, SliderPosition(input, m_run.Input(input)));
        }
        ShowInputValue(input);
    }

    label(IDC_SIM_OUTPUTS_LABEL, place(8, 226, 200, 18));
    for (int i = 0; i < RUN_OUTPUT_COUNT; ++i) {
        const int x = 24 + 90 * i;
        m_lamps[i].Create(place(x, 248, 40, 40), m_hWnd, IDC_SIM_LAMP + i, kLampColours[i]);
        label(IDC_SIM_LAMP_NAME + i, place(x - 10, 292, 60, 18), SS_CENTER);
        SetText(IDC_SIM_LAMP_NAME + i, L"OUT" + std::to_wstring(i + 1));
    }
    label(IDC_SIM_LOOPS_LABEL, place(8, 316, 200, 18));
    m_loopsText = label(IDC_SIM_LOOPS, place(8, 334, 364, 52));
    m_statusText = label(IDC_SIM_STATUS, place(8, 392, 364, 22), SS_SUNKEN | SS_CENTERIMAGE);
}

void CSimulatorWindow::ApplyLanguage() {
    if (!m_hWnd)
        return;
    SetWindowText(Text(XT_SIM_TITLE));
    const ExtraTextId buttons[4] = {XT_SIM_RUN, XT_SIM_PAUSE, XT_SIM_STEP, XT_SIM_STOP};
    for (int i = 0; i < 4; ++i)
        m_buttons[i].SetWindowText(Text(buttons[i]));
    SetText(IDC_SIM_SPEED_LABEL, Text(XT_SIM_SPEED));
    const ExtraTextId inputs[RUN_INPUT_COUNT] = {XT_SIM_LIGHT, XT_SIM_SOUND, XT_SIM_TEMPERATURE, XT_SIM_SWITCH};
    for (int i = 0; i < RUN_INPUT_COUNT; ++i)
        SetText(IDC_SIM_INPUT_LABEL + i, Text(inputs[i]));
    SetText(IDC_SIM_OUTPUTS_LABEL, Text(XT_SIM_OUTPUTS));
    SetText(IDC_SIM_LOOPS_LABEL, Text(XT_SIM_LOOPS));
    UpdateView();
}

void CSimulatorWindow::SetText(UINT id, const std::wstring& text) {
    SetTextIfChanged(GetDlgItem(static_cast<int>(id)), text);
}

bool CSimulatorWindow::EnsureLoaded() {
    if (m_loaded)
        return true;
    if (!m_links.loadProgram || !m_links.loadProgram(m_run))
        return false;
    m_loaded = true;
    m_shownRow = -1;
    return true;
}

void CSimulatorWindow::SetRunning(bool running) {
    m_running = running;
    if (running)
        ::SetTimer(m_hWnd, TIMER_SIM_TICK, m_tickMs, nullptr);
    else
        ::KillTimer(m_hWnd, TIMER_SIM_TICK);
}

void CSimulatorWindow::OnRun() {
    if (!EnsureLoaded())
        return;
    if (m_run.State() == RunState::Ended)
        m_run.Restart();
    m_run.Resume();
    SetRunning(true);
    UpdateView();
}

void CSimulatorWindow::OnPause() {
    SetRunning(false);
    UpdateView();
}

void CSimulatorWindow::OnStep() {
    SetRunning(false);
    if (!EnsureLoaded())
        return;
    if (m_run.State() == RunState::Ended)
        m_run.Restart();
    m_run.Resume();
    m_run.StepRow();
    UpdateView();
}

void CSimulatorWindow::OnStop() {
    SetRunning(false);
    if (m_loaded)
        m_run.Restart();
    UpdateView();
}

void CSimulatorWindow::StopRun() {
    if (!m_hWnd)
        return;
    SetRunning(false);
    m_loaded = false;
    UpdateView();
}

void CSimulatorWindow::OnSpeed() {
    const int index = m_speedCombo.GetCurSel();
    if (index >= 0 && index < static_cast<int>(kSimSpeeds.size()))
        m_speed = kSimSpeeds[static_cast<size_t>(index)];
}

void CSimulatorWindow::OnTimer(UINT_PTR id) {
    if (id != TIMER_SIM_TICK || !m_running)
        return;
    m_run.RunUntil(m_run.Clock() + m_speed);
    if (m_run.State() == RunState::Ended || m_run.State() == RunState::BusyLoop)
        SetRunning(false);
    UpdateView();
}

void CSimulatorWindow::SetInput(int input, int value) {
    m_run.SetInput(input, value);
    if (input == kSwitchInput)
        m_switch.SetCheck(m_run.Input(input) ? BST_CHECKED : BST_UNCHECKED);
    else if (input >= 0 && input < kSwitchInput)
        m_sliders[input].SendMessage(TBM_SETPOS, TRUE, SliderPosition(input, m_run.Input(input)));
    ShowInputValue(input);
}

void CSimulatorWindow::OnSwitch() {
    m_run.SetInput(kSwitchInput, m_switch.GetCheck() == BST_CHECKED ? 1 : 0);
    ShowInputValue(kSwitchInput);
}

void CSimulatorWindow::OnHScroll(UINT, UINT, HWND bar) {
    for (int input = 0; input < kSwitchInput; ++input)
        if (bar && bar == m_sliders[input].m_hWnd)
            ReadSlider(input);
}

void CSimulatorWindow::ReadSlider(int input) {
    const int position = static_cast<int>(m_sliders[input].SendMessage(TBM_GETPOS));
    m_run.SetInput(input, SliderValue(input, position));
    ShowInputValue(input);
}

void CSimulatorWindow::ShowInputValue(int input) {
    const int value = m_run.Input(input);
    const std::wstring text = input == kSwitchInput ? (value ? L"ON" : L"OFF") : std::to_wstring(value) + kUnits[input];
    SetText(IDC_SIM_INPUT_VALUE + input, text);
}

std::wstring CSimulatorWindow::LoopsText() const {
    if (!m_loaded)
        return L"";
    std::wstring text;
    for (const ActiveLoop& loop : m_run.ActiveLoops()) {
        std::wstring line = Fill(Text(loop.runsLeft < 0 ? XT_SIM_LOOP_FOREVER : XT_SIM_LOOP_LEFT), L"{row}",
                                 std::to_wstring(loop.forRow + 1));
        line = Fill(line, L"{runs}", std::to_wstring(loop.runsLeft));
        text += (text.empty() ? L"" : L"\r\n") + line;
    }
    return text;
}

std::wstring CSimulatorWindow::StatusText() const {
    if (!m_loaded)
        return Text(XT_SIM_STATUS_STOPPED);
    switch (m_run.State()) {
    case RunState::Ended: return Text(XT_SIM_STATUS_ENDED);
    case RunState::BusyLoop: return Fill(Text(XT_SIM_STATUS_BUSY), L"{rows}", RowRangesText(m_run.BusyRows(), L", "));
    case RunState::Holding: return Fill(Text(XT_SIM_STATUS_HOLDING), L"{row}", std::to_wstring(m_run.Row() + 1));
    case RunState::Waiting:
        return Fill(Text(XT_SIM_STATUS_WAITING), L"{time}", TenthsText(m_run.WaitEnd() - m_run.Clock()));
    default: return Text(m_running ? XT_SIM_STATUS_RUNNING : XT_SIM_STATUS_PAUSED);
    }
}

void CSimulatorWindow::UpdateView() {
    if (!m_hWnd)
        return;
    const unsigned outputs = m_loaded ? m_run.Outputs() : 0;
    for (int i = 0; i < RUN_OUTPUT_COUNT; ++i)
        m_lamps[i].SetOn((outputs & (1u << i)) != 0);
    SetTextIfChanged(m_clockText, Text(XT_SIM_CLOCK) + L": " + TenthsText(m_loaded ? m_run.Clock() : 0) + L" s");
    SetTextIfChanged(m_loopsText, LoopsText());
    SetTextIfChanged(m_statusText, StatusText());
    const int row = m_loaded ? m_run.Row() : -1;
    if (row >= 0 && row != m_shownRow && m_links.showRow)
        m_links.showRow(row);
    m_shownRow = row;
}

void CSimulatorWindow::OnClose() { DestroyWindow(); }

void CSimulatorWindow::OnDestroy() {
    SetRunning(false);
    m_loaded = false;
    const RECT rect = GetWindowRect();
    SaveSimulatorPlace(m_settingsPath, POINT{rect.left, rect.top});
}

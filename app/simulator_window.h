// CSimulatorWindow: the program run on a simulated device, in a modeless
// window owned by the main window. Run, Pause, Step, Stop and the speed drive a
// DeviceRun; the learner sets the four inputs and watches the four output
// lamps, the clock, the loops going on and a status line. The running row is
// shown in the program's views through the links the owner gives.
#pragma once
#include "framework/controls.h"
#include "framework/gdi.h"
#include "framework/wnd.h"
#include "model/device_run.h"
#include "widgets/output_lamp.h"
#include <array>
#include <functional>
#include <string>

// Controls of the simulator window.
constexpr UINT IDC_SIM_RUN = 2001;
constexpr UINT IDC_SIM_PAUSE = 2002;
constexpr UINT IDC_SIM_STEP = 2003;
constexpr UINT IDC_SIM_STOP = 2004;
constexpr UINT IDC_SIM_SPEED_LABEL = 2005;
constexpr UINT IDC_SIM_SPEED = 2006;
constexpr UINT IDC_SIM_CLOCK = 2007;
constexpr UINT IDC_SIM_INPUT_LABEL = 2010;  // + input 0..3
constexpr UINT IDC_SIM_SLIDER = 2020;       // + input 0..2: light, sound, temperature
constexpr UINT IDC_SIM_SWITCH = 2023;       // the ON/OFF check box of IN4
constexpr UINT IDC_SIM_INPUT_VALUE = 2030;  // + input 0..3
constexpr UINT IDC_SIM_OUTPUTS_LABEL = 2040;
constexpr UINT IDC_SIM_LAMP = 2041;       // + output 0..3
constexpr UINT IDC_SIM_LAMP_NAME = 2045;  // + output 0..3
constexpr UINT IDC_SIM_LOOPS_LABEL = 2050;
constexpr UINT IDC_SIM_LOOPS = 2051;
constexpr UINT IDC_SIM_STATUS = 2052;

// The run's timer: each tick moves the simulated clock by the speed in tenths.
constexpr UINT_PTR TIMER_SIM_TICK = 1;
constexpr UINT TIMER_SIM_TICK_MS = 100;

constexpr std::array<int, 4> kSimSpeeds{1, 2, 5, 10};
// Lit colours of OUT1..OUT4.
constexpr std::array<COLORREF, RUN_OUTPUT_COUNT> kLampColours{RGB(230, 30, 30), RGB(30, 200, 60), RGB(250, 200, 0),
                                                              RGB(40, 110, 255)};

// What the simulator needs of the window that owns it.
struct SimulatorLinks {
    // Loads the program being edited into the run; false, after telling the
    // learner why, when it cannot run.
    std::function<bool(DeviceRun&)> loadProgram;
    // Shows the running row (0-based) in the program's views.
    std::function<void(int)> showRow;
};

class CSimulatorWindow : public CWnd {
public:
    // Creates the window (or brings it forward), at the place remembered in
    // the settings file when there is one, beside the owner otherwise.
    bool Open(HWND owner, SimulatorLinks links, const std::wstring& settingsPath);
    // The program changed: the run stops and starts afresh from the new program.
    void StopRun();
    // Texts in the current language.
    void ApplyLanguage();

    bool IsRunning() const { return m_running; }
    const DeviceRun& Run() const { return m_run; }
    // Sets an input as its control would, and moves the control.
    void SetInput(int input, int value);
    // The real time between ticks; tests that deliver their own ticks set it
    // out of reach.
    void SetTickInterval(UINT milliseconds) { m_tickMs = milliseconds; }

protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    DECLARE_MESSAGE_MAP()

private:
    void OnRun();
    void OnPause();
    void OnStep();
    void OnStop();
    void OnSpeed();
    void OnSwitch();
    void OnHScroll(UINT code, UINT pos, HWND bar);
    void OnTimer(UINT_PTR id);
    void OnClose();
    void OnDestroy();

    void CreateControls();
    bool EnsureLoaded();
    void SetRunning(bool running);
    void ReadSlider(int input);
    void ShowInputValue(int input);
    // Lamps, clock, loops, status and the running row, after the run moved.
    void UpdateView();
    std::wstring StatusText() const;
    std::wstring LoopsText() const;
    void SetText(UINT id, const std::wstring& text);

    SimulatorLinks m_links;
    std::wstring m_settingsPath;
    DeviceRun m_run;
    bool m_loaded = false;
    bool m_running = false;
    int m_speed = 1;
    UINT m_tickMs = TIMER_SIM_TICK_MS;
    int m_shownRow = -1;
    // The texts every tick sets, kept at creation: under Wine GetDlgItem
    // asks the window server for the list of children.
    HWND m_clockText = nullptr;
    HWND m_loopsText = nullptr;
    HWND m_statusText = nullptr;
    CFont m_font;  // before the controls: it goes after them
    std::array<CButton, 4> m_buttons;
    CComboBox m_speedCombo;
    std::array<CWnd, 3> m_sliders;
    CButton m_switch;
    std::array<COutputLamp, RUN_OUTPUT_COUNT> m_lamps;
};

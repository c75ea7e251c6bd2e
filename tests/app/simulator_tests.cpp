// The simulator window on the real main window: opened by the Run button and
// F5, driven by clicks, slider keys and delivered timer ticks (never waiting),
// checked through the run, the views' selections and the lamps' pixels.
#include "app/ini_file.h"
#include "app/velmora_app.h"
#include "model/vocabulary.h"
#include "widgets/ask_question.h"
#include "res/resource.h"
#include "tests/app/main_window_test_support.h"
#include <commctrl.h>

using namespace mw_test;

namespace {

constexpr int LIGHT = 0;
constexpr int kCommandColumn = 1;  // grid columns: number, command, parameters
constexpr int kFirstParam = 2;

class SimulatorTest : public MainWindowTest {};

// Opened as a click on Run does; the tests deliver every tick themselves.
CSimulatorWindow& OpenByButton(MainWindowHarness& w) {
    ::SendMessageW(w.GetDlgItem(IDC_RUN_SIMULATOR), BM_CLICK, 0, 0);
    w.Pump();
    w.Simulator().SetTickInterval(USER_TIMER_MAXIMUM);
    return w.Simulator();
}

void Click(MainWindowHarness& w, UINT id) {
    ::SendMessageW(w.Simulator().GetDlgItem(static_cast<int>(id)), BM_CLICK, 0, 0);
    w.Pump();
}

// One tick of the run's timer, as the system delivers it.
void Tick(MainWindowHarness& w, int ticks = 1) {
    for (int i = 0; i < ticks; ++i)
        w.Simulator().SendMessage(WM_TIMER, TIMER_SIM_TICK, 0);
    w.Pump();
}

// The light slider moved to its end by the keyboard, as a learner would.
void LightSliderKey(MainWindowHarness& w, UINT vk) {
    const HWND slider = w.Simulator().GetDlgItem(IDC_SIM_SLIDER + LIGHT);
    ::SetFocus(slider);
    w.PressKey(slider, vk);
}

// The colour at the middle of a lamp, as the screen shows it.
COLORREF LampPixel(MainWindowHarness& w, int output) {
    const HWND lamp = w.Simulator().GetDlgItem(IDC_SIM_LAMP + output);
    ::UpdateWindow(lamp);
    testing_support::PixelCanvas canvas(40, 40);
    testing_support::CaptureWindow(lamp, canvas);
    return canvas.At(20, 20);
}

void ExpectLit(MainWindowHarness& w, unsigned outputs) {
    for (int i = 0; i < RUN_OUTPUT_COUNT; ++i)
        EXPECT_EQ(LampPixel(w, i), outputs & (1u << i) ? kLampColours[i] : kLampOffColour) << "OUT" << i + 1;
}

std::wstring SimText(MainWindowHarness& w, UINT id) { return TextOf(w.Simulator().GetDlgItem(static_cast<int>(id))); }

}  // namespace

TEST_F(SimulatorTest, RunButtonAndF5OpenOneWindowOwnedByTheMainWindow) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        const RECT run = ControlRect(w, IDC_RUN_SIMULATOR);
        const RECT clear = ControlRect(w, IDC_CLEAR);
        EXPECT_EQ(run.top, clear.top) << "in the top bar beside Clear";
        EXPECT_GT(run.left, clear.right - 1);
        EXPECT_LT(run.right, ControlRect(w, IDC_LANG_LABEL).left) << "in the free space of the top bar";
        EXPECT_EQ(TextOf(w.GetDlgItem(IDC_RUN_SIMULATOR)), L"Run");

        w.PressKey(w.Grid(), VK_F5);
        const HWND first = w.Simulator().m_hWnd;
        ASSERT_TRUE(first);
        EXPECT_EQ(::GetWindow(first, GW_OWNER), w.m_hWnd);
        EXPECT_TRUE(::IsWindowVisible(first));
        OpenByButton(w);
        EXPECT_EQ(w.Simulator().m_hWnd, first) << "one simulator window";
        EXPECT_EQ(SimText(w, IDC_SIM_STATUS), L"stopped");
        EXPECT_EQ(SimText(w, IDC_SIM_INPUT_VALUE + 2), L"20 \u2103");
    });
}

TEST_F(SimulatorTest, WorkedExampleRunsAndTheLightSliderSwitchesTheLamps) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        CSimulatorWindow& sim = OpenByButton(w);
        Click(w, IDC_SIM_RUN);
        EXPECT_TRUE(sim.IsRunning());
        Tick(w);
        EXPECT_EQ(sim.Run().Row(), 4) << "dark: OUT2";
        ExpectLit(w, 0x2);
        EXPECT_EQ(SimText(w, IDC_SIM_STATUS), L"waiting 1.9 s");
        EXPECT_EQ(SimText(w, IDC_SIM_CLOCK), L"Time: 0.1 s");
        EXPECT_EQ(SimText(w, IDC_SIM_LOOPS), L"FOR on line 1: runs forever");

        LightSliderKey(w, VK_END);
        EXPECT_EQ(sim.Run().Input(LIGHT), 100000);
        EXPECT_EQ(SimText(w, IDC_SIM_INPUT_VALUE + LIGHT), L"100000 Lux");
        ExpectLit(w, 0x2);  // the output row runs its time out
        Tick(w, 19);
        EXPECT_EQ(sim.Run().Row(), 2) << "the next IF sees the light";
        ExpectLit(w, 0x1);

        LightSliderKey(w, VK_HOME);
        EXPECT_EQ(sim.Run().Input(LIGHT), 0);
        Tick(w, 5);
        ExpectLit(w, 0x2);

        // Just above and just below 100 lux, one step of the slider each.
        LightSliderKey(w, VK_RIGHT);
        EXPECT_EQ(sim.Run().Input(LIGHT), 10);
        for (int i = 0; i < 10; ++i)
            LightSliderKey(w, VK_RIGHT);
        EXPECT_EQ(sim.Run().Input(LIGHT), 200);
        Tick(w, 20);
        ExpectLit(w, 0x1);
        LightSliderKey(w, VK_LEFT);
        LightSliderKey(w, VK_LEFT);
        EXPECT_EQ(sim.Run().Input(LIGHT), 90);
        Tick(w, 5);
        ExpectLit(w, 0x2);

        Click(w, IDC_SIM_PAUSE);
        EXPECT_FALSE(sim.IsRunning());
        const int64_t clock = sim.Run().Clock();
        Tick(w, 3);
        EXPECT_EQ(sim.Run().Clock(), clock) << "a paused run ignores a late tick";
        Click(w, IDC_SIM_STOP);
        EXPECT_EQ(sim.Run().Clock(), 0);
        EXPECT_EQ(sim.Run().Row(), 0);
        ExpectLit(w, 0);
    });
}

TEST_F(SimulatorTest, SpeedMovesTheClockFaster) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        CSimulatorWindow& sim = OpenByButton(w);
        const HWND speed = sim.GetDlgItem(IDC_SIM_SPEED);
        for (int index = 0; index < 4; ++index) {
            ::SendMessageW(speed, CB_SETCURSEL, index, 0);
            sim.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SIM_SPEED, CBN_SELCHANGE), reinterpret_cast<LPARAM>(speed));
            Click(w, IDC_SIM_STOP);
            Click(w, IDC_SIM_RUN);
            Tick(w, 3);
            EXPECT_EQ(sim.Run().Clock(), 3 * kSimSpeeds[index]);
        }
    });
}

TEST_F(SimulatorTest, SelectionsFollowTheRunningRowStepByStep) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        OpenByButton(w);
        w.Simulator().SetInput(LIGHT, 500);
        // FOR, IF, OUT1 (waits), the wait over and GOTO 6, NEXT, IF, OUT1.
        const int expected[] = {1, 2, 2, 5, 1, 2, 2};
        for (int row : expected) {
            Click(w, IDC_SIM_STEP);
            EXPECT_EQ(w.Simulator().Run().Row(), row);
            EXPECT_EQ(w.Grid().GetSelectedRow(), row);
            EXPECT_EQ(w.Chart().m_nSelected, row + 1) << "the flowchart's element of the row";
        }
        EXPECT_FALSE(w.Simulator().IsRunning());
    });
}

// Past the edge of the view, the running row comes in second from the top
// with the rows that run next below it, and both views stay put until it
// leaves the view again: a scroll a page, not one at every row.
TEST_F(SimulatorTest, ViewsFollowTheRunningRowAPageAtATime) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ProgramRow rows[MAX_ROWS] = {};  // GOTO the next line, then END: a row a step
        for (int i = 0; i < MAX_ROWS; ++i) {
            const bool last = i == MAX_ROWS - 1;
            SetRowText(rows[i].name, last ? L"END" : L"GOTO");
            if (!last)
                SetRowText(rows[i].params[0], std::to_wstring(i + 2).c_str());
            rows[i].code = static_cast<int16_t>(FindCommand(RowText(rows[i].name)));
        }
        w.ShowProgram(rows);
        w.Pump();
        OpenByButton(w);
        const int page = w.Grid().GetCountPerPage();
        const int rowHeight = g_chartMetrics.rowHeight;
        const int chartHeight = w.Chart().GetClientRect().bottom;
        ASSERT_LT(page, MAX_ROWS / 2) << "the window shows part of the program";
        int top = w.Grid().GetTopIndex();
        int chartTop = w.Chart().GetScrollPosition().y;
        int gridScrolls = 0;
        int chartScrolls = 0;
        for (int step = 0; step < MAX_ROWS - 1; ++step) {
            Click(w, IDC_SIM_STEP);
            const int row = w.Simulator().Run().Row();
            SCOPED_TRACE(testing::Message() << "row " << row);
            ASSERT_EQ(w.Grid().GetSelectedRow(), row);
            if (w.Grid().GetTopIndex() != top) {
                ++gridScrolls;
                top = w.Grid().GetTopIndex();
                EXPECT_TRUE(top == row - 1 || top + page >= MAX_ROWS) << "second from the top, or the end in view";
            }
            EXPECT_TRUE(row >= top && row < top + page) << "the grid shows the row";
            const int element = row + 1;  // the flowchart's first element is its start
            if (w.Chart().GetScrollPosition().y != chartTop) {
                ++chartScrolls;
                chartTop = w.Chart().GetScrollPosition().y;
                EXPECT_LE(chartTop, (element - 1) * rowHeight) << "a row of context above it";
            }
            EXPECT_TRUE(element * rowHeight >= chartTop && (element + 1) * rowHeight <= chartTop + chartHeight)
                << "the flowchart shows the row";
        }
        EXPECT_GE(gridScrolls, 1);
        EXPECT_LE(gridScrolls, MAX_ROWS / (page - 1) + 1);
        EXPECT_GE(chartScrolls, 1);
        EXPECT_LE(chartScrolls, MAX_ROWS * rowHeight / (chartHeight - 2 * rowHeight) + 1);
    });
}

TEST_F(SimulatorTest, AnEditOpenOrClearStopsTheRun) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        CSimulatorWindow& sim = OpenByButton(w);
        Click(w, IDC_SIM_RUN);
        Tick(w);
        ExpectLit(w, 0x2);
        Choose(w, 4, kFirstParam, L"1");  // OUT2 2 becomes OUT2 1
        EXPECT_FALSE(sim.IsRunning());
        EXPECT_EQ(SimText(w, IDC_SIM_STATUS), L"stopped");
        ExpectLit(w, 0);
        Tick(w, 5);
        EXPECT_EQ(SimText(w, IDC_SIM_CLOCK), L"Time: 0.0 s") << "no tick moves a stopped run";

        Click(w, IDC_SIM_RUN);
        Tick(w, 11);
        EXPECT_EQ(sim.Run().WaitEnd(), 20) << "the run takes the edited program: OUT2 for 1 s";
        SetQuestionHook([](const QuestionRequest&) { return IDNO; });
        w.SendMessage(WM_COMMAND, IDC_CLEAR);
        w.Pump();
        SetQuestionHook({});
        EXPECT_FALSE(sim.IsRunning());
        EXPECT_EQ(SimText(w, IDC_SIM_STATUS), L"stopped");

        ShowExample(w);
        Click(w, IDC_SIM_RUN);
        EXPECT_TRUE(sim.IsRunning());
        const std::wstring file = (folder / L"open.STXT");
        ASSERT_TRUE(w.SaveProgramFile(file) == 1);
        w.LoadProgramFile(file);
        EXPECT_FALSE(sim.IsRunning()) << "opening a program stops the run";
    });
}

// The change that stops a run is also a step of the history, and moving
// through the history changes the program too.
TEST_F(SimulatorTest, UndoAndRedoStopTheRunAndTheEditIsOneStep) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        w.StartHistory();  // the example as a loaded file starts it
        CSimulatorWindow& sim = OpenByButton(w);
        Choose(w, 4, kFirstParam, L"1");  // OUT2 2 becomes OUT2 1
        const auto runTo = [&](int wantedEnd, const char* what) {
            Click(w, IDC_SIM_RUN);
            ASSERT_TRUE(sim.IsRunning()) << what;
            Tick(w, 21);  // 2.1 s: inside the second wait of OUT2 1, the first of OUT2 2
            EXPECT_EQ(sim.Run().WaitEnd(), wantedEnd) << what;
        };
        runTo(30, "the edited program: OUT2 for 1 s");
        w.SendMessage(WM_COMMAND, ID_EDIT_UNDO);
        w.Pump();
        EXPECT_FALSE(sim.IsRunning()) << "an undo stops the run";
        EXPECT_EQ(SimText(w, IDC_SIM_STATUS), L"stopped");
        EXPECT_EQ(w.Grid().GetItemText(4, kFirstParam), L"2") << "the edit was one step";
        runTo(40, "the program before the edit: OUT2 for 2 s");
        w.SendMessage(WM_COMMAND, ID_EDIT_REDO);
        w.Pump();
        EXPECT_FALSE(sim.IsRunning()) << "a redo stops the run";
        EXPECT_EQ(w.Grid().GetItemText(4, kFirstParam), L"1");
    });
}

TEST_F(SimulatorTest, AFaultyProgramShowsTheSyntaxErrorAndDoesNotRun) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        Choose(w, 2, kFirstParam, L"");  // OUT1 without its time
        OpenByButton(w);
        Click(w, IDC_SIM_RUN);
        EXPECT_FALSE(w.Simulator().IsRunning());
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, L"Sytax Error!\r\n3:No parameters!");
        Click(w, IDC_SIM_STEP);
        EXPECT_EQ(boxes.boxes.size(), 2u);
        EXPECT_EQ(SimText(w, IDC_SIM_STATUS), L"stopped");
    });
}

TEST_F(SimulatorTest, ABusyLoopPausesAndSaysWhichRowsLoop) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        Choose(w, 3, kFirstParam, L"2");  // GOTO 2: with light, IF -> OUT1 -> GOTO 2 takes time; row 4 loops to 2
        Choose(w, 2, kCommandColumn, L"STOP");
        Choose(w, 2, kFirstParam, L"x");
        CSimulatorWindow& sim = OpenByButton(w);
        sim.SetInput(LIGHT, 500);
        Click(w, IDC_SIM_RUN);
        Tick(w);
        EXPECT_FALSE(sim.IsRunning());
        EXPECT_EQ(sim.Run().State(), RunState::BusyLoop);
        EXPECT_EQ(SimText(w, IDC_SIM_STATUS), L"paused: rows 1\u20134 loop without time");
    });
}

TEST_F(SimulatorTest, ChineseTextsAfterALanguageSwitch) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        OpenByButton(w);
        w.LangCombo().SetCurSel(1);
        w.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LANG_COMBO, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(w.LangCombo().m_hWnd));
        w.Pump();
        EXPECT_EQ(TextOf(w.GetDlgItem(IDC_RUN_SIMULATOR)), L"运行");
        EXPECT_EQ(TextOf(w.Simulator()), L"模拟器");
        EXPECT_EQ(SimText(w, IDC_SIM_RUN), L"运行");
        EXPECT_EQ(SimText(w, IDC_SIM_PAUSE), L"暂停");
        EXPECT_EQ(SimText(w, IDC_SIM_STEP), L"单步");
        EXPECT_EQ(SimText(w, IDC_SIM_STOP), L"停止");
        EXPECT_EQ(SimText(w, IDC_SIM_INPUT_LABEL + 0), L"光照");
        EXPECT_EQ(SimText(w, IDC_SIM_INPUT_LABEL + 3), L"开关");
        EXPECT_EQ(SimText(w, IDC_SIM_STATUS), L"已停止");
        ShowExample(w);
        Click(w, IDC_SIM_RUN);
        Tick(w);
        EXPECT_EQ(SimText(w, IDC_SIM_STATUS), L"等待 1.9 秒");
        EXPECT_EQ(SimText(w, IDC_SIM_LOOPS), L"第1行 FOR：无限循环");
    });
}

TEST_F(SimulatorTest, APackWithoutTheTextsFallsBackToEnglish) {
    // A third pack named "Deutsch" in the settings file, with no simulator keys.
    EnsureUnicodeIni(g_velmoraApp.m_settingsPath);
    WriteIniString(g_velmoraApp.m_settingsPath, L"Language", L"1", L"Deutsch");
    WriteIniString(g_velmoraApp.m_settingsPath, L"Deutsch", L"C1", L"Öffnen");
    g_velmoraApp.LoadLanguagePacks();
    ASSERT_EQ(g_velmoraApp.m_packCount, 3);
    ASSERT_EQ(std::wstring(PackText(g_velmoraApp.m_packs[0].name, PACK_NAME_SIZE)), L"Deutsch");
    g_velmoraApp.m_curPack = 0;
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        OpenByButton(w);
        EXPECT_EQ(SimText(w, IDC_SIM_STEP), L"Step");
        EXPECT_EQ(TextOf(w.GetDlgItem(IDC_RUN_SIMULATOR)), L"Run");
    });
}

TEST_F(SimulatorTest, PositionIsRememberedInTheSettingsFile) {
    const std::wstring& ini = g_velmoraApp.m_settingsPath;
    {
        MainWindowHarness window;
        window.Run([&](MainWindowHarness& w) {
            OpenByButton(w);
            ::SetWindowPos(w.Simulator(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            w.Simulator().SendMessage(WM_CLOSE);
            w.Pump();
            EXPECT_FALSE(w.Simulator().m_hWnd);
            EXPECT_EQ(ReadIniString(ini, L"Simulator", L"Left", 16), L"123");
            EXPECT_EQ(ReadIniString(ini, L"Simulator", L"Top", 16), L"77");
            OpenByButton(w);
            const RECT rc = w.Simulator().GetWindowRect();
            EXPECT_EQ(rc.left, 123);
            EXPECT_EQ(rc.top, 77);
        });
    }
    for (const wchar_t* left : {L"99999999999", L"-4000000", L"abc", L"12x"}) {
        WriteIniString(ini, L"Simulator", L"Left", left);
        MainWindowHarness window;
        window.Run([&](MainWindowHarness& w) {
            OpenByButton(w);
            const RECT rc = w.Simulator().GetWindowRect();
            EXPECT_GE(rc.left, ::GetSystemMetrics(SM_XVIRTUALSCREEN)) << left;
            EXPECT_LE(rc.right, ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN)) << left;
        });
    }
}

TEST_F(SimulatorTest, ClosingTheMainWindowClosesTheSimulator) {
    HWND simulator = nullptr;
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        OpenByButton(w);
        simulator = w.Simulator().m_hWnd;
        w.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_FALSE(::IsWindow(simulator));
}

TEST_F(SimulatorTest, NoGdiGrowthOverAThousandSteps) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        CSimulatorWindow& sim = OpenByButton(w);
        sim.SetInput(LIGHT, 500);
        for (int i = 0; i < 50; ++i)
            Click(w, IDC_SIM_STEP);
        ::UpdateWindow(sim);
        const int before = testing_support::CountGdiObjects();
        for (int i = 0; i < 1000; ++i) {
            Click(w, IDC_SIM_STEP);
            ::UpdateWindow(sim);
            ::UpdateWindow(w.Chart());
        }
        EXPECT_EQ(testing_support::CountGdiObjects(), before);
    });
}

TEST_F(SimulatorTest, ScreenshotOfTheWorkedExampleRunning) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowExample(w);
        CSimulatorWindow& sim = OpenByButton(w);
        const RECT main = w.GetWindowRect();
        const RECT rc = sim.GetWindowRect();
        ::SetWindowPos(sim, nullptr, main.right - (rc.right - rc.left) - 12, main.top + 90, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER);
        sim.SetInput(LIGHT, 500);
        Click(w, IDC_SIM_RUN);
        Tick(w, 12);
        ExpectLit(w, 0x1);
        ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::RedrawWindow(sim, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        w.Pump();
        // The editor with the simulator beside it.
        const RECT beside = sim.GetWindowRect();
        const int simWidth = beside.right - beside.left;
        testing_support::PixelCanvas shot(main.right - main.left + 12 + simWidth, main.bottom - main.top,
                                          RGB(255, 255, 255));
        testing_support::PixelCanvas editor(main.right - main.left, main.bottom - main.top);
        testing_support::CaptureWindow(w, editor);
        ::BitBlt(shot.dc(), 0, 0, editor.width(), editor.height(), editor.dc(), 0, 0, SRCCOPY);
        testing_support::PixelCanvas simulator(simWidth, beside.bottom - beside.top);
        testing_support::CaptureWindow(sim, simulator);
        ::BitBlt(shot.dc(), main.right - main.left + 12, 90, simulator.width(), simulator.height(), simulator.dc(), 0,
                 0, SRCCOPY);
        EXPECT_TRUE(shot.SaveBmp(L"simulator_running.bmp"));
    });
}

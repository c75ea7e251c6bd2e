// `make bench`: figures, not limits. One edit of a 50-row program and its
// repaint, the re-check alone, an undo or redo, resizes of the main window, start-up to the
// first complete paint and the flowchart's off-screen strip, each beside the
// floor measured in the same run: a bare list view of the grid's size and
// contents fully repainted, the same list in a bare framed window resized,
// and a bare window's start-up.
#include "grid/grid_messages.h"
#include "model/checker.h"
#include "model/vocabulary.h"
#include "res/resource.h"
#include "tests/app/main_window_test_support.h"
#include "tests/app/velmora_process.h"
#include "tests/bench/bench_figures.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

using namespace mw_test;
using bench::MedianMilliseconds;
using bench::PrintFigure;

namespace {

// 50 rows: FOR, then IF, outputs, stops and jumps in turn, then NEXT and END.
void ShowLongProgram(MainWindowHarness& w) {
    struct Line {
        const wchar_t* name;
        const wchar_t* p1;
        const wchar_t* p3;
    };
    const Line body[] = {{L"IF", L"IN1", L"100"},
                         {L"OUT1", L"0.5", nullptr},
                         {L"OUT2", L"2", nullptr},
                         {L"STOP", L"1", nullptr},
                         {L"GOTO", L"3", nullptr}};
    ProgramRow rows[MAX_ROWS] = {};
    for (int i = 0; i < MAX_ROWS; ++i) {
        const Line line = i == 0              ? Line{L"FOR", L"\u221E", nullptr}
                          : i == MAX_ROWS - 2 ? Line{L"NEXT", nullptr, nullptr}
                          : i == MAX_ROWS - 1 ? Line{L"END", nullptr, nullptr}
                                              : body[(i - 1) % 5];
        ProgramRow& row = rows[i];
        SetRowText(row.name, line.name);
        if (line.p1)
            SetRowText(row.params[0], line.p1);
        if (line.p3)
            SetRowText(row.params[2], line.p3);
        row.code = static_cast<int16_t>(FindCommand(line.name));
    }
    w.ShowProgram(rows);
    w.StartHistory();  // an undo goes back one edit, not to the program before this one
    w.Pump();
}

// 50 rows that run: outputs of 0.1 s in turn, the last row jumping back to line 1.
void ShowRunningProgram(MainWindowHarness& w) {
    const wchar_t* const outputs[] = {L"OUT1", L"OUT2", L"OUT3", L"OUT4"};
    ProgramRow rows[MAX_ROWS] = {};
    for (int i = 0; i < MAX_ROWS; ++i) {
        ProgramRow& row = rows[i];
        const bool last = i == MAX_ROWS - 1;
        SetRowText(row.name, last ? L"GOTO" : outputs[i % 4]);
        SetRowText(row.params[0], last ? L"1" : L"0.1");
        row.code = static_cast<int16_t>(FindCommand(RowText(row.name)));
    }
    w.ShowProgram(rows);
    w.StartHistory();  // an undo goes back one edit, not to the program before this one
    w.Pump();
}

void Paint(HWND hwnd) { ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// The window resized from 1000 x 700 to `size` and back, laid out by
// `layOut` (the main window does it itself) and repainted each time.
double ResizeMilliseconds(HWND w, SIZE size, const std::function<void()>& layOut = {}) {
    return MedianMilliseconds(10, [&](int i) {
        const bool back = i % 2 != 0;
        ::SetWindowPos(w, nullptr, 0, 0, back ? 1000 : size.cx, back ? 700 : size.cy, SWP_NOMOVE | SWP_NOZORDER);
        if (layOut)
            layOut();
        Paint(w);
    });
}

// What a resize repaints, part by part, each invalidated alone and repainted
// at once: the platform draws the header and the scroll bars (themed), the
// editor the rest. A resize is this repaint plus the top-level window's own
// move and the layout of the children.
void PrintResizeParts(MainWindowHarness& w) {
    auto repaint = [](HWND hwnd, UINT flags) {
        return MedianMilliseconds(15, [&](int) { ::RedrawWindow(hwnd, nullptr, nullptr, flags | RDW_UPDATENOW); });
    };
    const HWND grid = w.Grid().m_hWnd;
    const HWND chart = w.Chart().m_hWnd;
    constexpr UINT kClient = RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN;
    constexpr UINT kFrame = RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE | RDW_NOCHILDREN;
    PrintFigure("  of a resize: the whole window repainted", repaint(w, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN));
    PrintFigure("    the grid's header (drawn by the platform, themed)", repaint(ListView_GetHeader(grid), kClient));
    PrintFigure("    the grid's frame and scroll bars (the same)",
                std::max(0.0, repaint(grid, kFrame) - repaint(grid, kClient)));
    PrintFigure("    the grid's rows", repaint(grid, kClient));
    PrintFigure("    the flowchart's frame and scroll bars (the same)",
                std::max(0.0, repaint(chart, kFrame) - repaint(chart, kClient)));
    PrintFigure("    the flowchart's drawing", repaint(chart, kClient));
    std::vector<double> buttons;
    for (int id = IDC_CMD_INSERT; id <= IDC_CMD_DELETE; ++id)
        buttons.push_back(repaint(::GetDlgItem(w, id), kClient));
    PrintFigure("    one command button (median of the 16)", bench::Median(buttons));
}

// A plain report list view in a window of its own, with the grid's size,
// font, columns and texts: what repainting the grid cannot beat. Framed, the
// window has a caption and a sizing border, as the main window has.
class BareList {
public:
    explicit BareList(const CEditListCtrlEx& grid, bool framed = false) {
        const RECT client = grid.GetClientRect();
        const DWORD style = framed ? WS_OVERLAPPEDWINDOW | WS_VISIBLE : WS_POPUP | WS_VISIBLE;
        m_window = ::CreateWindowExW(0, WC_STATICW, L"floor", style, 0, 0, client.right + 8, client.bottom + 8, nullptr,
                                     nullptr, nullptr, nullptr);
        m_list = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                   client.right + 4, client.bottom + 4, m_window, nullptr, nullptr, nullptr);
        ::SendMessageW(m_list, WM_SETFONT, grid.SendMessage(WM_GETFONT), FALSE);
        ::SendMessageW(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        const int columns = grid.GetColumnCount();
        for (int c = 0; c < columns; ++c) {
            LVCOLUMNW column{};
            column.mask = LVCF_WIDTH;
            column.cx = grid.GetColumnWidth(c);
            ::SendMessageW(m_list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
        }
        const int rows = grid.GetItemCount();
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                std::wstring text = grid.GetItemText(r, c);
                LVITEMW item{};
                item.mask = LVIF_TEXT;
                item.iItem = r;
                item.iSubItem = c;
                item.pszText = text.data();
                ::SendMessageW(m_list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, static_cast<WPARAM>(r),
                               reinterpret_cast<LPARAM>(&item));
            }
        }
        Paint(m_window);
    }
    ~BareList() { ::DestroyWindow(m_window); }
    BareList(const BareList&) = delete;
    BareList& operator=(const BareList&) = delete;

    void Repaint() const { ::RedrawWindow(m_list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }
    HWND Window() const { return m_window; }
    // Row `row` selected instead of the one before, repainted.
    void SelectAndPaint(int row) const {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        ::UpdateWindow(m_list);
    }
    // The list filling the window's client area, as a resize would leave it.
    void Fill() const {
        RECT client{};
        ::GetClientRect(m_window, &client);
        ::MoveWindow(m_list, 0, 0, client.right, client.bottom, TRUE);
    }

private:
    HWND m_window = nullptr;
    HWND m_list = nullptr;
};

// Start-up to the first complete paint: from process creation until the
// program waits for input with nothing left to process.
double StartUpMilliseconds(const std::wstring& exe, const std::wstring& folder) {
    return MedianMilliseconds(1, [&](int) {
        app_test::VelmoraProcess process(exe, folder);
        process.WaitUntilIdle();
    });
}

bool CopyInto(const app_test::ScratchFolder& folder, const std::wstring& from, const std::wstring& name) {
    return ::CopyFileW(from.c_str(), (folder / name).c_str(), FALSE) != FALSE;
}

// The view's strip bitmap, as bytes of pixels.
class StripProbe : public CListChartView {
public:
    size_t StripBytes() const {
        BITMAP bitmap{};
        if (!::GetObjectW(m_stripBitmap, sizeof bitmap, &bitmap))
            return 0;
        return static_cast<size_t>(bitmap.bmWidthBytes) * static_cast<size_t>(bitmap.bmHeight);
    }
};

}  // namespace

TEST_F(MainWindowTest, EditResizeAndRepaintFigures) {
    MainWindowHarness window;
    window.Run([](MainWindowHarness& w) {
        ShowLongProgram(w);
        ASSERT_EQ(w.Grid().GetItemCount(), MAX_ROWS);
        bench::PrintHeading("Main window, 50-row program (median of the runs):");
        const BareList bare(w.Grid());
        const double floor = MedianMilliseconds(20, [&](int) { bare.Repaint(); });
        PrintFigure("floor: a bare list view like the grid, fully repainted", floor);
        Paint(w);

        PrintFigure("one edit: drop-down report of an OUT1 time, repainted",
                    MedianMilliseconds(20,
                                       [&](int i) {
                                           w.Grid().SetItemText(1, 2, i % 2 ? L"0.5" : L"1");
                                           w.SendMessage(WM_GRID_COMBOEND, GridCellParam(1, 2), 1);
                                           Paint(w);
                                       }),
                    floor, 10);
        PrintFigure("RecheckAndRedraw alone", MedianMilliseconds(40, [&](int) { w.RecheckAndRedraw(); }), floor, 2);
        PrintFigure("  of it: GridToRows", MedianMilliseconds(40, [&](int) { w.GridToRows(); }));
        // The check marks the rows it gets: it runs on a copy of the window's.
        ProgramRow checked[MAX_ROWS];
        std::memcpy(checked, w.Rows(), sizeof checked);
        PrintFigure("  of it: CheckProgram", MedianMilliseconds(40, [&](int) { CheckProgram(checked, w.RowCount()); }));
        PrintFigure("  of it: MarkErrorRows", MedianMilliseconds(40, [&](int) { w.MarkErrorRows(); }));
        PrintFigure("  of it: the flowchart's SetProgram",
                    MedianMilliseconds(40, [&](int) { w.Chart().SetProgram(w.Rows(), w.RowCount()); }));
        PrintFigure("ShownProgram: the program read for a step of the history",
                    MedianMilliseconds(40, [&](int) { w.ShownProgram(); }));
        PrintFigure("undo or redo of one edit, repainted",
                    MedianMilliseconds(20,
                                       [&](int i) {
                                           if (i % 2)
                                               w.SendMessage(WM_COMMAND, ID_EDIT_REDO);
                                           else
                                               w.SendMessage(WM_COMMAND, ID_EDIT_UNDO);
                                           Paint(w);
                                       }),
                    floor);
        Paint(w);
        double resizeFloor = 0;
        {  // gone before the main window is measured: an overlapping window slows its paints
            const BareList framed(w.Grid(), true);
            resizeFloor = ResizeMilliseconds(framed.Window(), {1100, 760}, [&] { framed.Fill(); });
        }
        Paint(w);
        PrintFigure("floor: a bare framed window with one list view, resized", resizeFloor);
        PrintFigure("resize within one font size (1000x700 <-> 1100x760)", ResizeMilliseconds(w, {1100, 760}), floor,
                    30);
        PrintFigure("  the same beside the floor of a resize", ResizeMilliseconds(w, {1100, 760}), resizeFloor);
        PrintFigure("resize across a font step (1000x700 <-> 1700x900)", ResizeMilliseconds(w, {1700, 900}), floor, 60);
        PrintResizeParts(w);
    });
}

TEST_F(MainWindowTest, SimulatorRowFigures) {
    MainWindowHarness window;
    window.Run([&](MainWindowHarness& w) {
        ShowRunningProgram(w);
        w.SendMessage(WM_COMMAND, IDC_RUN_SIMULATOR);
        CSimulatorWindow& sim = w.Simulator();
        sim.SetTickInterval(USER_TIMER_MAXIMUM);
        sim.SetInput(0, 500);
        const HWND step = sim.GetDlgItem(IDC_SIM_STEP);
        auto paintBoth = [&] {
            Paint(w);
            Paint(sim);
        };
        bench::PrintHeading("Simulator, 50-row program (median of the runs):");
        double floor = 0;
        {  // gone before the editor is measured: an overlapping window slows its paints
            const BareList bare(w.Grid());
            floor = MedianMilliseconds(100, [&](int i) { bare.SelectAndPaint(i % 10); });
        }
        Paint(w);
        PrintFigure("floor: a bare list view moving its selection a row", floor);
        ::SendMessageW(step, BM_CLICK, 0, 0);
        ASSERT_TRUE(boxes.boxes.empty()) << "the program runs";
        // At 1x a tick executes the next row of this program: each waits 0.1 s
        // (the GOTO at the end and row 1 share a tick).
        ::SendMessageW(sim.GetDlgItem(IDC_SIM_RUN), BM_CLICK, 0, 0);
        PrintFigure("one executed row (tick): lamps, clock, both selections",
                    MedianMilliseconds(100,
                                       [&](int) {
                                           sim.SendMessage(WM_TIMER, TIMER_SIM_TICK, 0);
                                           paintBoth();
                                       }),
                    floor, 1);
        ::SendMessageW(sim.GetDlgItem(IDC_SIM_PAUSE), BM_CLICK, 0, 0);
        PrintFigure("the same from a Step click, with its button's own paints",
                    MedianMilliseconds(100,
                                       [&](int) {
                                           ::SendMessageW(step, BM_CLICK, 0, 0);
                                           paintBoth();
                                       }),
                    floor);
    });
}

TEST_F(MainWindowTest, StartUpFigures) {
    bench::PrintHeading("Start-up to the first complete paint (median of 9 starts each, in turn):");
    const std::wstring bareExe = app_test::BuiltFile(".", L"bench_bare_window.exe");
    // The editor in a fresh folder of its own: no settings, no working copy.
    const app_test::ScratchFolder editor(L"bench-editor");
    for (const wchar_t* name : {L"Velmora.exe", L"Halvex.dll", L"PembleUSB.dll"})
        ASSERT_TRUE(CopyInto(editor, app_test::BuiltFile(BENCH_BIN_DIR, std::wstring(L"simulated\\") + name), name));
    // Started in turn, so that a change of load weighs on both alike.
    std::vector<double> bare;
    std::vector<double> velmora;
    for (int i = 0; i < 9; ++i) {
        bare.push_back(StartUpMilliseconds(bareExe, folder.path()));
        velmora.push_back(StartUpMilliseconds(editor / L"Velmora.exe", editor.path()));
    }
    const double floor = bench::Median(bare);
    PrintFigure("floor: a bare window holding one list view", floor);
    PrintFigure("Velmora.exe", bench::Median(velmora), floor, 0, 1.5);
}

TEST(FlowchartStrip, BytesAtTheLargestWindow) {
    testing_support::RecordingParent host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    StripProbe view;
    const RECT rc{0, 0, 2560, 1600};
    ASSERT_TRUE(view.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, rc, host.m_hWnd, 101, 0));
    testing_support::PumpMessages();
    const double megabytes = static_cast<double>(view.StripBytes()) / 1e6;
    bench::PrintHeading("Flowchart view of 2560 x 1600:");
    std::printf("  %-56s %9.1f MB   target <= 16 MB%s\n", "off-screen strip", megabytes,
                megabytes <= 16.0 ? "" : "  (over)");
}

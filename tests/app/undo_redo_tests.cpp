// Undo and redo on the real main window: every kind of change, the real keys,
// the real context menu, the modified mark and the working copy at exit.
#include "app/context_menu.h"
#include "app/velmora_app.h"
#include "files/program_text.h"
#include "res/resource.h"
#include "tests/app/file_edit_fixture.h"
#include <fstream>
#include <functional>
#include <sstream>

namespace {

// The program shown, as the lines of its text, and its selected row.
struct Shown {
    std::wstring text;
    int selected = -1;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    std::string narrow;
    for (wchar_t c : shown.text)
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    *out << "selected " << shown.selected << ":\n" << narrow;
}

Shown ShownOf(const MainWindowHarness& w) {
    const ProgramState state = w.ShownProgram();
    Shown shown{L"", state.selectedRow};
    for (size_t i = 0; i < state.rows.size(); ++i)
        shown.text += FormatProgramLine(static_cast<int>(i), state.rows.data()) + L"\n";
    return shown;
}

// A key pressed in `target` with Ctrl (and Shift) held, as the keyboard state
// shows them while the key is handled.
void PressChord(MainWindowHarness& w, HWND target, UINT vk, bool shift = false) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    const BYTE control = keys[VK_CONTROL], shiftKey = keys[VK_SHIFT];
    keys[VK_CONTROL] = 0x80;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(keys);
    w.PressKey(target, vk);
    keys[VK_CONTROL] = control;
    keys[VK_SHIFT] = shiftKey;
    ::SetKeyboardState(keys);
}

void Undo(MainWindowHarness& w) { PressChord(w, w.Grid().m_hWnd, 'Z'); }
void Redo(MainWindowHarness& w) { PressChord(w, w.Grid().m_hWnd, 'Y'); }

// Opens a cell's drop-down with a click and picks `entry` in it; the choice
// is made when the drop-down closes.
HWND PickInDropDown(MainWindowHarness& w, int row, int column, const wchar_t* entry) {
    RECT label{};
    EXPECT_TRUE(w.Grid().GetSubItemRect(row, column, LVIR_LABEL, label));
    const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    w.Grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    w.Grid().SendMessage(WM_LBUTTONUP, 0, at);
    w.Pump();
    const HWND combo = ::GetDlgItem(w.Grid(), GRID_COMBO_ID);
    EXPECT_NE(combo, nullptr) << "cell " << row << "," << column << " opens its drop-down";
    if (!combo)
        return nullptr;
    const LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(entry));
    EXPECT_GE(index, 0) << "no entry " << static_cast<int>(entry[0]);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return combo;
}

void ChooseInCell(MainWindowHarness& w, int row, int column, const wchar_t* entry) {
    if (const HWND combo = PickInDropDown(w, row, column, entry))
        w.PressKey(combo, VK_RETURN);
}

std::wstring StatusOf(const MainWindowHarness& w) {
    wchar_t text[512] = {};
    ::GetDlgItemTextW(w.m_hWnd, IDC_STATUS, text, 512);
    return text;
}

// Both views, the rows and the status line agree with the program shown.
void ExpectViewsFollow(MainWindowHarness& w, const std::string& where) {
    const Shown shown = ShownOf(w);
    EXPECT_EQ(w.RowCount(), w.Grid().GetItemCount()) << where;
    EXPECT_EQ(w.Chart().m_nSelected, shown.selected + 1) << where;
    const std::wstring status = StatusOf(w);
    w.ShowRowStatus(shown.selected);
    EXPECT_EQ(status, StatusOf(w)) << where;
}

// A small program whose row 3 is faulty (ELSE beyond the end): its status
// line is not empty.
const std::vector<std::string> kProgram = {"1\tFOR 3",  "2\tOUT1 1", "3\tIF IN1 = 100 THEN 2 ELSE 9",
                                           "4\tOUT2 2", "5\tNEXT",   "6\tEND"};

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The real window, with its context menu opened over the grid and driven by
// the keyboard while it shows.
class MenuDriver : public MainWindowHarness {
public:
    struct Seen {
        bool opened = false;
        std::wstring undoText, redoText;
        bool undoGrayed = false, redoGrayed = false;
    };

    // Opens the menu, reads it, then chooses the item `choose` (0: closes it).
    Seen Open(UINT choose = 0) {
        m_seen = {};
        m_choose = choose;
        m_idle = false;
        RECT grid;
        ::GetWindowRect(Grid().m_hWnd, &grid);
        const POINT at{(grid.left + grid.right) / 2, (grid.top + grid.bottom) / 2};
        OpenGridContextMenu(at);
        return m_seen;
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_INITMENUPOPUP && !m_seen.opened) {
            m_seen.opened = true;
            m_popup = reinterpret_cast<HMENU>(wParam);
        }
        if (msg == WM_ENTERIDLE && wParam == MSGF_MENU && !m_idle) {
            m_idle = true;
            Drive(reinterpret_cast<HWND>(lParam));
        }
        return MainWindowHarness::WindowProc(msg, wParam, lParam);
    }

private:
    void Drive(HWND menuWindow) {
        auto text = [this](UINT id) {
            const OwnerDrawnItem* item = COwnerDrawnMenu::ItemOf(m_popup, id, false);
            return item ? item->text : std::wstring(L"?");
        };
        auto grayed = [this](UINT id) { return (::GetMenuState(m_popup, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
        m_seen.undoText = text(ID_EDIT_UNDO);
        m_seen.redoText = text(ID_EDIT_REDO);
        m_seen.undoGrayed = grayed(ID_EDIT_UNDO);
        m_seen.redoGrayed = grayed(ID_EDIT_REDO);
        if (m_choose == 0 || grayed(m_choose)) {
            ::EndMenu();
            return;
        }
        // Up from no highlighted item goes to the last item, and on past
        // separators: as many presses as there are items from the end.
        int presses = 0;
        for (int i = ::GetMenuItemCount(m_popup) - 1; i >= 0; --i) {
            if (::GetMenuState(m_popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
                continue;
            ++presses;
            if (::GetMenuItemID(m_popup, i) == m_choose)
                break;
        }
        for (int i = 0; i < presses; ++i)
            ::PostMessageW(menuWindow, WM_KEYDOWN, VK_UP, 0);
        ::PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    }

    Seen m_seen;
    UINT m_choose = 0;
    HMENU m_popup = nullptr;
    bool m_idle = false;
};

}  // namespace

TEST_F(FileEditTest, EachKindOfChangeIsOneStepThatUndoAndRedoRestore) {
    struct Kind {
        const char* name;
        std::function<void(MainWindowHarness&)> change;
    };
    const std::vector<Kind> kinds = {
        {"command chosen in a drop-down", [](MainWindowHarness& w) { ChooseInCell(w, 2, 1, L"OUT3"); }},
        {"IF input chosen in a drop-down", [](MainWindowHarness& w) { ChooseInCell(w, 2, 2, L"IN2"); }},
        {"blank-row button", [](MainWindowHarness& w) { Click(w, IDC_CMD_INSERT); }},
        {"command button", [](MainWindowHarness& w) { Click(w, IDC_CMD_STOP); }},
        {"insert menu command", [](MainWindowHarness& w) { Click(w, ID_INSERT_FOR); }},
        {"Delete button", [](MainWindowHarness& w) { Click(w, IDC_CMD_DELETE); }},
        {"Delete key", [](MainWindowHarness& w) { w.PressKey(w.Grid().m_hWnd, VK_DELETE); }},
        {"Ctrl+X", [](MainWindowHarness& w) { PressChord(w, w.Grid().m_hWnd, 'X'); }},
        {"Ctrl+V",
         [](MainWindowHarness& w) {
             Select(w, 0);
             Click(w, ID_EDIT_COPY);
             Select(w, 2);
             PressChord(w, w.Grid().m_hWnd, 'V');
         }},
        {"Clear answered No",
         [this](MainWindowHarness& w) {
             questionAnswers = {IDNO};
             Click(w, IDC_CLEAR);
         }},
    };
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        for (const Kind& kind : kinds) {
            SCOPED_TRACE(kind.name);
            LoadLines(w, File(L"in.stxt"), kProgram);
            Select(w, 2);
            const Shown before = ShownOf(w);
            kind.change(w);
            const Shown after = ShownOf(w);
            ASSERT_NE(after.text, before.text);
            EXPECT_EQ(w.History().UndoCount(), 1u) << "one step";

            ::SetDlgItemTextW(w.m_hWnd, IDC_STATUS, L"stale");
            Undo(w);
            EXPECT_EQ(ShownOf(w), before);
            ExpectViewsFollow(w, "after undo");
            EXPECT_NE(StatusOf(w), L"stale");
            EXPECT_EQ(::GetFocus(), w.Grid().m_hWnd);

            Redo(w);
            EXPECT_EQ(ShownOf(w), after);
            ExpectViewsFollow(w, "after redo");
            Undo(w);
            EXPECT_EQ(ShownOf(w), before);
            PressChord(w, w.Grid().m_hWnd, 'Z', true);  // Ctrl+Shift+Z redoes too
            EXPECT_EQ(ShownOf(w), after);
            Undo(w);
            Undo(w);  // nothing more to undo
            EXPECT_EQ(ShownOf(w), before);
            EXPECT_EQ(w.History().RedoCount(), 1u);
        }
    });
}

TEST_F(FileEditTest, ChangesThatChangeNothingAreNoSteps) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), kProgram);
        Select(w, 3);
        ChooseInCell(w, 3, 1, L"OUT2");  // the command it has already
        Click(w, ID_EDIT_COPY);
        Select(w, -1);
        Click(w, IDC_CMD_DELETE);  // no row selected
        Click(w, IDC_CMD_FOR);
        EXPECT_FALSE(w.History().CanUndo());
        // Undo with nothing to undo leaves the program and the mark alone.
        const Shown shown = ShownOf(w);
        Undo(w);
        EXPECT_EQ(ShownOf(w), shown);
        EXPECT_EQ(w.Modified(), 1);
    });
}

TEST_F(FileEditTest, UndoneClearBringsTheProgramBackAndTheOpenedStateAsksNothingAtClose) {
    WriteLines(L"prog.stxt", kProgram);
    MainWindowHarness w;
    std::string openedBytes;
    Run(w, [&](MainWindowHarness& w) {
        EXPECT_EQ(w.Modified(), 0);  // a fresh start: the blank program
        dialogAnswers = {File(L"prog.stxt")};
        Click(w, IDC_OPEN);
        ASSERT_EQ(w.Modified(), 0);
        const ProgramState state = w.ShownProgram();
        openedBytes = ProgramTextBytes(state.rows.data(), static_cast<int>(state.rows.size()));

        Select(w, 1);
        const Shown opened = ShownOf(w);
        Click(w, IDC_CMD_OUT4);
        EXPECT_EQ(w.Modified(), 1);
        const Shown edited = ShownOf(w);
        questionAnswers = {IDNO};
        Click(w, IDC_CLEAR);
        EXPECT_EQ(questions.size(), 1u);
        EXPECT_EQ(Names(w), (std::vector<std::wstring>{L""}));

        Undo(w);
        EXPECT_EQ(ShownOf(w), edited) << "the whole program is back";
        EXPECT_EQ(w.Modified(), 1);
        Undo(w);
        EXPECT_EQ(ShownOf(w), opened);
        EXPECT_EQ(w.Modified(), 0) << "back at the program as opened";
        Redo(w);
        EXPECT_EQ(w.Modified(), 1);
        Undo(w);
        EXPECT_EQ(w.Modified(), 0);

        // Closing asks nothing and writes the program as shown.
        Click(w, IDOK);
    });
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(ReadFile(File(L"CurFlowchart.STxt")), openedBytes);
}

TEST_F(FileEditTest, TheModifiedMarkFollowsSavesAndTheBlankStart) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        ASSERT_EQ(w.Modified(), 0);
        Select(w, 0);
        Click(w, IDC_CMD_END);
        EXPECT_EQ(w.Modified(), 1);
        // The keys work wherever the focus is in the window, the flowchart
        // and the buttons included; with Alt held they are no undo.
        PressChord(w, w.Chart().m_hWnd, 'Z');
        EXPECT_EQ(w.Modified(), 0) << "the blank program of a fresh start";
        PressChord(w, w.GetDlgItem(IDC_OPEN), 'Y');
        EXPECT_EQ(w.Modified(), 1);
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_MENU] = 0x80;
        ::SetKeyboardState(keys);
        Undo(w);
        keys[VK_MENU] = 0;
        ::SetKeyboardState(keys);
        EXPECT_EQ(w.Modified(), 1);
        EXPECT_EQ(Cell(w, 0, 1), L"END");

        dialogAnswers = {File(L"saved.stxt")};
        Click(w, IDC_SAVE);
        ASSERT_EQ(w.Modified(), 0);
        Undo(w);
        EXPECT_EQ(w.Modified(), 1) << "the blank program is no longer the saved one";
        Redo(w);
        EXPECT_EQ(w.Modified(), 0);

        // A change after undoing past the saved state: it cannot come back.
        Undo(w);
        Click(w, IDC_CMD_GOTO);
        Undo(w);
        EXPECT_EQ(w.Modified(), 1);
        Redo(w);
        EXPECT_EQ(w.Modified(), 1);
    });
}

TEST_F(FileEditTest, OpenStartsANewHistory) {
    WriteLines(L"prog.stxt", kProgram);
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        Select(w, 0);
        Click(w, IDC_CMD_FOR);
        Click(w, IDC_CMD_NEXT);
        Undo(w);
        ASSERT_TRUE(w.History().CanRedo());
        questionAnswers = {IDNO};
        dialogAnswers = {File(L"prog.stxt")};
        Click(w, IDC_OPEN);
        const Shown opened = ShownOf(w);
        EXPECT_FALSE(w.History().CanUndo());
        EXPECT_FALSE(w.History().CanRedo());
        Undo(w);
        Redo(w);
        EXPECT_EQ(ShownOf(w), opened);
        EXPECT_EQ(w.Modified(), 0);
    });
}

TEST_F(FileEditTest, TwoHundredFiftyChangesKeepTheLastTwoHundredUndoable) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tEND"});
        Select(w, 0);
        std::vector<Shown> states{ShownOf(w)};
        // Commands go in until the program has four rows, then rows go out again.
        for (int k = 0; k < 250; ++k) {
            if (w.Grid().GetItemCount() < 4) {
                Click(w, IDC_CMD_FOR + k % 14);
            } else {
                Select(w, k % 3);
                w.PressKey(w.Grid().m_hWnd, VK_DELETE);
            }
            states.push_back(ShownOf(w));
            ASSERT_NE(states[states.size() - 1].text, states[states.size() - 2].text) << k;
        }
        EXPECT_EQ(w.History().UndoCount(), 200u);
        for (int k = 250; k > 50; --k) {
            Undo(w);
            ASSERT_EQ(ShownOf(w).text, states[static_cast<size_t>(k - 1)].text) << "undoing change " << k;
        }
        EXPECT_FALSE(w.History().CanUndo());
        Undo(w);
        EXPECT_EQ(ShownOf(w).text, states[50].text);

        Redo(w);
        Redo(w);
        EXPECT_EQ(ShownOf(w).text, states[52].text);
        // A change after an undo: nothing left to redo.
        Click(w, IDC_CMD_OUT123);
        const Shown changed = ShownOf(w);
        EXPECT_FALSE(w.History().CanRedo());
        Redo(w);
        EXPECT_EQ(ShownOf(w), changed);
        Undo(w);
        EXPECT_EQ(ShownOf(w).text, states[52].text);
    });
}

TEST_F(FileEditTest, AnOpenDropDownIsClosedBeforeUndoAndRedo) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), kProgram);
        Select(w, 1);
        Click(w, IDC_CMD_OUT13);
        const Shown inserted = ShownOf(w);

        // A choice waiting in an open drop-down is made, then taken back.
        const HWND combo = PickInDropDown(w, 3, 1, L"GOTO");
        ASSERT_NE(combo, nullptr);
        PressChord(w, combo, 'Z');
        EXPECT_EQ(::GetDlgItem(w.Grid(), GRID_COMBO_ID), nullptr) << "the drop-down closed";
        EXPECT_EQ(ShownOf(w).text, inserted.text);
        Redo(w);
        EXPECT_EQ(Cell(w, 3, 1), L"GOTO");
        Undo(w);
        Undo(w);
        EXPECT_EQ(Cell(w, 2, 1), L"IF");

        // An open drop-down without a new choice: undo goes on as usual.
        ASSERT_NE(PickInDropDown(w, 0, 1, L"FOR"), nullptr);
        const HWND open = ::GetDlgItem(w.Grid(), GRID_COMBO_ID);
        PressChord(w, open, 'Y');
        EXPECT_EQ(::GetDlgItem(w.Grid(), GRID_COMBO_ID), nullptr);
        EXPECT_EQ(ShownOf(w).text, inserted.text);
    });
}

TEST_F(FileEditTest, ContextMenuUndoAndRedo) {
    MenuDriver w;
    Run(w, [&](MainWindowHarness&) {
        LoadLines(w, File(L"in.stxt"), kProgram);
        Select(w, 4);
        MenuDriver::Seen seen = w.Open();
        ASSERT_TRUE(seen.opened);
        EXPECT_EQ(seen.undoText, L"Undo");
        EXPECT_EQ(seen.redoText, L"Redo");
        EXPECT_TRUE(seen.undoGrayed);
        EXPECT_TRUE(seen.redoGrayed);

        const Shown before = ShownOf(w);
        Click(w, IDC_CMD_DELETE);
        const Shown after = ShownOf(w);
        seen = w.Open(ID_EDIT_UNDO);
        EXPECT_FALSE(seen.undoGrayed);
        EXPECT_TRUE(seen.redoGrayed);
        EXPECT_EQ(ShownOf(w), before);

        seen = w.Open(ID_EDIT_REDO);
        EXPECT_TRUE(seen.undoGrayed);
        EXPECT_FALSE(seen.redoGrayed);
        EXPECT_EQ(ShownOf(w), after);

        // The texts follow the language.
        for (int i = 0; i < g_velmoraApp.m_packCount; ++i)
            if (PackText(g_velmoraApp.m_packs[i].name, PACK_NAME_SIZE) == L"简体中文")
                g_velmoraApp.m_curPack = i;
        seen = w.Open();
        EXPECT_EQ(seen.undoText, L"撤销");
        EXPECT_EQ(seen.redoText, L"重做");
        EXPECT_EQ(ShownOf(w), after);
    });
}

TEST_F(FileEditTest, TheWorkingCopyAtExitIsTheProgramAsShownAfterUndo) {
    MainWindowHarness w;
    std::string expected;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), kProgram);
        Select(w, 0);
        Click(w, IDC_CMD_OUT1);
        const ProgramState shown = w.ShownProgram();
        expected = ProgramTextBytes(shown.rows.data(), static_cast<int>(shown.rows.size()));
        Click(w, IDC_CMD_OUT2);
        Click(w, IDC_CMD_OUT3);
        Undo(w);
        Undo(w);
        questionAnswers = {IDNO};
        Click(w, IDOK);
    });
    EXPECT_EQ(ReadFile(File(L"CurFlowchart.STxt")), expected);
}

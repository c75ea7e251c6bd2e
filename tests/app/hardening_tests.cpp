// Paths where a learner's work could be lost or a row changed behind their
// back: session end, a clipboard held by another program, commands given
// while a grid editor is open, and the status line after each command.
#include "app/velmora_app.h"
#include "grid/edit_list_ctrl_ex.h"
#include "res/resource.h"
#include "tests/app/file_edit_fixture.h"
#include <functional>
#include <thread>

namespace {

using Texts = std::vector<std::wstring>;

const std::vector<std::string> kFourRows = {"1\tOUT1 1", "2\tOUT2 1", "3\tOUT3 1", "4\tEND"};

// Another program holding the clipboard open: a window of another thread
// opens it and keeps it until this object goes.
class ClipboardHolder {
public:
    ClipboardHolder()
        : m_opened(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          m_release(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          m_thread([this] { Hold(); }) {
        ::WaitForSingleObject(m_opened, INFINITE);
    }
    ~ClipboardHolder() {
        ::SetEvent(m_release);
        m_thread.join();
        ::CloseHandle(m_opened);
        ::CloseHandle(m_release);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool holding = false;

private:
    void Hold() {
        const HWND owner = ::CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                             nullptr);
        holding = owner && ::OpenClipboard(owner);
        ::SetEvent(m_opened);
        ::WaitForSingleObject(m_release, INFINITE);
        if (holding)
            ::CloseClipboard();
        if (owner)
            ::DestroyWindow(owner);
    }

    HANDLE m_opened;
    HANDLE m_release;
    std::thread m_thread;
};

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = p;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

std::wstring Status(const MainWindowHarness& w) {
    wchar_t text[512] = {};
    ::GetDlgItemTextW(w.m_hWnd, IDC_STATUS, text, 512);
    return text;
}

HWND OpenCombo(MainWindowHarness& w, int row, int column) {
    RECT label{};
    if (!w.Grid().GetSubItemRect(row, column, LVIR_LABEL, label))
        return nullptr;
    const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    w.Grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    w.Grid().SendMessage(WM_LBUTTONUP, 0, at);
    w.Pump();
    return ::GetDlgItem(w.Grid(), GRID_COMBO_ID);
}

void PickEntry(HWND combo, const wchar_t* text) {
    const LRESULT entry = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text));
    ASSERT_GE(entry, 0) << "no entry";
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

// The main window with its context menus closed again as soon as they are idle.
class MenuClosingWindow : public MainWindowHarness {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_ENTERIDLE && wParam == MSGF_MENU)
            ::EndMenu();
        return MainWindowHarness::WindowProc(msg, wParam, lParam);
    }
};

}  // namespace

TEST_F(FileEditTest, SessionEndKeepsTheProgramAndTheSettingsWithoutAsking) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT2 1", "2\tEND"});
        ASSERT_EQ(w.Modified(), 1);
        EXPECT_EQ(w.SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        w.SendMessage(WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // another program refused: nothing ends
        EXPECT_FALSE(app_test::FileExists(File(L"CurFlowchart.STxt")));
        EXPECT_FALSE(app_test::FileExists(File(L"Velmora.ini")));

        w.SendMessage(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        EXPECT_TRUE(questions.empty()) << "no question box at session end";
        EXPECT_TRUE(boxes.boxes.empty());
        const auto copy = app_test::ReadBytes(File(L"CurFlowchart.STxt"));
        EXPECT_EQ(std::string(copy.begin(), copy.end()), "1\tOUT2 1\r\n2\tEND\r\n3\t\r\n");
        EXPECT_EQ(app_test::IniValue(File(L"Velmora.ini"), L"Set", L"WinW"), L"1000");
        EXPECT_EQ(app_test::IniValue(File(L"Velmora.ini"), L"Set", L"WinH"), L"700");
        EXPECT_NE(app_test::IniValue(File(L"Velmora.ini"), L"English", L"C1"), L"<missing>");
    });
    EXPECT_TRUE(questions.empty()) << "the saved program asks nothing at the close that follows";
}

TEST_F(FileEditTest, CutKeepsTheRowWhenTheClipboardIsHeldByAnotherProgram) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), kFourRows);
        PutOnClipboard(CF_UNICODETEXT, {'h', 0, 'i', 0, 0, 0});
        w.SetModified(false);
        Select(w, 1);
        {
            ClipboardHolder holder;
            ASSERT_TRUE(holder.holding);
            Click(w, ID_EDIT_CUT);
            w.Pump();
            EXPECT_EQ(Names(w), (Texts{L"OUT1", L"OUT2", L"OUT3", L"END", L""}));
            EXPECT_EQ(w.Grid().GetSelectedRow(), 1);
            EXPECT_EQ(w.Modified(), 0);
        }
        EXPECT_EQ(ClipboardText(), L"hi") << "what another program put there stays";
        EXPECT_TRUE(ClipboardRowBytes().empty());

        // Once the clipboard is free, the same Cut goes through.
        Click(w, ID_EDIT_CUT);
        EXPECT_EQ(Names(w), (Texts{L"OUT1", L"OUT3", L"END", L""}));
        EXPECT_FALSE(ClipboardRowBytes().empty());
        EXPECT_EQ(w.Modified(), 1);
    });
}

TEST_F(FileEditTest, CommandsCommitAnOpenDropDownIntoItsOwnRowFirst) {
    WriteLines(L"other.stxt", {"1\tGOTO 2", "2\tEND"});
    struct Case {
        const char* name;
        std::function<void(MainWindowHarness&)> command;
        Texts names;
    };
    const Case cases[] = {
        {"insert button",
         [](MainWindowHarness& w) { Click(w, IDC_CMD_FOR); },
         {L"OUT1", L"FOR", L"STOP", L"OUT3", L"END", L""}},
        {"insert menu",
         [](MainWindowHarness& w) { Click(w, ID_INSERT_BLANK); },
         {L"OUT1", L"", L"STOP", L"OUT3", L"END", L""}},
        {"delete", [](MainWindowHarness& w) { Click(w, IDC_CMD_DELETE); }, {L"OUT1", L"OUT3", L"END", L""}},
        {"cut", [](MainWindowHarness& w) { Click(w, ID_EDIT_CUT); }, {L"OUT1", L"OUT3", L"END", L""}},
        {"paste",
         [](MainWindowHarness& w) { Click(w, ID_EDIT_PASTE); },
         {L"OUT1", L"OUT1", L"STOP", L"OUT3", L"END", L""}},
        {"clear", [](MainWindowHarness& w) { Click(w, IDC_CLEAR); }, {L""}},
        {"open", [](MainWindowHarness& w) { Click(w, IDC_OPEN); }, {L"GOTO", L"END", L""}},
        {"context menu",
         [](MainWindowHarness& w) {
             RECT grid{};
             ::GetWindowRect(w.Grid(), &grid);
             w.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.Grid().m_hWnd),
                           MAKELPARAM((grid.left + grid.right) / 2, (grid.top + grid.bottom) / 2));
         },
         {L"OUT1", L"STOP", L"OUT3", L"END", L""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        questionAnswers = {IDNO};
        dialogAnswers = {File(L"other.stxt")};
        MenuClosingWindow w;
        Run(w, [&](MainWindowHarness& w) {
            LoadLines(w, File(L"in.stxt"), kFourRows);
            Select(w, 0);
            Click(w, ID_EDIT_COPY);
            const HWND combo = OpenCombo(w, 1, 1);
            ASSERT_NE(combo, nullptr);
            ASSERT_EQ(w.Grid().GetSelectedRow(), 1);
            PickEntry(combo, L"STOP");
            c.command(w);
            EXPECT_EQ(::GetDlgItem(w.Grid(), GRID_COMBO_ID), nullptr) << "the drop-down was closed first";
            // Whatever is still on its way arrives now.
            ::SetFocus(w.Grid());
            w.Pump();
            EXPECT_EQ(Names(w), c.names);
            EXPECT_EQ(::GetDlgItem(w.Grid(), GRID_COMBO_ID), nullptr);
        });
    }
}

TEST_F(FileEditTest, StatusLineFollowsEveryEditingCommand) {
    // Row 1 jumps nowhere; the other rows are sound.
    const std::vector<std::string> program = {"1\tOUT1 1", "2\tGOTO 9", "3\tOUT3 1", "4\tEND"};
    struct Case {
        const char* name;
        int select;
        UINT command;
        bool faultySelected;  // the row selected afterwards has errors
    };
    const Case cases[] = {
        {"delete the faulty row", 1, IDC_CMD_DELETE, false}, {"cut the faulty row", 1, ID_EDIT_CUT, false},
        {"delete before it", 0, IDC_CMD_DELETE, true},       {"insert before it", 1, IDC_CMD_INSERT, true},
        {"paste before it", 1, ID_EDIT_PASTE, true},         {"clear", 1, IDC_CLEAR, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        questionAnswers = {IDNO};
        MainWindowHarness w;
        Run(w, [&](MainWindowHarness& w) {
            LoadLines(w, File(L"in.stxt"), program);
            Select(w, 0);
            Click(w, ID_EDIT_COPY);
            Select(w, 1);
            const std::wstring faulty = Status(w);
            ASSERT_NE(faulty, L"") << "a copy keeps the rows' check results";
            Select(w, c.select);
            Click(w, c.command);
            w.Pump();
            EXPECT_EQ(Status(w), c.faultySelected ? faulty : L"");
            const int selected = w.Grid().GetSelectedRow();
            ASSERT_GE(selected, 0);
            EXPECT_EQ(w.Rows()[selected].errorFlags != 0, c.faultySelected);
        });
    }
}

TEST_F(FileEditTest, AnUnreadableWorkingCopyIsNeverWrittenOver) {
    const std::wstring copy = File(L"CurFlowchart.STxt");
    WriteLines(L"CurFlowchart.STxt", {"1\tOUT3 1", "2\tEND"});
    // Another program holds it open without sharing while the editor starts.
    HANDLE lock = ::CreateFileW(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        EXPECT_EQ(Names(w), (Texts{L""})) << "a blank start";
        ::CloseHandle(lock);
        lock = INVALID_HANDLE_VALUE;
        w.SendMessage(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        questionAnswers = {IDNO};
        ::SendMessageW(w.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    if (lock != INVALID_HANDLE_VALUE)
        ::CloseHandle(lock);
    const auto bytes = app_test::ReadBytes(copy);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "1\tOUT3 1\r\n2\tEND\r\n");

    // A missing working copy is written at the close as before.
    ASSERT_TRUE(::DeleteFileW(copy.c_str()));
    MainWindowHarness again;
    Run(again, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT2 1"});
        questionAnswers = {IDNO};
        ::SendMessageW(w.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_TRUE(app_test::FileExists(copy));
}

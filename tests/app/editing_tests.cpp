// Insert, delete, clear, cut, copy and paste on the real main window and the
// real clipboard.
#include "files/clipboard_row.h"
#include "res/resource.h"
#include "tests/app/file_edit_fixture.h"

namespace {

using Texts = std::vector<std::wstring>;

Texts Numbers(const MainWindowHarness& w) {
    Texts numbers;
    for (int i = 0; i < w.Grid().GetItemCount(); ++i)
        numbers.push_back(Cell(w, i, 0));
    return numbers;
}

Texts OneToN(int n) {
    Texts numbers;
    for (int i = 1; i <= n; ++i)
        numbers.push_back(std::to_wstring(i));
    return numbers;
}

std::vector<std::string> FiftyRows() {
    std::vector<std::string> lines;
    for (int i = 1; i <= 49; ++i)
        lines.push_back(std::to_string(i) + "\tOUT1 1");
    lines.push_back("50\tEND");
    return lines;
}

// The UTF-16 text of a clipboard block up to its NUL.
std::wstring BlockText(const std::vector<uint8_t>& bytes) {
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const wchar_t c = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c == 0)
            break;
        text += c;
    }
    return text;
}

std::vector<uint8_t> Utf16(const std::wstring& text) {
    std::vector<uint8_t> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

// Holds Ctrl down for the key state the window reads while a key is pressed.
void PressWithCtrl(MainWindowHarness& w, UINT vk) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    const BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    w.PressKey(w.Grid().m_hWnd, vk);
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
}

}  // namespace

TEST_F(FileEditTest, CommandButtonInsertsBeforeTheSelectedRow) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT1 1", "2\tOUT2 1", "3\tOUT3 1", "4\tGOTO 5", "5\tEND"});
        w.SetModified(false);
        Select(w, 2);
        Click(w, IDC_CMD_FOR);
        w.Pump();
        EXPECT_EQ(Names(w), (Texts{L"OUT1", L"OUT2", L"FOR", L"OUT3", L"GOTO", L"END", L""}));
        EXPECT_EQ(Numbers(w), OneToN(7));
        EXPECT_EQ(w.Grid().GetSelectedRow(), 3);  // the former row 3 keeps the selection
        EXPECT_EQ(Cell(w, 3, 1), L"OUT3");
        EXPECT_EQ(Cell(w, 4, 2), L"5");  // jump targets are never adjusted
        EXPECT_EQ(Cell(w, 2, 2), L"");   // a new FOR has no count yet
        EXPECT_EQ(w.Chart().m_nSelected, 4);
        EXPECT_EQ(w.RowCount(), 7);
        EXPECT_EQ(w.Modified(), 1);
        EXPECT_NE(w.Rows()[2].errorFlags, 0);  // checked again: FOR without count or NEXT
        EXPECT_EQ(::GetFocus(), w.Grid().m_hWnd);

        // The blank-row button and a submenu command insert the same way.
        Click(w, IDC_CMD_INSERT);
        EXPECT_EQ(Cell(w, 3, 1), L"");
        EXPECT_EQ(w.Grid().GetSelectedRow(), 4);
        Click(w, ID_INSERT_END);
        EXPECT_EQ(Cell(w, 4, 1), L"END");
        EXPECT_EQ(w.Grid().GetSelectedRow(), 5);
        EXPECT_EQ(Cell(w, 5, 1), L"OUT3");
        EXPECT_EQ(Numbers(w), OneToN(9));
    });
}

TEST_F(FileEditTest, NothingIsInsertedWithoutASelectionOrIntoAFullProgram) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tEND"});
        w.SetModified(false);
        Select(w, -1);
        EXPECT_FALSE(w.InsertCommand(1));
        EXPECT_EQ(w.Grid().GetItemCount(), 2);

        LoadLines(w, File(L"fifty.stxt"), FiftyRows());
        w.SetModified(false);
        Select(w, 10);
        Click(w, IDC_CMD_FOR);
        Click(w, IDC_CMD_INSERT);
        EXPECT_EQ(w.Grid().GetItemCount(), 50);
        EXPECT_EQ(Cell(w, 10, 1), L"OUT1");
        EXPECT_EQ(w.Grid().GetSelectedRow(), 10);

        // Paste refuses too, with a good row waiting on the clipboard.
        Select(w, 49);
        Click(w, ID_EDIT_COPY);
        Select(w, 10);
        Click(w, ID_EDIT_PASTE);
        EXPECT_EQ(w.Grid().GetItemCount(), 50);
        EXPECT_EQ(Cell(w, 10, 1), L"OUT1");
        EXPECT_EQ(w.Modified(), 0);
    });
}

TEST_F(FileEditTest, DeleteKeepsOneRowAndTheSelectionInside) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT1 1", "2\tEND"});
        Select(w, 2);
        Click(w, IDC_CMD_DELETE);  // the last of several
        EXPECT_EQ(Names(w), (Texts{L"OUT1", L"END"}));
        EXPECT_EQ(w.Grid().GetSelectedRow(), 1);
        EXPECT_EQ(w.Chart().m_nSelected, 2);

        Select(w, 0);
        w.PressKey(w.Grid().m_hWnd, VK_DELETE);  // the Delete key in the grid
        EXPECT_EQ(Names(w), (Texts{L"END"}));
        EXPECT_EQ(Numbers(w), OneToN(1));
        EXPECT_EQ(w.Grid().GetSelectedRow(), 0);

        // The only row stays, emptied.
        w.SetModified(false);
        Click(w, ID_ROW_DELETE);
        EXPECT_EQ(Names(w), (Texts{L""}));
        EXPECT_EQ(Numbers(w), OneToN(1));
        EXPECT_EQ(w.RowCount(), 1);
        EXPECT_EQ(w.Rows()[0].code, 0);
        EXPECT_EQ(w.Modified(), 1);

        Select(w, -1);
        w.SetModified(false);
        Click(w, IDC_CMD_DELETE);
        EXPECT_EQ(w.Modified(), 0);
    });
}

TEST_F(FileEditTest, CopyAndPasteCarryWideTextsThroughTheClipboard) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(
            w, File(L"in.stxt"),
            {"1\tFOR 3", "2\tOUT1 1", "3\tIF IN1 = 100 THEN 1 ELSE 2", "4\tIF IN2 = 50 THEN 1 ELSE 2", "5\tNEXT"});
        // Texts a file cannot carry in its 8-bit form.
        w.Grid().SetItemText(1, 2, L"\u221E");
        w.Grid().SetItemText(2, 3, L"\u2266");  // ≦
        w.Grid().SetItemText(3, 3, L"\uFF1D");  // ＝, written as ≧
        w.SetModified(false);

        Select(w, 1);
        Click(w, ID_EDIT_COPY);
        std::vector<uint8_t> block = ClipboardRowBytes();
        ASSERT_GE(block.size(), static_cast<size_t>(CLIPBOARD_BLOCK_SIZE));
        EXPECT_EQ(BlockText(block), L"2\tOUT1 \u221E");
        EXPECT_EQ(w.Modified(), 0);

        Select(w, 4);
        Click(w, ID_EDIT_PASTE);
        EXPECT_EQ(Names(w), (Texts{L"FOR", L"OUT1", L"IF", L"IF", L"OUT1", L"NEXT", L""}));
        EXPECT_EQ(Cell(w, 4, 2), L"\u221E");
        EXPECT_EQ(Cell(w, 4, 0), L"5");
        EXPECT_EQ(w.Grid().GetSelectedRow(), 5);
        EXPECT_EQ(w.Chart().m_nSelected, 6);
        EXPECT_EQ(w.Modified(), 1);

        Select(w, 2);
        Click(w, ID_EDIT_COPY);
        EXPECT_EQ(BlockText(ClipboardRowBytes()), L"3\tIF IN1 \u2266 100 THEN 1 ELSE 2");
        Select(w, 3);
        Click(w, ID_EDIT_COPY);
        EXPECT_EQ(BlockText(ClipboardRowBytes()), L"4\tIF IN2 \u2267 50 THEN 1 ELSE 2");
        Select(w, 0);
        Click(w, ID_EDIT_PASTE);
        EXPECT_EQ(Cell(w, 0, 1), L"IF");
        EXPECT_EQ(Cell(w, 0, 2), L"IN2");
        EXPECT_EQ(Cell(w, 0, 3), L"\uFF1D");
        EXPECT_EQ(Cell(w, 0, 4), L"50");
        EXPECT_EQ(Numbers(w), OneToN(8));
    });
}

TEST_F(FileEditTest, CtrlKeysInTheGridCutCopyAndPaste) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT1 1", "2\tOUT2 2", "3\tEND"});
        Select(w, 1);
        PressWithCtrl(w, 'X');
        EXPECT_EQ(Names(w), (Texts{L"OUT1", L"END", L""}));
        EXPECT_EQ(BlockText(ClipboardRowBytes()), L"2\tOUT2 2");
        Select(w, 0);
        PressWithCtrl(w, 'V');
        EXPECT_EQ(Names(w), (Texts{L"OUT2", L"OUT1", L"END", L""}));
        Select(w, 2);
        PressWithCtrl(w, 'C');
        EXPECT_EQ(BlockText(ClipboardRowBytes()), L"3\tEND");
    });
}

// The clipboard comes from any program: the block's size and contents are untrusted.
TEST_F(FileEditTest, PasteReadsHostileBlocksSafely) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT1 1"});
        const UINT format = RowClipboardFormat();

        PutOnClipboard(format, Utf16(L"7\tEND"));  // no NUL, nothing after it
        Select(w, 0);
        Click(w, ID_EDIT_PASTE);
        EXPECT_EQ(Names(w), (Texts{L"END", L"OUT1", L""}));

        PutOnClipboard(format, {'1', 0, '\t'});  // three bytes: a number only, an empty row
        Select(w, 0);
        Click(w, ID_EDIT_PASTE);
        EXPECT_EQ(Names(w), (Texts{L"", L"END", L"OUT1", L""}));

        std::vector<uint8_t> huge = Utf16(std::wstring(40000, L'A'));  // no NUL and far too long
        w.SetModified(false);
        PutOnClipboard(format, huge);
        Select(w, 0);
        Click(w, ID_EDIT_PASTE);
        EXPECT_EQ(w.Grid().GetItemCount(), 4);
        EXPECT_EQ(w.Modified(), 0);

        std::vector<uint8_t> large = Utf16(L"1\tSTOP 2");  // a good line in a large block
        large.resize(65536, 0);
        PutOnClipboard(format, large);
        Click(w, ID_EDIT_PASTE);
        EXPECT_EQ(Cell(w, 0, 1), L"STOP");
        EXPECT_EQ(Cell(w, 0, 2), L"2");
        EXPECT_EQ(w.Grid().GetItemCount(), 5);

        // Plain text from another program is not a row.
        PutOnClipboard(CF_UNICODETEXT, Utf16(std::wstring(L"1\tEND") + L'\0'));
        Click(w, ID_EDIT_PASTE);
        EXPECT_EQ(w.Grid().GetItemCount(), 5);
    });
}

TEST_F(FileEditTest, ClearAsksOnlyForAChangedProgram) {
    MainWindowHarness w;
    Run(w, [&](MainWindowHarness& w) {
        LoadLines(w, File(L"in.stxt"), {"1\tOUT1 1", "2\tEND"});
        questionAnswers = {IDCANCEL};
        Click(w, IDC_CLEAR);
        EXPECT_EQ(questions, (Texts{L"Do you want to save the program(Y/N)?"}));
        EXPECT_EQ(Names(w), (Texts{L"OUT1", L"END", L""}));

        questionAnswers = {IDYES};  // and the save dialog is cancelled
        Click(w, IDC_CLEAR);
        EXPECT_EQ(Names(w), (Texts{L"OUT1", L"END", L""}));
        EXPECT_EQ(dialogs.size(), 1u);

        w.SetModified(false);
        Click(w, IDC_CLEAR);
        EXPECT_EQ(questions.size(), 2u);
        EXPECT_EQ(Names(w), (Texts{L""}));
        EXPECT_EQ(w.RowCount(), 1);
        EXPECT_EQ(w.Grid().GetSelectedRow(), 0);
        EXPECT_EQ(w.Modified(), 1);  // so that closing asks again
        EXPECT_EQ(::GetFocus(), w.Grid().m_hWnd);
    });
}

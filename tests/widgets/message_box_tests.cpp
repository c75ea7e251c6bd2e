// The real question box, driven from a timer while its modal loop runs:
// what it shows, and what each way of ending it returns.
#include "res/resource.h"
#include "tests/support/test_support.h"
#include "widgets/ask_question.h"
#include "widgets/message_box.h"
#include <gtest/gtest.h>
#include <array>
#include <string>

namespace {

enum class Action { ClickLeft, ClickMiddle, ClickRight, Escape, Enter, CloseBox };

// What the box showed when the driver found it.
struct BoxSeen {
    bool found = false;
    bool forced = false;  // the action did not end the box; it was destroyed
    std::wstring title;
    std::wstring text;
    std::array<std::wstring, 3> captions;
    std::array<bool, 3> visible{};
    HICON icon = nullptr;
    RECT window{};
    RECT middle{};  // client coordinates of the box
    int focusId = 0;
    HWND owner = nullptr;
    bool ownerEnabled = true;
};

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[256] = {};
    ::GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

// Finds the box from a thread timer inside its modal loop, records it and acts.
class BoxDriver {
public:
    explicit BoxDriver(Action action) : m_action(action) {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 20, &BoxDriver::Tick);
    }
    ~BoxDriver() {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    BoxDriver(const BoxDriver&) = delete;
    BoxDriver& operator=(const BoxDriver&) = delete;

    BoxSeen seen;

private:
    static HWND FindBox() {
        HWND found = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hwnd, LPARAM out) -> BOOL {
                if (::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, IDC_MB_TEXT)) {
                    *reinterpret_cast<HWND*>(out) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    void Record(HWND box) {
        seen.found = true;
        seen.title = TextOf(box);
        seen.text = TextOf(::GetDlgItem(box, IDC_MB_TEXT));
        const int ids[3] = {IDC_MB_LEFT, IDC_MB_MIDDLE, IDC_MB_RIGHT};
        for (int i = 0; i < 3; ++i) {
            HWND button = ::GetDlgItem(box, ids[i]);
            seen.captions[i] = TextOf(button);
            seen.visible[i] = ::IsWindowVisible(button) != FALSE;
        }
        seen.icon = reinterpret_cast<HICON>(::SendDlgItemMessageW(box, IDC_MB_ICON, STM_GETICON, 0, 0));
        ::GetWindowRect(box, &seen.window);
        ::GetWindowRect(::GetDlgItem(box, IDC_MB_MIDDLE), &seen.middle);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&seen.middle), 2);
        seen.focusId = ::GetDlgCtrlID(::GetFocus());
        seen.owner = ::GetWindow(box, GW_OWNER);
        seen.ownerEnabled = seen.owner && ::IsWindowEnabled(seen.owner);
    }

    void Act(HWND box) {
        switch (m_action) {
        case Action::ClickLeft: ::PostMessageW(::GetDlgItem(box, IDC_MB_LEFT), BM_CLICK, 0, 0); break;
        case Action::ClickMiddle: ::PostMessageW(::GetDlgItem(box, IDC_MB_MIDDLE), BM_CLICK, 0, 0); break;
        case Action::ClickRight: ::PostMessageW(::GetDlgItem(box, IDC_MB_RIGHT), BM_CLICK, 0, 0); break;
        case Action::Escape: ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); break;
        case Action::Enter: ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1); break;
        case Action::CloseBox: ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        }
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        BoxDriver* self = s_current;
        if (!self)
            return;
        HWND box = FindBox();
        if (!box)
            return;
        if (!self->seen.found) {
            self->Record(box);
            self->Act(box);
        } else if (++self->m_ticksAfterAction > 100) {
            self->seen.forced = true;  // two seconds without an end: give up on this box
            ::DestroyWindow(box);
        }
    }

    static inline BoxDriver* s_current = nullptr;
    Action m_action;
    UINT_PTR m_timer = 0;
    int m_ticksAfterAction = 0;
};

HICON SystemIcon(LPCWSTR id) { return ::LoadIconW(nullptr, id); }

// Runs a box of `style` with `text` and ends it with `action`.
int RunBox(WORD style, const std::wstring& text, Action action, BoxSeen& seen) {
    BoxDriver driver(action);
    CMessageBox box;
    box.m_wStyle = style;
    box.m_strText = text;
    const int result = static_cast<int>(box.DoModal());
    seen = driver.seen;
    EXPECT_TRUE(seen.found);
    EXPECT_FALSE(seen.forced);
    return result;
}

int Ask(const wchar_t* const* captions, const wchar_t* text, Action action, BoxSeen& seen, HWND parent = nullptr) {
    BoxDriver driver(action);
    const int result = AskQuestion(captions, parent, text);
    seen = driver.seen;
    EXPECT_TRUE(seen.found);
    EXPECT_FALSE(seen.forced);
    return result;
}

const std::array<std::wstring, 3> kBuiltIn{L"&Yes", L"&No", L"&Cancel"};

}  // namespace

TEST(AskQuestion, EmptyOrMissingCaptionsShowTheBuiltInOnesWithTheQuestionIcon) {
    BoxSeen seen;
    const wchar_t* empty[3] = {L"", L"", L""};
    EXPECT_EQ(Ask(empty, L"Do you want to save the program(Y/N)?", Action::ClickLeft, seen), IDYES);
    EXPECT_EQ(seen.captions, kBuiltIn);
    EXPECT_EQ(seen.visible, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(seen.icon, SystemIcon(IDI_QUESTION));
    EXPECT_EQ(seen.text, L"Do you want to save the program(Y/N)?");
    EXPECT_EQ(seen.title, L"") << "the template's empty title stays";
    EXPECT_EQ(seen.focusId, IDC_MB_LEFT) << "the first control in tab order";

    EXPECT_EQ(Ask(nullptr, nullptr, Action::ClickMiddle, seen), IDNO);
    EXPECT_EQ(seen.captions, kBuiltIn);
    EXPECT_EQ(seen.icon, SystemIcon(IDI_QUESTION));
    EXPECT_EQ(seen.text, L"");
}

TEST(AskQuestion, GivenCaptionsReplaceTheBuiltInOnesAndNullOrEmptyEntriesKeepThem) {
    BoxSeen seen;
    const wchar_t* chinese[3] = {L"是(&Y)", L"否(&N)", L"取消(&C)"};
    EXPECT_EQ(Ask(chinese, L"要保存编辑的程序吗(Y/N)?", Action::ClickRight, seen), IDCANCEL);
    EXPECT_EQ(seen.captions, (std::array<std::wstring, 3>{L"是(&Y)", L"否(&N)", L"取消(&C)"}));

    const wchar_t* partial[3] = {nullptr, L"Nein", L""};
    EXPECT_EQ(Ask(partial, L"?", Action::ClickMiddle, seen), IDNO);
    EXPECT_EQ(seen.captions, (std::array<std::wstring, 3>{L"&Yes", L"Nein", L"&Cancel"}));
}

TEST(AskQuestion, CloseBoxAndEscapeCancelLikeTheCancelButtonAndEnterPressesTheFocusedButton) {
    BoxSeen seen;
    EXPECT_EQ(Ask(nullptr, L"Save?", Action::CloseBox, seen), IDCANCEL);
    EXPECT_EQ(Ask(nullptr, L"Save?", Action::Escape, seen), IDCANCEL);
    EXPECT_EQ(Ask(nullptr, L"Save?", Action::Enter, seen), IDYES);
}

TEST(AskQuestion, IsModalOverItsParent) {
    testing_support::RecordingParent parent;
    ASSERT_TRUE(parent.CreateHost(200, 100));
    BoxSeen seen;
    EXPECT_EQ(Ask(nullptr, L"Save?", Action::ClickRight, seen, parent.m_hWnd), IDCANCEL);
    EXPECT_EQ(seen.owner, parent.m_hWnd);
    EXPECT_FALSE(seen.ownerEnabled) << "the parent is disabled while the question is open";
    EXPECT_TRUE(::IsWindowEnabled(parent.m_hWnd));
}

TEST(AskQuestion, AHookAnswersInsteadOfTheBox) {
    std::vector<QuestionRequest> asked;
    SetQuestionHook([&](const QuestionRequest& request) {
        asked.push_back(request);
        return IDNO;
    });
    const wchar_t* captions[3] = {L"Y", nullptr, L"C"};
    EXPECT_EQ(AskQuestion(captions, nullptr, L"Save?"), IDNO);
    EXPECT_EQ(AskQuestion(nullptr, nullptr, nullptr), IDNO);
    SetQuestionHook({});
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[0].captionsSet);
    EXPECT_EQ(asked[0].captions, (std::array<std::wstring, 3>{L"Y", L"", L"C"}));
    EXPECT_EQ(asked[0].text, L"Save?");
    EXPECT_FALSE(asked[1].captionsSet);
    EXPECT_EQ(asked[1].text, L"");

    BoxSeen seen;
    EXPECT_EQ(Ask(nullptr, L"back to the box", Action::ClickLeft, seen), IDYES) << "the empty hook restores the box";
}

TEST(QuestionBox, ButtonKindsCaptionsAndResults) {
    BoxSeen seen;
    EXPECT_EQ(RunBox(0x01, L"a longer text than sixteen", Action::ClickLeft, seen), IDOK);
    EXPECT_EQ(seen.captions[0], L"&OK");
    EXPECT_EQ(seen.captions[2], L"&Cancel");
    EXPECT_EQ(seen.visible, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(RunBox(0x01, L"x", Action::ClickRight, seen), IDCANCEL);
    EXPECT_EQ(RunBox(0x01, L"x", Action::CloseBox, seen), IDCANCEL);
    EXPECT_EQ(RunBox(0x04, L"x", Action::ClickLeft, seen), IDYES);
    EXPECT_EQ(RunBox(0x04, L"x", Action::ClickRight, seen), IDNO);
    EXPECT_EQ(RunBox(0x03, L"x", Action::ClickLeft, seen), IDYES);
    EXPECT_EQ(RunBox(0x0F, L"x", Action::ClickMiddle, seen), IDOK) << "any other kind: the template's OK";
    EXPECT_EQ(seen.captions[1], L"OK");
    EXPECT_EQ(seen.visible, (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(seen.focusId, IDC_MB_MIDDLE);
    EXPECT_EQ(RunBox(0x00, L"x", Action::CloseBox, seen), IDOK);
    EXPECT_EQ(RunBox(0x00, L"x", Action::Escape, seen), IDCANCEL);
}

TEST(QuestionBox, StopStyleShowsYesAndNoItsCloseBoxSaysNoAndEscapeCancels) {
    BoxSeen seen;
    EXPECT_EQ(RunBox(0x14, L"File not found.", Action::CloseBox, seen), IDNO);
    EXPECT_EQ(seen.icon, SystemIcon(IDI_HAND));
    EXPECT_EQ(seen.captions[0], L"&Yes");
    EXPECT_EQ(seen.captions[2], L"&No");
    EXPECT_EQ(seen.visible, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(RunBox(0x14, L"File not found.", Action::Escape, seen), IDCANCEL);
}

TEST(QuestionBox, IconKindsAndTitle) {
    BoxSeen seen;
    RunBox(0x31, L"x", Action::ClickLeft, seen);
    EXPECT_EQ(seen.icon, SystemIcon(IDI_EXCLAMATION));
    RunBox(0x41, L"x", Action::ClickLeft, seen);
    EXPECT_EQ(seen.icon, SystemIcon(IDI_ASTERISK));
    RunBox(0x71, L"x", Action::ClickLeft, seen);
    EXPECT_EQ(seen.icon, SystemIcon(IDI_ASTERISK)) << "unknown icon kinds show information";

    BoxDriver driver(Action::ClickLeft);
    CMessageBox box;
    box.m_wStyle = 0x11;
    box.m_strTitle = L"Velmora";
    box.DoModal();
    EXPECT_EQ(driver.seen.title, L"Velmora");
    EXPECT_EQ(driver.seen.icon, SystemIcon(IDI_HAND));
}

TEST(QuestionBox, ShortTextsNarrowTheSingleButtonBoxByAThird) {
    BoxSeen full;
    BoxSeen shortText;
    BoxSeen sixteen;
    BoxSeen question;
    RunBox(0x00, L"abcd", Action::ClickMiddle, shortText);
    RunBox(0x00, L"0123456789abcdef", Action::ClickMiddle, sixteen);
    RunBox(0x03, L"abcd", Action::ClickMiddle, question);
    RunBox(0x40, L"fifteen chars..", Action::ClickMiddle, full);

    const int templateWidth = question.window.right - question.window.left;
    EXPECT_EQ(sixteen.window.right - sixteen.window.left, templateWidth) << "16 characters keep the width";
    EXPECT_EQ(shortText.window.right - shortText.window.left, (2 * templateWidth) / 3);
    EXPECT_EQ(full.window.right - full.window.left, (2 * templateWidth) / 3);
    EXPECT_EQ(shortText.window.left, sixteen.window.left) << "the left edge stays";
    EXPECT_EQ(shortText.window.bottom - shortText.window.top, sixteen.window.bottom - sixteen.window.top);
    EXPECT_EQ(shortText.middle.left, sixteen.middle.left - (templateWidth / 3) / 2);
    EXPECT_EQ(shortText.middle.top, sixteen.middle.top);
    EXPECT_EQ(shortText.middle.right - shortText.middle.left, sixteen.middle.right - sixteen.middle.left);
    EXPECT_EQ(question.middle.left, sixteen.middle.left) << "other kinds never move the middle button";
}

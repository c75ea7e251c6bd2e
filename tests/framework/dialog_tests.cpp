// Modal dialogs: the framework's loop, pre-translate order, data exchange.
#include "framework/dialog.h"
#include "framework/controls.h"
#include "framework/list_ctrl.h"
#include "framework_test_ids.h"
#include "tests/support/test_support.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring>& Log() {
    static std::vector<std::wstring> log;
    return log;
}

// An edit box that reports the keys it sees before dispatch and may swallow them.
class LoggingEdit : public CEdit {
public:
    bool swallow = false;
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) {
            Log().push_back(L"edit");
            return swallow;
        }
        return FALSE;
    }
};

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST_DIALOG) {}
    LoggingEdit edit;
    CListCtrl list;
    int radio = 1;
    std::wstring label = L"from member";
    int keysSeenByDialog = 0;
    std::vector<MSG> toPost;  // posted once the dialog is up
    int endWith = 0;          // nonzero: end from OnInitDialog

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) {
            Log().push_back(L"dialog");
            ++keysSeenByDialog;
        }
        return CDialog::PreTranslateMessage(msg);
    }

protected:
    void DoDataExchange(CDataExchange& dx) override {
        DDX_Control(dx, IDC_TEST_EDIT, edit);
        DDX_Control(dx, IDC_TEST_LIST, list);
        DDX_Radio(dx, IDC_TEST_RADIO1, radio);
        DDX_Text(dx, IDC_TEST_LABEL, label);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (endWith)
            EndDialog(endWith);
        for (MSG m : toPost)
            ::PostMessageW(m.hwnd ? m.hwnd : m_hWnd, m.message, m.wParam, m.lParam);
        return TRUE;
    }
};

}  // namespace

TEST(Dialog, EscapeCancelsAndDataIsExchangedBothWays) {
    TestDialog dialog;
    dialog.radio = 2;
    dialog.toPost = {MSG{nullptr, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}}};
    // The posted Escape goes to the dialog itself; navigation turns it into IDCANCEL.
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.edit.m_hWnd, nullptr) << "controls are released with the dialog";
}

TEST(Dialog, OkSavesDataBackAndTheRadioGroupRoundTrips) {
    TestDialog dialog;
    dialog.radio = 2;
    dialog.toPost = {MSG{nullptr, WM_COMMAND, IDOK, 0, 0, {}}};
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.radio, 2);
    EXPECT_EQ(dialog.label, L"from member");
}

// Storing the group checks exactly the member's button and sends a button a
// check only when its state changes: checking an automatic radio button makes
// the platform walk the dialog for the rest of the group.
TEST(Dialog, StoringTheRadioGroupSendsOnlyTheChecksThatChange) {
    struct RadioDialog : TestDialog {
        int setChecksWhenUnchanged = -1;
        std::vector<LRESULT> checksAfterMove;
        BOOL OnInitDialog() override {
            TestDialog::OnInitDialog();
            SetChecks() = 0;
            HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &CountSetChecks, nullptr, ::GetCurrentThreadId());
            UpdateData(false);
            setChecksWhenUnchanged = SetChecks();
            radio = 0;
            UpdateData(false);
            ::UnhookWindowsHookEx(hook);
            for (int id : {IDC_TEST_RADIO1, IDC_TEST_RADIO2, IDC_TEST_RADIO3})
                checksAfterMove.push_back(::SendDlgItemMessageW(m_hWnd, id, BM_GETCHECK, 0, 0));
            EndDialog(IDOK);
            return TRUE;
        }
        static int& SetChecks() {
            static int count = 0;
            return count;
        }
        static LRESULT CALLBACK CountSetChecks(int code, WPARAM wParam, LPARAM lParam) {
            if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == BM_SETCHECK)
                ++SetChecks();
            return ::CallNextHookEx(nullptr, code, wParam, lParam);
        }
    };
    RadioDialog dialog;
    dialog.radio = 2;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.setChecksWhenUnchanged, 0);
    EXPECT_EQ(dialog.checksAfterMove, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED}));
}

TEST(Dialog, EndingInsideInitialisationReturnsAtOnce) {
    TestDialog dialog;
    dialog.endWith = 77;
    EXPECT_EQ(dialog.DoModal(), 77);
}

TEST(Dialog, KeysPassTheTargetThenItsParentsBeforeNavigation) {
    struct KeyDialog : TestDialog {
        BOOL OnInitDialog() override {
            TestDialog::OnInitDialog();
            ::SetFocus(edit.m_hWnd);
            ::PostMessageW(edit.m_hWnd, WM_KEYDOWN, 'A', 1);
            edit.swallow = false;
            ::PostMessageW(m_hWnd, WM_COMMAND, IDOK, 0);
            return FALSE;
        }
    };
    Log().clear();
    KeyDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_GE(Log().size(), 2u);
    EXPECT_EQ(Log()[0], L"edit");
    EXPECT_EQ(Log()[1], L"dialog");
}

TEST(Dialog, AHookThatSwallowsAKeyHidesItFromTheParents) {
    struct SwallowDialog : TestDialog {
        BOOL OnInitDialog() override {
            TestDialog::OnInitDialog();
            edit.swallow = true;
            ::PostMessageW(edit.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
            ::PostMessageW(m_hWnd, WM_COMMAND, IDOK, 0);
            return TRUE;
        }
    };
    Log().clear();
    SwallowDialog dialog;
    // Escape would have cancelled; the edit's hook swallowed it, so OK ends the dialog.
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.keysSeenByDialog, 0);
}

TEST(Dialog, ParentIsDisabledWhileModalAndEnabledAfter) {
    testing_support::RecordingParent owner;
    ASSERT_TRUE(owner.CreateHost(100, 100));
    struct Probe : TestDialog {
        HWND ownerWnd = nullptr;
        bool ownerEnabledInside = true;
        BOOL OnInitDialog() override {
            TestDialog::OnInitDialog();
            ::PostMessageW(m_hWnd, WM_USER + 1, 0, 0);
            return TRUE;
        }
        LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
            if (msg == WM_USER + 1) {
                ownerEnabledInside = ::IsWindowEnabled(ownerWnd) != FALSE;
                EndDialog(5);
                return 0;
            }
            return TestDialog::WindowProc(msg, wParam, lParam);
        }
    };
    Probe dialog;
    dialog.m_parent = owner.m_hWnd;
    dialog.ownerWnd = owner.m_hWnd;
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_FALSE(dialog.ownerEnabledInside);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
}

namespace {
constexpr UINT kAnswer = WM_APP + 1;   // answered 42
constexpr UINT kNested = WM_APP + 2;   // asks kAnswer, then answers 0
constexpr UINT kDefault = WM_APP + 3;  // answers what the dialog manager answers DM_GETDEFID

// Answers go straight back from the framework's dialog class.
class AnsweringDialog : public CDialog {
public:
    AnsweringDialog() : CDialog(IDD_TEST_DIALOG) {}
    UINT firstMessage = 0;
    LONG_PTR resultSlotAfterAnswer = -1;
    LRESULT answer = -1;
    LRESULT nested = -1;
    LRESULT defaultId = -1;
    LRESULT defaultIdAskedByHandler = -1;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, 7);
        answer = SendMessage(kAnswer);
        resultSlotAfterAnswer = ::GetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT);
        nested = SendMessage(kNested);
        defaultId = SendMessage(DM_GETDEFID);
        defaultIdAskedByHandler = SendMessage(kDefault);
        EndDialog(IDOK);
        return TRUE;
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (!firstMessage)
            firstMessage = msg;
        return CDialog::WindowProc(msg, wParam, lParam);
    }
    LRESULT OnAnswer(WPARAM, LPARAM) { return 42; }
    LRESULT OnNested(WPARAM, LPARAM) {
        SendMessage(kAnswer);
        return 0;
    }
    LRESULT OnDefault(WPARAM, LPARAM) { return DefWindowProc(DM_GETDEFID, 0, 0); }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(AnsweringDialog, CDialog)
    Message<&ThisClass::OnAnswer>(kAnswer),
    Message<&ThisClass::OnNested>(kNested),
    Message<&ThisClass::OnDefault>(kDefault),
END_MESSAGE_MAP()
// clang-format on
}  // namespace

TEST(Dialog, AnswersReachTheSenderAndTheRestIsTheDialogManagers) {
    AnsweringDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.firstMessage, static_cast<UINT>(WM_SETFONT))
        << "bound as a dialog procedure is: after the window itself is made";
    EXPECT_EQ(dialog.answer, 42);
    EXPECT_EQ(dialog.resultSlotAfterAnswer, 7) << "an answer given directly leaves DWLP_MSGRESULT alone";
    EXPECT_EQ(dialog.nested, 0) << "an answer given inside does not leak into the outer one";
    EXPECT_EQ(dialog.defaultId, MAKELRESULT(IDOK, DC_HASDEFID)) << "no handler: the dialog manager answers";
    EXPECT_EQ(dialog.defaultIdAskedByHandler, MAKELRESULT(IDOK, DC_HASDEFID)) << "default processing on request";
}

#include "widgets/message_box.h"
#include "res/resource.h"

namespace {
struct ButtonLook {
    bool visible;
    const wchar_t* caption;  // null keeps the template's caption
    int result;
};

struct KindLook {
    ButtonLook left;
    ButtonLook middle;
    ButtonLook right;
    int closeResult;  // the window's close box
};

constexpr ButtonLook kHidden{false, nullptr, 0};

const KindLook& LookOf(WORD style) {
    static const KindLook okCancel{{true, L"&OK", IDOK}, kHidden, {true, L"&Cancel", IDCANCEL}, IDCANCEL};
    static const KindLook yesNoCancel{
        {true, L"&Yes", IDYES}, {true, L"&No", IDNO}, {true, L"&Cancel", IDCANCEL}, IDCANCEL};
    static const KindLook yesNo{{true, L"&Yes", IDYES}, kHidden, {true, L"&No", IDNO}, IDNO};
    static const KindLook ok{kHidden, {true, nullptr, IDOK}, kHidden, IDOK};
    switch (style & CMessageBox::kButtonKindMask) {
    case CMessageBox::kButtonsOkCancel: return okCancel;
    case CMessageBox::kButtonsYesNoCancel: return yesNoCancel;
    case CMessageBox::kButtonsYesNo: return yesNo;
    default: return ok;
    }
}

bool IsOkOnly(WORD style) {
    const WORD kind = style & CMessageBox::kButtonKindMask;
    return kind != CMessageBox::kButtonsOkCancel && kind != CMessageBox::kButtonsYesNoCancel &&
           kind != CMessageBox::kButtonsYesNo;
}

LPCWSTR IconOf(WORD style) {
    switch (style & CMessageBox::kIconKindMask) {
    case CMessageBox::kIconStop: return IDI_HAND;
    case CMessageBox::kIconQuestion: return IDI_QUESTION;
    case CMessageBox::kIconExclamation: return IDI_EXCLAMATION;
    default: return IDI_ASTERISK;
    }
}

void ApplyLook(CButton& button, const ButtonLook& look) {
    if (!look.visible)
        ::ShowWindow(button, SW_HIDE);
    else if (look.caption)
        button.SetWindowText(look.caption);
}
}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CMessageBox, CDialog)
    Command<&ThisClass::OnLeft>(IDC_MB_LEFT),
    Command<&ThisClass::OnMiddle>(IDC_MB_MIDDLE),
    Command<&ThisClass::OnRight>(IDC_MB_RIGHT),
    Simple<&ThisClass::OnClose>(WM_CLOSE),
END_MESSAGE_MAP()
// clang-format on

CMessageBox::CMessageBox(HWND parent) : CDialog(IDD_MESSAGEBOX, parent) {}

CMessageBox::~CMessageBox() = default;

void CMessageBox::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_MB_ICON, m_icon);
    DDX_Text(dx, IDC_MB_TEXT, m_strText);
    DDX_Control(dx, IDC_MB_LEFT, m_btnLeft);
    DDX_Control(dx, IDC_MB_MIDDLE, m_btnMiddle);
    DDX_Control(dx, IDC_MB_RIGHT, m_btnRight);
}

BOOL CMessageBox::OnInitDialog() {
    CDialog::OnInitDialog();
    LayOutButtons();
    m_icon.SetIcon(::LoadIconW(nullptr, IconOf(m_wStyle)));
    if (!m_strTitle.empty())
        SetWindowText(m_strTitle);
    FocusFirstControl();
    return FALSE;  // the focus is set
}

void CMessageBox::LayOutButtons() {
    const KindLook& look = LookOf(m_wStyle);
    ApplyLook(m_btnLeft, look.left);
    ApplyLook(m_btnMiddle, look.middle);
    ApplyLook(m_btnRight, look.right);
    if (IsOkOnly(m_wStyle) && m_strText.size() < kNarrowTextLength)
        NarrowBox();
    if (m_bCaptionsSet) {
        CButton* buttons[3] = {&m_btnLeft, &m_btnMiddle, &m_btnRight};
        for (std::size_t i = 0; i < 3; ++i)
            if (!m_strCaptions[i].empty())
                buttons[i]->SetWindowText(m_strCaptions[i]);
    }
}

void CMessageBox::NarrowBox() {
    const RECT box = GetWindowRect();
    const int width = box.right - box.left;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, (2 * width) / 3, box.bottom - box.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT button = m_btnMiddle.GetWindowRect();
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&button), 2);
    ::SetWindowPos(m_btnMiddle, nullptr, button.left - (width / 3) / 2, button.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMessageBox::FocusFirstControl() {
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) {
            // Through the dialog manager, so that the focused button becomes the default.
            SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(child), TRUE);
            return;
        }
    }
}

void CMessageBox::OnCancel() { EndDialog(IDCANCEL); }

void CMessageBox::OnLeft() {
    if (LookOf(m_wStyle).left.visible)
        EndDialog(LookOf(m_wStyle).left.result);
}

void CMessageBox::OnMiddle() {
    if (LookOf(m_wStyle).middle.visible)
        EndDialog(LookOf(m_wStyle).middle.result);
}

void CMessageBox::OnRight() {
    if (LookOf(m_wStyle).right.visible)
        EndDialog(LookOf(m_wStyle).right.result);
}

void CMessageBox::OnClose() { EndDialog(LookOf(m_wStyle).closeResult); }

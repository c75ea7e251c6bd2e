#include "framework/dialog.h"

namespace {
thread_local CDialog* t_creatingDialog = nullptr;
}

void DDX_Control(CDataExchange& dx, int id, CWnd& control) {
    if (!control.m_hWnd)
        control.SubclassDlgItem(static_cast<UINT>(id), dx.m_hDlg);
}

void DDX_Text(CDataExchange& dx, int id, std::wstring& value) {
    HWND item = ::GetDlgItem(dx.m_hDlg, id);
    if (!item)
        return;
    if (dx.m_bSaveAndValidate) {
        const int length = ::GetWindowTextLengthW(item);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        const int got = ::GetWindowTextW(item, text.data(), length + 1);
        text.resize(static_cast<size_t>(got > 0 ? got : 0));
        value = std::move(text);
    } else {
        ::SetWindowTextW(item, value.c_str());
    }
}

void DDX_Radio(CDataExchange& dx, int firstId, int& value) {
    HWND first = ::GetDlgItem(dx.m_hDlg, firstId);
    if (!first)
        return;
    if (dx.m_bSaveAndValidate)
        value = -1;
    int index = 0;
    // The group runs from its first button to the next button with WS_GROUP.
    for (HWND button = first; button; ++index) {
        if (dx.m_bSaveAndValidate) {
            if (::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageW(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        button = ::GetWindow(button, GW_HWNDNEXT);
        if (button && (::GetWindowLongPtrW(button, GWL_STYLE) & WS_GROUP))
            break;
    }
}

// clang-format off
BEGIN_MESSAGE_MAP(CDialog, CWnd)
    InitDialog<&ThisClass::OnInitDialogMessage>(),
    Command<&ThisClass::OnOkCommand>(IDOK),
    Command<&ThisClass::OnCancelCommand>(IDCANCEL),
END_MESSAGE_MAP()
// clang-format on

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

void CDialog::DoDataExchange(CDataExchange&) {}

bool CDialog::UpdateData(bool saveAndValidate) {
    if (!m_hWnd)
        return false;
    CDataExchange dx{m_hWnd, saveAndValidate};
    DoDataExchange(dx);
    return true;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
    m_modalResult = result;
    m_inModal = false;
    if (m_hWnd)
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the modal loop
}

namespace {
// What a dialog procedure returns for a message its window procedure answered
// with `result`: a few messages take it as the return value, the rest from
// DWLP_MSGRESULT (written only when it differs: each write is a server trip).
INT_PTR DialogProcedureResult(HWND hwnd, UINT msg, LRESULT result) {
    const bool direct = (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM ||
                        msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON || msg == WM_INITDIALOG;
    if (direct)
        return static_cast<INT_PTR>(result);
    if (::GetWindowLongPtrW(hwnd, DWLP_MSGRESULT) != result)
        ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
}  // namespace

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Only dialogs created by DoModal have this procedure, each bound to its CDialog.
    auto* dialog = static_cast<CDialog*>(FromHandle(hwnd));
    if (!dialog) {  // the first message of a new dialog
        if (!t_creatingDialog)
            return FALSE;
        dialog = t_creatingDialog;
        t_creatingDialog = nullptr;
        dialog->Bind(hwnd);
        dialog->m_viaDialogProcedure = true;
        dialog->PreSubclassWindow();
    }
    if (dialog->m_askingDialogManager) {
        dialog->m_askingDialogManager = false;
        return FALSE;
    }
    const bool outer = dialog->m_leftToDialogManager;
    dialog->m_leftToDialogManager = false;
    const LRESULT result = dialog->Route(msg, wParam, lParam);
    const bool leave = dialog->m_leftToDialogManager;
    dialog->m_leftToDialogManager = outer;
    return leave ? FALSE : DialogProcedureResult(hwnd, msg, result);
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!m_viaDialogProcedure)
        return CWnd::WindowProc(msg, wParam, lParam);
    LRESULT result = 0;
    if (Handle(msg, wParam, lParam, result))
        return result;
    m_leftToDialogManager = true;
    return 0;
}

LRESULT CDialog::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!m_viaDialogProcedure || !m_hWnd)
        return CWnd::DefWindowProc(msg, wParam, lParam);
    m_askingDialogManager = true;
    const LRESULT result = ::DefDlgProcW(m_hWnd, msg, wParam, lParam);
    m_askingDialogManager = false;
    return result;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

bool CDialog::WalkPreTranslate(MSG& msg) {
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = FromHandle(hwnd);
        if (wnd && wnd->PreTranslateMessage(&msg))
            return true;
        if (hwnd == m_hWnd)
            return false;
    }
    // A message for a window outside the dialog (a popup it owns).
    return PreTranslateMessage(&msg) != FALSE;
}

INT_PTR CDialog::DoModal() {
    m_modalResult = -1;
    m_inModal = true;  // OnInitDialog may end the dialog before the loop starts
    t_creatingDialog = this;
    HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent,
                                     &CDialog::StaticDlgProc, 0);
    t_creatingDialog = nullptr;
    if (!hwnd) {
        m_inModal = false;
        return -1;
    }

    HWND owner = m_parent;
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    if (m_inModal)
        ::ShowWindow(hwnd, SW_SHOWNORMAL);

    MSG msg{};
    while (m_inModal && ::IsWindow(hwnd)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: pass it on to the outer loop
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        if (!WalkPreTranslate(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_inModal = false;
    // Re-enable the owner before the dialog goes, so activation returns to it.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (::IsWindow(hwnd))
        ::DestroyWindow(hwnd);
    m_viaDialogProcedure = false;
    return m_modalResult;
}

#include "framework/dialog.h"

#include "framework/dialog_class.h"
#include <iterator>
#include <string_view>

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
            // Only a change is sent: checking an automatic radio button makes
            // the platform walk the whole dialog for the rest of its group.
            const WPARAM check = index == value ? BST_CHECKED : BST_UNCHECKED;
            if (static_cast<WPARAM>(::SendMessageW(button, BM_GETCHECK, 0, 0)) != check)
                ::SendMessageW(button, BM_SETCHECK, check, 0);
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
// The dialog manager calls this only for what the class procedure left to
// DefDlgProc: there is nothing more to do with it.
INT_PTR CALLBACK NothingMore(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

bool RegisterFrameworkDialogClass() {
    // The platform's dialog class with the framework's procedure: same styles,
    // extra bytes, cursor and background.
    static const wchar_t kName[] = L"" FRAMEWORK_DIALOG_CLASS;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (::GetClassInfoExW(instance, kName, &wc))
        return true;
    if (!::GetClassInfoExW(nullptr, WC_DIALOG, &wc))
        return false;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &CDialog::StaticDialogProc;
    wc.hInstance = instance;
    wc.lpszClassName = kName;
    return ::RegisterClassExW(&wc) != 0;
}

bool IsDialogWindow(HWND hwnd) {
    if (!hwnd)
        return false;
    if (::GetClassLongPtrW(hwnd, GCW_ATOM) == 32770)  // the platform's "#32770"
        return true;
    wchar_t name[sizeof FRAMEWORK_DIALOG_CLASS + 1] = {};
    return ::GetClassNameW(hwnd, name, static_cast<int>(std::size(name))) > 0 &&
           std::wstring_view(name) == L"" FRAMEWORK_DIALOG_CLASS;
}

LRESULT CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Only DoModal creates windows of this class, each bound to its CDialog.
    auto* dialog = static_cast<CDialog*>(FromHandle(hwnd));
    // A new dialog is bound once the dialog manager has set its dialog
    // procedure, as that procedure would be: its handlers never see the
    // window before the template's font and controls are on the way.
    if (!dialog && t_creatingDialog && ::GetWindowLongPtrW(hwnd, DWLP_DLGPROC) != 0) {
        dialog = t_creatingDialog;
        t_creatingDialog = nullptr;
        dialog->Bind(hwnd);
        dialog->m_ownClass = true;
        dialog->PreSubclassWindow();
    }
    if (!dialog)
        return ::DefDlgProcW(hwnd, msg, wParam, lParam);
    return dialog->Route(msg, wParam, lParam);
}

LRESULT CDialog::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!m_ownClass || !m_hWnd)
        return CWnd::DefWindowProc(msg, wParam, lParam);
    return ::DefDlgProcW(m_hWnd, msg, wParam, lParam);
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
    if (!RegisterFrameworkDialogClass()) {
        m_inModal = false;
        return -1;
    }
    t_creatingDialog = this;
    HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent,
                                     &NothingMore, 0);
    t_creatingDialog = nullptr;
    if (hwnd && FromHandle(hwnd) != this) {  // a template that does not name the framework's class
        ::DestroyWindow(hwnd);
        hwnd = nullptr;
    }
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
    m_ownClass = false;
    return m_modalResult;
}

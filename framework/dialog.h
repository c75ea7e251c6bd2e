// CDialog: a dialog from a template, run modally by the framework's own loop
// so that every queued message passes the pre-translate hooks of its target
// window and that window's parents before dialog navigation. Its template
// names the framework's dialog class (framework/dialog_class.h), whose
// procedure carries every message to the object: no subclass chain, whose
// every message costs three window-server trips under Wine.
#pragma once
#include "framework/wnd.h"
#include <string>

// Moves values between a dialog's controls and its members.
struct CDataExchange {
    HWND m_hDlg;
    bool m_bSaveAndValidate;  // true: controls -> members
};

// Binds the control with this id to the object, once.
void DDX_Control(CDataExchange& dx, int id, CWnd& control);
// Window text of a control.
void DDX_Text(CDataExchange& dx, int id, std::wstring& value);
// Index of the checked button in the radio group that starts at firstId; -1 for none.
void DDX_Radio(CDataExchange& dx, int firstId, int& value);

// Registers the framework's dialog class (DoModal does it too). A window of
// it that no CDialog takes is a plain platform dialog: DefDlgProc answers,
// calling the dialog procedure it was created with.
bool RegisterFrameworkDialogClass();
// A dialog of the platform's class or of the framework's.
bool IsDialogWindow(HWND hwnd);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr);

    // Runs the dialog modally; returns the EndDialog result, or -1 when it cannot be created.
    INT_PTR DoModal();
    void EndDialog(int result);
    bool UpdateData(bool saveAndValidate = true);

    UINT m_templateId;
    HWND m_parent;

    BOOL PreTranslateMessage(MSG* msg) override;
    // Offers a queued message to the pre-translate hooks of its target and
    // the target's parents up to this dialog; true when one consumed it.
    bool WalkPreTranslate(MSG& msg);

    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    // Binds controls and exchanges data; called by the default OnInitDialog.
    virtual void DoDataExchange(CDataExchange& dx);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    friend bool RegisterFrameworkDialogClass();
    static LRESULT CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnOkCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }
    BOOL OnInitDialogMessage() { return OnInitDialog(); }

    bool m_ownClass = false;  // bound by the framework's dialog class: DefDlgProc is its default
    bool m_inModal = false;
    int m_modalResult = -1;
};

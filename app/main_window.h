// CVelmoraDlg: the main window, a dialog on template IDD_VELMORA_DIALOG. It
// closes with Exit (IDOK), Escape and the close box (IDCANCEL).
#pragma once
#include "framework/dialog.h"

class CVelmoraDlg : public CDialog {
public:
    explicit CVelmoraDlg(HWND parent = nullptr);
};

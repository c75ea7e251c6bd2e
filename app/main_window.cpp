#include "app/main_window.h"
#include "res/resource.h"

CVelmoraDlg::CVelmoraDlg(HWND parent) : CDialog(IDD_VELMORA_DIALOG, parent) {}

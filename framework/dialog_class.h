// The window class every dialog template names: CLASS FRAMEWORK_DIALOG_CLASS.
// Its procedure carries each message straight to the CDialog and returns the
// answer directly; only what no handler takes goes on to DefDlgProc. Under the
// dialog procedure instead, the dialog manager clears DWLP_MSGRESULT for every
// message, and under Wine each clear is a trip to the window server.
// Plain C: the resource compiler reads it too.
#pragma once
#define FRAMEWORK_DIALOG_CLASS "FrameworkDialog"

// Platform control classes taken over in this module: a local class of the
// same name, the platform's procedure underneath. A control of such a class
// reaches its object through the class procedure, so binding it needs no
// subclass chain, whose every message costs three window-server trips under
// Wine (the chain keeps its state in a window property). Its class name, its
// look and every other subclasser stay as they were.
#pragma once
#include <windows.h>

namespace framework {

// Registers the local class over `platformClass`, once; false when the
// platform has no such class or every slot is taken.
bool TakeOverClass(LPCWSTR platformClass);

// The platform procedure under `hwnd` when its class is one taken over, else null.
WNDPROC TakenOverProcedure(HWND hwnd);

// Takes over the standard and common controls a dialog template names
// (buttons, statics, edits, combo boxes, list views, trackbars); call after
// InitCommonControlsEx and before the first dialog.
void TakeOverCommonControls();

}  // namespace framework

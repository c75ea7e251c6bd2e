// Runs the real main window (dialog template 102, the real controls) modally
// and a test body inside its modal loop, the way a user's session would; the
// body reaches inside only through MainWindowTestAccess.
#pragma once
#include "tests/app/main_window_test_access.h"
#include <functional>

class MainWindowHarness : public MainWindowTestAccess {
public:
    using Body = std::function<void(MainWindowHarness&)>;

    // Opens the window, runs `body` once initialisation is done, then ends the
    // modal run with IDOK unless the body closed the window itself. Returns
    // the modal result.
    INT_PTR Run(Body body);

    // Processes the queued messages as the modal loop does: each one passes
    // the pre-translate hooks (FilterKeyMessage included) before dispatch.
    void Pump();
    // Delivers one tick of the window's timer `id`, as the platform would, and pumps.
    void Tick(UINT_PTR id);
    // True when the window's timer `id` is running. Asking stops it.
    bool StopTimer(UINT_PTR id);
    // Posts a key press to `target` (key-down, then key-up) and pumps.
    void PressKey(HWND target, UINT vk);
    // Asks for the grid's context menu at a screen point, as a right click
    // does, and pumps once it has closed. The menu runs its own loop inside;
    // a timer ends it after five seconds should a test fail to close it.
    void OpenGridContextMenu(POINT screen);

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    Body m_body;
    bool m_ran = false;
};

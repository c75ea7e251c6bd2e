#include "tests/app/main_window_harness.h"
#include <gtest/gtest.h>

namespace {
constexpr UINT WM_HARNESS_RUN = WM_APP + 0x3A1;
}

INT_PTR MainWindowHarness::Run(Body body) {
    m_body = std::move(body);
    m_ran = false;
    const INT_PTR result = DoModal();
    // A window that never opened (a missing template, say) must not pass as a test that ran.
    EXPECT_NE(result, -1) << "the main window could not be created";
    EXPECT_TRUE(m_ran) << "the test body did not run inside the main window";
    return result;
}

BOOL MainWindowHarness::OnInitDialog() {
    const BOOL result = CVelmoraDlg::OnInitDialog();
    PostMessage(WM_HARNESS_RUN);
    return result;
}

LRESULT MainWindowHarness::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HARNESS_RUN && !m_ran) {
        m_ran = true;
        if (m_body)
            m_body(*this);
        if (m_hWnd && ::IsWindow(m_hWnd))
            EndDialog(IDOK);
        return 0;
    }
    return CVelmoraDlg::WindowProc(msg, wParam, lParam);
}

void MainWindowHarness::Pump() {
    MSG msg;
    while (m_hWnd && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!WalkPreTranslate(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void MainWindowHarness::Tick(UINT_PTR id) {
    SendMessage(WM_TIMER, id, 0);
    Pump();
}

bool MainWindowHarness::StopTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id) != FALSE; }

void MainWindowHarness::OpenGridContextMenu(POINT screen) {
    const UINT_PTR guard = ::SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    ::SendMessageW(m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Grid().m_hWnd), MAKELPARAM(screen.x, screen.y));
    ::KillTimer(nullptr, guard);
    Pump();
}

void MainWindowHarness::PressKey(HWND target, UINT vk) {
    ::PostMessageW(target, WM_KEYDOWN, vk, 1);
    ::PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
    Pump();
}

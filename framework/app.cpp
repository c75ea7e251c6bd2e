#include "framework/app.h"
#include "framework/class_takeover.h"
#include <objbase.h>

namespace {
CWinApp* g_app = nullptr;

std::wstring ExecutableBaseName() {
    wchar_t path[MAX_PATH + 1]{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length);
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.erase(dot);
    return name;
}
}  // namespace

CWinApp::CWinApp() : m_hInstance(::GetModuleHandleW(nullptr)), m_appName(ExecutableBaseName()) { g_app = this; }

CWinApp::~CWinApp() {
    if (m_comInitialised)
        ::CoUninitialize();
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* CWinApp::Current() { return g_app; }

void CWinApp::InitFramework() {
    framework::TakeOverCommonControls();
    // Hosted controls and the shell's file dialogs want a single-threaded apartment.
    if (!m_comInitialised)
        m_comInitialised = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

int CWinApp::OnShutdown() { return 0; }

int CWinApp::Run() {
    if (OnStartup()) {
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return OnShutdown();
}

// CWinApp: the one application object of the process. Its constructor runs
// before start-up (it is a global); wWinMain calls Run.
#pragma once
#include <windows.h>
#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();

    // Start-up; false ends the process without a message loop of the application's own.
    virtual bool OnStartup() = 0;
    // Exit; returns the process exit code.
    virtual int OnShutdown();
    // OnStartup, then a message loop while it returned true, then OnShutdown.
    int Run();

    // Framework set-up the start-up sequence asks for.
    void InitFramework();
    void SetRegistryKey(const std::wstring& key) { m_registryKey = key; }

    HINSTANCE m_hInstance;
    std::wstring m_appName;      // file name of the executable without its extension
    std::wstring m_registryKey;  // per-user profile key; nothing is stored there
    CWnd* m_pMainWnd = nullptr;

private:
    bool m_comInitialised = false;
};

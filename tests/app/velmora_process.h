// Runs the real Velmora.exe as a separate process and drives its windows
// from outside, as a user would: start-up boxes, then the main window.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace app_test {

class VelmoraProcess {
public:
    VelmoraProcess(const std::wstring& exePath, const std::wstring& currentDirectory);
    // Ends the process if a test left it running.
    ~VelmoraProcess();
    VelmoraProcess(const VelmoraProcess&) = delete;
    VelmoraProcess& operator=(const VelmoraProcess&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }

    // Answers each "Information" box with OK, recording its text, until the
    // main window is visible; null when it does not appear in time.
    HWND WaitForMainWindow(DWORD timeoutMs = 30000);
    std::vector<std::wstring> informationTexts;

    // Waits until the program waits for input with nothing left to process.
    bool WaitUntilIdle(DWORD timeoutMs = 30000);
    // Whether the process has loaded this module ("comdlg32.dll").
    bool HasLoaded(const wchar_t* module) const;

    // The exit code, or STILL_ACTIVE when the process has not ended in time.
    // A save question shown meanwhile is answered No; its text is recorded.
    DWORD WaitForExit(DWORD timeoutMs = 30000);
    std::vector<std::wstring> questionTexts;

private:
    PROCESS_INFORMATION m_process{};
};

// The dialogs this process shows, visible ones only.
std::vector<HWND> VisibleDialogsOf(DWORD processId);
// The message text of a message box: its static control that is not the icon.
std::wstring MessageBoxText(HWND box);
std::wstring WindowTitle(HWND hwnd);

}  // namespace app_test

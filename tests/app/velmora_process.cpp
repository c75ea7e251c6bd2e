#include "tests/app/velmora_process.h"

#include "framework/dialog_class.h"
#include <tlhelp32.h>
#include <algorithm>

namespace app_test {

namespace {

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64]{};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

// The platform's dialogs (file dialogs) and the program's own.
bool IsDialogClass(const std::wstring& name) { return name == L"#32770" || name == L"" FRAMEWORK_DIALOG_CLASS; }

struct DialogSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId && ::IsWindowVisible(hwnd) && IsDialogClass(ClassOf(hwnd)))
        search->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK FindMessageText(HWND child, LPARAM param) {
    auto* text = reinterpret_cast<std::wstring*>(param);
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    if (ClassOf(child) != L"Static" || (style & SS_TYPEMASK) == SS_ICON)
        return TRUE;
    *text = WindowTitle(child);
    return text->empty();
}

}  // namespace

std::vector<HWND> VisibleDialogsOf(DWORD processId) {
    DialogSearch search{processId, {}};
    ::EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    ::EnumChildWindows(box, &FindMessageText, reinterpret_cast<LPARAM>(&text));
    return text;
}

std::wstring WindowTitle(HWND hwnd) {
    wchar_t text[512]{};
    ::GetWindowTextW(hwnd, text, 512);
    return text;
}

VelmoraProcess::VelmoraProcess(const std::wstring& exePath, const std::wstring& currentDirectory) {
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentDirectory.c_str(), &startup, &m_process))
        m_process = {};
}

VelmoraProcess::~VelmoraProcess() {
    if (!m_process.hProcess)
        return;
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.hProcess, 99);
        ::WaitForSingleObject(m_process.hProcess, 10000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

HWND VelmoraProcess::WaitForMainWindow(DWORD timeoutMs) {
    if (!Started())
        return nullptr;
    std::vector<HWND> answered;
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < end) {
        for (HWND dialog : VisibleDialogsOf(m_process.dwProcessId)) {
            const std::wstring title = WindowTitle(dialog);
            if (title == L"Information") {
                if (std::find(answered.begin(), answered.end(), dialog) != answered.end())
                    continue;
                answered.push_back(dialog);
                informationTexts.push_back(MessageBoxText(dialog));
                ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            } else {
                return dialog;
            }
        }
        if (::WaitForSingleObject(m_process.hProcess, 50) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

bool VelmoraProcess::WaitUntilIdle(DWORD timeoutMs) {
    return Started() && ::WaitForInputIdle(m_process.hProcess, timeoutMs) == 0;
}

bool VelmoraProcess::HasLoaded(const wchar_t* module) const {
    if (!Started())
        return false;
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, m_process.dwProcessId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = ::Module32FirstW(snapshot, &entry); more && !found; more = ::Module32NextW(snapshot, &entry))
        found = ::lstrcmpiW(entry.szModule, module) == 0;
    ::CloseHandle(snapshot);
    return found;
}

DWORD VelmoraProcess::WaitForExit(DWORD timeoutMs) {
    if (!Started())
        return STILL_ACTIVE;
    // The question box is the dialog with the text control of template 103.
    constexpr int kQuestionText = 1051;
    constexpr int kNoButton = 1049;
    std::vector<HWND> answered;
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::WaitForSingleObject(m_process.hProcess, 50) == WAIT_TIMEOUT) {
        if (::GetTickCount64() >= end)
            return STILL_ACTIVE;
        for (HWND dialog : VisibleDialogsOf(m_process.dwProcessId)) {
            HWND text = ::GetDlgItem(dialog, kQuestionText);
            if (!text || std::find(answered.begin(), answered.end(), dialog) != answered.end())
                continue;
            answered.push_back(dialog);
            questionTexts.push_back(WindowTitle(text));
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kNoButton, BN_CLICKED), 0);
        }
    }
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

}  // namespace app_test

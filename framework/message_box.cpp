#include "framework/message_box.h"
#include "framework/app.h"

namespace {
MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int ShowMessageBox(HWND owner, const std::wstring& text, const wchar_t* caption, UINT type) {
    std::wstring title;
    if (caption)
        title = caption;
    else if (CWinApp* app = CWinApp::Current())
        title = app->m_appName;
    if (Hook())
        return Hook()({owner, text, title, type});
    return ::MessageBoxW(owner, text.c_str(), title.c_str(), type);
}

// CWnd: a C++ object bound to one HWND, with a message map and the hooks of
// the framework (pre-create, attach, pre-translate, child notification).
#pragma once
#include "framework/message_map.h"
#include <string>

// Sets a window's text only when it differs: each set repaints the window,
// and under Wine is a window-server trip. True when the text was set.
bool SetTextIfChanged(HWND hwnd, const std::wstring& text);

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to a window, or null.
    static CWnd* FromHandle(HWND hwnd);

    // Creates a window. Classes registered by PreCreateWindow with
    // CWnd::StaticWndProc are bound at WM_NCCREATE; platform classes are
    // bound right after creation: through their class procedure when the
    // class is taken over, else with SetWindowSubclass, so that other
    // subclassers above and below keep their place in the chain.
    BOOL Create(LPCWSTR className, LPCWSTR title, DWORD style, const RECT& rect, HWND parent, UINT id,
                DWORD exStyle = 0);
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, HWND parent);
    HWND UnsubclassWindow();
    BOOL DestroyWindow();

    // Hooks.
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);  // class and styles before creation
    virtual void PreSubclassWindow();                 // the object has just been bound
    virtual BOOL PreTranslateMessage(MSG* msg);       // sees queued messages before dispatch
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // A message reflected from the parent back to this child; true when handled.
    virtual bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Reflection to the child it concerns, then the message map; true when either handled it.
    bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Default processing of the message being handled right now.
    LRESULT Default();
    // Default processing of any message (the previous window procedure or DefWindowProc).
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // A question about the window's own state (its text, its font, a list's
    // counts and rectangles) goes straight to the class procedure. Through a
    // subclass chain every message costs three window-server trips under
    // Wine, and a paint asks many; nothing in the chain answers them
    // differently. Anything that changes the window is sent, so every
    // subclasser sees it.
    LRESULT Ask(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Thin conveniences used throughout the UI.
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    // Adds and removes styles; with frameFlags the frame is recalculated (SetWindowPos flags).
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT frameFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT frameFlags = 0);
    void SetRedraw(BOOL redraw) { ::SendMessageW(m_hWnd, WM_SETREDRAW, redraw, 0); }
    void SetFont(HFONT font, BOOL redraw = TRUE) {
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(Ask(WM_GETFONT)); }

    // The window procedure of every class the framework registers itself.
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The class procedure of a platform class taken over (framework/class_takeover.h):
    // a bound window's object, else the platform procedure.
    static LRESULT RouteOverPlatform(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, WNDPROC platform);
    // For PreCreateWindow: registers `className` with StaticWndProc and the
    // arrow cursor unless the module already has it, and names it in `cs`.
    static BOOL UseFrameworkClass(CREATESTRUCTW& cs, LPCWSTR className, UINT classStyle = 0,
                                  HBRUSH background = nullptr);

protected:
    virtual const MessageMap* GetMessageMap() const;
    // Called after WM_NCDESTROY, when the object is no longer bound.
    virtual void PostNcDestroy() {}
    // Binds the object to a window that already reaches it (a framework class, a dialog procedure).
    void Bind(HWND hwnd);
    // Runs the message through WindowProc as the message being handled; unbinds at WM_NCDESTROY.
    LRESULT Route(UINT msg, WPARAM wParam, LPARAM lParam);

public:
    static const MessageMap* StaticMessageMap();

private:
    struct CurrentMessage {
        UINT msg = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

    void Unbind();
    bool DispatchToMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool DispatchKey(UINT key, bool keyed, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);

    bool m_subclassed = false;              // a platform window, reached through SetWindowSubclass
    WNDPROC m_platformProc = nullptr;       // of a class taken over, reached through its class procedure
    mutable WNDPROC m_classProc = nullptr;  // found at the first question
    CurrentMessage m_current;
};

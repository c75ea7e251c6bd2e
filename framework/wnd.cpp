#include "framework/wnd.h"
#include "framework/class_takeover.h"
#include <algorithm>
#include <commctrl.h>
#include <mutex>
#include <unordered_map>

namespace {
// Which object each bound window belongs to. Kept in the process rather than
// in a window property: every message looks its window up, and Wine serves
// GetPropW through its window server (some 50 to 100 us a call).
class BindingTable {
public:
    CWnd* Find(HWND hwnd) {
        std::lock_guard lock(m_mutex);
        const auto it = m_objects.find(hwnd);
        return it == m_objects.end() ? nullptr : it->second;
    }
    void Add(HWND hwnd, CWnd* wnd) {
        std::lock_guard lock(m_mutex);
        m_objects[hwnd] = wnd;
    }
    void Remove(HWND hwnd) {
        std::lock_guard lock(m_mutex);
        m_objects.erase(hwnd);
    }

private:
    std::mutex m_mutex;  // windows of other threads bind and look up too
    std::unordered_map<HWND, CWnd*> m_objects;
};

// Never destroyed: windows of static objects are let go after static destruction.
BindingTable& Bindings() {
    static BindingTable* const table = new BindingTable;
    return *table;
}

// The framework's entry in a control's subclass chain.
constexpr UINT_PTR kSubclassId = 0x56454C4D;

// The window being created by CWnd::Create, bound at its first message.
thread_local CWnd* t_creating = nullptr;

HWND ReflectionTarget(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFY: return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM: {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return dis->CtlType == ODT_MENU ? nullptr : dis->hwndItem;
    }
    case WM_MEASUREITEM: {
        const auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return mis->CtlType == ODT_MENU ? nullptr : ::GetDlgItem(parent, static_cast<int>(mis->CtlID));
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return reinterpret_cast<HWND>(lParam);
    default: (void)wParam; return nullptr;
    }
}

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// Map keys that stand for translated messages. A window message that happens
// to carry one of these numbers never reaches their entries: its lParam is not
// the CtlColorArgs they unpack.
bool IsTranslatedKey(UINT msg) { return msg == WM_CTLCOLOR || msg == WM_REFLECT_BASE + WM_CTLCOLOR; }
}  // namespace

CWnd::~CWnd() {
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hwnd) { return hwnd ? Bindings().Find(hwnd) : nullptr; }

const MessageMap* CWnd::StaticMessageMap() {
    static const MessageMap map{nullptr, nullptr, 0};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const { return StaticMessageMap(); }

void CWnd::Bind(HWND hwnd) {
    m_hWnd = hwnd;
    Bindings().Add(hwnd, this);
}

void CWnd::Unbind() {
    if (!m_hWnd)
        return;
    Bindings().Remove(m_hWnd);
    if (m_subclassed)
        ::RemoveWindowSubclass(m_hWnd, &CWnd::SubclassProc, kSubclassId);
    m_subclassed = false;
    m_platformProc = nullptr;
    m_classProc = nullptr;
    m_hWnd = nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&) { return TRUE; }

BOOL CWnd::UseFrameworkClass(CREATESTRUCTW& cs, LPCWSTR className, UINT classStyle, HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExW(cs.hInstance, className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.style = classStyle;
        wc.lpfnWndProc = &CWnd::StaticWndProc;
        wc.hInstance = cs.hInstance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = className;
        if (!::RegisterClassExW(&wc))
            return FALSE;
    }
    cs.lpszClass = className;
    return TRUE;
}
void CWnd::PreSubclassWindow() {}
BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::Create(LPCWSTR className, LPCWSTR title, DWORD style, const RECT& rect, HWND parent, UINT id,
                  DWORD exStyle) {
    CREATESTRUCTW cs{};
    cs.lpszClass = className;
    cs.lpszName = title;
    cs.style = static_cast<LONG>(style);
    cs.dwExStyle = exStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = parent;
    cs.hMenu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    cs.hInstance = ::GetModuleHandleW(nullptr);
    if (!PreCreateWindow(cs))
        return FALSE;

    t_creating = this;
    HWND hwnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
    t_creating = nullptr;
    if (!hwnd)
        return FALSE;
    if (!m_hWnd)  // a platform class: take it over now
        SubclassWindow(hwnd);
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandle(hwnd))
        return FALSE;
    if (const WNDPROC platform = framework::TakenOverProcedure(hwnd)) {
        Bind(hwnd);
        m_platformProc = platform;
        PreSubclassWindow();
        return TRUE;
    }
    if (!::SetWindowSubclass(hwnd, &CWnd::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return FALSE;
    Bind(hwnd);
    m_subclassed = true;
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, HWND parent) { return SubclassWindow(::GetDlgItem(parent, static_cast<int>(id))); }

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    Unbind();
    return hwnd;
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

RECT CWnd::GetClientRect() const {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetWindowRect() const {
    RECT rc{};
    ::GetWindowRect(m_hWnd, &rc);
    return rc;
}

bool SetTextIfChanged(HWND hwnd, const std::wstring& text) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring old(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    old.resize(static_cast<size_t>(std::max(::GetWindowTextW(hwnd, old.data(), length + 1), 0)));
    return text != old && ::SetWindowTextW(hwnd, text.c_str());
}

LRESULT CWnd::Ask(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (!m_classProc && m_hWnd)
        m_classProc = m_platformProc ? m_platformProc
                                     : reinterpret_cast<WNDPROC>(::GetClassLongPtrW(m_hWnd, GCLP_WNDPROC));
    if (!m_classProc)
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    return ::CallWindowProcW(m_classProc, m_hWnd, msg, wParam, lParam);
}

std::wstring CWnd::GetWindowText() const {
    const auto length = static_cast<int>(Ask(WM_GETTEXTLENGTH));
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const auto got = static_cast<int>(Ask(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(std::clamp(got, 0, length > 0 ? length : 0)));
    return text;
}

namespace {
// Changes GWL_STYLE or GWL_EXSTYLE; with frameFlags the frame is recalculated.
BOOL ChangeStyle(HWND hwnd, int index, DWORD remove, DWORD add, UINT frameFlags) {
    const auto old = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, index));
    const DWORD now = (old & ~remove) | add;
    if (now == old)
        return FALSE;
    ::SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(now));
    if (frameFlags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | frameFlags);
    return TRUE;
}
}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT frameFlags) {
    return ChangeStyle(m_hWnd, GWL_STYLE, remove, add, frameFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT frameFlags) {
    return ChangeStyle(m_hWnd, GWL_EXSTYLE, remove, add, frameFlags);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_subclassed)
        return ::DefSubclassProc(m_hWnd, msg, wParam, lParam);
    if (m_platformProc)
        return ::CallWindowProcW(m_platformProc, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.msg, m_current.wParam, m_current.lParam); }

bool CWnd::DispatchToMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (IsTranslatedKey(msg))
        return false;
    UINT key = msg;
    UINT code = 0;
    UINT id = 0;
    CtlColorArgs ctlColor{};
    if (msg == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (msg == WM_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        code = hdr->code;
        id = static_cast<UINT>(hdr->idFrom);
    } else if (msg == WM_REFLECT_BASE + WM_NOTIFY) {
        code = reinterpret_cast<const NMHDR*>(lParam)->code;
    } else if (IsCtlColor(msg)) {
        key = WM_CTLCOLOR;
        ctlColor = {reinterpret_cast<HWND>(lParam), msg - WM_CTLCOLORMSGBOX};
        lParam = reinterpret_cast<LPARAM>(&ctlColor);
    }
    const bool keyed = msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_REFLECT_BASE + WM_NOTIFY;
    return DispatchKey(key, keyed, code, id, wParam, lParam, result);
}

bool CWnd::DispatchKey(UINT key, bool keyed, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageEntry& e = map->entries[i];
            if (e.message != key)
                continue;
            if (keyed && (e.code != code || id < e.firstId || id > e.lastId))
                continue;
            if (e.thunk(*this, wParam, lParam, result))
                return true;
        }
    }
    return false;
}

bool CWnd::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (IsCtlColor(msg))  // reflected colour queries carry the control type
        return DispatchKey(WM_REFLECT_BASE + WM_CTLCOLOR, false, 0, 0, wParam, msg - WM_CTLCOLORMSGBOX, *result);
    return DispatchToMap(WM_REFLECT_BASE + msg, wParam, lParam, *result);
}

bool CWnd::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = ReflectionTarget(m_hWnd, msg, wParam, lParam);
    CWnd* target = FromHandle(child);
    return target && target != this && target->OnChildNotify(msg, wParam, lParam, &result);
}

bool CWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return ReflectToChild(msg, wParam, lParam, result) || DispatchToMap(msg, wParam, lParam, result);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Handle(msg, wParam, lParam, result))
        return result;
    return DefWindowProc(msg, wParam, lParam);
}

LRESULT CWnd::Route(UINT msg, WPARAM wParam, LPARAM lParam) {
    const CurrentMessage saved = m_current;
    m_current = {msg, wParam, lParam};
    LRESULT result;
    if (msg == WM_NCDESTROY) {
        // Default processing inside reaches the previous procedure; then let go.
        result = WindowProc(msg, wParam, lParam);
        Unbind();
        PostNcDestroy();
        return result;
    }
    result = WindowProc(msg, wParam, lParam);
    m_current = saved;
    return result;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hwnd);
    if (!wnd && t_creating) {
        wnd = t_creating;
        t_creating = nullptr;
        wnd->Bind(hwnd);
        wnd->PreSubclassWindow();
    }
    if (!wnd)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    return wnd->Route(msg, wParam, lParam);
}

LRESULT CWnd::RouteOverPlatform(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, WNDPROC platform) {
    // Until bound (during creation, or a window no object takes) the platform answers alone.
    CWnd* wnd = FromHandle(hwnd);
    if (!wnd || wnd->m_platformProc != platform)
        return ::CallWindowProcW(platform, hwnd, msg, wParam, lParam);
    return wnd->Route(msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<CWnd*>(self)->Route(msg, wParam, lParam);
}

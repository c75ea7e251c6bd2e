// Declarative message maps: a static table per class, chained to the base's.
// Each entry unpacks wParam/lParam once and calls a typed OnXxx handler.
#pragma once
#include <windows.h>
#include <cstddef>
#include <iterator>

class CWnd;

namespace velmora::detail {
template <typename F>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
};
template <auto F>
using ClassOf = typename MemberOf<decltype(F)>::Class;
template <auto F>
ClassOf<F>& Self(CWnd& w) {
    return static_cast<ClassOf<F>&>(w);
}
}  // namespace velmora::detail

// Returns true when the entry handled the message; the result goes to `result`.
using MessageThunk = bool (*)(CWnd& wnd, WPARAM wParam, LPARAM lParam, LRESULT& result);

struct MessageEntry {
    UINT message;  // window message; WM_COMMAND and WM_NOTIFY also match code and id range
    UINT code;     // notification code (WM_COMMAND: HIWORD(wParam); WM_NOTIFY: NMHDR::code)
    UINT firstId;  // control or command id range
    UINT lastId;
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* base;
    const MessageEntry* entries;
    std::size_t count;
};

// Reflected messages come back to the child that sent them at this offset.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// The one map key for all WM_CTLCOLOR* messages (the old combined message
// number). A message sent with this number is never dispatched to its entries.
constexpr UINT WM_CTLCOLOR = 0x0019;
struct CtlColorArgs {
    HWND child;
    UINT type;  // CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC
};

// Usage, in the .cpp of a window class:
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       Size<&ThisClass::OnSize>(),
//       Command<&ThisClass::OnOpen>(IDC_OPEN),
//       Notify<&ThisClass::OnItemChanged>(LVN_ITEMCHANGED, IDC_GRID),
//   END_MESSAGE_MAP()
#define DECLARE_MESSAGE_MAP()                    \
public:                                          \
    static const MessageMap* StaticMessageMap(); \
                                                 \
protected:                                       \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(Class, Base)                                            \
    const MessageMap* Class::GetMessageMap() const { return StaticMessageMap(); } \
    const MessageMap* Class::StaticMessageMap() {                                 \
        using ThisClass [[maybe_unused]] = Class;                                 \
        using TheBase = Base;                                                     \
        using namespace velmora::map;                                             \
        static const MessageEntry entries[] = {
#define END_MESSAGE_MAP()                                                                  \
    }                                                                                      \
    ;                                                                                      \
    static const MessageMap map{TheBase::StaticMessageMap(), entries, std::size(entries)}; \
    return &map;                                                                           \
    }

namespace velmora::map {
using velmora::detail::Self;

// Generic: LRESULT OnX(WPARAM, LPARAM)
template <auto F>
constexpr MessageEntry Message(UINT msg) {
    return {msg, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                r = (Self<F>(w).*F)(wp, lp);
                return true;
            }};
}
// void OnX()  for WM_COMMAND with code (BN_CLICKED == 0 for menu/accelerator too)
template <auto F>
constexpr MessageEntry Command(UINT id, UINT code = 0) {
    return {WM_COMMAND, code, id, id, [](CWnd& w, WPARAM, LPARAM, LRESULT& r) {
                (Self<F>(w).*F)();
                r = 0;
                return true;
            }};
}
// void OnX(UINT id)
template <auto F>
constexpr MessageEntry CommandRange(UINT first, UINT last, UINT code = 0) {
    return {WM_COMMAND, code, first, last, [](CWnd& w, WPARAM wp, LPARAM, LRESULT& r) {
                (Self<F>(w).*F)(LOWORD(wp));
                r = 0;
                return true;
            }};
}
// void OnX(NMHDR*, LRESULT*)
template <auto F>
constexpr MessageEntry Notify(UINT code, UINT id) {
    return {WM_NOTIFY, code, id, id, [](CWnd& w, WPARAM, LPARAM lp, LRESULT& r) {
                r = 0;
                (Self<F>(w).*F)(reinterpret_cast<NMHDR*>(lp), &r);
                return true;
            }};
}
// Reflected WM_NOTIFY, handled by the sending control itself: void OnX(NMHDR*, LRESULT*)
template <auto F>
constexpr MessageEntry NotifyReflect(UINT code) {
    return {WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0xFFFF, [](CWnd& w, WPARAM, LPARAM lp, LRESULT& r) {
                r = 0;
                (Self<F>(w).*F)(reinterpret_cast<NMHDR*>(lp), &r);
                return true;
            }};
}
// Reflected WM_CTLCOLOR*: HBRUSH OnX(HDC, UINT ctlType); a null brush passes the message on.
template <auto F>
constexpr MessageEntry CtlColorReflect() {
    return {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                HBRUSH b = (Self<F>(w).*F)(reinterpret_cast<HDC>(wp), static_cast<UINT>(lp));
                r = reinterpret_cast<LRESULT>(b);
                return b != nullptr;
            }};
}

// Typed crackers for the window messages the system uses.
template <auto F>
constexpr MessageEntry Create() {  // int OnCreate(CREATESTRUCT*)
    return {WM_CREATE, 0, 0, 0, [](CWnd& w, WPARAM, LPARAM lp, LRESULT& r) {
                r = (Self<F>(w).*F)(reinterpret_cast<CREATESTRUCT*>(lp));
                return true;
            }};
}
template <auto F>
constexpr MessageEntry InitDialog() {  // BOOL OnInitDialog()
    return {WM_INITDIALOG, 0, 0, 0, [](CWnd& w, WPARAM, LPARAM, LRESULT& r) {
                r = (Self<F>(w).*F)();
                return true;
            }};
}
template <auto F>
constexpr MessageEntry Paint() {  // void OnPaint()
    return {WM_PAINT, 0, 0, 0, [](CWnd& w, WPARAM, LPARAM, LRESULT& r) {
                (Self<F>(w).*F)();
                r = 0;
                return true;
            }};
}
template <auto F>
constexpr MessageEntry EraseBkgnd() {  // BOOL OnEraseBkgnd(HDC)
    return {WM_ERASEBKGND, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM, LRESULT& r) {
                r = (Self<F>(w).*F)(reinterpret_cast<HDC>(wp));
                return true;
            }};
}
template <auto F>
constexpr MessageEntry Size() {  // void OnSize(UINT type, int cx, int cy)
    return {WM_SIZE, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                (Self<F>(w).*F)(static_cast<UINT>(wp), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
                r = 0;
                return true;
            }};
}
template <auto F>
constexpr MessageEntry GetMinMaxInfo() {  // void OnGetMinMaxInfo(MINMAXINFO*)
    return {WM_GETMINMAXINFO, 0, 0, 0, [](CWnd& w, WPARAM, LPARAM lp, LRESULT& r) {
                (Self<F>(w).*F)(reinterpret_cast<MINMAXINFO*>(lp));
                r = 0;
                return true;
            }};
}
template <auto F>
constexpr MessageEntry WindowPosChanged() {  // void OnWindowPosChanged(WINDOWPOS*)
    return {WM_WINDOWPOSCHANGED, 0, 0, 0, [](CWnd& w, WPARAM, LPARAM lp, LRESULT& r) {
                (Self<F>(w).*F)(reinterpret_cast<WINDOWPOS*>(lp));
                r = 0;
                return true;
            }};
}
template <auto F>
constexpr MessageEntry Timer() {  // void OnTimer(UINT_PTR id)
    return {WM_TIMER, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM, LRESULT& r) {
                (Self<F>(w).*F)(static_cast<UINT_PTR>(wp));
                r = 0;
                return true;
            }};
}
template <auto F>
constexpr MessageEntry SysCommand() {  // void OnSysCommand(UINT id, LPARAM)
    return {WM_SYSCOMMAND, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                (Self<F>(w).*F)(static_cast<UINT>(wp), lp);
                r = 0;
                return true;
            }};
}
template <auto F>
constexpr MessageEntry QueryDragIcon() {  // HCURSOR OnQueryDragIcon()
    return {WM_QUERYDRAGICON, 0, 0, 0, [](CWnd& w, WPARAM, LPARAM, LRESULT& r) {
                r = reinterpret_cast<LRESULT>((Self<F>(w).*F)());
                return true;
            }};
}
// Every WM_CTLCOLOR* message is looked up under WM_CTLCOLOR; the thunk gets
// the child and the control type (CTLCOLOR_*) through CtlColorArgs.
template <auto F>
constexpr MessageEntry CtlColor() {  // HBRUSH OnCtlColor(HDC, HWND child, UINT ctlType)
    return {WM_CTLCOLOR, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                const auto* args = reinterpret_cast<const CtlColorArgs*>(lp);
                r = reinterpret_cast<LRESULT>((Self<F>(w).*F)(reinterpret_cast<HDC>(wp), args->child, args->type));
                return true;
            }};
}
template <auto F>
constexpr MessageEntry ContextMenu() {  // void OnContextMenu(HWND, POINT screen)
    return {WM_CONTEXTMENU, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                (Self<F>(w).*F)(reinterpret_cast<HWND>(wp),
                                POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
                r = 0;
                return true;
            }};
}
template <auto F>
constexpr MessageEntry HScroll() {  // void OnHScroll(UINT code, UINT pos, HWND bar)
    return {WM_HSCROLL, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                (Self<F>(w).*F)(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
                r = 0;
                return true;
            }};
}
template <auto F>
constexpr MessageEntry VScroll() {  // void OnVScroll(UINT code, UINT pos, HWND bar)
    return {WM_VSCROLL, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                (Self<F>(w).*F)(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
                r = 0;
                return true;
            }};
}
// bool OnMouseWheel(UINT keys, short delta, POINT screen); false passes the message on.
template <auto F>
constexpr MessageEntry MouseWheel() {
    return {WM_MOUSEWHEEL, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                r = 0;
                return (Self<F>(w).*F)(GET_KEYSTATE_WPARAM(wp), GET_WHEEL_DELTA_WPARAM(wp),
                                       POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
            }};
}
// Keys: void OnX(UINT vk, UINT repeat, UINT flags)
template <auto F>
constexpr MessageEntry Key(UINT msg) {
    return {msg, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                (Self<F>(w).*F)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
                r = 0;
                return true;
            }};
}
// Mouse buttons and moves: void OnX(UINT flags, POINT client)
template <auto F>
constexpr MessageEntry Mouse(UINT msg) {
    return {msg, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                (Self<F>(w).*F)(static_cast<UINT>(wp),
                                POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
                r = 0;
                return true;
            }};
}
// Focus: void OnX(HWND other)
template <auto F>
constexpr MessageEntry Focus(UINT msg) {
    return {msg, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM, LRESULT& r) {
                (Self<F>(w).*F)(reinterpret_cast<HWND>(wp));
                r = 0;
                return true;
            }};
}
// BOOL OnSetCursor(HWND, UINT hitTest, UINT mouseMsg)
template <auto F>
constexpr MessageEntry SetCursor() {
    return {WM_SETCURSOR, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                r = (Self<F>(w).*F)(reinterpret_cast<HWND>(wp), LOWORD(lp), HIWORD(lp));
                return true;
            }};
}
// void OnX() for messages without arguments (WM_MOUSELEAVE, WM_CANCELMODE, ...)
template <auto F>
constexpr MessageEntry Simple(UINT msg) {
    return {msg, 0, 0, 0, [](CWnd& w, WPARAM, LPARAM, LRESULT& r) {
                (Self<F>(w).*F)();
                r = 0;
                return true;
            }};
}
// void OnActivate(UINT state, HWND other, BOOL minimized)
template <auto F>
constexpr MessageEntry Activate() {
    return {WM_ACTIVATE, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
                (Self<F>(w).*F)(LOWORD(wp), reinterpret_cast<HWND>(lp), HIWORD(wp) != 0);
                r = 0;
                return true;
            }};
}
// void OnEnable(BOOL enable)
template <auto F>
constexpr MessageEntry Enable() {
    return {WM_ENABLE, 0, 0, 0, [](CWnd& w, WPARAM wp, LPARAM, LRESULT& r) {
                (Self<F>(w).*F)(wp != 0);
                r = 0;
                return true;
            }};
}
}  // namespace velmora::map

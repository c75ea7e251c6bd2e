#include "framework/class_takeover.h"
#include "framework/wnd.h"
#include <algorithm>
#include <array>
#include <commctrl.h>
#include <cwchar>
#include <utility>

namespace {

// One class procedure per class taken over, each knowing its platform procedure.
constexpr std::size_t kSlotCount = 8;

struct Slot {
    wchar_t name[32] = {};
    WNDPROC platform = nullptr;
};
std::array<Slot, kSlotCount> g_slots;

template <std::size_t I>
LRESULT CALLBACK SlotProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CWnd::RouteOverPlatform(hwnd, msg, wParam, lParam, g_slots[I].platform);
}

template <std::size_t... I>
constexpr std::array<WNDPROC, kSlotCount> MakeSlotProcedures(std::index_sequence<I...>) {
    return {&SlotProcedure<I>...};
}
constexpr std::array<WNDPROC, kSlotCount> kSlotProcedures = MakeSlotProcedures(std::make_index_sequence<kSlotCount>());

}  // namespace

namespace framework {

bool TakeOverClass(LPCWSTR platformClass) {
    std::size_t free = kSlotCount;
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        if (!g_slots[i].platform) {
            free = std::min(free, i);
            continue;
        }
        if (_wcsicmp(g_slots[i].name, platformClass) == 0)
            return true;
    }
    if (free == kSlotCount || std::wcslen(platformClass) >= std::size(g_slots[free].name))
        return false;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExW(nullptr, platformClass, &wc))
        return false;
    Slot& slot = g_slots[free];
    slot.platform = wc.lpfnWndProc;
    std::wcscpy(slot.name, platformClass);
    wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    wc.lpfnWndProc = kSlotProcedures[free];
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = slot.name;
    if (!::RegisterClassExW(&wc)) {
        slot = Slot{};
        return false;
    }
    return true;
}

void TakeOverCommonControls() {
    for (LPCWSTR name : {WC_BUTTONW, WC_STATICW, WC_EDITW, WC_COMBOBOXW, WC_LISTVIEWW, TRACKBAR_CLASSW})
        TakeOverClass(name);
}

WNDPROC TakenOverProcedure(HWND hwnd) {
    const auto proc = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hwnd, GCLP_WNDPROC));
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        if (g_slots[i].platform && proc == kSlotProcedures[i])
            return g_slots[i].platform;
    }
    return nullptr;
}

}  // namespace framework

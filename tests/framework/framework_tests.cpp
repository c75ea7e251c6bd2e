// Windows, message maps, binding, reflection and the RAII helpers.
#include "framework/class_takeover.h"
#include "framework/controls.h"
#include "framework/gdi.h"
#include "framework/list_ctrl.h"
#include "tests/support/test_support.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <thread>

using namespace testing_support;

namespace {

constexpr UINT WM_TEST_PING = WM_USER + 7;

class BaseWnd : public RecordingParent {
public:
    int baseSizes = 0;
    int pings = 0;
    void OnSize(UINT, int, int) { ++baseSizes; }
    LRESULT OnPing(WPARAM wParam, LPARAM lParam) {
        ++pings;
        return static_cast<LRESULT>(wParam + lParam);
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(BaseWnd, RecordingParent)
    Size<&ThisClass::OnSize>(),
    Message<&ThisClass::OnPing>(WM_TEST_PING),
END_MESSAGE_MAP()
// clang-format on

class DerivedWnd : public BaseWnd {
public:
    std::vector<UINT> commands;
    int derivedSizes = 0;
    UINT lastCode = 0;
    std::wstring textSeenAfterDefault;
    std::vector<UINT> notifications;

    void OnSizeDerived(UINT, int, int) { ++derivedSizes; }
    void OnCommandRange(UINT id) { commands.push_back(id); }
    void OnSingle() { commands.push_back(1); }
    LRESULT OnSetText(WPARAM, LPARAM) {
        const LRESULT r = Default();  // the platform stores the text
        textSeenAfterDefault = GetWindowText();
        return r;
    }
    void OnItemChanged(NMHDR* hdr, LRESULT* result) {
        notifications.push_back(hdr->code);
        *result = 0;
    }
    void OnClickSeenByParent(NMHDR* hdr, LRESULT*) { notifications.push_back(hdr->code); }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    Size<&ThisClass::OnSizeDerived>(),
    CommandRange<&ThisClass::OnCommandRange>(100, 110),
    Command<&ThisClass::OnSingle>(200),
    Message<&ThisClass::OnSetText>(WM_SETTEXT),
    Notify<&ThisClass::OnItemChanged>(LVN_ITEMCHANGED, 42),
    Notify<&ThisClass::OnClickSeenByParent>(NM_CLICK, 42),
END_MESSAGE_MAP()
// clang-format on

// A list that keeps its own clicks: the parent's map never sees them.
class ClickKeepingList : public CListCtrl {
public:
    int clicks = 0;
    int attached = 0;
    void PreSubclassWindow() override { ++attached; }
    void OnClick(NMHDR*, LRESULT*) { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(ClickKeepingList, CListCtrl)
    NotifyReflect<&ThisClass::OnClick>(NM_CLICK),
END_MESSAGE_MAP()
// clang-format on

class OwnerDrawButton : public CButton {
public:
    int draws = 0;
    void DrawItem(DRAWITEMSTRUCT* dis) override {
        ++draws;
        CBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
        ::FillRect(dis->hDC, &dis->rcItem, red);
    }
};

NMHDR MakeHeader(HWND from, UINT id, UINT code) { return NMHDR{from, id, code}; }

// A parent that colours its children, to see which messages reach its map entry.
class ColouringParent : public RecordingParent {
public:
    std::vector<UINT> types;
    HBRUSH OnCtlColor(HDC, HWND, UINT type) {
        types.push_back(type);
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(ColouringParent, RecordingParent)
    CtlColor<&ThisClass::OnCtlColor>(),
END_MESSAGE_MAP()
// clang-format on

// Another subclasser of the same control: counts the WM_SETTEXT it sees.
LRESULT CALLBACK CountSetText(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR counter) {
    if (msg == WM_SETTEXT)
        ++*reinterpret_cast<int*>(counter);
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

// Another subclasser of a list: counts the item changes it sees.
LRESULT CALLBACK CountListChanges(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR counter) {
    if (msg == LVM_SETITEMSTATE || msg == LVM_SETITEMTEXTW || msg == LVM_INSERTITEMW)
        ++*reinterpret_cast<int*>(counter);
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

// Counts the texts set on a window of any class.
class TextCountingWnd : public CWnd {
public:
    int texts = 0;
    LRESULT OnSetText(WPARAM, LPARAM) {
        ++texts;
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(TextCountingWnd, CWnd)
    Message<&ThisClass::OnSetText>(WM_SETTEXT),
END_MESSAGE_MAP()
// clang-format on

}  // namespace

TEST(MessageMap, DerivedEntriesComeFirstAndTheBaseChainIsSearched) {
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateHost(200, 100));
    const int derivedBefore = wnd.derivedSizes;
    ::SetWindowPos(wnd.m_hWnd, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GT(wnd.derivedSizes, derivedBefore);
    EXPECT_EQ(wnd.baseSizes, 0) << "the derived OnSize hides the base one";
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PING, 3, 4), 7) << "unhandled in the derived map, found in the base";
    EXPECT_EQ(wnd.pings, 1);
}

TEST(MessageMap, CommandsMatchIdRangesAndNotificationCodes) {
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateHost(100, 100));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(110, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(111, 0), 0);          // outside the range
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(105, BN_DBLCLK), 0);  // another code
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(200, 0), 0);
    EXPECT_EQ(wnd.commands, (std::vector<UINT>{100, 110, 1}));
}

TEST(MessageMap, DefaultRunsThePlatformProcessingOfTheCurrentMessage) {
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateHost(100, 100));
    ::SetWindowTextW(wnd.m_hWnd, L"changed");
    EXPECT_EQ(wnd.textSeenAfterDefault, L"changed");
}

TEST(Reflection, ReflectedNotificationsStayWithTheChildOthersReachTheParent) {
    DerivedWnd parent;
    ASSERT_TRUE(parent.CreateHost(300, 200));
    ClickKeepingList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 200, 100}, parent.m_hWnd, 42));
    EXPECT_EQ(list.attached, 1) << "the attach hook runs when a created control is bound";
    NMHDR click = MakeHeader(list.m_hWnd, 42, NM_CLICK);
    parent.SendMessage(WM_NOTIFY, 42, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(list.clicks, 1);
    NMLISTVIEW changed{};
    changed.hdr = MakeHeader(list.m_hWnd, 42, LVN_ITEMCHANGED);
    parent.SendMessage(WM_NOTIFY, 42, reinterpret_cast<LPARAM>(&changed));
    EXPECT_EQ(parent.notifications, (std::vector<UINT>{LVN_ITEMCHANGED}));
}

TEST(Reflection, OwnerDrawnButtonDrawsItself) {
    RecordingParent parent;
    ASSERT_TRUE(parent.CreateHost(200, 100));
    OwnerDrawButton button;
    ASSERT_TRUE(button.Create(L"x", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{10, 10, 60, 40}, parent.m_hWnd, 5));
    ::RedrawWindow(button.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    EXPECT_GT(button.draws, 0);
    HDC dc = ::GetDC(button.m_hWnd);
    EXPECT_EQ(::GetPixel(dc, 20, 15), RGB(255, 0, 0));
    ::ReleaseDC(button.m_hWnd, dc);
}

TEST(Binding, SubclassedControlIsReleasedWhenItsWindowGoes) {
    RecordingParent parent;
    ASSERT_TRUE(parent.CreateHost(200, 100));
    HWND raw = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent.m_hWnd,
                                 reinterpret_cast<HMENU>(9), ::GetModuleHandleW(nullptr), nullptr);
    const LONG_PTR originalProc = ::GetWindowLongPtrW(raw, GWLP_WNDPROC);
    CButton button;
    ASSERT_TRUE(button.SubclassDlgItem(9, parent.m_hWnd));
    EXPECT_EQ(CWnd::FromHandle(raw), &button);
    EXPECT_FALSE(CButton().SubclassWindow(raw)) << "a window binds to one object only";
    EXPECT_EQ(button.UnsubclassWindow(), raw);
    EXPECT_EQ(::GetWindowLongPtrW(raw, GWLP_WNDPROC), originalProc);
    EXPECT_EQ(CWnd::FromHandle(raw), nullptr);
    ASSERT_TRUE(button.SubclassWindow(raw));
    ::DestroyWindow(raw);
    EXPECT_EQ(button.m_hWnd, nullptr);
}

TEST(Controls, ListItemsTextsAndStates) {
    RecordingParent parent;
    ASSERT_TRUE(parent.CreateHost(300, 200));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 300, 200}, parent.m_hWnd, 3));
    list.InsertColumn(0, L"No.", LVCFMT_LEFT, 40);
    list.InsertColumn(1, L"CMD", LVCFMT_LEFT, 60);
    EXPECT_EQ(list.GetColumnCount(), 2);
    list.InsertItem(0, L"1");
    list.SetItemText(0, 1, std::wstring(300, L'x'));
    EXPECT_EQ(list.GetItemText(0, 1).size(), 300u) << "long texts come back whole";
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    RECT cell{};
    EXPECT_TRUE(list.GetSubItemRect(0, 1, LVIR_LABEL, cell));
    EXPECT_EQ(cell.right - cell.left, 60);
}

// The wrapper's questions skip the subclass chain; its answers must be the
// list's own, and every change must still pass each subclasser.
TEST(Controls, ListAnswersAreTheListsOwnAndChangesPassTheChain) {
    RecordingParent parent;
    ASSERT_TRUE(parent.CreateHost(300, 200));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 300, 120}, parent.m_hWnd, 3));
    int changes = 0;
    ASSERT_TRUE(::SetWindowSubclass(list.m_hWnd, &CountListChanges, 1, reinterpret_cast<DWORD_PTR>(&changes)));
    list.InsertColumn(0, L"No.", LVCFMT_LEFT, 40);
    list.InsertColumn(1, L"CMD", LVCFMT_LEFT, 60);
    for (int i = 0; i < 12; ++i) {
        list.InsertItem(i, std::to_wstring(i + 1));
        list.SetItemText(i, 1, L"OUT" + std::to_wstring(i));
    }
    list.SetItemState(7, LVIS_SELECTED, LVIS_SELECTED);
    list.EnsureVisible(11, FALSE);
    EXPECT_EQ(changes, 25) << "12 inserts, 12 texts and a selection passed the other subclasser";

    auto sent = [&](UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(list.m_hWnd, msg, wParam, lParam);
    };
    EXPECT_EQ(list.GetItemCount(), sent(LVM_GETITEMCOUNT));
    EXPECT_EQ(list.GetItemCount(), 12);
    EXPECT_EQ(list.GetTopIndex(), sent(LVM_GETTOPINDEX));
    EXPECT_GT(list.GetTopIndex(), 0) << "scrolled to the last row";
    EXPECT_EQ(list.GetCountPerPage(), sent(LVM_GETCOUNTPERPAGE));
    EXPECT_EQ(list.GetColumnWidth(1), sent(LVM_GETCOLUMNWIDTH, 1));
    EXPECT_EQ(list.GetHeaderCtrl(), reinterpret_cast<HWND>(sent(LVM_GETHEADER)));
    EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(sent(LVM_GETEXTENDEDLISTVIEWSTYLE)));
    for (int row : {0, 7, 11}) {
        EXPECT_EQ(list.GetItemState(row, LVIS_SELECTED), static_cast<UINT>(sent(LVM_GETITEMSTATE, row, LVIS_SELECTED)));
        RECT mine{}, theirs{};
        ASSERT_TRUE(list.GetSubItemRect(row, 1, LVIR_BOUNDS, mine));
        theirs.top = 1;
        theirs.left = LVIR_BOUNDS;
        ASSERT_TRUE(sent(LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&theirs)));
        EXPECT_TRUE(::EqualRect(&mine, &theirs)) << "row " << row;
        EXPECT_EQ(list.GetItemText(row, 1), L"OUT" + std::to_wstring(row));
    }
    EXPECT_EQ(list.GetItemState(7, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(changes, 25) << "questions are no changes";
    ::RemoveWindowSubclass(list.m_hWnd, &CountListChanges, 1);
}

TEST(Gdi, SelectionsAreUndoneAtTheEndOfTheirScope) {
    CMemoryDC dc;
    HGDIOBJ penBefore = ::GetCurrentObject(dc, OBJ_PEN);
    {
        CPen pen(::CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        CSelect select(dc, pen);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen.Get());
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), penBefore);

    HGDIOBJ bitmapBefore = ::GetCurrentObject(dc, OBJ_BITMAP);
    CBitmap bitmap(::CreateBitmap(4, 4, 1, 1, nullptr));
    dc.SelectBitmap(bitmap);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), bitmap.Get());
    dc.SelectBitmap(nullptr);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), bitmapBefore);
}

TEST(MessageBoxSeam, HookSeesTextCaptionAndTypeAndAnswers) {
    MessageBoxRecorder recorder;
    recorder.answers = {IDNO};
    EXPECT_EQ(ShowMessageBox(nullptr, L"Hello", L"Information", MB_OK | MB_ICONSTOP), IDNO);
    EXPECT_EQ(ShowMessageBox(nullptr, L"Again", nullptr, MB_OK), IDOK);
    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].caption, L"Information");
    EXPECT_EQ(recorder.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(recorder.boxes[1].text, L"Again");
}

TEST(Binding, OtherSubclassersAboveAndBelowKeepTheirPlace) {
    RecordingParent parent;
    ASSERT_TRUE(parent.CreateHost(200, 100));
    HWND raw = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent.m_hWnd,
                                 reinterpret_cast<HMENU>(9), ::GetModuleHandleW(nullptr), nullptr);
    int below = 0, above = 0;
    ASSERT_TRUE(::SetWindowSubclass(raw, &CountSetText, 1, reinterpret_cast<DWORD_PTR>(&below)));
    TextCountingWnd button;
    ASSERT_TRUE(button.SubclassWindow(raw));
    ASSERT_TRUE(::SetWindowSubclass(raw, &CountSetText, 2, reinterpret_cast<DWORD_PTR>(&above)));

    ::SetWindowTextW(raw, L"one");
    EXPECT_EQ(above, 1);
    EXPECT_EQ(button.texts, 1);
    EXPECT_EQ(below, 1) << "Default() goes on down the chain";
    EXPECT_EQ(button.GetWindowText(), L"one");

    // Letting go in the middle of the chain cuts neither neighbour off.
    EXPECT_EQ(button.UnsubclassWindow(), raw);
    ::SetWindowTextW(raw, L"two");
    EXPECT_EQ(above, 2);
    EXPECT_EQ(button.texts, 1);
    EXPECT_EQ(below, 2);

    ASSERT_TRUE(button.SubclassWindow(raw));
    ::DestroyWindow(raw);
    EXPECT_EQ(button.m_hWnd, nullptr);
}

// Bindings are kept by the process: another thread finds a window bound
// here, and a window gone is found no more.
TEST(Binding, AnotherThreadFindsTheBindingAndAWindowGoneIsForgotten) {
    CButton mine;
    HWND here = ::CreateWindowExW(0, L"BUTTON", L"b", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(mine.SubclassWindow(here));
    CWnd* seen = nullptr;
    std::thread([&] { seen = CWnd::FromHandle(here); }).join();
    EXPECT_EQ(seen, &mine);
    ::DestroyWindow(here);
    EXPECT_EQ(CWnd::FromHandle(here), nullptr);
}

TEST(MessageMap, OnlyRealColourQueriesReachTheColourEntry) {
    ColouringParent parent;
    ASSERT_TRUE(parent.CreateHost(200, 100));
    HWND label = ::CreateWindowExW(0, L"STATIC", L"s", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent.m_hWnd, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    HDC dc = ::GetDC(label);
    // The map's own key number, sent as a message with an lParam that is no
    // argument block: the entry is not run (it would read through lParam).
    const LRESULT raw = parent.SendMessage(WM_CTLCOLOR, reinterpret_cast<WPARAM>(dc), 12345);
    parent.SendMessage(WM_REFLECT_BASE + WM_CTLCOLOR, reinterpret_cast<WPARAM>(dc), 12345);
    EXPECT_TRUE(parent.types.empty());
    EXPECT_NE(raw, reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)));
    parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(parent.types, (std::vector<UINT>{CTLCOLOR_BTN}));
    ::ReleaseDC(label, dc);
}

// A class taken over keeps its name and its platform behaviour; its windows
// bind through the class procedure with no subclass chain, and another
// subclasser still sees every message. Only the trackbar is taken over here,
// so the other binding tests keep exercising the subclass chain.
TEST(Binding, ATakenOverClassBindsWithoutAChainAndKeepsItsName) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&controls));
    ASSERT_TRUE(framework::TakeOverClass(TRACKBAR_CLASSW));
    EXPECT_TRUE(framework::TakeOverClass(TRACKBAR_CLASSW)) << "taken over once, found again";
    EXPECT_FALSE(framework::TakeOverClass(L"NoSuchPlatformClass"));
    RecordingParent parent;
    ASSERT_TRUE(parent.CreateHost(300, 100));

    TextCountingWnd bar;
    ASSERT_TRUE(bar.Create(TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 200, 30}, parent.m_hWnd, 7));
    wchar_t name[64]{};
    ::GetClassNameW(bar.m_hWnd, name, 64);
    EXPECT_EQ(_wcsicmp(name, TRACKBAR_CLASSW), 0) << "the class keeps its name";
    EXPECT_NE(framework::TakenOverProcedure(bar.m_hWnd), nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(bar.m_hWnd, GWLP_WNDPROC), ::GetClassLongPtrW(bar.m_hWnd, GCLP_WNDPROC))
        << "no subclass chain";

    int above = 0;
    ASSERT_TRUE(::SetWindowSubclass(bar.m_hWnd, &CountSetText, 1, reinterpret_cast<DWORD_PTR>(&above)));
    ::SetWindowTextW(bar.m_hWnd, L"one");
    EXPECT_EQ(above, 1);
    EXPECT_EQ(bar.texts, 1);
    EXPECT_EQ(bar.GetWindowText(), L"one") << "Default() reached the platform";
    bar.SendMessage(TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    bar.SendMessage(TBM_SETPOS, TRUE, 40);
    EXPECT_EQ(bar.Ask(TBM_GETPOS), 40);
    ::RemoveWindowSubclass(bar.m_hWnd, &CountSetText, 1);

    // A window of the class that no object takes is the platform's alone.
    HWND loose = ::CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 40, 200, 30, parent.m_hWnd,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(loose, nullptr);
    ::SendMessageW(loose, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    ::SendMessageW(loose, TBM_SETPOS, TRUE, 70);
    EXPECT_EQ(::SendMessageW(loose, TBM_GETPOS, 0, 0), 70);
    EXPECT_EQ(CWnd::FromHandle(loose), nullptr);

    const HWND raw = bar.m_hWnd;
    ::DestroyWindow(raw);
    EXPECT_EQ(bar.m_hWnd, nullptr) << "released when its window goes";
    EXPECT_EQ(CWnd::FromHandle(raw), nullptr);
}

// A text is set only when it differs, a long one included: each set repaints.
TEST(Texts, SetOnlyWhenTheyDiffer) {
    RecordingParent parent;
    ASSERT_TRUE(parent.CreateHost(200, 100));
    HWND label = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    int sets = 0;
    ASSERT_TRUE(::SetWindowSubclass(label, &CountSetText, 1, reinterpret_cast<DWORD_PTR>(&sets)));
    const std::wstring longText(600, L'x');
    const struct {
        std::wstring text;
        bool set;
    } steps[] = {{L"", false},     {L"Time: 0.1 s", true}, {L"Time: 0.1 s", false},
                 {longText, true}, {longText, false},      {L"", true}};
    int expected = 0;
    for (const auto& step : steps) {
        EXPECT_EQ(SetTextIfChanged(label, step.text), step.set) << step.text.size();
        expected += step.set ? 1 : 0;
        EXPECT_EQ(sets, expected);
    }
    ::RemoveWindowSubclass(label, &CountSetText, 1);
    EXPECT_FALSE(SetTextIfChanged(nullptr, L"x")) << "no window, nothing set";
}

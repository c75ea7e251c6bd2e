// The main window's template: every control with its id, class, style,
// text and rectangle, read back from the compiled resources and from the
// dialog Windows builds from them.
#include <windows.h>

#include "res/resource.h"
#include "framework/dialog.h"
#include "tests/res/dialog_template.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace res_test;

namespace {

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;
constexpr DWORD PUSH = CHILD | WS_TABSTOP | BS_PUSHBUTTON;

struct ExpectedControl {
    int id;
    const wchar_t* className;
    DWORD style;
    const wchar_t* text;  // null: the ordinal `picture`
    int picture;
    RECT box;  // x, y, x + width, y + height
};

RECT At(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

const ExpectedControl MAIN_CONTROLS[] = {
    {IDC_LOGO, L"static", CHILD | SS_BITMAP, nullptr, IDB_LOGO, At(3, 1, 26, 29)},
    {IDC_TOP_BAND, L"static", WS_CHILD | SS_GRAYFRAME, L"", 0, At(3, 0, 496, 29)},
    {IDC_OPEN, L"button", PUSH, L"打开", 0, At(34, 6, 42, 17)},
    {IDC_SAVE, L"button", PUSH, L"保存", 0, At(77, 6, 42, 17)},
    {IDC_CLEAR, L"button", PUSH, L"清除", 0, At(120, 6, 42, 17)},
    {IDC_LANG_LABEL, L"static", CHILD | SS_CENTER | SS_CENTERIMAGE, L"语言", 0, At(320, 4, 54, 8)},
    {IDC_LANG_COMBO, L"combobox", CHILD | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, L"", 0, At(320, 14, 54, 89)},
    {IDC_DEVICE_ICON, L"static", CHILD | SS_BITMAP, nullptr, IDB_DEVICE_UNKNOWN, At(403, 1, 46, 29)},
    {IDC_STATIC, L"static", CHILD | SS_LEFT | SS_CENTERIMAGE, L"Program:", 0, At(3, 31, 43, 9)},
    {IDC_GRID, L"syslistview32", CHILD | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, L"",
     0, At(3, 41, 260, 213)},
    {IDC_CMD_INSERT, L"button", PUSH, L"Insert", 0, At(3, 257, 25, 17)},
    {IDC_CMD_FOR, L"button", PUSH, L"FOR", 0, At(28, 257, 17, 17)},
    {IDC_CMD_NEXT, L"button", PUSH, L"NEXT", 0, At(45, 257, 19, 17)},
    {IDC_CMD_IF, L"button", PUSH, L"IF", 0, At(64, 257, 17, 17)},
    {IDC_CMD_OUT1, L"button", PUSH, L"OUT1", 0, At(81, 257, 19, 17)},
    {IDC_CMD_OUT2, L"button", PUSH, L"OUT2", 0, At(100, 257, 19, 17)},
    {IDC_CMD_OUT3, L"button", PUSH, L"OUT3", 0, At(119, 257, 19, 17)},
    {IDC_CMD_OUT4, L"button", PUSH, L"OUT4", 0, At(138, 257, 19, 17)},
    {IDC_CMD_OUT12, L"button", PUSH, L"OUT12", 0, At(157, 257, 23, 17)},
    {IDC_CMD_OUT13, L"button", PUSH, L"OUT13", 0, At(180, 257, 23, 17)},
    {IDC_CMD_OUT23, L"button", PUSH, L"OUT23", 0, At(203, 257, 23, 17)},
    {IDC_CMD_OUT123, L"button", PUSH, L"OUT123", 0, At(226, 257, 28, 17)},
    {IDC_CMD_GOTO, L"button", PUSH, L"GOTO", 0, At(254, 257, 19, 17)},
    {IDC_CMD_STOP, L"button", PUSH, L"STOP", 0, At(273, 257, 19, 17)},
    {IDC_CMD_END, L"button", PUSH, L"END", 0, At(292, 257, 17, 17)},
    {IDC_CMD_DELETE, L"button", PUSH, L"Delete", 0, At(309, 257, 26, 17)},
    {IDC_CHART_LABEL, L"static", CHILD | SS_LEFT | SS_CENTERIMAGE, L"Flowchart:", 0, At(263, 31, 43, 9)},
    {IDC_SEND, L"button", PUSH, L"发送", 0, At(444, 257, 55, 17)},
    {IDOK, L"button", WS_CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON, L"退出", 0, At(415, 257, 30, 17)},
    {IDC_PROGRESS, L"msctls_progress32", WS_CHILD | WS_BORDER, L"", 0, At(3, 277, 496, 12)},
    {IDC_STATUS, L"static", CHILD | SS_LEFT | SS_SUNKEN | SS_CENTERIMAGE, L"", 0, At(3, 276, 496, 13)},
    {IDC_ZOOM_1X, L"button", WS_CHILD | WS_GROUP | BS_AUTORADIOBUTTON, L"1X", 0, At(342, 29, 26, 11)},
    {IDC_ZOOM_15X, L"button", WS_CHILD | BS_AUTORADIOBUTTON, L"1.5X", 0, At(369, 29, 26, 11)},
    {IDC_ZOOM_2X, L"button", WS_CHILD | BS_AUTORADIOBUTTON, L"2X", 0, At(396, 29, 26, 11)},
    {IDC_ZOOM_3X, L"button", WS_CHILD | BS_AUTORADIOBUTTON, L"3X", 0, At(423, 29, 26, 11)},
};

std::wstring Describe(const RECT& box) {
    return std::to_wstring(box.left) + L"," + std::to_wstring(box.top) + L"," + std::to_wstring(box.right) + L"," +
           std::to_wstring(box.bottom);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The main dialog built from its template, destroyed at the end of the test.
class MainDialog : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX classes{sizeof classes, 0xFF};
        InitCommonControlsEx(&classes);
        ASSERT_TRUE(RegisterFrameworkDialogClass());  // the class the template names
        dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VELMORA_DIALOG), nullptr,
                                    QuietDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    }
    void TearDown() override {
        if (dialog != nullptr) {
            DestroyWindow(dialog);
        }
    }

    RECT ClientRectOf(HWND control) const {
        RECT box;
        GetWindowRect(control, &box);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
        return box;
    }

    HWND dialog = nullptr;
};

}  // namespace

TEST(MainDialogTemplate, WindowIsTheResizableProgrammerWindow) {
    DialogTemplate dialog;
    ASSERT_TRUE(LoadDialogTemplate(IDD_VELMORA_DIALOG, dialog));
    EXPECT_EQ(dialog.width, 500);
    EXPECT_EQ(dialog.height, 289);
    EXPECT_EQ(dialog.caption, L"Dovin Programmer");
    EXPECT_EQ(dialog.face, L"宋体");
    EXPECT_EQ(dialog.pointSize, 11);
    EXPECT_EQ(dialog.style, static_cast<DWORD>(DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                               WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE));
    EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
}

TEST(MainDialogTemplate, ControlsInTemplateOrder) {
    DialogTemplate dialog;
    ASSERT_TRUE(LoadDialogTemplate(IDD_VELMORA_DIALOG, dialog));
    ASSERT_EQ(dialog.items.size(), std::size(MAIN_CONTROLS));
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        const DialogItem& item = dialog.items[i];
        const ExpectedControl& expected = MAIN_CONTROLS[i];
        SCOPED_TRACE(testing::Message() << "control " << i << ", id " << expected.id);
        EXPECT_EQ(item.id, expected.id);
        EXPECT_EQ(item.className, expected.className);
        EXPECT_EQ(item.style, expected.style) << std::hex << item.style;
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(Describe(item.box), Describe(expected.box));
        if (expected.text != nullptr) {
            EXPECT_FALSE(item.title.isOrdinal);
            EXPECT_EQ(item.title.text, expected.text);
        } else {
            EXPECT_TRUE(item.title.isOrdinal);
            EXPECT_EQ(item.title.ordinal, expected.picture);
        }
    }
}

TEST_F(MainDialog, ControlsSitWhereTheTemplatePutsThem) {
    for (const ExpectedControl& expected : MAIN_CONTROLS) {
        if (expected.id == IDC_STATIC) {
            continue;
        }
        SCOPED_TRACE(testing::Message() << "id " << expected.id);
        HWND control = GetDlgItem(dialog, expected.id);
        ASSERT_NE(control, nullptr);
        wchar_t className[64] = {};
        GetClassNameW(control, className, 64);
        EXPECT_EQ(_wcsicmp(className, expected.className), 0) << className;
        EXPECT_EQ(IsWindowVisible(control) != FALSE, (expected.style & WS_VISIBLE) != 0);

        // Position and size convert separately, as the dialog manager does.
        RECT units{expected.box.left, expected.box.top, expected.box.right - expected.box.left,
                   expected.box.bottom - expected.box.top};
        MapDialogRect(dialog, &units);
        RECT actual = ClientRectOf(control);
        EXPECT_EQ(actual.left, units.left);
        EXPECT_EQ(actual.top, units.top);
        if (expected.text == nullptr) {
            continue;  // a picture takes the size of its bitmap
        }
        EXPECT_EQ(actual.right - actual.left, units.right);
        if (expected.id != IDC_LANG_COMBO) {  // the closed list shows its edit height
            EXPECT_EQ(actual.bottom - actual.top, units.bottom);
        }
    }
}

TEST_F(MainDialog, PicturesShowTheirBitmaps) {
    struct Picture {
        int control;
        SIZE size;
    };
    UpdateWindow(dialog);
    HDC window = GetDC(dialog);
    HDC memory = CreateCompatibleDC(window);
    for (Picture picture : {Picture{IDC_LOGO, {51, 54}}, Picture{IDC_DEVICE_ICON, {92, 54}}}) {
        SCOPED_TRACE(testing::Message() << "control " << picture.control);
        HWND control = GetDlgItem(dialog, picture.control);
        auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, picture.size.cx);
        EXPECT_EQ(info.bmHeight, picture.size.cy);
        RECT box = ClientRectOf(control);
        EXPECT_EQ(box.right - box.left, picture.size.cx);
        EXPECT_EQ(box.bottom - box.top, picture.size.cy);

        // What the window shows is the bitmap, pixel for pixel.
        HGDIOBJ old = SelectObject(memory, bitmap);
        int mismatches = 0;
        for (int y = 0; y < picture.size.cy; y += 3) {
            for (int x = 0; x < picture.size.cx; x += 3) {
                mismatches += GetPixel(window, box.left + x, box.top + y) != GetPixel(memory, x, y);
            }
        }
        SelectObject(memory, old);
        EXPECT_EQ(mismatches, 0);
    }
    DeleteDC(memory);
    ReleaseDC(dialog, window);
}

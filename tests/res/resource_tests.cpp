// The other resources: context menu, question box and about box templates,
// the about string, the pictures, the icon, version and manifest.
#include <windows.h>

#include "res/resource.h"
#include "tests/res/dialog_template.h"
#include "velmora_version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace res_test;

namespace {

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

// The pixel at (x, y) of a bitmap resource, or CLR_INVALID.
COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

struct Picture {
    int id;
    SIZE size;
    COLORREF background;  // at every corner
    COLORREF marker;      // a colour the drawing must contain
};

int CountColour(HBITMAP bitmap, SIZE size, COLORREF colour) {
    int count = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            count += PixelOf(bitmap, x, y) == colour;
        }
    }
    return count;
}

}  // namespace

TEST(ContextMenu, HoldsTheEditCommandsAndTheInsertSubmenu) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CONTEXT_MENU));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(MenuText(menu, 0), L"POP1");
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);

    struct Item {
        UINT id;
        const wchar_t* text;
    };
    const Item items[] = {
        {ID_EDIT_CUT, L"剪切(&X)\tCtrl+X"},
        {ID_EDIT_COPY, L"复制(&C)\tCtrl+C"},
        {ID_EDIT_PASTE, L"粘贴(&P)\tCtrl+V"},
        {ID_ROW_DELETE, L"删除(&D)\tDelete"},
        {0, nullptr},  // separator
        {ID_INSERT_BLANK, L"插入空行(&I)"},
    };
    ASSERT_EQ(GetMenuItemCount(popup), 7);
    for (UINT i = 0; i < std::size(items); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        ASSERT_TRUE(GetMenuItemInfoW(popup, i, TRUE, &info));
        if (items[i].text == nullptr) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << i;
            continue;
        }
        EXPECT_EQ(info.wID, items[i].id) << i;
        EXPECT_EQ(info.hSubMenu, nullptr) << i;
        EXPECT_EQ(MenuText(popup, i), items[i].text) << i;
    }

    EXPECT_EQ(MenuText(popup, 6), L"插入");
    HMENU insert = GetSubMenu(popup, 6);
    ASSERT_NE(insert, nullptr);
    const wchar_t* commands[] = {L"FOR",   L"NEXT",  L"IF",    L"OUT1",   L"OUT2", L"OUT3", L"OUT4",
                                 L"OUT12", L"OUT13", L"OUT23", L"OUT123", L"GOTO", L"STOP", L"END"};
    ASSERT_EQ(GetMenuItemCount(insert), 14);
    for (UINT i = 0; i < 14; ++i) {
        EXPECT_EQ(GetMenuItemID(insert, static_cast<int>(i)), ID_INSERT_FOR + i);
        EXPECT_EQ(MenuText(insert, i), commands[i]);
    }
    DestroyMenu(menu);
}

TEST(QuestionBoxTemplate, ButtonsIconAndTextInTabOrder) {
    DialogTemplate box;
    ASSERT_TRUE(LoadDialogTemplate(IDD_MESSAGEBOX, box));
    EXPECT_EQ(box.width, 141);
    EXPECT_EQ(box.height, 54);
    EXPECT_EQ(box.caption, L"");
    EXPECT_EQ(box.face, L"Microsoft Sans Serif");
    EXPECT_EQ(box.pointSize, 10);
    EXPECT_EQ(box.style, static_cast<DWORD>(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));

    constexpr DWORD button = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON;
    struct Expected {
        int id;
        const wchar_t* className;
        DWORD style;
        const wchar_t* text;
        RECT box;
    };
    const Expected controls[] = {
        {IDC_MB_LEFT, L"button", button, L"YES", {7, 33, 45, 47}},
        {IDC_MB_RIGHT, L"button", button, L"Cancel", {85, 33, 133, 47}},
        {IDC_MB_ICON, L"static", WS_CHILD | WS_VISIBLE | SS_ICON, L"", {7, 6, 27, 26}},
        {IDC_MB_TEXT, L"static", WS_CHILD | WS_VISIBLE | SS_LEFT, L"", {31, 6, 133, 30}},
        {IDC_MB_MIDDLE, L"button", button, L"OK", {47, 33, 82, 47}},
    };
    ASSERT_EQ(box.items.size(), std::size(controls));
    for (size_t i = 0; i < std::size(controls); ++i) {
        const DialogItem& item = box.items[i];
        SCOPED_TRACE(testing::Message() << "control " << i);
        EXPECT_EQ(item.id, controls[i].id);
        EXPECT_EQ(item.className, controls[i].className);
        EXPECT_EQ(item.style, controls[i].style) << std::hex << item.style;
        EXPECT_EQ(item.title.text, controls[i].text);
        EXPECT_TRUE(EqualRect(&item.box, &controls[i].box));
    }
}

TEST(AboutBox, ShowsIconNameCopyrightAndOk) {
    DialogTemplate about;
    ASSERT_TRUE(LoadDialogTemplate(IDD_ABOUTBOX, about));
    std::vector<std::wstring> texts;
    bool icon = false;
    bool ok = false;
    for (const DialogItem& item : about.items) {
        texts.push_back(item.title.text);
        icon = icon ||
               (item.title.isOrdinal && item.title.ordinal == IDR_MAINFRAME && (item.style & SS_TYPEMASK) == SS_ICON);
        ok = ok || (item.id == IDOK && item.title.text == L"OK");
    }
    EXPECT_TRUE(icon);
    EXPECT_TRUE(ok);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Velmora Version " VELMORA_VERSION_TEXT), texts.end());
    EXPECT_NE(
        std::find_if(texts.begin(), texts.end(), [](const std::wstring& text) { return text.find(L"Copyright") == 0; }),
        texts.end());
}

TEST(Strings, AboutMenuEntry) {
    wchar_t text[64] = {};
    ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 64), 0);
    EXPECT_STREQ(text, L"关于 Velmora(&A)...");
}

TEST(Pictures, SizesBackgroundsAndColours) {
    constexpr COLORREF grey = RGB(192, 192, 192);
    constexpr COLORREF band = RGB(255, 200, 130);
    const Picture pictures[] = {
        {IDB_OPEN, {24, 24}, grey, RGB(255, 214, 64)},
        {IDB_SAVE, {24, 24}, grey, RGB(48, 100, 210)},
        {IDB_CLEAR, {24, 24}, grey, RGB(220, 40, 32)},
        {IDB_EXIT, {24, 24}, grey, RGB(220, 40, 32)},
        {IDB_SEND, {24, 24}, RGB(255, 255, 255), RGB(40, 170, 60)},
        {IDB_LOGO, {51, 54}, band, RGB(40, 84, 176)},
        {IDB_DEVICE_UNKNOWN, {92, 54}, band, RGB(48, 100, 210)},
        {IDB_NO_DEVICE, {92, 54}, band, RGB(210, 40, 32)},
        {IDB_DEVICE, {92, 54}, band, RGB(70, 240, 80)},
    };
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(testing::Message() << "bitmap " << picture.id);
        auto bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(picture.id),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, picture.size.cx);
        EXPECT_EQ(info.bmHeight, picture.size.cy);
        for (POINT corner : {POINT{0, 0}, POINT{picture.size.cx - 1, 0}, POINT{0, picture.size.cy - 1},
                             POINT{picture.size.cx - 1, picture.size.cy - 1}}) {
            EXPECT_EQ(PixelOf(bitmap, corner.x, corner.y), picture.background);
        }
        EXPECT_GT(CountColour(bitmap, picture.size, picture.marker), 0);
        DeleteObject(bitmap);
    }
}

TEST(ProgramIcon, HasLargeAndSmallImages) {
    for (int size : {32, 16}) {
        auto icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    // Both sizes are stored, not made by scaling one of them.
    HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(14));
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(nullptr, group)));
    for (int size : {32, 16}) {
        int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, 0);
        HRSRC image = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));
        ASSERT_NE(image, nullptr);
        auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, image)));
        EXPECT_EQ(header->biWidth, size);
    }
}

TEST(VersionAndManifest, DescribeTheProgram) {
    HRSRC version = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
    ASSERT_NE(version, nullptr);
    DWORD size = SizeofResource(nullptr, version);
    auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, version)));
    std::vector<BYTE> copy(data, data + size);  // VerQueryValue wants writable data
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(VELMORA_VERSION_MINOR, VELMORA_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, VELMORA_VERSION_PATCH)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    wchar_t* description = nullptr;
    ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\StringFileInfo\\080404b0\\FileDescription",
                               reinterpret_cast<void**>(&description), &length));
    EXPECT_STREQ(description, L"Dovin Programmer");
    for (const wchar_t* key : {L"FileVersion", L"ProductVersion"}) {
        wchar_t* text = nullptr;
        ASSERT_TRUE(VerQueryValueW(copy.data(), (std::wstring(L"\\StringFileInfo\\080404b0\\") + key).c_str(),
                                   reinterpret_cast<void**>(&text), &length));
        EXPECT_STREQ(text, L"" VELMORA_VERSION_TEXT) << key;
    }

    HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    std::string text(static_cast<const char*>(LockResource(LoadResource(nullptr, manifest))),
                     SizeofResource(nullptr, manifest));
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
}

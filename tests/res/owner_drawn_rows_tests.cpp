// The manifest binds the version 6 common controls; the program grid still
// gets its owner-drawn rows from them, which is why the manifest may ask
// for that version.
#include <windows.h>

#include "res/resource.h"
#include "framework/dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr COLORREF ROW_COLOUR = RGB(10, 200, 30);
std::set<UINT> g_drawnRows;

INT_PTR CALLBACK DrawingDialogProc(HWND, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlID == IDC_GRID && draw->CtlType == ODT_LISTVIEW) {
            g_drawnRows.insert(draw->itemID);
            HBRUSH brush = CreateSolidBrush(ROW_COLOUR);
            FillRect(draw->hDC, &draw->rcItem, brush);
            DeleteObject(brush);
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

TEST(CommonControls, ManifestBindsVersionSix) {
    // Wine's comctl32 reports 5.81 from DllGetVersion in either mode, so ask
    // the activation context that the manifest set up instead.
    ACTCTX_SECTION_KEYED_DATA redirect{};
    redirect.cbSize = sizeof redirect;
    ASSERT_TRUE(FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                         ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &redirect));
    DWORD index = redirect.ulAssemblyRosterIndex;
    SIZE_T needed = 0;
    QueryActCtxW(0, redirect.hActCtx, &index, AssemblyDetailedInformationInActivationContext, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(QueryActCtxW(0, redirect.hActCtx, &index, AssemblyDetailedInformationInActivationContext, buffer.data(),
                             buffer.size(), &needed));
    auto* assembly = reinterpret_cast<ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data());
    std::wstring identity = assembly->lpAssemblyEncodedAssemblyIdentity;
    EXPECT_NE(identity.find(L"Microsoft.Windows.Common-Controls"), std::wstring::npos) << identity;
    EXPECT_NE(identity.find(L"version=\"6."), std::wstring::npos) << identity;
    ReleaseActCtx(redirect.hActCtx);
}

TEST(CommonControls, GridRowsAreOwnerDrawn) {
    INITCOMMONCONTROLSEX classes{sizeof classes, 0xFF};
    InitCommonControlsEx(&classes);
    ASSERT_TRUE(RegisterFrameworkDialogClass());  // the class the template names
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VELMORA_DIALOG), nullptr,
                                     DrawingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND grid = GetDlgItem(dialog, IDC_GRID);
    // The grid switches owner-drawn rows on after creation, as its class does.
    SetWindowLongW(grid, GWL_STYLE, GetWindowLongW(grid, GWL_STYLE) | LVS_OWNERDRAWFIXED);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 200;
    column.pszText = const_cast<wchar_t*>(L"CMD");
    SendMessageW(grid, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (int row = 0; row < 3; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(L"FOR");
        SendMessageW(grid, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    g_drawnRows.clear();
    InvalidateRect(grid, nullptr, TRUE);
    UpdateWindow(grid);
    EXPECT_EQ(g_drawnRows, (std::set<UINT>{0, 1, 2}));

    RECT row{};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageW(grid, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
    HDC dc = GetDC(grid);
    EXPECT_EQ(GetPixel(dc, (row.left + row.right) / 2, (row.top + row.bottom) / 2), ROW_COLOUR);
    ReleaseDC(grid, dc);
    DestroyWindow(dialog);
}

// The platform's file dialogs behind the seam, shown for real and answered by
// a driver that works them the way a user would.
#include "app/file_dialog.h"
#include "tests/app/app_test_files.h"
#include "tests/support/test_support.h"
#include <gtest/gtest.h>
#include <fstream>
#include <filesystem>

namespace {

// What the timer did to the dialog it found.
struct DialogWork {
    std::wstring title;
    std::wstring typeName;  // typed into the file name box, then OK; empty: Cancel
    bool found = false;
};
bool IsDialog(HWND hwnd) {
    wchar_t cls[32] = {};
    ::GetClassNameW(hwnd, cls, 32);
    return std::wstring(cls) == L"#32770";
}

// Records the dialog, then types the name and presses OK, or cancels.
void Work(HWND dialog, DialogWork& work) {
    work.found = true;
    wchar_t title[128] = {};
    ::GetWindowTextW(dialog, title, 128);
    work.title = title;
    if (work.typeName.empty()) {
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    // The file name box: a combo box in the explorer style, an edit box in the old one.
    for (int box : {0x47c, 0x480})
        ::SetDlgItemTextW(dialog, box, work.typeName.c_str());
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::optional<std::wstring> ShowWorked(const FileDialogRequest& request, DialogWork& work) {
    testing_support::ModalDriver driver(IsDialog, [&work](HWND dialog) { Work(dialog, work); });
    auto result = ShowFileDialog(request);
    EXPECT_FALSE(driver.TimedOut()) << "the dialog never came up";
    return result;
}

}  // namespace

TEST(FileDialog, FilterBecomesNulSeparated) {
    const std::wstring filter = PlatformFilter(L"Program Text File(*.STXT)|*.STXT|Send Data File(*.Bin)|*.Bin||");
    EXPECT_EQ(filter, std::wstring(L"Program Text File(*.STXT)\0*.STXT\0Send Data File(*.Bin)\0*.Bin\0\0", 62));
    EXPECT_EQ(PlatformFilter(L"A|*.a"), std::wstring(L"A\0*.a\0\0", 7));
}

TEST(FileDialog, RealOpenDialogGivesTheChosenFileOrNothing) {
    app_test::ScratchFolder folder(L"dialog");
    std::ofstream(std::filesystem::path(folder / L"prog.STXT")) << "1\tEND\r\n";
    const FileDialogRequest request{FileDialogKind::Open,
                                    nullptr,
                                    L"Open Flowchart File",
                                    L"Program Text File(*.STXT)|*.STXT|Send Data File(*.Bin)|*.Bin||",
                                    L"STXT",
                                    folder.path() + L"\\*.STXT",
                                    OFN_FILEMUSTEXIST};
    DialogWork choose{L"", folder / L"prog.STXT"};
    const auto chosen = ShowWorked(request, choose);
    EXPECT_TRUE(choose.found);
    EXPECT_EQ(choose.title, L"Open Flowchart File");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(std::filesystem::path(*chosen), std::filesystem::path(folder / L"prog.STXT"));

    DialogWork cancel{L"", L""};
    EXPECT_FALSE(ShowWorked(request, cancel).has_value());
    EXPECT_TRUE(cancel.found);
}

TEST(FileDialog, RealSaveDialogAddsTheDefaultExtension) {
    app_test::ScratchFolder folder(L"dialog-save");
    const FileDialogRequest request{FileDialogKind::Save,
                                    nullptr,
                                    L"Save Flowchart File",
                                    L"Program Text File(*.STXT)|*.STXT|Send Data File(*.Bin)|*.Bin||",
                                    L"STXT",
                                    L"*.STXT",
                                    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY};
    DialogWork save{L"", folder / L"new"};
    const auto chosen = ShowWorked(request, save);
    EXPECT_EQ(save.title, L"Save Flowchart File");
    ASSERT_TRUE(chosen.has_value());
    // The platform may spell the extension in either case; both are program text.
    EXPECT_EQ(::CompareStringOrdinal(chosen->c_str(), -1, (folder / L"new.STXT").c_str(), -1, TRUE), CSTR_EQUAL)
        << std::filesystem::path(*chosen);
}

TEST(FileDialog, HookAnswersInsteadOfTheDialog) {
    std::vector<std::wstring> titles;
    SetFileDialogHook([&](const FileDialogRequest& r) -> std::optional<std::wstring> {
        titles.push_back(r.title);
        return L"C:\\x.stxt";
    });
    EXPECT_EQ(ShowFileDialog({FileDialogKind::Save, nullptr, L"T", L"", L"", L"", 0}), L"C:\\x.stxt");
    SetFileDialogHook({});
    EXPECT_EQ(titles, std::vector<std::wstring>{L"T"});
}

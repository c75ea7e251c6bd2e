// The editor with the worked example, in English and in Chinese, kept as
// screenshots in the test's folder.
#include "app/velmora_app.h"
#include "res/resource.h"
#include "tests/app/main_window_test_support.h"

using namespace mw_test;

namespace {

void TakeScreenshot(MainWindowHarness& w, const std::wstring& fileName) {
    ShowExample(w);
    w.Grid().SelectRow(1);
    ::SetFocus(w.Grid());
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    w.Pump();
    EXPECT_TRUE(testing_support::SaveWindowScreenshot(w, fileName));
}

}  // namespace

TEST_F(MainWindowTest, ScreenshotsOfTheWorkedExample) {
    const struct {
        int pack;
        const wchar_t* file;
    } shots[] = {{0, L"main_window_english.bmp"}, {1, L"main_window_chinese.bmp"}};
    for (const auto& shot : shots) {
        g_velmoraApp.m_curPack = shot.pack;
        MainWindowHarness window;
        window.Run([&](MainWindowHarness& w) {
            TakeScreenshot(w, shot.file);
            EXPECT_EQ(TextOf(w.GetDlgItem(IDC_SEND)),
                      std::wstring(PackText(g_velmoraApp.CurrentPack().captions[4], PACK_SHORT_TEXT_SIZE)));
            EXPECT_EQ(w.Grid().GetItemCount(), 8);
        });
    }
}

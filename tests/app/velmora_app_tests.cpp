// The application object as the process holds it before start-up.
#include "app/app_paths.h"
#include "app/velmora_app.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

bool SamePack(const LanguagePack& a, const LanguagePack& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(VelmoraApp, IsConstructedWithTheChinesePackCurrent) {
    const CVelmoraApp& app = g_velmoraApp;
    EXPECT_EQ(CWinApp::Current(), &app);
    ASSERT_NE(app.m_packs, nullptr);
    EXPECT_EQ(app.m_packCount, 1);
    EXPECT_EQ(app.m_curPack, 0);
    EXPECT_TRUE(SamePack(app.m_packs[0], BuiltinChinesePack()));
    for (int i = 1; i < MAX_LANGUAGE_PACKS; ++i)
        EXPECT_TRUE(SamePack(app.m_packs[static_cast<size_t>(i)], LanguagePack{})) << "slot " << i;
    EXPECT_TRUE(SamePack(app.CurrentPack(), BuiltinChinesePack()));
    EXPECT_FALSE(app.m_hUsbLibrary);
}

TEST(VelmoraApp, CurrentPackOutsideTheTableIsTheFirst) {
    CVelmoraApp& app = g_velmoraApp;
    app.m_packs[1] = BuiltinEnglishPack();
    app.m_packCount = 2;
    app.m_curPack = 1;
    EXPECT_TRUE(SamePack(app.CurrentPack(), BuiltinEnglishPack()));
    for (int outside : {2, 16, -1}) {
        app.m_curPack = outside;
        EXPECT_TRUE(SamePack(app.CurrentPack(), BuiltinChinesePack())) << outside;
    }
    app.m_packs[1] = LanguagePack{};
    app.m_packCount = 1;
    app.m_curPack = 0;
}

TEST(VelmoraApp, SettingsFileLiesBesideTheProgram) {
    CVelmoraApp& app = g_velmoraApp;
    app.InitPaths();
    EXPECT_EQ(app.m_exeFolder + L"\\app_tests.exe", ExecutablePath());
    EXPECT_EQ(app.m_settingsPath, app.m_exeFolder + L"\\Velmora.ini");
}

#include "app/velmora_app.h"
#include "app/app_paths.h"
#include "app/app_settings.h"
#include "app/language_packs.h"
#include "app/main_window.h"
#include "app/pemble_library.h"
#include "framework/message_box.h"
#include <commctrl.h>

CVelmoraApp g_velmoraApp;

namespace {

// Start-up problems come before the language packs, so they are in English.
void ShowStartupInformation(const std::wstring& text) { ShowMessageBox(nullptr, text, L"Information", MB_OK); }

constexpr DWORD ALL_CONTROL_CLASSES = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                      ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS | ICC_ANIMATE_CLASS;
static_assert(ALL_CONTROL_CLASSES == 0xFF);

}  // namespace

CVelmoraApp::CVelmoraApp()
    : m_winWidth(DEFAULT_WIN_WIDTH),
      m_winHeight(DEFAULT_WIN_HEIGHT),
      m_packs(std::make_unique<LanguagePack[]>(MAX_LANGUAGE_PACKS)),
      m_extraTexts(std::make_unique<ExtraTexts[]>(MAX_LANGUAGE_PACKS)),
      m_packCount(1),
      m_curPack(0),
      m_addBuiltinChinese(0),
      m_addBuiltinEnglish(0) {
    m_packs[0] = BuiltinChinesePack();
    m_extraTexts[0] = BuiltinExtraTexts(m_packs[0]);
}

bool CVelmoraApp::OnStartup() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    static_assert(sizeof controls == 8);
    controls.dwICC = ALL_CONTROL_CLASSES;
    ::InitCommonControlsEx(&controls);
    InitFramework();
    SetRegistryKey(L"Kestrin/Velmora1.0");
    InitPaths();
    LoadUsbLibrary();
    LoadLanguagePacks();
    ReadSettings();

    CVelmoraDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

int CVelmoraApp::OnShutdown() {
    WriteSettings();
    SaveLanguagePacks();
    ClearPembleEntryPoints();
    m_hUsbLibrary.Reset();
    m_packs.reset();
    m_extraTexts.reset();
    m_packCount = 0;
    m_curPack = 0;
    return CWinApp::OnShutdown();
}

void CVelmoraApp::InitPaths() {
    m_exeFolder = ExecutableFolder(ExecutablePath());
    m_settingsPath = SettingsPathIn(m_exeFolder);
}

void CVelmoraApp::LoadUsbLibrary() {
    if (!LoadPembleLibrary(m_exeFolder, m_hUsbLibrary))
        ShowStartupInformation(L"Can't Load " + std::wstring(PEMBLE_LIBRARY_NAME));
    if (!ResolvePembleEntryPoints(m_hUsbLibrary)) {
        ShowStartupInformation(L"Load " + std::wstring(PEMBLE_LIBRARY_NAME) + L" file error!");
        m_hUsbLibrary.Reset();
    }
}

void CVelmoraApp::LoadLanguagePacks() {
    BuiltinPackFlags flags;
    m_packCount = LoadLanguagePackTable(m_settingsPath, PackTable(m_packs.get(), MAX_LANGUAGE_PACKS), flags);
    m_addBuiltinChinese = flags.addChinese;
    m_addBuiltinEnglish = flags.addEnglish;
    for (int i = 0; i < MAX_LANGUAGE_PACKS; ++i)
        m_extraTexts[i] = i < m_packCount ? LoadExtraTexts(m_settingsPath, m_packs[i]) : ExtraTexts{};
}

void CVelmoraApp::SaveLanguagePacks() {
    SaveLanguagePackTable(m_settingsPath, std::span<const LanguagePack>(m_packs.get(), MAX_LANGUAGE_PACKS), m_packCount,
                          {m_addBuiltinChinese, m_addBuiltinEnglish});
    for (int i = 0; i < std::min(m_packCount, MAX_LANGUAGE_PACKS); ++i)
        SaveMissingExtraTexts(m_settingsPath, m_packs[i], m_extraTexts[i]);
}

void CVelmoraApp::ReadSettings() {
    const AppSettings settings = ReadAppSettings(m_settingsPath, m_packCount);
    m_winWidth = settings.winWidth;
    m_winHeight = settings.winHeight;
    m_curPack = settings.curPack;
}

void CVelmoraApp::WriteSettings() { WriteAppSettings(m_settingsPath, {m_winWidth, m_winHeight, m_curPack}); }

const LanguagePack& CVelmoraApp::CurrentPack() const {
    static const LanguagePack empty{};
    if (!m_packs)
        return empty;
    const bool valid = m_curPack >= 0 && m_curPack < std::min(m_packCount, MAX_LANGUAGE_PACKS);
    return m_packs[valid ? static_cast<size_t>(m_curPack) : 0];
}

const std::wstring& CVelmoraApp::Text(ExtraTextId id) const {
    static const ExtraTexts english = BuiltinExtraTexts(BuiltinEnglishPack());
    if (!m_extraTexts)
        return english[static_cast<size_t>(id)];
    const bool valid = m_curPack >= 0 && m_curPack < std::min(m_packCount, MAX_LANGUAGE_PACKS);
    return m_extraTexts[valid ? static_cast<size_t>(m_curPack) : 0][static_cast<size_t>(id)];
}

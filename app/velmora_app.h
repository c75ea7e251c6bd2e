// CVelmoraApp: the application object. Start-up finds the executable's
// folder, loads the USB library and the language packs, reads the settings
// and runs the main window modally; the exit sequence writes the settings
// and the built-in packs back and releases the library.
#pragma once
#include "app/extra_texts.h"
#include "app/language_pack.h"
#include "framework/app.h"
#include "framework/handles.h"
#include <memory>
#include <string>

class CVelmoraApp : public CWinApp {
public:
    CVelmoraApp();

    bool OnStartup() override;  // runs the main window; false ends the process after it
    int OnShutdown() override;  // the exit sequence

    void InitPaths();
    void LoadUsbLibrary();
    void LoadLanguagePacks();
    void SaveLanguagePacks();
    void ReadSettings();
    void WriteSettings();
    // The current pack; the first one when m_curPack is out of range.
    const LanguagePack& CurrentPack() const;
    // A text of the current pack that came after the fixed record.
    const std::wstring& Text(ExtraTextId id) const;

    std::wstring m_exeFolder;     // without a trailing backslash
    std::wstring m_settingsPath;  // m_exeFolder + "\Velmora.ini"
    CModule m_hUsbLibrary;        // "PembleUSB.dll" while loaded
    int m_winWidth;               // outer size of the main window
    int m_winHeight;
    std::unique_ptr<LanguagePack[]> m_packs;     // MAX_LANGUAGE_PACKS slots
    std::unique_ptr<ExtraTexts[]> m_extraTexts;  // beside m_packs, slot for slot
    int m_packCount;
    int m_curPack;
    int m_addBuiltinChinese;
    int m_addBuiltinEnglish;
};

// The one application object of the process.
extern CVelmoraApp g_velmoraApp;

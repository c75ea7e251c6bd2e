// The language-pack table against real settings files: building it at
// start-up and writing the built-in packs back at exit.
#include "app/extra_texts.h"
#include "app/language_packs.h"
#include "model/error_texts.h"
#include "tests/app/app_test_files.h"
#include <gtest/gtest.h>
#include <array>
#include <cstring>

using app_test::IniSectionNames;
using app_test::IniValue;
using app_test::ReadBytes;
using app_test::ScratchFolder;
using app_test::WriteUtf16Ini;

namespace {

std::wstring Name(const LanguagePack& pack) { return std::wstring(PackText(pack.name, PACK_NAME_SIZE)); }
std::wstring Short(const wchar_t* field) { return std::wstring(PackText(field, PACK_SHORT_TEXT_SIZE)); }
std::wstring Long(const wchar_t* field) { return std::wstring(PackText(field, PACK_LONG_TEXT_SIZE)); }

bool SamePack(const LanguagePack& a, const LanguagePack& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool AllTextsEmpty(const LanguagePack& pack) {
    LanguagePack texts = pack;
    std::fill(std::begin(texts.name), std::end(texts.name), L'\0');
    texts.langId = 0;
    return SamePack(texts, LanguagePack{});
}

struct Table {
    std::array<LanguagePack, MAX_LANGUAGE_PACKS> packs;
    int count = 0;
    BuiltinPackFlags flags;

    explicit Table(const std::wstring& path) {
        // Slots start dirty: the build must not leave anything of them behind.
        for (LanguagePack& pack : packs)
            std::memset(&pack, 0x41, sizeof pack);
        count = LoadLanguagePackTable(path, PackTable(packs), flags);
    }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < count; ++i)
            names.push_back(Name(packs[static_cast<size_t>(i)]));
        return names;
    }
    void Save(const std::wstring& path) const { SaveLanguagePackTable(path, packs, count, flags); }
};

class LanguagePacks : public testing::Test {
protected:
    ScratchFolder folder{L"packs-" + app_test::CurrentTestName()};
    std::wstring ini = folder / L"Velmora.ini";

    void WriteLanguages(const std::vector<std::wstring>& languageLines, std::vector<std::wstring> more = {}) {
        std::vector<std::wstring> lines = {L"[Language]"};
        lines.insert(lines.end(), languageLines.begin(), languageLines.end());
        lines.insert(lines.end(), more.begin(), more.end());
        WriteUtf16Ini(ini, lines);
    }
};

}  // namespace

TEST(BuiltinPacks, HoldEveryTextOfTheirLanguageUncut) {
    const LanguagePack& chinese = BuiltinChinesePack();
    const LanguagePack& english = BuiltinEnglishPack();
    EXPECT_EQ(Name(chinese), L"简体中文");
    EXPECT_EQ(chinese.langId, 0x0804);
    EXPECT_EQ(Name(english), L"English");
    EXPECT_EQ(english.langId, 0x0409);
    for (const LanguagePack* pack : {&chinese, &english}) {
        for (int i = 0; i < PACK_CAPTION_COUNT; ++i)
            EXPECT_FALSE(Short(pack->captions[i]).empty()) << "C" << i + 1;
        for (int i = 0; i < PACK_MENU_COUNT; ++i)
            EXPECT_FALSE(Short(pack->menuTexts[i]).empty()) << "M" << i + 1;
        for (int i = 0; i < PACK_INFO_COUNT; ++i)
            EXPECT_FALSE(Long(pack->infoTexts[i]).empty()) << "I" << i + 1;
    }
    // The check-error texts are the model's, bit for bit.
    for (int i = 0; i < PACK_ERROR_COUNT; ++i) {
        EXPECT_EQ(Short(chinese.errorTexts[i]), ErrorTextsChinese[i]);
        EXPECT_EQ(Short(english.errorTexts[i]), ErrorTextsEnglish[i]);
    }
    // The longest text of each kind arrives whole.
    EXPECT_EQ(Long(english.infoTexts[4]), L"Do you want to save the program(Y/N)?");
    EXPECT_EQ(Short(english.errorTexts[4]), L"GOTO exceeds valid line range");
    EXPECT_EQ(Short(chinese.captions[5]), L"退出");
    EXPECT_EQ(Long(chinese.infoTexts[12]), L"取消(&C)");
}

TEST_F(LanguagePacks, WithoutSettingsFileEnglishComesFirstThenChinese) {
    const Table table(ini);
    EXPECT_EQ(table.Names(), (std::vector<std::wstring>{L"English", L"简体中文"}));
    EXPECT_TRUE(SamePack(table.packs[0], BuiltinEnglishPack()));
    EXPECT_TRUE(SamePack(table.packs[1], BuiltinChinesePack()));
    EXPECT_EQ(table.flags.addEnglish, 1);
    EXPECT_EQ(table.flags.addChinese, 1);
    for (int i = 2; i < MAX_LANGUAGE_PACKS; ++i)
        EXPECT_TRUE(SamePack(table.packs[static_cast<size_t>(i)], LanguagePack{})) << "slot " << i;
}

TEST_F(LanguagePacks, FilePackWithOnlyCaptionsHasItsIdAndEmptyOtherTexts) {
    WriteLanguages({L"1=Deutsch,0407"}, {L"[Deutsch]", L"C1=Öffnen", L"C2=Speichern", L"C3=Löschen", L"C4=Sprache",
                                         L"C5=Senden", L"C6=Beenden"});
    const Table table(ini);
    ASSERT_EQ(table.Names(), (std::vector<std::wstring>{L"Deutsch", L"English", L"简体中文"}));
    const LanguagePack& german = table.packs[0];
    EXPECT_EQ(german.langId, 0x0407);
    EXPECT_EQ(Short(german.captions[0]), L"Öffnen");
    EXPECT_EQ(Short(german.captions[5]), L"Beenden");
    LanguagePack withoutCaptions = german;
    std::memset(withoutCaptions.captions, 0, sizeof withoutCaptions.captions);
    EXPECT_TRUE(AllTextsEmpty(withoutCaptions)) << "menu, error and message texts are empty";
    EXPECT_TRUE(SamePack(table.packs[1], BuiltinEnglishPack()));
    EXPECT_TRUE(SamePack(table.packs[2], BuiltinChinesePack()));
}

TEST_F(LanguagePacks, FilePackNamedLikeABuiltinReplacesItAndOnlyTheOtherIsWrittenBack) {
    WriteLanguages({L"1=english"}, {L"[english]", L"C1=Load"});
    const Table table(ini);
    ASSERT_EQ(table.Names(), (std::vector<std::wstring>{L"english", L"简体中文"}));
    EXPECT_EQ(Short(table.packs[0].captions[0]), L"Load");
    EXPECT_EQ(Short(table.packs[0].captions[1]), L"") << "no built-in text fills in";
    EXPECT_EQ(table.flags.addEnglish, 0);
    EXPECT_EQ(table.flags.addChinese, 1);

    table.Save(ini);
    EXPECT_EQ(IniValue(ini, L"Language", L"1"), L"english");
    EXPECT_EQ(IniValue(ini, L"Language", L"2"), L"简体中文");
    EXPECT_EQ(IniValue(ini, L"english", L"C2"), L"<missing>") << "the file pack is not written";
    EXPECT_EQ(IniValue(ini, L"简体中文", L"C1"), L"打开");
    EXPECT_EQ(IniValue(ini, L"简体中文", L"E3"), L"FOR后没有NEXT匹配");
    EXPECT_EQ(IniValue(ini, L"简体中文", L"I11"), L"是(&Y)");
}

TEST_F(LanguagePacks, EntriesWithoutNameAreSkippedAndNoCommaMeansNoId) {
    WriteLanguages(
        {L"1=,0407", L"2=   ", L"3=Français", L"4=  Deutsch,0407  ", L"5=Italiano,410z9", L"6=Polski,12345"});
    const Table table(ini);
    ASSERT_EQ(table.Names(),
              (std::vector<std::wstring>{L"Français", L"Deutsch", L"Italiano", L"Polski", L"English", L"简体中文"}));
    EXPECT_EQ(table.packs[0].langId, 0);
    EXPECT_EQ(table.packs[1].langId, 0x0407) << "blanks at both ends are removed";
    EXPECT_EQ(table.packs[2].langId, 0x0410) << "reading stops at the first non-hex character";
    EXPECT_EQ(table.packs[3].langId, 0x2345) << "the low 16 bits are kept";
    EXPECT_TRUE(AllTextsEmpty(table.packs[0]));
}

TEST_F(LanguagePacks, GapsInTheKeysCloseUpAndBuiltinsAreWrittenAfterTheFilePacks) {
    WriteLanguages({L"1=Deutsch,0407", L"2=Français,040C", L"5=Italiano,0410"}, {L"[Italiano]", L"M1=Taglia"});
    Table table(ini);
    ASSERT_EQ(table.Names(),
              (std::vector<std::wstring>{L"Deutsch", L"Français", L"Italiano", L"English", L"简体中文"}));
    EXPECT_EQ(Short(table.packs[2].menuTexts[0]), L"Taglia");

    table.Save(ini);
    EXPECT_EQ(IniValue(ini, L"Language", L"1"), L"Deutsch,0407") << "file entries are left as they were";
    EXPECT_EQ(IniValue(ini, L"Language", L"2"), L"Français,040C");
    EXPECT_EQ(IniValue(ini, L"Language", L"3"), L"<missing>");
    EXPECT_EQ(IniValue(ini, L"Language", L"4"), L"English");
    EXPECT_EQ(IniValue(ini, L"Language", L"5"), L"简体中文") << "the old key 5 is replaced";
    EXPECT_EQ(IniValue(ini, L"English", L"I5"), L"Do you want to save the program(Y/N)?");
    EXPECT_EQ(IniValue(ini, L"English", L"E9"), L"FOR no parameters");

    // Next start: the written packs are file packs, with the texts the user may edit.
    const Table again(ini);
    ASSERT_EQ(again.Names(), (std::vector<std::wstring>{L"Deutsch", L"Français", L"English", L"简体中文"}));
    EXPECT_EQ(again.flags.addEnglish, 0);
    EXPECT_EQ(again.flags.addChinese, 0);
    LanguagePack english = BuiltinEnglishPack();
    english.langId = 0;  // written without an identifier
    EXPECT_TRUE(SamePack(again.packs[2], english));
    LanguagePack chinese = BuiltinChinesePack();
    chinese.langId = 0;
    EXPECT_TRUE(SamePack(again.packs[3], chinese));
    const std::vector<unsigned char> before = ReadBytes(ini);
    again.Save(ini);
    EXPECT_EQ(ReadBytes(ini), before) << "nothing was appended, so nothing is written";
}

TEST_F(LanguagePacks, SixteenFilePacksLeaveNoRoomAndNothingIsWritten) {
    std::vector<std::wstring> lines;
    for (int key = 1; key <= 17; ++key)
        lines.push_back(std::to_wstring(key) + L"=Lang" + std::to_wstring(key));
    WriteLanguages(lines);
    const Table table(ini);
    ASSERT_EQ(table.count, MAX_LANGUAGE_PACKS);
    EXPECT_EQ(Name(table.packs[15]), L"Lang16") << "key 17 is never read";
    EXPECT_EQ(table.flags.addEnglish, 0);
    EXPECT_EQ(table.flags.addChinese, 0);
    const std::vector<unsigned char> before = ReadBytes(ini);
    table.Save(ini);
    EXPECT_EQ(ReadBytes(ini), before);
}

TEST_F(LanguagePacks, FifteenFilePacksLeaveRoomForEnglishOnly) {
    std::vector<std::wstring> lines;
    for (int key = 1; key <= 15; ++key)
        lines.push_back(std::to_wstring(key) + L"=Lang" + std::to_wstring(key));
    WriteLanguages(lines);
    const Table table(ini);
    ASSERT_EQ(table.count, MAX_LANGUAGE_PACKS);
    EXPECT_EQ(Name(table.packs[15]), L"English");
    EXPECT_EQ(table.flags.addEnglish, 1);
    EXPECT_EQ(table.flags.addChinese, 0) << "the flag says the pack was not appended";
    table.Save(ini);
    EXPECT_EQ(IniValue(ini, L"Language", L"16"), L"English");
    EXPECT_EQ(IniValue(ini, L"Language", L"15"), L"Lang15");
    EXPECT_EQ(IniValue(ini, L"简体中文", L"C1"), L"<missing>");
}

TEST_F(LanguagePacks, OverlongNamesAndTextsAreCut) {
    const std::wstring longName(50, L'N');
    const std::wstring name39(39, L'N');
    WriteLanguages({L"1=" + longName + L",0C0A"},
                   {L"[" + name39 + L"]", L"C1=" + std::wstring(60, L'c'), L"E9=" + std::wstring(39, L'e'),
                    L"I13=" + std::wstring(100, L'i'), L"I1=" + std::wstring(79, L'j')});
    const Table table(ini);
    ASSERT_EQ(table.count, 3);
    const LanguagePack& pack = table.packs[0];
    EXPECT_EQ(Name(pack), name39);
    EXPECT_EQ(pack.langId, 0x0C0A);
    EXPECT_EQ(Short(pack.captions[0]), std::wstring(39, L'c'));
    EXPECT_EQ(Short(pack.errorTexts[8]), std::wstring(39, L'e'));
    EXPECT_EQ(Long(pack.infoTexts[12]), std::wstring(79, L'i'));
    EXPECT_EQ(Long(pack.infoTexts[0]), std::wstring(79, L'j'));
    EXPECT_EQ(pack.captions[0][39], L'\0');
    EXPECT_EQ(pack.infoTexts[12][79], L'\0');
}

TEST(PackText, SetCutsAndZeroFillsTheField) {
    wchar_t field[5];
    std::fill(std::begin(field), std::end(field), L'x');
    SetPackText(field, 5, L"abcdefg");
    EXPECT_EQ(PackText(field, 5), L"abcd");
    EXPECT_EQ(field[4], L'\0');
    SetPackText(field, 5, L"z");
    EXPECT_EQ(PackText(field, 5), L"z");
    EXPECT_EQ(std::wstring(field + 1, field + 5), std::wstring(4, L'\0'));
    // A field without its terminator still reads within bounds.
    std::fill(std::begin(field), std::end(field), L'q');
    EXPECT_EQ(PackText(field, 5), L"qqqqq");
}

// Texts that came after the fixed record: named keys, built-in fallbacks, and
// every pack in the file given every key at exit.
TEST_F(LanguagePacks, ExtraTextsFallBackByPackNameAndKeepWhatTheFileSays) {
    WriteLanguages({L"1=Deutsch,0407", L"2=简体中文,0804"},
                   {L"[Deutsch]", L"MenuUndo=Rückgängig", L"MenuRedo=", L"[简体中文]", L"C1=打开"});
    const Table table(ini);
    ASSERT_EQ(table.Names(), (std::vector<std::wstring>{L"Deutsch", L"简体中文", L"English"}));
    const ExtraTexts german = LoadExtraTexts(ini, table.packs[0]);
    EXPECT_EQ(german[XT_MENU_UNDO], L"Rückgängig");
    EXPECT_EQ(german[XT_MENU_REDO], ExtraTextDefinitionOf(XT_MENU_REDO).english) << "an empty value falls back";
    const ExtraTexts chinese = LoadExtraTexts(ini, table.packs[1]);
    EXPECT_EQ(chinese[XT_MENU_UNDO], ExtraTextDefinitionOf(XT_MENU_UNDO).chinese);
    const ExtraTexts english = LoadExtraTexts(ini, table.packs[2]);
    EXPECT_EQ(english[XT_MENU_REDO], ExtraTextDefinitionOf(XT_MENU_REDO).english);

    SaveMissingExtraTexts(ini, table.packs[0], german);
    SaveMissingExtraTexts(ini, table.packs[1], chinese);
    EXPECT_EQ(IniValue(ini, L"Deutsch", L"MenuUndo"), L"Rückgängig") << "the user's text stays";
    EXPECT_EQ(IniValue(ini, L"Deutsch", L"MenuRedo"), ExtraTextDefinitionOf(XT_MENU_REDO).english);
    EXPECT_EQ(IniValue(ini, L"简体中文", L"MenuRedo"), ExtraTextDefinitionOf(XT_MENU_REDO).chinese);
    EXPECT_EQ(IniValue(ini, L"简体中文", L"C1"), L"打开");
}

TEST_F(LanguagePacks, ExtraTextsAreBoundedAndEveryDefinitionIsComplete) {
    WriteLanguages({L"1=Deutsch"}, {L"[Deutsch]", L"MenuUndo=" + std::wstring(4000, L'u')});
    const Table table(ini);
    EXPECT_EQ(LoadExtraTexts(ini, table.packs[0])[XT_MENU_UNDO], std::wstring(EXTRA_TEXT_MAX_CHARS, L'u'));
    for (int id = 0; id < EXTRA_TEXT_COUNT; ++id) {
        const ExtraTextDefinition& text = ExtraTextDefinitionOf(static_cast<ExtraTextId>(id));
        EXPECT_FALSE(text.key.empty() || text.english.empty() || text.chinese.empty()) << id;
        for (int other = 0; other < id; ++other)
            EXPECT_NE(ExtraTextDefinitionOf(static_cast<ExtraTextId>(other)).key, text.key) << "keys are unique";
    }
}

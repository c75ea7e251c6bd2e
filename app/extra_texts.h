// Interface texts that came after the fixed pack record. Each has a named key
// of its own in a pack's section of Velmora.ini. A pack that lacks a key (or
// leaves it empty) shows the built-in text: the Chinese one for the pack named
// like the built-in Chinese pack, the English one for every other pack.
#pragma once
#include "app/language_pack.h"
#include <array>
#include <string>
#include <string_view>

// Add a text by adding its id here and its row to the table in extra_texts.cpp.
enum ExtraTextId : int {
    XT_MENU_UNDO,  // context menu entry
    XT_MENU_REDO,
    // Simulator window: "{row}", "{runs}", "{time}" and "{rows}" are filled in.
    XT_SIM_OPEN,  // the main window's button
    XT_SIM_TITLE,
    XT_SIM_RUN,
    XT_SIM_PAUSE,
    XT_SIM_STEP,
    XT_SIM_STOP,
    XT_SIM_SPEED,
    XT_SIM_CLOCK,
    XT_SIM_LIGHT,
    XT_SIM_SOUND,
    XT_SIM_TEMPERATURE,
    XT_SIM_SWITCH,
    XT_SIM_OUTPUTS,
    XT_SIM_LOOPS,
    XT_SIM_LOOP_LEFT,
    XT_SIM_LOOP_FOREVER,
    XT_SIM_STATUS_STOPPED,
    XT_SIM_STATUS_RUNNING,
    XT_SIM_STATUS_PAUSED,
    XT_SIM_STATUS_WAITING,
    XT_SIM_STATUS_HOLDING,
    XT_SIM_STATUS_ENDED,
    XT_SIM_STATUS_BUSY,
    // The flowchart as a file, a picture on the clipboard and on paper.
    XT_CHART_EXPORT,  // context menu entries of the flowchart view
    XT_CHART_COPY_PICTURE,
    XT_CHART_PRINT,
    XT_CHART_EXPORT_TITLE,   // save dialog title
    XT_CHART_EXPORT_FILTER,  // save dialog filter: SVG, SVG without numbers, PNG 1x, 2x, 3x
    XT_CHART_EXPORT_FAILED,  // "%s": the file
    XT_CHART_COPY_FAILED,
    XT_CHART_PRINT_FAILED,
    XT_CHART_PRINT_PAGE,      // "%d", "%d": page and page count
    XT_CHART_PRINT_UNTITLED,  // file name of a program never saved
    EXTRA_TEXT_COUNT
};

struct ExtraTextDefinition {
    std::wstring_view key;  // its key in a pack's section
    std::wstring_view english;
    std::wstring_view chinese;
};

// The longest text read from a settings file, in characters.
constexpr int EXTRA_TEXT_MAX_CHARS = 255;

const ExtraTextDefinition& ExtraTextDefinitionOf(ExtraTextId id);

// One pack's extra texts, by ExtraTextId.
using ExtraTexts = std::array<std::wstring, EXTRA_TEXT_COUNT>;

// The built-in texts a pack falls back on, chosen by the pack's name.
ExtraTexts BuiltinExtraTexts(const LanguagePack& pack);

// The pack's extra texts from its section (named like the pack), with the
// built-in text for each key it lacks.
ExtraTexts LoadExtraTexts(const std::wstring& settingsPath, const LanguagePack& pack);

// Writes each text whose key the pack's section lacks, so that every pack in
// the file carries every key; texts the user wrote stay as they are.
void SaveMissingExtraTexts(const std::wstring& settingsPath, const LanguagePack& pack, const ExtraTexts& texts);

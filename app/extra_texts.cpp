#include "app/extra_texts.h"
#include "app/ini_file.h"
#include <windows.h>

namespace {

constexpr std::array<ExtraTextDefinition, EXTRA_TEXT_COUNT> kDefinitions{{
    {L"MenuUndo", L"Undo", L"撤销"},
    {L"MenuRedo", L"Redo", L"重做"},
    // Simulator window
    {L"SimOpen", L"Run", L"运行"},
    {L"SimTitle", L"Simulator", L"模拟器"},
    {L"SimRun", L"Run", L"运行"},
    {L"SimPause", L"Pause", L"暂停"},
    {L"SimStep", L"Step", L"单步"},
    {L"SimStop", L"Stop", L"停止"},
    {L"SimSpeed", L"Speed", L"速度"},
    {L"SimClock", L"Time", L"时间"},
    {L"SimLight", L"Light", L"光照"},
    {L"SimSound", L"Sound", L"声音"},
    {L"SimTemperature", L"Temperature", L"温度"},
    {L"SimSwitch", L"Switch", L"开关"},
    {L"SimOutputs", L"Outputs", L"输出"},
    {L"SimLoops", L"Loops", L"循环"},
    {L"SimLoopLeft", L"FOR on line {row}: {runs} runs left", L"第{row}行 FOR：还剩 {runs} 次"},
    {L"SimLoopForever", L"FOR on line {row}: runs forever", L"第{row}行 FOR：无限循环"},
    {L"SimStopped", L"stopped", L"已停止"},
    {L"SimRunning", L"running", L"运行中"},
    {L"SimPaused", L"paused", L"已暂停"},
    {L"SimWaiting", L"waiting {time} s", L"等待 {time} 秒"},
    {L"SimHolding", L"staying on line {row}", L"停留在第{row}行"},
    {L"SimEnded", L"ended", L"已结束"},
    {L"SimBusy", L"paused: rows {rows} loop without time", L"已暂停：第{rows}行循环而时间不前进"},
    // The flowchart as a file, a picture on the clipboard and on paper.
    {L"ChartExport", L"Export\u2026", L"导出\u2026"},
    {L"ChartCopyPicture", L"Copy picture", L"复制图片"},
    {L"ChartPrint", L"Print\u2026", L"打印\u2026"},
    {L"ChartExportTitle", L"Export flowchart", L"导出流程图"},
    {L"ChartExportFilter",
     L"SVG picture (*.svg)|*.svg|SVG picture without row numbers (*.svg)|*.svg|PNG picture (*.png)|*.png|"
     L"PNG picture, twice the size (*.png)|*.png|PNG picture, three times the size (*.png)|*.png||",
     L"SVG 图片 (*.svg)|*.svg|SVG 图片，不含行号 (*.svg)|*.svg|PNG 图片 (*.png)|*.png|"
     L"PNG 图片，两倍大小 (*.png)|*.png|PNG 图片，三倍大小 (*.png)|*.png||"},
    {L"ChartExportFailed", L"The flowchart could not be saved as %s.", L"流程图无法保存为 %s。"},
    {L"ChartCopyFailed", L"The flowchart could not be put on the clipboard.", L"无法将流程图复制到剪贴板。"},
    {L"ChartPrintFailed", L"The flowchart could not be printed.", L"无法打印流程图。"},
    {L"ChartPrintPage", L"Page %d of %d", L"第 %d 页，共 %d 页"},
    {L"ChartPrintUntitled", L"Untitled", L"未命名"},
}};

std::wstring SectionOf(const LanguagePack& pack) { return std::wstring(PackText(pack.name, PACK_NAME_SIZE)); }

bool NamedLikeBuiltinChinese(const LanguagePack& pack) {
    const std::wstring_view name = PackText(pack.name, PACK_NAME_SIZE);
    const std::wstring_view chinese = PackText(BuiltinChinesePack().name, PACK_NAME_SIZE);
    return ::CompareStringOrdinal(name.data(), static_cast<int>(name.size()), chinese.data(),
                                  static_cast<int>(chinese.size()), TRUE) == CSTR_EQUAL;
}

std::wstring IniText(const std::wstring& path, const std::wstring& section, std::wstring_view key) {
    return ReadIniString(path, section, std::wstring(key), EXTRA_TEXT_MAX_CHARS);
}

}  // namespace

const ExtraTextDefinition& ExtraTextDefinitionOf(ExtraTextId id) { return kDefinitions[static_cast<size_t>(id)]; }

ExtraTexts BuiltinExtraTexts(const LanguagePack& pack) {
    const bool chinese = NamedLikeBuiltinChinese(pack);
    ExtraTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = chinese ? kDefinitions[i].chinese : kDefinitions[i].english;
    return texts;
}

ExtraTexts LoadExtraTexts(const std::wstring& settingsPath, const LanguagePack& pack) {
    ExtraTexts texts = BuiltinExtraTexts(pack);
    const std::wstring section = SectionOf(pack);
    if (section.empty())
        return texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        std::wstring text = IniText(settingsPath, section, kDefinitions[i].key);
        if (!text.empty())
            texts[i] = std::move(text);
    }
    return texts;
}

void SaveMissingExtraTexts(const std::wstring& settingsPath, const LanguagePack& pack, const ExtraTexts& texts) {
    const std::wstring section = SectionOf(pack);
    if (section.empty())
        return;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (IniText(settingsPath, section, kDefinitions[i].key).empty())
            WriteIniString(settingsPath, section, std::wstring(kDefinitions[i].key), texts[i]);
    }
}

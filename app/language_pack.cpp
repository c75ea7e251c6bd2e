#include "app/language_pack.h"
#include "model/error_texts.h"
#include <algorithm>

static_assert(PACK_ERROR_COUNT == ERROR_BIT_COUNT, "one error text per check-error bit");

void SetPackText(wchar_t* field, int size, std::wstring_view text) {
    const size_t kept = std::min(text.size(), static_cast<size_t>(size - 1));
    std::copy_n(text.data(), kept, field);
    std::fill(field + kept, field + size, L'\0');
}

std::wstring_view PackText(const wchar_t* field, int size) {
    return {field, static_cast<size_t>(std::find(field, field + size, L'\0') - field)};
}

namespace {

struct BuiltinTexts {
    const wchar_t* name;
    uint16_t langId;
    const wchar_t* captions[PACK_CAPTION_COUNT];
    const wchar_t* menuTexts[PACK_MENU_COUNT];
    const wchar_t* const* errorTexts;
    const wchar_t* infoTexts[PACK_INFO_COUNT];
};

LanguagePack MakePack(const BuiltinTexts& texts) {
    LanguagePack pack{};
    SetPackText(pack.name, PACK_NAME_SIZE, texts.name);
    pack.langId = texts.langId;
    for (int i = 0; i < PACK_CAPTION_COUNT; ++i)
        SetPackText(pack.captions[i], PACK_SHORT_TEXT_SIZE, texts.captions[i]);
    for (int i = 0; i < PACK_MENU_COUNT; ++i)
        SetPackText(pack.menuTexts[i], PACK_SHORT_TEXT_SIZE, texts.menuTexts[i]);
    for (int i = 0; i < PACK_ERROR_COUNT; ++i)
        SetPackText(pack.errorTexts[i], PACK_SHORT_TEXT_SIZE, texts.errorTexts[i]);
    for (int i = 0; i < PACK_INFO_COUNT; ++i)
        SetPackText(pack.infoTexts[i], PACK_LONG_TEXT_SIZE, texts.infoTexts[i]);
    return pack;
}

}  // namespace

const LanguagePack& BuiltinChinesePack() {
    static const LanguagePack pack = MakePack({
        L"简体中文",
        0x0804,
        {L"打开", L"保存", L"清除", L"语言", L"发送", L"退出"},
        {L"剪切", L"复制", L"粘贴", L"删除", L"插入空行", L"插入"},
        ErrorTextsChinese,
        {L"打开程序文件", L"打开文件出错!", L"保存程序文件", L"写文件出错!", L"要保存编辑的程序吗(Y/N)?",
         L"没有数据发送!", L"语法错误!", L"USB设备连接失败!", L"USB设备读出错!", L"USB设备写出错!", L"是(&Y)",
         L"否(&N)", L"取消(&C)"},
    });
    return pack;
}

const LanguagePack& BuiltinEnglishPack() {
    static const LanguagePack pack = MakePack({
        L"English",
        0x0409,
        {L"Open", L"Save", L"Clear", L"Language", L"Send", L"Exit"},
        {L"Cut", L"Copy", L"Paste", L"Delete", L"Insert Row", L"Insert"},
        ErrorTextsEnglish,
        {L"Open Flowchart File", L"Open file error!", L"Save Flowchart File", L"Write file error!",
         L"Do you want to save the program(Y/N)?", L"No Data Send!", L"Sytax Error!", L"USB Device Connect Failure!",
         L"USB Read Data Error!", L"USB Write Data Error!", L"&Yes", L"&No", L"&Cancel"},
    });
    return pack;
}

#include "tests/res/dialog_template.h"

#include <cwctype>

namespace res_test {

namespace {

// Walks the template bytes; every read is checked against the end.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    bool ok() const { return m_ok; }

    template <class T>
    T Read() {
        T value{};
        if (m_at + sizeof(T) > m_size) {
            m_ok = false;
            return value;
        }
        memcpy(&value, m_data + m_at, sizeof(T));
        m_at += sizeof(T);
        return value;
    }

    std::wstring ReadString() {
        std::wstring text;
        for (WCHAR c; m_ok && (c = Read<WCHAR>()) != 0;) {
            text += c;
        }
        return text;
    }

    TemplateText ReadTextOrOrdinal() {
        TemplateText result;
        WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            result.isOrdinal = true;
            result.ordinal = Read<WORD>();
        } else if (first != 0) {
            result.text = static_cast<wchar_t>(first) + ReadString();
        }
        return result;
    }

    void AlignToDword() { m_at = (m_at + 3) & ~static_cast<size_t>(3); }
    void Skip(size_t count) { m_at += count; }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_at = 0;
    bool m_ok = true;
};

std::wstring ClassName(const TemplateText& text) {
    if (text.isOrdinal) {
        switch (text.ordinal) {
        case 0x80: return L"button";
        case 0x81: return L"edit";
        case 0x82: return L"static";
        case 0x83: return L"listbox";
        case 0x84: return L"scrollbar";
        case 0x85: return L"combobox";
        }
        return L"#" + std::to_wstring(text.ordinal);
    }
    std::wstring lower = text.text;
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return lower;
}

RECT Box(short x, short y, short cx, short cy) { return {x, y, x + cx, y + cy}; }

}  // namespace

bool LoadDialogTemplate(int id, DialogTemplate& dialog) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
    HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    if (loaded == nullptr) {
        return false;
    }
    TemplateReader reader(static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(nullptr, found));
    if (reader.Read<WORD>() != 1 || reader.Read<WORD>() != 0xFFFF) {
        return false;
    }
    reader.Read<DWORD>();  // help id
    dialog.exStyle = reader.Read<DWORD>();
    dialog.style = reader.Read<DWORD>();
    WORD count = reader.Read<WORD>();
    reader.Read<short>();  // x
    reader.Read<short>();  // y
    dialog.width = reader.Read<short>();
    dialog.height = reader.Read<short>();
    reader.ReadTextOrOrdinal();  // menu
    reader.ReadTextOrOrdinal();  // window class
    dialog.caption = reader.ReadString();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = reader.Read<WORD>();
        reader.Read<WORD>();  // weight
        reader.Read<BYTE>();  // italic
        reader.Read<BYTE>();  // character set
        dialog.face = reader.ReadString();
    }
    for (WORD i = 0; i < count && reader.ok(); ++i) {
        reader.AlignToDword();
        DialogItem item;
        reader.Read<DWORD>();  // help id
        item.exStyle = reader.Read<DWORD>();
        item.style = reader.Read<DWORD>();
        short x = reader.Read<short>();
        short y = reader.Read<short>();
        short cx = reader.Read<short>();
        short cy = reader.Read<short>();
        item.box = Box(x, y, cx, cy);
        item.id = static_cast<int>(reader.Read<DWORD>());
        item.className = ClassName(reader.ReadTextOrOrdinal());
        item.title = reader.ReadTextOrOrdinal();
        reader.Skip(reader.Read<WORD>());  // creation data
        dialog.items.push_back(item);
    }
    return reader.ok();
}

}  // namespace res_test

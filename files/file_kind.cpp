#include "files/file_kind.h"

namespace {

template <typename Char>
bool EndsWithStxtExtension(const std::basic_string<Char>& text) {
    const size_t dot = text.rfind(Char('.'));
    if (dot == std::basic_string<Char>::npos || text.size() - dot != 5)
        return false;
    const char* wanted = ".STXT";
    for (size_t i = 0; i < 5; ++i) {
        Char c = text[dot + i];
        if (c >= Char('a') && c <= Char('z'))
            c = Char(c - Char('a') + Char('A'));
        if (c != Char(wanted[i]))
            return false;
    }
    return true;
}

}  // namespace

FileKind FileKindOf(const std::filesystem::path& path) {
    return EndsWithStxtExtension(path.native()) ? FileKind::ProgramText : FileKind::Image;
}

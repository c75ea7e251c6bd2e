#include "cli/cli_io.h"

#include <type_traits>

#include "cli/commands.h"
#include "files/image_file.h"
#include "files/line_encoding.h"
#include "files/program_file.h"
#include "model/checker.h"
#include "model/device_image.h"
#include "model/error_texts.h"

namespace {

// A path for messages: narrow paths are bytes already, wide ones become UTF-8.
template <typename String>
std::string PathText(const String& native) {
    if constexpr (std::is_same_v<String, std::string>)
        return native;
    else
        return Utf8(native);
}

const char* LoadFailure(int result) {
    switch (result) {
    case -2: return "image file longer than 1024 bytes";
    case -3: return "could not read the whole file";
    case LOAD_NOT_AN_IMAGE: return "not a device image";
    default: return "cannot open the file";
    }
}

}  // namespace

void Write(std::FILE* stream, const std::string& bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stream); }

std::string Utf8(std::wstring_view text) {
    std::string bytes;
    AppendUtf8Text(text, bytes);
    return bytes;
}

bool AsciiArgument(const std::filesystem::path& arg, std::string& text) {
    text.clear();
    for (auto c : arg.native()) {
        const auto code = static_cast<std::make_unsigned_t<decltype(c)>>(c);
        if (code == 0 || code >= 0x80)
            return false;
        text += static_cast<char>(c);
    }
    return true;
}

bool IsWord(const std::filesystem::path& arg, std::string_view word) {
    std::string text;
    return AsciiArgument(arg, text) && text == word;
}

int UsageError() {
    Write(stderr,
          "usage: velmora-cli check FILE\n"
          "       velmora-cli encode FILE OUT\n"
          "       velmora-cli decode FILE\n"
          "       velmora-cli packets FILE\n"
          "       velmora-cli run FILE [--set IN=VALUE]... [--at SECONDS IN=VALUE]... [--until SECONDS]\n"
          "       velmora-cli chart FILE OUT.svg [--width PIXELS] [--no-numbers]\n");
    return EXIT_USAGE_OR_FILE;
}

int FileError(const std::filesystem::path& path, const char* what) {
    Write(stderr, "velmora-cli: " + PathText(path.native()) + ": " + what + "\n");
    return EXIT_USAGE_OR_FILE;
}

bool Load(const std::filesystem::path& path, Program& program) {
    uint8_t image[IMAGE_FILE_CAPACITY];
    program.count = LoadProgramRows(path, program.rows, image);
    if (program.count >= 0)
        return true;
    FileError(path, LoadFailure(program.count));
    return false;
}

bool CheckOrReport(Program& program) {
    CheckProgram(program.rows, program.count);
    const int row = FirstErrorRow(program.rows, program.count);
    if (row < 0)
        return true;
    Write(stderr, "Sytax Error!\n" + std::to_string(row + 1) + ":" +
                      Utf8(FormatErrorList(program.rows[row].errorFlags, ErrorTextsEnglish)) + "\n");
    return false;
}

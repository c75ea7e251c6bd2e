#include "cli/commands.h"

#include <cstdio>
#include <string>
#include <type_traits>

#include "chart/chart_elements.h"
#include "chart/chart_svg.h"
#include "device/packets.h"
#include "files/image_file.h"
#include "files/line_encoding.h"
#include "files/program_file.h"
#include "files/program_text.h"
#include "files/safe_write.h"
#include "model/checker.h"
#include "model/device_image.h"
#include "model/error_texts.h"
#include "model/vocabulary.h"

namespace {

constexpr const char* USAGE =
    "usage: velmora-cli check FILE\n"
    "       velmora-cli encode FILE OUT\n"
    "       velmora-cli decode FILE\n"
    "       velmora-cli packets FILE\n"
    "       velmora-cli chart FILE OUT.svg [--width PIXELS] [--no-numbers]\n";

// The view width a chart is laid out for when none is given: the chart at its
// base size; and the widths accepted.
constexpr int CHART_DEFAULT_WIDTH = 430;
constexpr int CHART_MIN_WIDTH = 100;
constexpr int CHART_MAX_WIDTH = 20000;

struct Program {
    ProgramRow rows[MAX_ROWS];
    int count = 0;
};

void Write(std::FILE* stream, const std::string& bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stream); }

std::string Utf8(std::wstring_view text) {
    std::string bytes;
    AppendUtf8Text(text, bytes);
    return bytes;
}

// A path for messages: narrow paths are bytes already, wide ones become UTF-8.
template <typename String>
std::string PathText(const String& native) {
    if constexpr (std::is_same_v<String, std::string>)
        return native;
    else
        return Utf8(native);
}

bool IsWord(const std::filesystem::path& arg, std::string_view word) {
    const auto& text = arg.native();
    if (text.size() != word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (text[i] != static_cast<std::filesystem::path::value_type>(word[i]))
            return false;
    return true;
}

const char* LoadFailure(int result) {
    switch (result) {
    case -2: return "image file longer than 1024 bytes";
    case -3: return "could not read the whole file";
    case LOAD_NOT_AN_IMAGE: return "not a device image";
    default: return "cannot open the file";
    }
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

// Checks and encodes; on a program error reports the first erroneous row the
// way the editor does and returns a negative length.
int CheckAndEncode(Program& program, uint8_t* image, int capacity) {
    CheckProgram(program.rows, program.count);
    const int length = EncodeProgram(program.rows, program.count, image, capacity);
    if (length < 0) {
        const int row = FirstErrorRow(program.rows, program.count);
        Write(stderr, "Sytax Error!\n" + std::to_string(row + 1) + ":" +
                          Utf8(FormatErrorList(program.rows[row].errorFlags, ErrorTextsEnglish)) + "\n");
    }
    return length;
}

int Check(Program& program) {
    const int result = CheckProgram(program.rows, program.count);
    for (int i = 0; i < program.count; ++i) {
        const ProgramRow& row = program.rows[i];
        char head[64];
        std::snprintf(head, sizeof head, "%d\t%03x\t%d\t", i + 1, row.errorFlags, row.reachable ? 1 : 0);
        const std::string link = row.code == CMD_NEXT ? std::to_string(NextLink(row)) : "-";
        Write(stdout, head + link + "\t" + Utf8(FormatErrorList(row.errorFlags, ErrorTextsEnglish)) + "\n");
    }
    const int first = FirstErrorRow(program.rows, program.count);
    Write(stdout, "result: " + std::to_string(result) + " first-error: " + std::to_string(first + 1) + "\n");
    return first < 0 ? 0 : EXIT_PROGRAM_ERROR;
}

int Encode(Program& program, const std::filesystem::path& out) {
    uint8_t image[IMAGE_FILE_CAPACITY];
    const int length = CheckAndEncode(program, image, IMAGE_FILE_CAPACITY);
    if (length < 0)
        return EXIT_PROGRAM_ERROR;
    if (!WriteImageFile(image, out, length))
        return FileError(out, "cannot write the file");
    return 0;
}

int Packets(Program& program) {
    uint8_t image[IMAGE_BUFFER_SIZE] = {};
    int length = CheckAndEncode(program, image, IMAGE_BUFFER_SIZE);
    if (length < 0)
        return EXIT_PROGRAM_ERROR;
    if (length == 0) {
        Write(stderr, "No Data Send!\n");
        return EXIT_PROGRAM_ERROR;
    }
    length = PadImageForSend(image, length);
    std::vector<DevicePacket> packets;
    if (!BuildSendPackets(image, length, packets)) {
        Write(stderr, Utf8(ROM_OVER_TEXT) + "\n");
        return EXIT_PROGRAM_ERROR;
    }
    for (const DevicePacket& packet : packets) {
        char line[3 * 9 + 1];
        for (int i = 0; i < 9; ++i)
            std::snprintf(line + 3 * i, 4, i < 8 ? "%02X " : "%02X\n", packet[i]);
        Write(stdout, line);
    }
    return 0;
}

struct ChartArgs {
    ChartSvgOptions svg{CHART_DEFAULT_WIDTH, true};
    bool valid = true;
};

// "--width PIXELS" and "--no-numbers", each at most once, after FILE and OUT.
ChartArgs ParseChartArgs(const std::vector<std::filesystem::path>& args) {
    ChartArgs parsed;
    bool widthSeen = false, numbersSeen = false;
    for (size_t i = 3; i < args.size() && parsed.valid; ++i) {
        if (IsWord(args[i], "--no-numbers") && !numbersSeen) {
            numbersSeen = true;
            parsed.svg.rowNumbers = false;
        } else if (IsWord(args[i], "--width") && !widthSeen && i + 1 < args.size()) {
            widthSeen = true;
            const auto& text = args[++i].native();
            long width = 0;
            parsed.valid = !text.empty() && text.size() <= 6;
            for (const auto c : text) {
                if (c < '0' || c > '9')
                    parsed.valid = false;
                else
                    width = width * 10 + (c - '0');
            }
            parsed.valid = parsed.valid && width >= CHART_MIN_WIDTH && width <= CHART_MAX_WIDTH;
            parsed.svg.width = static_cast<int>(width);
        } else {
            parsed.valid = false;
        }
    }
    return parsed;
}

// The flowchart as the editor shows it in a view of the given width, checked
// first so that faulty rows are red.
int Chart(Program& program, const std::filesystem::path& out, const ChartSvgOptions& options) {
    CheckProgram(program.rows, program.count);
    ProgramRow elements[CHART_MAX_ELEMENTS];
    const int count = BuildChartElements(program.rows, program.count, elements);
    const std::string svg = ChartSvg(elements, count, MetricsForWidth(options.width), options);
    if (!WriteFileSafely(out, svg.data(), svg.size()))
        return FileError(out, "cannot write the file");
    return 0;
}

}  // namespace

int RunCommand(const std::vector<std::filesystem::path>& args) {
    const bool chart = !args.empty() && IsWord(args[0], "chart");
    const size_t wanted = !args.empty() && IsWord(args[0], "encode") ? 3 : 2;
    const bool known = !args.empty() && (IsWord(args[0], "check") || IsWord(args[0], "encode") ||
                                         IsWord(args[0], "decode") || IsWord(args[0], "packets"));
    const ChartArgs chartArgs = chart ? ParseChartArgs(args) : ChartArgs{};
    const bool fits = chart ? args.size() >= 3 && chartArgs.valid : known && args.size() == wanted;
    if (!fits) {
        Write(stderr, USAGE);
        return EXIT_USAGE_OR_FILE;
    }
    Program program;
    if (!Load(args[1], program))
        return EXIT_USAGE_OR_FILE;
    if (chart)
        return Chart(program, args[2], chartArgs.svg);
    if (IsWord(args[0], "check"))
        return Check(program);
    if (IsWord(args[0], "encode"))
        return Encode(program, args[2]);
    if (IsWord(args[0], "decode")) {
        Write(stdout, ProgramTextBytes(program.rows, program.count));
        return 0;
    }
    return Packets(program);
}

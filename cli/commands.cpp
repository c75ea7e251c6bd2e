#include "cli/commands.h"

#include <cstdio>
#include <string>

#include "cli/chart_command.h"
#include "cli/cli_io.h"
#include "cli/run_command.h"
#include "device/packets.h"
#include "files/image_file.h"
#include "files/program_text.h"
#include "model/checker.h"
#include "model/device_image.h"
#include "model/error_texts.h"
#include "model/vocabulary.h"

namespace {

// Checks and encodes; on a program error reports the first erroneous row the
// way the editor does and returns a negative length.
int CheckAndEncode(Program& program, uint8_t* image, int capacity) {
    if (!CheckOrReport(program))
        return -1;
    return EncodeProgram(program.rows, program.count, image, capacity);
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

}  // namespace

int RunCommand(const std::vector<std::filesystem::path>& args) {
    if (!args.empty() && IsWord(args[0], "run"))
        return RunProgram(args);
    if (!args.empty() && IsWord(args[0], "chart"))
        return ChartCommand(args);
    const size_t wanted = !args.empty() && IsWord(args[0], "encode") ? 3 : 2;
    const bool known = !args.empty() && (IsWord(args[0], "check") || IsWord(args[0], "encode") ||
                                         IsWord(args[0], "decode") || IsWord(args[0], "packets"));
    if (!known || args.size() != wanted) {
        return UsageError();
    }
    Program program;
    if (!Load(args[1], program))
        return EXIT_USAGE_OR_FILE;
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

#include "cli/chart_command.h"

#include "chart/chart_elements.h"
#include "chart/chart_svg.h"
#include "cli/cli_io.h"
#include "cli/commands.h"
#include "files/safe_write.h"
#include "model/checker.h"

namespace {

// The view width a chart is laid out for when none is given: the chart at its
// base size; and the widths accepted.
constexpr int CHART_DEFAULT_WIDTH = 430;
constexpr int CHART_MIN_WIDTH = 100;
constexpr int CHART_MAX_WIDTH = 20000;

// "--width PIXELS" and "--no-numbers", each at most once, after FILE and OUT.
bool ParseOptions(const std::vector<std::filesystem::path>& args, ChartSvgOptions& options) {
    options = {CHART_DEFAULT_WIDTH, true};
    bool widthSeen = false, numbersSeen = false;
    for (size_t i = 3; i < args.size(); ++i) {
        std::string value;
        if (IsWord(args[i], "--no-numbers") && !numbersSeen) {
            numbersSeen = true;
            options.rowNumbers = false;
        } else if (IsWord(args[i], "--width") && !widthSeen && i + 1 < args.size() && AsciiArgument(args[++i], value)) {
            widthSeen = true;
            if (value.empty() || value.size() > 6 || value.find_first_not_of("0123456789") != std::string::npos)
                return false;
            options.width = std::stoi(value);
            if (options.width < CHART_MIN_WIDTH || options.width > CHART_MAX_WIDTH)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int ChartCommand(const std::vector<std::filesystem::path>& args) {
    ChartSvgOptions options;
    if (args.size() < 3 || !ParseOptions(args, options))
        return UsageError();
    Program program;
    if (!Load(args[1], program))
        return EXIT_USAGE_OR_FILE;
    // Checked first, so that faulty rows are red as in the editor.
    CheckProgram(program.rows, program.count);
    ProgramRow elements[CHART_MAX_ELEMENTS];
    const int count = BuildChartElements(program.rows, program.count, elements);
    const std::string svg = ChartSvg(elements, count, MetricsForWidth(options.width), options);
    if (!WriteFileSafely(args[2], svg.data(), svg.size()))
        return FileError(args[2], "cannot write the file");
    return 0;
}

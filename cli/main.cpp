// velmora-cli: loads a program file the way the editor's Open does and checks,
// encodes, prints or packs it.
#include <filesystem>
#include <vector>

#include "cli/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

// Wide arguments, so that paths outside the code page arrive intact.
int wmain(int argc, wchar_t** argv) {
    // Output is byte-exact: no CR inserted before LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::filesystem::path> args(argv + 1, argv + argc);
    return RunCommand(args);
}
#else
int main(int argc, char** argv) {
    std::vector<std::filesystem::path> args(argv + 1, argv + argc);
    return RunCommand(args);
}
#endif

// The commands of velmora-cli: check, encode, decode, packets, run and chart.
#pragma once

#include <filesystem>
#include <vector>

constexpr int EXIT_PROGRAM_ERROR = 1;  // the program has an error (or nothing to send)
constexpr int EXIT_USAGE_OR_FILE = 2;  // bad arguments, or a file that cannot be read or written

// Runs the command in args[0] with its arguments and returns the exit code.
// Results go to stdout, messages to stderr.
int RunCommand(const std::vector<std::filesystem::path>& args);

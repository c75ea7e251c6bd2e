// velmora-cli run: the program run on the simulated device, printed as a trace.
#pragma once

#include <filesystem>
#include <vector>

// args[0] is "run". Returns the exit code.
int RunProgram(const std::vector<std::filesystem::path>& args);

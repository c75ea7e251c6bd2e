// velmora-cli chart: the flowchart as an SVG picture.
#pragma once

#include <filesystem>
#include <vector>

// args[0] is "chart". Returns the exit code.
int ChartCommand(const std::vector<std::filesystem::path>& args);

// The files of the simulated device: its settings beside its library, and
// what it reports beside the program that uses it. Failures to write are
// silent; the simulated device keeps answering.
#pragma once

#include <cstdint>

constexpr int SIM_PATH_CAPACITY = 1024;

// "<folder of this library>\SimDevice.ini"; false when the path is too long.
bool SimSettingsPath(wchar_t (&path)[SIM_PATH_CAPACITY]);

// Appends one line to "SimDevice.log".
void AppendSimLog(const char* line);

// Replaces "SimDevice-received.bin" with the image bytes.
void WriteSimImage(const std::uint8_t* bytes, int count);

// Replaces "SimDevice.state" with the handle counts.
void WriteSimState(int openHandles, int opened, int closed);

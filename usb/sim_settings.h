// The simulated device's settings file, "SimDevice.ini" beside its library.
#pragma once

#include "usb/sim_device.h"

#include <windows.h>

// Reads section [SimDevice] of the file; a key that is missing, empty, not a
// number or out of its range keeps its default.
SimSettings ReadSimSettings(const wchar_t* iniPath);

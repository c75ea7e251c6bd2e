// Process-wide state of the device link.
#pragma once

// True when the last poll found the device through "Halvex.dll": the next
// transfer goes through it, otherwise through "PembleUSB.dll".
extern bool g_useHidLibrary;

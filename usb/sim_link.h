// The simulated device as both simulated libraries reach it: each library
// keeps its own session with it, and all of them log to the same files.
#pragma once

#include "usb/sim_device.h"

enum class SimLibrary { Halvex, Pemble };

// Starts a new session: re-reads the settings and resets the packet counts.
// True when the device is present for this library.
bool SimOpenSession(SimLibrary library);

// Receives one packet (report id in byte 0); false when the write fails.
bool SimWritePacket(SimLibrary library, const std::uint8_t (&packet)[SIM_PACKET_SIZE]);

// How many bytes Halvex `Read` writes in this session (SimSettings::halvexReadBytes).
int SimHalvexReadBytes();

// Hands out the reply to the last packet; false when the read fails.
bool SimReadReply(SimLibrary library, std::uint8_t (&reply)[SIM_REPLY_SIZE]);

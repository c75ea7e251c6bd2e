// The simulated device's side of the packet protocol: it checks each
// nine-byte packet, answers it, and rebuilds the image from the header's
// length and the data packets. Plain data, no I/O.
#pragma once

#include <cstdint>

constexpr int SIM_PACKET_SIZE = 9;
// A reply as the host reads it: report id, marker, status, zero padding.
constexpr int SIM_REPLY_SIZE = 9;
constexpr std::uint8_t SIM_MARKER = 0x24;  // "$"
constexpr std::uint8_t SIM_STATUS_ACCEPT = 0x80;
constexpr std::uint8_t SIM_STATUS_REFUSE = 0x2A;  // "*"
constexpr int SIM_IMAGE_CAPACITY = 2048;

// What the simulated device does, read from its settings file.
struct SimSettings {
    bool halvexPresent = true;
    bool pemblePresent = true;
    std::uint8_t marker = SIM_MARKER;  // marker of every reply but refusals
    int refusePacket = 0;              // this packet of a session is refused; 0: none
    int refuseHeaders = 0;             // the first this many header packets are refused
    std::uint8_t refuseStatus = SIM_STATUS_REFUSE;
    std::uint8_t refuseMarker = SIM_MARKER;
    std::uint8_t badPacketStatus = SIM_STATUS_REFUSE;  // answer to a malformed packet
    int failWriteAfter = -1;                           // writes after this many fail; -1: never
    int failReadAfter = -1;                            // reads after this many fail; -1: never
    // Bytes Halvex `Read` writes: the reply, then 0xEE filler up to a full
    // report, as a library built for a longer report does.
    int halvexReadBytes = SIM_REPLY_SIZE;
};

// The most `HalvexReadBytes` may ask for: a full HID report.
constexpr int SIM_MAX_READ_BYTES = 256;

enum class SimVerdict {
    Accepted,
    Refused,  // as the settings ask
    BadChecksum,
    BadPacket,       // neither a header nor a data packet
    BadHeader,       // size class and length do not agree
    UnexpectedData,  // no header before it, or more data than announced
};

// One session runs from an open (or a search) of the device to the next.
struct SimSession {
    int packets = 0;  // packets received
    int headers = 0;  // header packets among them
    int reads = 0;    // replies handed out
    bool replyPending = false;
    std::uint8_t reply[SIM_REPLY_SIZE] = {};
    bool receiving = false;  // a header was accepted and its data is incomplete
    int expected = 0;        // image bytes announced by the header
    int received = 0;
    std::uint8_t image[SIM_IMAGE_CAPACITY] = {};
};

struct SimWriteOutcome {
    bool written = false;  // false: the write failed and nothing was received
    int number = 0;        // the packet's number in the session, from 1
    SimVerdict verdict = SimVerdict::Accepted;
    bool imageComplete = false;  // the session's image holds all announced bytes
};

// Takes one packet (report id in byte 0) and prepares its reply.
SimWriteOutcome SimReceivePacket(SimSession& session, const SimSettings& settings,
                                 const std::uint8_t (&packet)[SIM_PACKET_SIZE]);

// Hands out the pending reply; false when none is pending or reads fail.
bool SimTakeReply(SimSession& session, const SimSettings& settings, std::uint8_t (&reply)[SIM_REPLY_SIZE]);

const char* SimVerdictName(SimVerdict verdict);

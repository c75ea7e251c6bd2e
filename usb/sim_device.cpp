#include "usb/sim_device.h"

#include <cstring>

namespace {

constexpr std::uint8_t COMMAND_PREFIX = 0x40;
constexpr std::uint8_t COMMAND_HEADER = 0x40;
constexpr std::uint8_t COMMAND_DATA = 0x23;
constexpr int DATA_BYTES = 5;

// Size class of a padded image length: 1 below 256, 2 below 512, 3 below
// 1024, 4 below 2048; 0 beyond.
int SimSizeClass(int paddedLength) {
    if (paddedLength < 0) {
        return 0;
    }
    for (int sizeClass = 1, limit = 256; limit <= SIM_IMAGE_CAPACITY; ++sizeClass, limit *= 2) {
        if (paddedLength < limit) {
            return sizeClass;
        }
    }
    return 0;
}

bool ChecksumMatches(const std::uint8_t (&packet)[SIM_PACKET_SIZE]) {
    unsigned sum = 0;
    for (int i = 1; i <= 7; ++i) {
        sum += packet[i];
    }
    return (sum & 0xFF) == packet[8];
}

// A header is consistent when some padded length whose whole fives make
// its length has its size class.
bool HeaderAgrees(int sizeClass, int length) {
    if (length % DATA_BYTES != 0) {
        return false;
    }
    for (int padded = length; padded < length + DATA_BYTES; ++padded) {
        if (SimSizeClass(padded) == sizeClass) {
            return true;
        }
    }
    return false;
}

SimVerdict TakeHeader(SimSession& session, const std::uint8_t (&packet)[SIM_PACKET_SIZE]) {
    int length = packet[4] | (packet[5] << 8);
    if (packet[6] != 0 || packet[7] != 0 || !HeaderAgrees(packet[3], length)) {
        return SimVerdict::BadHeader;
    }
    session.receiving = true;
    session.expected = length;
    session.received = 0;
    return SimVerdict::Accepted;
}

SimVerdict TakeData(SimSession& session, const std::uint8_t (&packet)[SIM_PACKET_SIZE]) {
    if (!session.receiving || session.received + DATA_BYTES > session.expected) {
        return SimVerdict::UnexpectedData;
    }
    std::memcpy(session.image + session.received, packet + 3, DATA_BYTES);
    session.received += DATA_BYTES;
    return SimVerdict::Accepted;
}

SimVerdict Judge(SimSession& session, const SimSettings& settings, const std::uint8_t (&packet)[SIM_PACKET_SIZE],
                 int number) {
    if (!ChecksumMatches(packet)) {
        return SimVerdict::BadChecksum;
    }
    bool header = packet[1] == COMMAND_PREFIX && packet[2] == COMMAND_HEADER;
    bool data = packet[1] == COMMAND_PREFIX && packet[2] == COMMAND_DATA;
    if (!header && !data) {
        return SimVerdict::BadPacket;
    }
    if (header) {
        // Any header ends an image still being received.
        ++session.headers;
        session.receiving = false;
    }
    if (number == settings.refusePacket || (header && session.headers <= settings.refuseHeaders)) {
        return SimVerdict::Refused;
    }
    return header ? TakeHeader(session, packet) : TakeData(session, packet);
}

}  // namespace

SimWriteOutcome SimReceivePacket(SimSession& session, const SimSettings& settings,
                                 const std::uint8_t (&packet)[SIM_PACKET_SIZE]) {
    SimWriteOutcome outcome;
    if (settings.failWriteAfter >= 0 && session.packets >= settings.failWriteAfter) {
        return outcome;
    }
    outcome.written = true;
    outcome.number = ++session.packets;
    outcome.verdict = Judge(session, settings, packet, outcome.number);

    std::uint8_t marker = settings.marker;
    std::uint8_t status = SIM_STATUS_ACCEPT;
    if (outcome.verdict == SimVerdict::Refused) {
        marker = settings.refuseMarker;
        status = settings.refuseStatus;
    } else if (outcome.verdict != SimVerdict::Accepted) {
        status = settings.badPacketStatus;
    }
    std::memset(session.reply, 0, sizeof session.reply);
    session.reply[1] = marker;
    session.reply[2] = status;
    session.replyPending = true;

    if (outcome.verdict == SimVerdict::Accepted && session.receiving && session.received == session.expected) {
        session.receiving = false;
        outcome.imageComplete = true;
    }
    return outcome;
}

bool SimTakeReply(SimSession& session, const SimSettings& settings, std::uint8_t (&reply)[SIM_REPLY_SIZE]) {
    bool pending = session.replyPending;
    session.replyPending = false;
    if (!pending || (settings.failReadAfter >= 0 && session.reads >= settings.failReadAfter)) {
        return false;
    }
    ++session.reads;
    std::memcpy(reply, session.reply, sizeof reply);
    return true;
}

const char* SimVerdictName(SimVerdict verdict) {
    switch (verdict) {
    case SimVerdict::Accepted: return "accepted";
    case SimVerdict::Refused: return "refused";
    case SimVerdict::BadChecksum: return "bad checksum";
    case SimVerdict::BadPacket: return "unknown packet";
    case SimVerdict::BadHeader: return "bad header";
    case SimVerdict::UnexpectedData: return "unexpected data";
    }
    return "?";
}

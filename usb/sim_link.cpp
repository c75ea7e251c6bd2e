#include "usb/sim_link.h"

#include "usb/sim_files.h"
#include "usb/sim_settings.h"

#include <cstdio>
#include <mutex>

namespace {

// Each simulated library is its own DLL with its own copy of this state.
std::mutex g_lock;
SimSettings g_settings;
SimSession g_session;

const char* LibraryName(SimLibrary library) { return library == SimLibrary::Halvex ? "Halvex" : "PembleUSB"; }

// "00 40 23 ..." for `count` bytes into `text`.
void FormatBytes(const std::uint8_t* bytes, int count, char (&text)[3 * SIM_REPLY_SIZE + 1]) {
    text[0] = '\0';
    size_t used = 0;
    for (int i = 0; i < count; ++i) {
        used += std::snprintf(text + used, sizeof text - used, i == 0 ? "%02X" : " %02X", bytes[i]);
    }
}

}  // namespace

bool SimOpenSession(SimLibrary library) {
    std::lock_guard guard(g_lock);
    wchar_t path[SIM_PATH_CAPACITY];
    g_settings = SimSettingsPath(path) ? ReadSimSettings(path) : SimSettings{};
    g_session = SimSession{};
    return library == SimLibrary::Halvex ? g_settings.halvexPresent : g_settings.pemblePresent;
}

bool SimWritePacket(SimLibrary library, const std::uint8_t (&packet)[SIM_PACKET_SIZE]) {
    std::lock_guard guard(g_lock);
    SimWriteOutcome outcome = SimReceivePacket(g_session, g_settings, packet);
    char sent[3 * SIM_REPLY_SIZE + 1];
    FormatBytes(packet, SIM_PACKET_SIZE, sent);
    char line[256];
    if (!outcome.written) {
        std::snprintf(line, sizeof line, "%s write failed: %s", LibraryName(library), sent);
        AppendSimLog(line);
        return false;
    }
    char reply[3 * SIM_REPLY_SIZE + 1];
    FormatBytes(g_session.reply, 3, reply);
    std::snprintf(line, sizeof line, "%s #%d %s -> %s %s", LibraryName(library), outcome.number, sent, reply,
                  SimVerdictName(outcome.verdict));
    AppendSimLog(line);
    if (outcome.imageComplete) {
        WriteSimImage(g_session.image, g_session.expected);
        std::snprintf(line, sizeof line, "%s image complete: %d bytes", LibraryName(library), g_session.expected);
        AppendSimLog(line);
    }
    return true;
}

int SimHalvexReadBytes() {
    std::lock_guard guard(g_lock);
    return g_settings.halvexReadBytes;
}

bool SimReadReply(SimLibrary library, std::uint8_t (&reply)[SIM_REPLY_SIZE]) {
    std::lock_guard guard(g_lock);
    if (SimTakeReply(g_session, g_settings, reply)) {
        return true;
    }
    char line[64];
    std::snprintf(line, sizeof line, "%s read failed", LibraryName(library));
    AppendSimLog(line);
    return false;
}

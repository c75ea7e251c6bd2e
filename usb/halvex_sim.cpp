// Halvex.dll in front of the simulated device.
#include "usb/sim_link.h"
#include "usb/usb_api.h"

#include <atomic>
#include <cstring>

void* DeviceHandle = nullptr;

namespace {

// Callers only test the handle for zero; any other value will do.
void* const SIMULATED_HANDLE = reinterpret_cast<void*>(0x4856);

std::atomic<bool> g_found{false};

}  // namespace

int FindUsb(int productId) {
    bool found = SimOpenSession(SimLibrary::Halvex) && productId == HALVEX_PRODUCT_ID;
    g_found = found;
    DeviceHandle = found ? SIMULATED_HANDLE : nullptr;
    return found ? 1 : 0;
}

bool Write(unsigned char* bytes8) {
    if (bytes8 == nullptr || !g_found) {
        return false;
    }
    std::uint8_t packet[SIM_PACKET_SIZE] = {};
    std::memcpy(packet + 1, bytes8, HALVEX_WRITE_SIZE);
    return SimWritePacket(SimLibrary::Halvex, packet);
}

bool Read(unsigned char* reply) {
    std::uint8_t received[SIM_REPLY_SIZE];
    if (reply == nullptr || !g_found || !SimReadReply(SimLibrary::Halvex, received)) {
        return false;
    }
    static_assert(SIM_REPLY_SIZE == HALVEX_REPLY_SIZE);
    static_assert(SIM_MAX_READ_BYTES <= HALVEX_READ_BUFFER_SIZE);
    std::memcpy(reply, received, HALVEX_REPLY_SIZE);
    // `Read` has no length: a library for a longer report fills that much.
    const int length = SimHalvexReadBytes();
    if (length > HALVEX_REPLY_SIZE)
        std::memset(reply + HALVEX_REPLY_SIZE, 0xEE, static_cast<size_t>(length - HALVEX_REPLY_SIZE));
    return true;
}

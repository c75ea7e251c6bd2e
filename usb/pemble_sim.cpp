// PembleUSB.dll in front of the simulated device. Every open hands out a
// fresh handle value, and the count of handles still open is published in
// "SimDevice.state" at every open and close, so that a caller's leaks show.
#include "usb/sim_files.h"
#include "usb/sim_link.h"
#include "usb/usb_api.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <set>

namespace {

std::mutex g_lock;
std::set<HANDLE> g_openHandles;
std::uintptr_t g_lastHandle = 0x5000;
int g_opened = 0;
int g_closed = 0;

void PublishState() { WriteSimState(static_cast<int>(g_openHandles.size()), g_opened, g_closed); }

bool IsOpenHandle(HANDLE device) {
    std::lock_guard guard(g_lock);
    return g_openHandles.count(device) != 0;
}

}  // namespace

HANDLE OpenUSBDevice(int vendorId, int productId) {
    bool present = SimOpenSession(SimLibrary::Pemble) && vendorId == PEMBLE_VENDOR_ID && productId == PEMBLE_PRODUCT_ID;
    std::lock_guard guard(g_lock);
    HANDLE device = INVALID_HANDLE_VALUE;
    if (present) {
        g_lastHandle += 4;
        device = reinterpret_cast<HANDLE>(g_lastHandle);
        g_openHandles.insert(device);
        ++g_opened;
    }
    PublishState();
    return device;
}

BOOL CloseUSBDevice(HANDLE device) {
    std::lock_guard guard(g_lock);
    if (g_openHandles.erase(device) == 0) {
        return FALSE;
    }
    ++g_closed;
    PublishState();
    return TRUE;
}

BOOL WriteUSB(HANDLE device, unsigned char* buf, DWORD len, DWORD* written) {
    if (written != nullptr) {
        *written = 0;
    }
    // Like a HID write: a short report is padded with zeros, a longer one or
    // one with a report id other than 0 is not sent.
    if (!IsOpenHandle(device) || buf == nullptr || len == 0 || len > SIM_PACKET_SIZE || buf[0] != 0) {
        return FALSE;
    }
    std::uint8_t packet[SIM_PACKET_SIZE] = {};
    std::memcpy(packet, buf, len);
    if (!SimWritePacket(SimLibrary::Pemble, packet)) {
        return FALSE;
    }
    if (written != nullptr) {
        *written = len;
    }
    return TRUE;
}

BOOL ReadUSB(HANDLE device, unsigned char* buf, DWORD len, DWORD* read) {
    if (read != nullptr) {
        *read = 0;
    }
    std::uint8_t reply[SIM_REPLY_SIZE];
    if (!IsOpenHandle(device) || buf == nullptr || len == 0 || !SimReadReply(SimLibrary::Pemble, reply)) {
        return FALSE;
    }
    DWORD count = len < SIM_REPLY_SIZE ? len : SIM_REPLY_SIZE;
    std::memcpy(buf, reply, count);
    if (read != nullptr) {
        *read = count;
    }
    return TRUE;
}

// Halvex.dll over the HID API: one device, found by product id alone.
#include "usb/hid_device.h"
#include "usb/hid_system.h"
#include "usb/usb_api.h"

#include <cstring>
#include <mutex>

void* DeviceHandle = nullptr;

namespace {

std::mutex g_lock;
// Owns the handle that DeviceHandle shows.
UniqueHidHandle g_device;

void Forget() {
    DeviceHandle = nullptr;
    g_device.reset();
}

}  // namespace

int FindUsb(int productId) {
    std::lock_guard guard(g_lock);
    // Polled every second: keep a handle that still answers instead of
    // enumerating again.
    if (IsOpen(g_device) && HidDeviceMatches(g_device.get(), HID_ANY_VENDOR, productId)) {
        return 1;
    }
    Forget();
    g_device.reset(OpenHidDevice(HID_ANY_VENDOR, productId));
    if (!IsOpen(g_device)) {
        Forget();
        return 0;
    }
    DeviceHandle = g_device.get();
    return 1;
}

bool Write(unsigned char* bytes8) {
    std::lock_guard guard(g_lock);
    if (bytes8 == nullptr || !IsOpen(g_device)) {
        return false;
    }
    unsigned char report[1 + HALVEX_WRITE_SIZE] = {};
    std::memcpy(report + 1, bytes8, HALVEX_WRITE_SIZE);
    // A reply left over from an earlier packet must not answer this one.
    FlushHidInput(g_device.get());
    return WriteHidReport(g_device.get(), report, sizeof report);
}

bool Read(unsigned char* reply) {
    std::lock_guard guard(g_lock);
    if (reply == nullptr || !IsOpen(g_device)) {
        return false;
    }
    unsigned char report[HALVEX_REPLY_SIZE] = {};
    DWORD copied = 0;
    // Report id, marker and status are the least a reply holds.
    bool ok = ReadHidReport(g_device.get(), report, sizeof report, &copied) && copied >= 3;
    std::memcpy(reply, report, sizeof report);
    return ok;
}

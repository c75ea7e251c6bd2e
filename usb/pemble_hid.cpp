// PembleUSB.dll over the HID API: each open hands out a fresh device handle.
#include "usb/hid_device.h"
#include "usb/usb_api.h"

namespace {

bool IsDevice(HANDLE device) { return device != nullptr && device != INVALID_HANDLE_VALUE; }

}  // namespace

HANDLE OpenUSBDevice(int vendorId, int productId) { return OpenHidDevice(vendorId, productId); }

BOOL CloseUSBDevice(HANDLE device) { return CloseHidDevice(device); }

BOOL WriteUSB(HANDLE device, unsigned char* buf, DWORD len, DWORD* written) {
    if (written != nullptr) {
        *written = 0;
    }
    if (!IsDevice(device) || buf == nullptr || len == 0) {
        return FALSE;
    }
    // A reply left over from an earlier packet must not answer this one.
    FlushHidInput(device);
    if (!WriteHidReport(device, buf, len)) {
        return FALSE;
    }
    if (written != nullptr) {
        *written = len;
    }
    return TRUE;
}

BOOL ReadUSB(HANDLE device, unsigned char* buf, DWORD len, DWORD* read) {
    DWORD copied = 0;
    bool ok = IsDevice(device) && buf != nullptr && ReadHidReport(device, buf, len, &copied);
    if (read != nullptr) {
        *read = copied;
    }
    return ok;
}

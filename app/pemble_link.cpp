#include "app/pemble_link.h"
#include "app/pemble_library.h"

bool PembleLink::IsAvailable() const { return g_OpenUSBDevice != nullptr; }

bool PembleLink::Open(LinkHandle& handle) {
    if (!g_OpenUSBDevice)
        return false;
    const HANDLE device = g_OpenUSBDevice(PEMBLE_VENDOR_ID, PEMBLE_PRODUCT_ID);
    if (device == INVALID_HANDLE_VALUE)
        return false;
    handle = device;
    return true;
}

void PembleLink::Close(LinkHandle handle) {
    if (g_CloseUSBDevice)
        g_CloseUSBDevice(handle);
}

bool PembleLink::Write(LinkHandle handle, const DevicePacket& packet) {
    DevicePacket bytes = packet;
    DWORD count = 0;
    return g_WriteUSB && g_WriteUSB(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &count);
}

bool PembleLink::Read(LinkHandle handle, DeviceReply& reply) {
    DWORD count = 0;
    return g_ReadUSB && g_ReadUSB(handle, reply.data(), DEVICE_REPLY_SIZE, &count);
}

// The device link over "Halvex.dll", which the executable imports at load
// time: FindUsb looks for the device, Write and Read move one packet.
#pragma once
#include "device/device_link.h"

class HalvexLink : public DeviceLink {
public:
    bool IsAvailable() const override { return true; }
    // The handle is the library's DeviceHandle after a successful FindUsb.
    bool Open(LinkHandle& handle) override;
    void Close(LinkHandle) override {}
    // Packet bytes 1..8: the library adds the report id.
    bool Write(LinkHandle, const DevicePacket& packet) override;
    bool Read(LinkHandle, DeviceReply& reply) override;
};

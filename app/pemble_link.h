// The device link over "PembleUSB.dll", through the four entry points that
// start-up resolved (app/pemble_library.h).
#pragma once
#include "device/device_link.h"

class PembleLink : public DeviceLink {
public:
    // All four entry points are there only together.
    bool IsAvailable() const override;
    // OpenUSBDevice with the editor's vendor and product ids.
    bool Open(LinkHandle& handle) override;
    void Close(LinkHandle handle) override;
    // All nine bytes; the counts the library returns are not examined.
    bool Write(LinkHandle handle, const DevicePacket& packet) override;
    bool Read(LinkHandle handle, DeviceReply& reply) override;
};

#include "app/halvex_link.h"
#include "usb/usb_api.h"
#include <algorithm>

static_assert(HALVEX_WRITE_SIZE == std::tuple_size_v<DevicePacket> - 1);
static_assert(DEVICE_REPLY_SIZE <= HALVEX_REPLY_SIZE);

bool HalvexLink::Open(LinkHandle& handle) {
    if (FindUsb(HALVEX_PRODUCT_ID) == 0)
        return false;
    handle = DeviceHandle;
    return true;
}

bool HalvexLink::Write(LinkHandle, const DevicePacket& packet) {
    DevicePacket bytes = packet;
    return ::Write(&bytes[1]);
}

bool HalvexLink::Read(LinkHandle, DeviceReply& reply) {
    // Read has no length: the buffer takes a whole report from any library.
    uint8_t buffer[HALVEX_READ_BUFFER_SIZE] = {};
    if (!::Read(buffer))
        return false;
    std::copy_n(buffer, DEVICE_REPLY_SIZE, reply.begin());
    return true;
}

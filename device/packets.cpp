#include "device/packets.h"

#include <cstring>

#include "model/device_image.h"

namespace {

DevicePacket Sealed(DevicePacket packet) {
    packet[8] = PacketChecksum(packet);
    return packet;
}

}  // namespace

int PadImageForSend(uint8_t* image, int length) {
    if (!image || length < 0 || length + SEND_PADDING > IMAGE_BUFFER_SIZE)
        return length;
    std::memset(image + length, 0, SEND_PADDING);
    return length + SEND_PADDING;
}

int SizeClass(int paddedLength) {
    if (paddedLength < 0)
        return 0;
    if (paddedLength < 256)
        return 1;
    if (paddedLength < 512)
        return 2;
    if (paddedLength < 1024)
        return 3;
    if (paddedLength < 2048)
        return 4;
    return 0;
}

uint8_t PacketChecksum(const DevicePacket& packet) {
    unsigned sum = 0;
    for (int i = 1; i <= 7; ++i)
        sum += packet[i];
    return static_cast<uint8_t>(sum);
}

DevicePacket MakeHeaderPacket(int paddedLength) {
    const int l5 = DataPacketCount(paddedLength) * PACKET_IMAGE_BYTES;
    return Sealed({0x00, 0x40, 0x40, static_cast<uint8_t>(SizeClass(paddedLength)), static_cast<uint8_t>(l5 & 0xFF),
                   static_cast<uint8_t>(l5 >> 8), 0x00, 0x00, 0x00});
}

bool MakeDataPacket(const uint8_t* image, int length, int j, DevicePacket& packet) {
    const int first = PACKET_IMAGE_BYTES * (j - 1);
    if (!image || j < 1 || first + PACKET_IMAGE_BYTES > length)
        return false;
    packet = {0x00, 0x40, 0x23};
    std::memcpy(&packet[3], image + first, PACKET_IMAGE_BYTES);
    packet = Sealed(packet);
    return true;
}

bool BuildSendPackets(const uint8_t* image, int paddedLength, std::vector<DevicePacket>& packets) {
    if (!image || SizeClass(paddedLength) == 0)
        return false;
    packets.push_back(MakeHeaderPacket(paddedLength));
    DevicePacket packet;
    for (int j = 1; j <= DataPacketCount(paddedLength) && MakeDataPacket(image, paddedLength, j, packet); ++j)
        packets.push_back(packet);
    return true;
}

ReplyVerdict CheckReply(uint8_t status, uint8_t /*marker*/) {
    if (status == REPLY_ACCEPTED)
        return ReplyVerdict::Accepted;
    if (status == 0x2A || (status >= 0x82 && status <= 0x8A))
        return ReplyVerdict::RefusedSilently;
    return ReplyVerdict::Refused;
}

std::wstring SystemErrorText(uint8_t status, uint8_t marker) {
    std::wstring text = SYSTEM_ERROR_TEXT;
    if (marker != REPLY_MARKER)
        text += L"!$";
    if (status != 0)
        text += static_cast<wchar_t>(status);
    return text;
}

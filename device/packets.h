// Packets of the send protocol. Every packet has nine bytes:
//   header: 00 40 40 SizeClass L5-low L5-high 00 00 checksum
//   data j: 00 40 23 and image bytes 5(j-1) .. 5(j-1)+4, checksum
// L5 is the image length rounded down to a multiple of 5; the checksum is the
// sum of bytes 1..7 modulo 256. Each packet is answered by a reply whose byte 1
// is the marker '$' and byte 2 the status.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using DevicePacket = std::array<uint8_t, 9>;

constexpr int PACKET_IMAGE_BYTES = 5;
constexpr int SEND_PADDING = 8;
constexpr uint8_t REPLY_MARKER = '$';
constexpr uint8_t REPLY_ACCEPTED = 0x80;

inline constexpr const wchar_t* ROM_OVER_TEXT = L"IC ROM Over";
inline constexpr const wchar_t* SYSTEM_ERROR_TEXT = L"System Error or Application Program Destruction! Error ID:";

// Appends SEND_PADDING zero bytes when the result still fits IMAGE_BUFFER_SIZE,
// so that L5 covers every encoded byte. `image` holds IMAGE_BUFFER_SIZE bytes.
// Returns the new length.
int PadImageForSend(uint8_t* image, int length);

// 1 below 256, 2 below 512, 3 below 1024, 4 below 2048; 0 (refused: "IC ROM
// Over") for 2048 or more or a negative length.
int SizeClass(int paddedLength);

// Sum of bytes 1..7 modulo 256, stored in byte 8 by the builders below.
uint8_t PacketChecksum(const DevicePacket& packet);

// Number of data packets of a padded image: one per PACKET_IMAGE_BYTES bytes.
inline int DataPacketCount(int paddedLength) { return paddedLength / PACKET_IMAGE_BYTES; }

DevicePacket MakeHeaderPacket(int paddedLength);
// Data packet j (from 1); false when it would reach past `length`.
bool MakeDataPacket(const uint8_t* image, int length, int j, DevicePacket& packet);

// Every packet a send transmits for a padded image: the header, then length/5
// data packets. False (nothing added) when the size class refuses the image
// or the image is missing.
bool BuildSendPackets(const uint8_t* image, int paddedLength, std::vector<DevicePacket>& packets);

enum class ReplyVerdict { Accepted, RefusedSilently, Refused };

// Status 0x80 accepts; 0x2A and 0x82..0x8A refuse silently; every other
// status refuses with the text of SystemErrorText.
ReplyVerdict CheckReply(uint8_t status, uint8_t marker);

// SYSTEM_ERROR_TEXT, then "!$" when the marker is not '$', then the status
// byte as one character (left out when it is 0, which would end the text).
std::wstring SystemErrorText(uint8_t status, uint8_t marker);

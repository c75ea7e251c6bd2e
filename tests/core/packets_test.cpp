#include <gtest/gtest.h>

#include "device/packets.h"
#include "model/device_image.h"
#include "tests/core/test_rows.h"

TEST(SendPackets, WorkedExample) {
    uint8_t image[IMAGE_BUFFER_SIZE];
    std::fill(std::begin(image), std::end(image), 0xEE);
    const auto example = ExampleImage();
    std::copy(example.begin(), example.end(), image);
    const int length = PadImageForSend(image, 25);
    ASSERT_EQ(length, 33);
    std::vector<DevicePacket> packets;
    ASSERT_TRUE(BuildSendPackets(image, length, packets));
    ASSERT_EQ(packets.size(), 7u);
    EXPECT_EQ(packets[0], (DevicePacket{0x00, 0x40, 0x40, 0x01, 0x1E, 0x00, 0x00, 0x00, 0x9F}));
    EXPECT_EQ(packets[1], (DevicePacket{0x00, 0x40, 0x23, 0x00, 0x08, 0x80, 0x00, 0x81, 0x6C}));
    // The last packet carries the end byte and four padding bytes.
    EXPECT_EQ(packets[6], (DevicePacket{0x00, 0x40, 0x23, 0x00, 0x00, 0x00, 0x00, 0x00, 0x63}));
}

TEST(SendPackets, PaddingAndSizeClasses) {
    std::vector<uint8_t> image(IMAGE_BUFFER_SIZE, 0xEE);
    EXPECT_EQ(PadImageForSend(image.data(), 2040), 2048);
    EXPECT_EQ(image[2047], 0x00);
    EXPECT_EQ(PadImageForSend(image.data(), 2041), 2041);
    const std::pair<int, int> classes[] = {{0, 1},    {255, 1},  {256, 2},  {511, 2},  {512, 3},
                                           {1023, 3}, {1024, 4}, {2047, 4}, {2048, 0}, {-1, 0}};
    for (auto [length, sizeClass] : classes)
        EXPECT_EQ(SizeClass(length), sizeClass) << length;
    std::vector<DevicePacket> packets;
    EXPECT_FALSE(BuildSendPackets(image.data(), 2048, packets));
    EXPECT_TRUE(packets.empty());
}

TEST(SendPackets, LengthBytesAndChecksums) {
    EXPECT_EQ(MakeHeaderPacket(1003), (DevicePacket{0x00, 0x40, 0x40, 0x03, 0xE8, 0x03, 0x00, 0x00, 0x6E}));
    const std::vector<uint8_t> image(10, 0xFF);
    DevicePacket packet;
    ASSERT_TRUE(MakeDataPacket(image.data(), 10, 2, packet));
    EXPECT_EQ(packet[8], static_cast<uint8_t>(0x40 + 0x23 + 5 * 0xFF));
    EXPECT_EQ(PacketChecksum(packet), packet[8]);
    EXPECT_FALSE(MakeDataPacket(image.data(), 10, 3, packet));
    EXPECT_FALSE(MakeDataPacket(image.data(), 9, 2, packet));
    EXPECT_FALSE(MakeDataPacket(image.data(), 10, 0, packet));
}

TEST(DeviceReply, Verdicts) {
    EXPECT_EQ(CheckReply(0x80, '$'), ReplyVerdict::Accepted);
    EXPECT_EQ(CheckReply(0x80, '#'), ReplyVerdict::Accepted);
    for (int status : {0x2A, 0x82, 0x85, 0x8A})
        EXPECT_EQ(CheckReply(status, '$'), ReplyVerdict::RefusedSilently) << status;
    for (int status : {0x00, 0x41, 0x81, 0x8B, 0x2B})
        EXPECT_EQ(CheckReply(status, '$'), ReplyVerdict::Refused) << status;
    EXPECT_EQ(SystemErrorText(0x41, '#'), L"System Error or Application Program Destruction! Error ID:!$A");
    EXPECT_EQ(SystemErrorText(0x41, '$'), L"System Error or Application Program Destruction! Error ID:A");
    EXPECT_EQ(SystemErrorText(0xE9, '$').back(), L'\u00E9');
    EXPECT_EQ(SystemErrorText(0x00, '$'), SYSTEM_ERROR_TEXT);
}

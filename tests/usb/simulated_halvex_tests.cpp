// Halvex.dll in front of the simulated device, driven the way the editor
// drives it: FindUsb, then Write of packet bytes 1..8 and Read of the reply.
#include "tests/usb/usb_test_files.h"
#include "usb/usb_api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace usb_test;

namespace {

using FindUsbFn = int (*)(int);
using WriteFn = bool (*)(unsigned char*);
using ReadFn = bool (*)(unsigned char*);

struct Reply {
    bool ok = false;
    std::uint8_t marker = 0;
    std::uint8_t status = 0;
};

class SimulatedHalvex : public ::testing::Test {
protected:
    void SetUp() override { ResetSimulatedDevice(); }

    void Load() {
        library = std::make_unique<Library>(BesideProgram(L"Halvex.dll"));
        findUsb = library->Get<FindUsbFn>("FindUsb");
        write = library->Get<WriteFn>("Write");
        read = library->Get<ReadFn>("Read");
        deviceHandle = library->Get<void**>("DeviceHandle");
        ASSERT_TRUE(findUsb && write && read && deviceHandle);
    }

    // Writes bytes 1..8 of the packet and reads the reply.
    Reply Send(Packet packet) {
        Reply reply;
        if (!write(packet.data() + 1)) {
            return reply;
        }
        unsigned char buffer[HALVEX_REPLY_SIZE + 1];
        std::memset(buffer, 0xEE, sizeof buffer);
        reply.ok = read(buffer);
        EXPECT_EQ(buffer[HALVEX_REPLY_SIZE], 0xEE) << "Read wrote past its reply size";
        if (reply.ok) {
            EXPECT_EQ(buffer[0], 0) << "report id";
            reply.marker = buffer[1];
            reply.status = buffer[2];
        }
        return reply;
    }

    // Sends the example: the header, then one data packet per five bytes.
    std::vector<Reply> SendExample() {
        std::vector<std::uint8_t> padded = PaddedExample();
        std::vector<Reply> replies{Send(Header(1, 30))};
        for (int j = 0; j < 6; ++j) {
            replies.push_back(Send(Data(padded.data() + 5 * j)));
        }
        return replies;
    }

    std::unique_ptr<Library> library;
    FindUsbFn findUsb = nullptr;
    WriteFn write = nullptr;
    ReadFn read = nullptr;
    void** deviceHandle = nullptr;
};

bool Accepted(const Reply& reply) { return reply.ok && reply.marker == 0x24 && reply.status == 0x80; }

}  // namespace

TEST_F(SimulatedHalvex, ExampleImageArrivesWhole) {
    Load();
    EXPECT_EQ(*deviceHandle, nullptr);
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    EXPECT_NE(*deviceHandle, nullptr);

    EXPECT_EQ(Header(1, 30), (Packet{0x00, 0x40, 0x40, 0x01, 0x1E, 0x00, 0x00, 0x00, 0x9F}));
    EXPECT_EQ(Data(PaddedExample().data()), (Packet{0x00, 0x40, 0x23, 0x00, 0x08, 0x80, 0x00, 0x81, 0x6C}));
    for (const Reply& reply : SendExample()) {
        EXPECT_TRUE(Accepted(reply));
    }
    std::vector<std::uint8_t> padded = PaddedExample();
    EXPECT_EQ(ReadBytes(L"SimDevice-received.bin"), std::vector<std::uint8_t>(padded.begin(), padded.begin() + 30));

    std::vector<std::string> log = LogLines();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log[0], "Halvex #1 00 40 40 01 1E 00 00 00 9F -> 00 24 80 accepted");
    EXPECT_EQ(log[1], "Halvex #2 00 40 23 00 08 80 00 81 6C -> 00 24 80 accepted");
    EXPECT_EQ(log[7], "Halvex image complete: 30 bytes");
}

TEST_F(SimulatedHalvex, MalformedPacketsAreRefused) {
    WriteText(L"SimDevice.ini", "[SimDevice]\r\nBadPacketStatus=0x41\r\n");
    Load();
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    std::uint8_t five[5] = {1, 2, 3, 4, 5};

    Packet wrongSum = Header(1, 30);
    wrongSum[8] -= 1;
    EXPECT_EQ(Send(wrongSum).status, 0x41);
    EXPECT_EQ(Send(Data(five)).status, 0x41) << "data without a header";
    EXPECT_EQ(Send(Sealed({0, 0x40, 0x41, 1, 30, 0, 0, 0, 0})).status, 0x41) << "unknown command";
    EXPECT_EQ(Send(Header(2, 30)).status, 0x41) << "size class does not fit the length";
    EXPECT_EQ(Send(Header(1, 31)).status, 0x41) << "length not in whole fives";
    EXPECT_EQ(Send(Header(2, 255)).status, 0x80) << "a padded length of 256..259 is class 2";

    EXPECT_EQ(Send(Header(1, 5)).status, 0x80);
    EXPECT_EQ(Send(Data(five)).status, 0x80);
    EXPECT_EQ(Send(Data(five)).status, 0x41) << "more data than announced";
    EXPECT_EQ(ReadBytes(L"SimDevice-received.bin"), std::vector<std::uint8_t>(five, five + 5));
    EXPECT_NE(ReadText(L"SimDevice.log").find("bad checksum"), std::string::npos);
}

TEST_F(SimulatedHalvex, ReadsOnlyAfterAWrite) {
    Load();
    unsigned char buffer[HALVEX_REPLY_SIZE];
    std::uint8_t bytes[8] = {};
    EXPECT_FALSE(write(bytes)) << "no device found yet";
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    EXPECT_FALSE(read(buffer)) << "nothing was written";
    EXPECT_TRUE(Accepted(Send(Header(1, 30))));
    EXPECT_FALSE(read(buffer)) << "the reply was taken already";
    EXPECT_FALSE(write(nullptr));
    EXPECT_FALSE(read(nullptr));
}

TEST_F(SimulatedHalvex, PresenceFollowsTheSettingsAtEachSearch) {
    Load();
    EXPECT_EQ(findUsb(0x1234), 0) << "another product";
    EXPECT_EQ(*deviceHandle, nullptr);

    WriteText(L"SimDevice.ini", "[SimDevice]\r\nHalvex=0\r\n");
    EXPECT_EQ(findUsb(HALVEX_PRODUCT_ID), 0);
    EXPECT_EQ(*deviceHandle, nullptr);
    std::uint8_t bytes[8] = {};
    EXPECT_FALSE(write(bytes));

    WriteText(L"SimDevice.ini", "[SimDevice]\r\nHalvex=1\r\nPemble=0\r\n");
    EXPECT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    EXPECT_NE(*deviceHandle, nullptr);
}

TEST_F(SimulatedHalvex, RefusesTheFirstHeaders) {
    WriteText(L"SimDevice.ini", "[SimDevice]\r\nRefuseHeaders=2\r\n");
    Load();
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        Reply refused = Send(Header(1, 30));
        EXPECT_TRUE(refused.ok);
        EXPECT_EQ(refused.marker, 0x24);
        EXPECT_EQ(refused.status, 0x2A);
    }
    for (const Reply& reply : SendExample()) {
        EXPECT_TRUE(Accepted(reply));
    }
    EXPECT_EQ(ReadBytes(L"SimDevice-received.bin").size(), 30u);

    // A new search starts a new session with its own refusals.
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    EXPECT_EQ(Send(Header(1, 30)).status, 0x2A);
}

TEST_F(SimulatedHalvex, RefusesTheNthPacketWithTheGivenReply) {
    WriteText(L"SimDevice.ini", "[SimDevice]\r\nRefusePacket=3\r\nRefuseStatus = 0x41 ; \"A\"\r\nRefuseMarker=35\r\n");
    Load();
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    std::vector<Reply> replies = SendExample();
    EXPECT_TRUE(Accepted(replies[0]));
    EXPECT_TRUE(Accepted(replies[1]));
    EXPECT_EQ(replies[2].marker, '#');
    EXPECT_EQ(replies[2].status, 'A');
    // The refused packet is not stored, so the image never completes.
    EXPECT_FALSE(FileExists(L"SimDevice-received.bin"));
}

TEST_F(SimulatedHalvex, AnswersWithAnotherMarker) {
    WriteText(L"SimDevice.ini", "[SimDevice]\r\nMarker=0x23\r\n");
    Load();
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    Reply reply = Send(Header(1, 30));
    EXPECT_EQ(reply.marker, 0x23);
    EXPECT_EQ(reply.status, 0x80);
}

TEST_F(SimulatedHalvex, WritesAndReadsFailAfterTheirCounts) {
    WriteText(L"SimDevice.ini", "[SimDevice]\r\nFailWriteAfter=2\r\n");
    Load();
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    std::vector<Reply> replies = SendExample();
    EXPECT_TRUE(Accepted(replies[0]));
    EXPECT_TRUE(Accepted(replies[1]));
    EXPECT_FALSE(replies[2].ok);
    EXPECT_NE(ReadText(L"SimDevice.log").find("Halvex write failed: 00 40 23"), std::string::npos);

    WriteText(L"SimDevice.ini", "[SimDevice]\r\nFailReadAfter=1\r\n");
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    replies = SendExample();
    EXPECT_TRUE(Accepted(replies[0]));
    EXPECT_FALSE(replies[1].ok);
    EXPECT_NE(ReadText(L"SimDevice.log").find("Halvex read failed"), std::string::npos);

    WriteText(L"SimDevice.ini", "[SimDevice]\r\nFailWriteAfter=0\r\n");
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    EXPECT_FALSE(Send(Header(1, 30)).ok);
}

TEST_F(SimulatedHalvex, ReadFillsAsManyBytesAsTheSettingsAsk) {
    for (const int length : {9, 64, 256}) {
        WriteText(L"SimDevice.ini", "[SimDevice]\r\nHalvexReadBytes=" + std::to_string(length) + "\r\n");
        Load();
        ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
        ASSERT_TRUE(write(Header(1, 30).data() + 1));
        std::vector<unsigned char> buffer(300, 0x11);
        ASSERT_TRUE(read(buffer.data()));
        EXPECT_EQ(buffer[1], 0x24);
        EXPECT_EQ(buffer[2], 0x80);
        EXPECT_EQ(std::count(buffer.begin() + 9, buffer.end(), 0xEE), length - 9) << length;
        EXPECT_EQ(std::count(buffer.begin() + length, buffer.end(), 0x11), 300 - length) << length;
    }
    WriteText(L"SimDevice.ini", "[SimDevice]\r\nHalvexReadBytes=257\r\n");
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    ASSERT_TRUE(write(Header(1, 30).data() + 1));
    unsigned char buffer[HALVEX_REPLY_SIZE + 1];
    std::memset(buffer, 0x11, sizeof buffer);
    ASSERT_TRUE(read(buffer));
    EXPECT_EQ(buffer[HALVEX_REPLY_SIZE], 0x11) << "out of range: the default, 9 bytes";
}

// Keys in any case and with blanks around them, a comment after the value,
// and only the device's own section counts.
TEST_F(SimulatedHalvex, SettingsAreReadFromTheirSectionWhateverTheSpelling) {
    Load();
    const struct {
        const char* ini;
        bool present;
    } cases[] = {
        {"[SimDevice]\r\n  halvex = 0 ; unplugged\r\n", false},
        {"[Other]\r\nHalvex=0\r\n[SimDevice]\r\nMarker=1\r\n", true},
        {"[SimDevice]\r\nHALVEX=0\r\nHalvex=1\r\n", false},
        {"[simdevice]\r\nHalvex=0x0\r\n", false},
    };
    for (const auto& c : cases) {
        WriteText(L"SimDevice.ini", c.ini);
        EXPECT_EQ(findUsb(HALVEX_PRODUCT_ID) != 0, c.present) << c.ini;
    }
}

TEST_F(SimulatedHalvex, UnusableSettingsKeepTheirDefaults) {
    WriteText(L"SimDevice.ini",
              "[SimDevice]\r\nHalvex=yes\r\nMarker=300\r\nRefusePacket=1x\r\n"
              "RefuseHeaders=-2\r\nFailWriteAfter=99999999999\r\n");
    Load();
    ASSERT_NE(findUsb(HALVEX_PRODUCT_ID), 0);
    for (const Reply& reply : SendExample()) {
        EXPECT_TRUE(Accepted(reply));
    }
}

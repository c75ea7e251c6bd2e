// PembleUSB.dll in front of the simulated device: the four entry points
// looked up by name, nine-byte writes, three-byte reads, and the handle
// counts the simulated device publishes.
#include "tests/usb/usb_test_files.h"
#include "usb/usb_api.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

using namespace usb_test;

namespace {

class SimulatedPemble : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSimulatedDevice();
        library = std::make_unique<Library>(BesideProgram(L"PembleUSB.dll"));
        open = library->Get<OpenUSBDeviceProc>("OpenUSBDevice");
        close = library->Get<CloseUSBDeviceProc>("CloseUSBDevice");
        write = library->Get<WriteUSBProc>("WriteUSB");
        read = library->Get<ReadUSBProc>("ReadUSB");
        ASSERT_TRUE(open && close && write && read);
    }

    HANDLE OpenDevice() { return open(PEMBLE_VENDOR_ID, PEMBLE_PRODUCT_ID); }

    // Writes all nine bytes, reads a three-byte reply; 0 when either fails.
    int Send(HANDLE device, Packet packet) {
        DWORD count = 0;
        if (!write(device, packet.data(), 9, &count)) {
            return 0;
        }
        unsigned char reply[4];
        std::memset(reply, 0xEE, sizeof reply);
        if (!read(device, reply, 3, &count)) {
            return 0;
        }
        EXPECT_EQ(count, 3u);
        EXPECT_EQ(reply[3], 0xEE) << "ReadUSB wrote past the length it was given";
        EXPECT_EQ(reply[0], 0) << "report id";
        return reply[1] << 8 | reply[2];
    }

    std::unique_ptr<Library> library;
    OpenUSBDeviceProc open = nullptr;
    CloseUSBDeviceProc close = nullptr;
    WriteUSBProc write = nullptr;
    ReadUSBProc read = nullptr;
};

constexpr int ACCEPTED = 0x2480;  // marker "$", status 0x80

}  // namespace

TEST_F(SimulatedPemble, ExampleImageArrivesWhole) {
    HANDLE device = OpenDevice();
    ASSERT_NE(device, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Send(device, Header(1, 30)), ACCEPTED);
    std::vector<std::uint8_t> padded = PaddedExample();
    for (int j = 0; j < 6; ++j) {
        EXPECT_EQ(Send(device, Data(padded.data() + 5 * j)), ACCEPTED);
    }
    EXPECT_TRUE(close(device));
    EXPECT_EQ(ReadBytes(L"SimDevice-received.bin"), std::vector<std::uint8_t>(padded.begin(), padded.begin() + 30));
    EXPECT_EQ(LogLines().front(), "PembleUSB #1 00 40 40 01 1E 00 00 00 9F -> 00 24 80 accepted");
}

TEST_F(SimulatedPemble, EveryOpenIsCountedUntilItIsClosed) {
    std::set<HANDLE> seen;
    for (int cycle = 0; cycle < 200; ++cycle) {
        HANDLE device = OpenDevice();
        ASSERT_NE(device, INVALID_HANDLE_VALUE);
        ASSERT_NE(device, nullptr);
        EXPECT_TRUE(seen.insert(device).second) << "a handle value came back twice";
        ASSERT_TRUE(close(device));
    }
    EXPECT_EQ(StateValue("open_handles"), 0);
    EXPECT_EQ(StateValue("opened"), 200);
    EXPECT_EQ(StateValue("closed"), 200);

    HANDLE kept[3] = {OpenDevice(), OpenDevice(), OpenDevice()};
    EXPECT_EQ(StateValue("open_handles"), 3);
    EXPECT_TRUE(close(kept[1]));
    EXPECT_FALSE(close(kept[1])) << "closed twice";
    EXPECT_FALSE(close(INVALID_HANDLE_VALUE));
    EXPECT_EQ(StateValue("open_handles"), 2);
    EXPECT_EQ(StateValue("closed"), 201);

    DWORD count = 7;
    Packet header = Header(1, 30);
    EXPECT_FALSE(write(kept[1], header.data(), 9, &count)) << "written through a closed handle";
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(Send(kept[0], header), ACCEPTED);
    close(kept[0]);
    close(kept[2]);
    EXPECT_EQ(StateValue("open_handles"), 0);
}

TEST_F(SimulatedPemble, OpensOnlyThePresentDeviceWithItsIds) {
    EXPECT_EQ(open(PEMBLE_VENDOR_ID, 0x7161), INVALID_HANDLE_VALUE);
    EXPECT_EQ(open(0x0C46, PEMBLE_PRODUCT_ID), INVALID_HANDLE_VALUE);

    WriteText(L"SimDevice.ini", "[SimDevice]\r\nPemble=0\r\n");
    EXPECT_EQ(OpenDevice(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(StateValue("open_handles"), 0);

    WriteText(L"SimDevice.ini", "[SimDevice]\r\nHalvex=0\r\n");
    HANDLE device = OpenDevice();
    EXPECT_NE(device, INVALID_HANDLE_VALUE);
    EXPECT_EQ(StateValue("open_handles"), 1);
    close(device);
}

TEST_F(SimulatedPemble, WritesLikeAHidReport) {
    HANDLE device = OpenDevice();
    ASSERT_NE(device, INVALID_HANDLE_VALUE);
    unsigned char tooLong[10] = {};
    DWORD count = 0;
    EXPECT_FALSE(write(device, tooLong, 10, &count));
    Packet otherReport = Header(1, 30);
    otherReport[0] = 1;
    EXPECT_FALSE(write(device, otherReport.data(), 9, &count));
    EXPECT_FALSE(write(device, nullptr, 9, &count));

    // A short write is padded with zeros: here the checksum byte is lost.
    Packet header = Header(1, 30);
    EXPECT_TRUE(write(device, header.data(), 8, &count));
    EXPECT_EQ(count, 8u);
    unsigned char reply[9];
    EXPECT_TRUE(read(device, reply, sizeof reply, &count));
    EXPECT_EQ(count, 9u);
    EXPECT_EQ(reply[2], 0x2A);
    EXPECT_FALSE(read(device, reply, 3, nullptr)) << "no reply pending";
    close(device);
}

TEST_F(SimulatedPemble, FailuresFollowTheSettingsOfEachOpen) {
    WriteText(L"SimDevice.ini", "[SimDevice]\r\nFailWriteAfter=0\r\n");
    HANDLE device = OpenDevice();
    EXPECT_EQ(Send(device, Header(1, 30)), 0);
    close(device);

    WriteText(L"SimDevice.ini", "[SimDevice]\r\nFailReadAfter=0\r\n");
    device = OpenDevice();
    DWORD count = 0;
    Packet header = Header(1, 30);
    EXPECT_TRUE(write(device, header.data(), 9, &count));
    unsigned char reply[3];
    EXPECT_FALSE(read(device, reply, 3, &count));
    close(device);

    WriteText(L"SimDevice.ini", "[SimDevice]\r\nRefusePacket=1\r\nRefuseStatus=0x85\r\n");
    device = OpenDevice();
    EXPECT_EQ(Send(device, Header(1, 30)), 0x2485);
    EXPECT_EQ(Send(device, Header(1, 30)), ACCEPTED);
    close(device);
}

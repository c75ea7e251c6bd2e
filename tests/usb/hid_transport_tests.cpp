// The hardware builds of Halvex.dll and PembleUSB.dll over a stand-in for
// the Windows HID calls: which collection is opened, what is written, how
// replies of every length are read, and how a silent or vanished device ends.
#include "tests/usb/fake_hid_system.h"
#include "usb/hid_device.h"
#include "usb/usb_api.h"

#include <gtest/gtest.h>

using namespace usb_test;

namespace {

using Calls = std::vector<std::string>;

const Bytes kReply = {0x00, 0x24, 0x80, 0, 0, 0, 0, 0, 0};

class HidTransport : public testing::Test {
protected:
    HidTransport() : scope(hid) {}
    ~HidTransport() override {
        // Halvex keeps its handle between calls: a device that is gone releases it.
        hid.collections.clear();
        FindUsb(HALVEX_PRODUCT_ID);
        EXPECT_EQ(hid.openHandles, 0) << "every handle is closed again";
    }

    // One Halvex device, found.
    void FindHalvex(DWORD input = 9, DWORD output = 9) {
        hid.collections = {{0x1234, static_cast<USHORT>(HALVEX_PRODUCT_ID), input, output}};
        ASSERT_EQ(FindUsb(HALVEX_PRODUCT_ID), 1);
        hid.ForgetCalls();
    }

    FakeHidSystem hid;
    ScopedHidSystem scope;
    unsigned char packet[HALVEX_WRITE_SIZE] = {0x40, 0x40, 0x01, 0x1E, 0x00, 0x00, 0x00, 0x9F};
};

}  // namespace

TEST_F(HidTransport, TheCollectionWhoseReportsFitIsChosenNotTheFirstWithTheIds) {
    const USHORT product = static_cast<USHORT>(HALVEX_PRODUCT_ID);
    hid.collections = {
        {0x1234, 0x0001, 9, 9},   // another device
        {0x1234, product, 9, 0},  // the device's input-only collection
        {0x1234, product, 2, 9},  // replies too short to hold marker and status
        {0x1234, product, 9, 8},  // no room for a packet and its report id
        {0x1234, product, 9, 9},  // the packet collection
        {0x1234, product, 9, 9},  // a second one, never reached
    };
    ASSERT_EQ(FindUsb(HALVEX_PRODUCT_ID), 1);
    EXPECT_EQ(hid.CollectionOf(DeviceHandle), 4);
    EXPECT_EQ(hid.openHandles, 1) << "the collections tried and left are closed";
    EXPECT_EQ(hid.calls,
              (Calls{"open 0", "close 0", "open 1", "close 1", "open 2", "close 2", "open 3", "close 3", "open 4"}));

    // PembleUSB asks for its vendor too; it gets a handle of its own per open.
    const USHORT vendor = static_cast<USHORT>(PEMBLE_VENDOR_ID);
    const USHORT pembleProduct = static_cast<USHORT>(PEMBLE_PRODUCT_ID);
    hid.collections = {{0x1111, pembleProduct, 9, 9}, {vendor, pembleProduct, 64, 0}, {vendor, pembleProduct, 64, 64}};
    HANDLE device = OpenUSBDevice(PEMBLE_VENDOR_ID, PEMBLE_PRODUCT_ID);
    EXPECT_EQ(hid.CollectionOf(device), 2);
    EXPECT_TRUE(CloseUSBDevice(device));
    EXPECT_FALSE(CloseUSBDevice(device)) << "closed once";
    EXPECT_FALSE(CloseUSBDevice(INVALID_HANDLE_VALUE));
    hid.collections[2].output = 4;
    EXPECT_EQ(OpenUSBDevice(PEMBLE_VENDOR_ID, PEMBLE_PRODUCT_ID), INVALID_HANDLE_VALUE);
}

TEST_F(HidTransport, AWriteFlushesStaleInputFirstAndSendsTheWholeReport) {
    FindHalvex(9, 16);
    hid.input = {{0x00, 0x24, 0x2A}};  // an answer to an earlier packet, never read
    hid.answer = kReply;
    ASSERT_TRUE(Write(packet));
    EXPECT_EQ(hid.calls, (Calls{"flush", "write", "wait 1000"}));
    Bytes report(16, 0);
    std::copy(packet, packet + 8, report.begin() + 1);
    EXPECT_EQ(hid.written, (std::vector<Bytes>{report})) << "report id 0, the packet, zeros to the report length";

    unsigned char reply[HALVEX_REPLY_SIZE];
    ASSERT_TRUE(Read(reply));
    EXPECT_EQ(Bytes(reply, reply + 9), kReply) << "the answer to this packet, not the stale one";

    // Through PembleUSB the same.
    hid.collections = {{static_cast<USHORT>(PEMBLE_VENDOR_ID), static_cast<USHORT>(PEMBLE_PRODUCT_ID), 9, 9}};
    HANDLE device = OpenUSBDevice(PEMBLE_VENDOR_ID, PEMBLE_PRODUCT_ID);
    hid.input = {{0x00, 0x24, 0x2A}};
    hid.ForgetCalls();
    unsigned char full[9] = {0x00, 0x40, 0x23, 1, 2, 3, 4, 5, 0x73};
    DWORD count = 0;
    ASSERT_TRUE(WriteUSB(device, full, 9, &count));
    EXPECT_EQ(count, 9u);
    EXPECT_EQ(hid.calls, (Calls{"flush", "write", "wait 1000"}));
    EXPECT_EQ(hid.written, (std::vector<Bytes>{Bytes(full, full + 9)}));
    EXPECT_FALSE(WriteUSB(device, full, 10, &count)) << "longer than the device's report";
    EXPECT_EQ(count, 0u);
    CloseUSBDevice(device);
}

TEST_F(HidTransport, AFailedWriteReportsFailure) {
    FindHalvex();
    hid.writes = Transfer::Fails;
    EXPECT_FALSE(Write(packet));
    EXPECT_EQ(hid.calls, (Calls{"flush", "write"})) << "a failure at the start is not waited for";
}

TEST_F(HidTransport, ATransferThatNeverEndsIsCancelledAfterTheTimeOut) {
    FindHalvex();
    hid.writes = Transfer::NeverEnds;
    EXPECT_FALSE(Write(packet));
    EXPECT_EQ(hid.calls, (Calls{"flush", "write", "wait 1000", "cancel"}));
    EXPECT_FALSE(hid.waitedForeverOnATransfer);

    hid.ForgetCalls();
    hid.writes = Transfer::Done;
    hid.reads = Transfer::NeverEnds;
    unsigned char reply[HALVEX_REPLY_SIZE];
    std::fill(std::begin(reply), std::end(reply), 0xCC);
    EXPECT_FALSE(Read(reply));
    EXPECT_EQ(hid.calls, (Calls{"read", "wait 1000", "cancel"}));
    EXPECT_FALSE(hid.waitedForeverOnATransfer);
    EXPECT_EQ(Bytes(reply, reply + 9), Bytes(9, 0)) << "a failed read leaves no stale bytes";

    // Nothing was queued: the read waits for a report that never comes.
    hid.reads = Transfer::Done;
    hid.ForgetCalls();
    EXPECT_FALSE(Read(reply));
    EXPECT_EQ(hid.calls, (Calls{"read", "wait 1000", "cancel"}));
}

TEST_F(HidTransport, RepliesOfEveryLengthAreCutToTheCallersBuffer) {
    struct Case {
        const char* name;
        DWORD inputLength;
        Bytes report;
        bool halvexReads;
        Bytes halvexReply;
    };
    Bytes longReport(64);
    for (size_t i = 0; i < longReport.size(); ++i)
        longReport[i] = static_cast<unsigned char>(i + 1);
    const Case cases[] = {
        {"exact", 9, kReply, true, kReply},
        {"short report", 9, {0x00, 0x24}, false, {0x00, 0x24, 0, 0, 0, 0, 0, 0, 0}},
        {"three bytes", 9, {0x00, 0x24, 0x80}, true, {0x00, 0x24, 0x80, 0, 0, 0, 0, 0, 0}},
        {"longer than 9", 64, longReport, true, Bytes(longReport.begin(), longReport.begin() + 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FindHalvex(c.inputLength, 9);
        hid.input = {c.report};
        unsigned char buffer[HALVEX_REPLY_SIZE + 16];
        std::fill(std::begin(buffer), std::end(buffer), 0xCC);
        EXPECT_EQ(Read(buffer), c.halvexReads);
        EXPECT_EQ(Bytes(buffer, buffer + 9), c.halvexReply);
        EXPECT_EQ(Bytes(buffer + 9, buffer + 25), Bytes(16, 0xCC)) << "nothing written past the reply";

        // PembleUSB copies at most the length it is given.
        hid.collections.push_back(
            {static_cast<USHORT>(PEMBLE_VENDOR_ID), static_cast<USHORT>(PEMBLE_PRODUCT_ID), c.inputLength, 9});
        HANDLE device = OpenUSBDevice(PEMBLE_VENDOR_ID, PEMBLE_PRODUCT_ID);
        ASSERT_NE(device, INVALID_HANDLE_VALUE);
        for (const DWORD length : {DWORD{3}, DWORD{9}}) {
            hid.input = {c.report};
            std::fill(std::begin(buffer), std::end(buffer), 0xCC);
            DWORD count = 99;
            ASSERT_TRUE(ReadUSB(device, buffer, length, &count));
            const DWORD expected = std::min<DWORD>(length, static_cast<DWORD>(c.report.size()));
            EXPECT_EQ(count, expected);
            EXPECT_EQ(Bytes(buffer, buffer + count), Bytes(c.report.begin(), c.report.begin() + count));
            EXPECT_EQ(buffer[count], 0xCC) << length;
        }
        CloseUSBDevice(device);
    }
}

TEST_F(HidTransport, ADeviceRemovedBetweenPacketsFailsAtOnceAndIsLetGo) {
    FindHalvex();
    hid.answer = kReply;
    unsigned char reply[HALVEX_REPLY_SIZE];
    ASSERT_TRUE(Write(packet));
    ASSERT_TRUE(Read(reply));

    hid.collections[0].present = false;  // unplugged
    hid.ForgetCalls();
    EXPECT_FALSE(Write(packet));
    EXPECT_FALSE(Read(reply));
    EXPECT_EQ(hid.calls, (Calls{"flush"})) << "a device that is gone is not written to or waited for";
    EXPECT_EQ(FindUsb(HALVEX_PRODUCT_ID), 0);
    EXPECT_EQ(DeviceHandle, nullptr);
    EXPECT_EQ(hid.openHandles, 0) << "its handle is closed";

    // Plugged in again: found afresh.
    hid.collections[0].present = true;
    EXPECT_EQ(FindUsb(HALVEX_PRODUCT_ID), 1);
    EXPECT_NE(DeviceHandle, nullptr);
    EXPECT_TRUE(Write(packet));
}

TEST_F(HidTransport, AFoundDeviceIsKeptWhileItAnswers) {
    FindHalvex();
    const void* handle = DeviceHandle;
    for (int poll = 0; poll < 3; ++poll)
        EXPECT_EQ(FindUsb(HALVEX_PRODUCT_ID), 1);
    EXPECT_EQ(DeviceHandle, handle);
    EXPECT_EQ(hid.calls, Calls{}) << "no enumeration, no open, no close";
}

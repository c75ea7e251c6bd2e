// The hardware builds with no device attached: nothing is found, nothing is
// opened, and every transfer fails at once instead of waiting.
#include "tests/usb/usb_test_files.h"
#include "usb/usb_api.h"

#include <gtest/gtest.h>

using namespace usb_test;

TEST(HardwareLibraries, HalvexFindsNoDevice) {
    Library library(BuiltLibrary(L"hardware", L"Halvex.dll"));
    auto findUsb = library.Get<int (*)(int)>("FindUsb");
    auto write = library.Get<bool (*)(unsigned char*)>("Write");
    auto read = library.Get<bool (*)(unsigned char*)>("Read");
    auto deviceHandle = library.Get<void**>("DeviceHandle");
    ASSERT_TRUE(findUsb && write && read && deviceHandle);

    for (int poll = 0; poll < 3; ++poll) {
        EXPECT_EQ(findUsb(HALVEX_PRODUCT_ID), 0);
        EXPECT_EQ(*deviceHandle, nullptr);
    }
    unsigned char bytes[HALVEX_REPLY_SIZE] = {0x40, 0x40, 0x01, 0x1E, 0x00, 0x00, 0x00, 0x9F};
    EXPECT_FALSE(write(bytes));
    EXPECT_FALSE(read(bytes));
}

TEST(HardwareLibraries, PembleOpensNoDevice) {
    Library library(BuiltLibrary(L"hardware", L"PembleUSB.dll"));
    auto open = library.Get<OpenUSBDeviceProc>("OpenUSBDevice");
    auto close = library.Get<CloseUSBDeviceProc>("CloseUSBDevice");
    auto write = library.Get<WriteUSBProc>("WriteUSB");
    auto read = library.Get<ReadUSBProc>("ReadUSB");
    ASSERT_TRUE(open && close && write && read);

    HANDLE device = open(PEMBLE_VENDOR_ID, PEMBLE_PRODUCT_ID);
    EXPECT_EQ(device, INVALID_HANDLE_VALUE);
    unsigned char packet[9] = {0x00, 0x40, 0x40, 0x01, 0x1E, 0x00, 0x00, 0x00, 0x9F};
    DWORD count = 5;
    EXPECT_FALSE(write(device, packet, 9, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(read(device, packet, 3, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(close(device));
}

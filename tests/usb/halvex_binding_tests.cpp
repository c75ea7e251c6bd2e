// Halvex.dll bound at load time through `halvex_import`, as the editor binds
// it: the calls and the imported DeviceHandle reach the library that lies
// beside the program (here the simulated one).
#include "tests/usb/usb_test_files.h"
#include "usb/usb_api.h"

#include <gtest/gtest.h>

using namespace usb_test;

TEST(HalvexBinding, CallsReachTheLibraryBesideTheProgram) {
    ResetSimulatedDevice();
    wchar_t bound[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(L"Halvex.dll"), bound, MAX_PATH);
    EXPECT_EQ(_wcsicmp(bound, BesideProgram(L"Halvex.dll").c_str()), 0);

    EXPECT_EQ(DeviceHandle, nullptr);
    ASSERT_NE(FindUsb(HALVEX_PRODUCT_ID), 0);
    EXPECT_NE(DeviceHandle, nullptr);
    Packet header = Header(1, 30);
    ASSERT_TRUE(Write(header.data() + 1));
    unsigned char reply[HALVEX_REPLY_SIZE] = {};
    ASSERT_TRUE(Read(reply));
    EXPECT_EQ(reply[1], 0x24);
    EXPECT_EQ(reply[2], 0x80);
    EXPECT_EQ(LogLines().size(), 1u);
}

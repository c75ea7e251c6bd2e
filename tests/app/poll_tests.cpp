// The one-second device poll and the send-done tick.
#include "app/pemble_library.h"
#include "device/send.h"
#include "res/resource.h"
#include "tests/app/send_test_device.h"
#include "tests/core/test_rows.h"
#include <commctrl.h>

namespace send_test {
namespace {

// Counts the pictures given to a control.
LRESULT CALLBACK CountSetImage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR counter) {
    if (msg == STM_SETIMAGE)
        ++*reinterpret_cast<int*>(counter);
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool SendEnabled(const MainWindowHarness& w) { return ::IsWindowEnabled(w.GetDlgItem(IDC_SEND)) != FALSE; }

using PollTest = DeviceTest;

TEST_F(PollTest, PictureAndSendButtonFollowTheDevice) {
    InWindow([&](MainWindowHarness& w) {
        int pictures = 0;
        ASSERT_TRUE(::SetWindowSubclass(w.DeviceIcon(), &CountSetImage, 1, reinterpret_cast<DWORD_PTR>(&pictures)));

        TimerTick(w, TIMER_POLL);
        EXPECT_EQ(w.Connected(), 1);
        EXPECT_TRUE(g_useHidLibrary) << "Halvex is asked first";
        EXPECT_EQ(w.DeviceIcon().GetBitmap(), w.DevicePicture());
        EXPECT_TRUE(SendEnabled(w));
        EXPECT_EQ(StateValue("opened"), -1) << "PembleUSB is not opened while Halvex finds the device";

        ResetSimulatedDevice({"Halvex=0"});
        TimerTick(w, TIMER_POLL);
        EXPECT_EQ(w.Connected(), 1);
        EXPECT_FALSE(g_useHidLibrary);
        EXPECT_TRUE(SendEnabled(w));
        EXPECT_EQ(pictures, 1) << "the same picture is not set again";

        ResetSimulatedDevice({"Halvex=0", "Pemble=0"});
        for (int tick = 0; tick < 3; ++tick)
            TimerTick(w, TIMER_POLL);
        EXPECT_EQ(w.Connected(), 0);
        EXPECT_FALSE(g_useHidLibrary);
        EXPECT_EQ(w.DeviceIcon().GetBitmap(), w.NoDevicePicture());
        EXPECT_FALSE(SendEnabled(w));
        EXPECT_EQ(pictures, 2);

        ResetSimulatedDevice();
        TimerTick(w, TIMER_SEND_DONE);
        EXPECT_EQ(w.Connected(), 1) << "the send-done tick polls too";
        EXPECT_EQ(w.DeviceIcon().GetBitmap(), w.DevicePicture());
        EXPECT_EQ(pictures, 3);
        ::RemoveWindowSubclass(w.DeviceIcon(), &CountSetImage, 1);
    });
}

TEST_F(PollTest, WithoutPembleNoPollRunsAndSendCannotConnect) {
    ClearPembleEntryPoints();
    InWindow([&](MainWindowHarness& w) {
        const HBITMAP shown = w.DeviceIcon().GetBitmap();
        const bool enabled = SendEnabled(w);
        ASSERT_EQ(w.Connected(), 0);
        TimerTick(w, TIMER_POLL);
        EXPECT_EQ(w.Connected(), 0);
        EXPECT_FALSE(g_useHidLibrary);
        EXPECT_EQ(w.DeviceIcon().GetBitmap(), shown);
        EXPECT_EQ(SendEnabled(w), enabled);

        w.ShowProgram(ExampleProgram());
        ClickSend(w);
        EXPECT_EQ(BoxTexts(), Texts({L"USB Device Connect Failure!"}));
        EXPECT_FALSE(::IsWindowVisible(w.Progress()));
        EXPECT_TRUE(::IsWindowVisible(w.GetDlgItem(IDC_STATUS)));
        EXPECT_TRUE(LogLines().empty());
        EXPECT_EQ(w.ImageLength(), 33) << "the image was encoded before the library was looked for";
    });
}

TEST_F(PollTest, AnHourOfPollingLeavesNoHandleOrPictureBehind) {
    InWindow([&](MainWindowHarness& w) {
        // Halvex finds the device itself; PembleUSB opens a handle at every tick.
        for (const char* setting : {"Halvex=1", "Halvex=0"}) {
            ResetSimulatedDevice({setting});
            TimerTick(w, TIMER_POLL);
            const int gdiBefore = testing_support::CountGdiObjects();
            for (int tick = 0; tick < 3600; ++tick)
                TimerTick(w, TIMER_POLL);
            EXPECT_EQ(testing_support::CountGdiObjects(), gdiBefore) << setting;
        }
        EXPECT_EQ(StateValue("open_handles"), 0);
        EXPECT_EQ(StateValue("opened"), StateValue("closed"));
        EXPECT_GE(StateValue("opened"), 3601);
    });
}

TEST_F(PollTest, SendDoneTickBringsTheStatusLineBackOnce) {
    InWindow([&](MainWindowHarness& w) {
        TimerTick(w, TIMER_POLL);
        w.ShowProgram(ExampleProgram());
        ClickSend(w);
        ASSERT_TRUE(::IsWindowVisible(w.Progress()));
        ASSERT_FALSE(::IsWindowVisible(w.GetDlgItem(IDC_STATUS)));

        // The send started the timer; its tick, delivered as the platform would.
        w.Tick(TIMER_SEND_DONE);
        EXPECT_FALSE(::IsWindowVisible(w.Progress()));
        EXPECT_TRUE(::IsWindowVisible(w.GetDlgItem(IDC_STATUS)));
        EXPECT_EQ(w.Progress().GetPos(), w.Progress().GetRange().iLow) << "position 0, held at the range's low end";

        // Stopped by its first tick.
        EXPECT_FALSE(w.StopTimer(TIMER_SEND_DONE));
        EXPECT_TRUE(w.StopTimer(TIMER_POLL)) << "the poll goes on";

        // Each send starts it again.
        ClickSend(w);
        EXPECT_TRUE(w.StopTimer(TIMER_SEND_DONE));
    });
}

TEST_F(PollTest, TheWindowsTimerPollsAndTheSendButtonSends) {
    InWindow([&](MainWindowHarness& w) {
        ASSERT_TRUE(w.StopTimer(TIMER_POLL)) << "the window polls with its own timer";
        ResetSimulatedDevice({"Halvex=0", "Pemble=0"});
        w.Tick(TIMER_POLL);
        EXPECT_EQ(w.DeviceIcon().GetBitmap(), w.NoDevicePicture());
        EXPECT_FALSE(SendEnabled(w));

        ResetSimulatedDevice({"Halvex=0"});
        w.Tick(TIMER_POLL);
        EXPECT_EQ(w.DeviceIcon().GetBitmap(), w.DevicePicture());
        ASSERT_TRUE(SendEnabled(w));

        w.ShowProgram(ExampleProgram());
        ::SendMessageW(w.GetDlgItem(IDC_SEND), BM_CLICK, 0, 0);
        w.Pump();
        EXPECT_TRUE(m_boxes.boxes.empty());
        ASSERT_FALSE(LogLines().empty());
        EXPECT_EQ(LogLines().back(), "PembleUSB image complete: 30 bytes");
        EXPECT_EQ(StateValue("open_handles"), 0);
    });
}

}  // namespace
}  // namespace send_test

// The one-second device poll and the send-done tick.
#include "app/pemble_library.h"
#include "device/send.h"
#include "res/resource.h"
#include "tests/app/send_test_device.h"
#include "tests/core/test_rows.h"
#include <commctrl.h>
#include <algorithm>

namespace send_test {
namespace {

// Counts the pictures given to a control.
LRESULT CALLBACK CountSetImage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR counter) {
    if (msg == STM_SETIMAGE)
        ++*reinterpret_cast<int*>(counter);
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool SendEnabled(const CVelmoraDlg& w) { return ::IsWindowEnabled(w.GetDlgItem(IDC_SEND)) != FALSE; }

using PollTest = DeviceTest;

TEST_F(PollTest, PictureAndSendButtonFollowTheDevice) {
    InWindow([&](MainWindowHarness& w) {
        int pictures = 0;
        ASSERT_TRUE(::SetWindowSubclass(w.m_deviceIcon, &CountSetImage, 1, reinterpret_cast<DWORD_PTR>(&pictures)));

        w.PollDevice(TIMER_POLL);
        EXPECT_EQ(w.m_connected, 1);
        EXPECT_TRUE(g_useHidLibrary) << "Halvex is asked first";
        EXPECT_EQ(w.m_deviceIcon.GetBitmap(), w.m_bmpDevice.Get());
        EXPECT_TRUE(SendEnabled(w));
        EXPECT_EQ(StateValue("opened"), -1) << "PembleUSB is not opened while Halvex finds the device";

        ResetSimulatedDevice({"Halvex=0"});
        w.PollDevice(TIMER_POLL);
        EXPECT_EQ(w.m_connected, 1);
        EXPECT_FALSE(g_useHidLibrary);
        EXPECT_TRUE(SendEnabled(w));
        EXPECT_EQ(pictures, 1) << "the same picture is not set again";

        ResetSimulatedDevice({"Halvex=0", "Pemble=0"});
        for (int tick = 0; tick < 3; ++tick)
            w.PollDevice(TIMER_POLL);
        EXPECT_EQ(w.m_connected, 0);
        EXPECT_FALSE(g_useHidLibrary);
        EXPECT_EQ(w.m_deviceIcon.GetBitmap(), w.m_bmpNoDevice.Get());
        EXPECT_FALSE(SendEnabled(w));
        EXPECT_EQ(pictures, 2);

        ResetSimulatedDevice();
        w.PollDevice(TIMER_SEND_DONE);
        EXPECT_EQ(w.m_connected, 1) << "the send-done tick polls too";
        EXPECT_EQ(w.m_deviceIcon.GetBitmap(), w.m_bmpDevice.Get());
        EXPECT_EQ(pictures, 3);
        ::RemoveWindowSubclass(w.m_deviceIcon, &CountSetImage, 1);
    });
}

TEST_F(PollTest, WithoutPembleNoPollRunsAndSendCannotConnect) {
    ClearPembleEntryPoints();
    InWindow([&](MainWindowHarness& w) {
        const HBITMAP shown = w.m_deviceIcon.GetBitmap();
        const bool enabled = SendEnabled(w);
        w.m_connected = 0;
        w.PollDevice(TIMER_POLL);
        EXPECT_EQ(w.m_connected, 0);
        EXPECT_FALSE(g_useHidLibrary);
        EXPECT_EQ(w.m_deviceIcon.GetBitmap(), shown);
        EXPECT_EQ(SendEnabled(w), enabled);

        std::vector<ProgramRow> rows = ExampleProgram();
        std::copy(rows.begin(), rows.end(), w.m_rows);
        w.m_rowCount = static_cast<int>(rows.size());
        w.SendProgram();
        EXPECT_EQ(BoxTexts(), Texts({L"USB Device Connect Failure!"}));
        EXPECT_FALSE(::IsWindowVisible(w.m_progress));
        EXPECT_TRUE(::IsWindowVisible(w.GetDlgItem(IDC_STATUS)));
        EXPECT_TRUE(LogLines().empty());
        EXPECT_EQ(w.m_imageLength, 33) << "the image was encoded before the library was looked for";
    });
}

TEST_F(PollTest, AnHourOfPollingLeavesNoHandleOrPictureBehind) {
    InWindow([&](MainWindowHarness& w) {
        // Halvex finds the device itself; PembleUSB opens a handle at every tick.
        for (const char* setting : {"Halvex=1", "Halvex=0"}) {
            ResetSimulatedDevice({setting});
            w.PollDevice(TIMER_POLL);
            const int gdiBefore = testing_support::CountGdiObjects();
            for (int tick = 0; tick < 3600; ++tick)
                w.PollDevice(TIMER_POLL);
            EXPECT_EQ(testing_support::CountGdiObjects(), gdiBefore) << setting;
        }
        EXPECT_EQ(StateValue("open_handles"), 0);
        EXPECT_EQ(StateValue("opened"), StateValue("closed"));
        EXPECT_GE(StateValue("opened"), 3601);
    });
}

TEST_F(PollTest, SendDoneTickBringsTheStatusLineBackOnce) {
    InWindow([&](MainWindowHarness& w) {
        w.PollDevice(TIMER_POLL);
        std::vector<ProgramRow> rows = ExampleProgram();
        std::copy(rows.begin(), rows.end(), w.m_rows);
        w.m_rowCount = static_cast<int>(rows.size());
        w.SendProgram();
        ASSERT_TRUE(::IsWindowVisible(w.m_progress));
        ASSERT_FALSE(::IsWindowVisible(w.GetDlgItem(IDC_STATUS)));

        // The send started the timer; its tick, delivered as the platform would.
        w.Tick(TIMER_SEND_DONE);
        EXPECT_FALSE(::IsWindowVisible(w.m_progress));
        EXPECT_TRUE(::IsWindowVisible(w.GetDlgItem(IDC_STATUS)));
        EXPECT_EQ(w.m_progress.GetPos(), w.m_progress.GetRange().iLow) << "position 0, held at the range's low end";

        // Stopped by its first tick.
        EXPECT_FALSE(w.StopTimer(TIMER_SEND_DONE));
        EXPECT_TRUE(w.StopTimer(TIMER_POLL)) << "the poll goes on";

        // Each send starts it again.
        w.SendProgram();
        EXPECT_TRUE(w.StopTimer(TIMER_SEND_DONE));
    });
}

TEST_F(PollTest, TheWindowsTimerPollsAndTheSendButtonSends) {
    InWindow([&](MainWindowHarness& w) {
        ASSERT_TRUE(w.StopTimer(TIMER_POLL)) << "the window polls with its own timer";
        ResetSimulatedDevice({"Halvex=0", "Pemble=0"});
        w.Tick(TIMER_POLL);
        EXPECT_EQ(w.m_deviceIcon.GetBitmap(), w.m_bmpNoDevice.Get());
        EXPECT_FALSE(SendEnabled(w));

        ResetSimulatedDevice({"Halvex=0"});
        w.Tick(TIMER_POLL);
        EXPECT_EQ(w.m_deviceIcon.GetBitmap(), w.m_bmpDevice.Get());
        ASSERT_TRUE(SendEnabled(w));

        std::vector<ProgramRow> rows = ExampleProgram();
        std::copy(rows.begin(), rows.end(), w.m_rows);
        w.m_rowCount = static_cast<int>(rows.size());
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

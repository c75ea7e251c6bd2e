// Shared pieces of the send and poll tests: the simulated device's files
// beside the test program, the PembleUSB library loaded the way start-up
// loads it, and the main window with the controls the device link uses.
#pragma once
#include "framework/handles.h"
#include "tests/app/app_test_files.h"
#include "tests/app/main_window_harness.h"
#include "tests/support/test_support.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace send_test {

using Texts = std::vector<std::wstring>;

// Folder of the running test program, where the simulated libraries and
// their files are.
std::wstring ProgramFolder();

// Removes the device's log, image and state files and writes SimDevice.ini
// with these lines under [SimDevice].
void ResetSimulatedDevice(const std::vector<std::string>& settings = {});

// Lines of SimDevice.log; the packet lines alone (those with "#").
std::vector<std::string> LogLines();
std::vector<std::string> PacketLines();
std::vector<unsigned char> ReceivedImage();
// Value of "key=N" in SimDevice.state; -1 when absent.
int StateValue(const char* key);

// One tick of the window's timer `id`, delivered straight to the window as
// the platform delivers it, with nothing else pumped.
void TimerTick(MainWindowHarness& w, UINT_PTR id);
// A click on Send, as the button reports it to the window.
void ClickSend(MainWindowHarness& w);

// Each test: a fresh device, PembleUSB resolved into the g_ pointers, the
// English pack current, the application named "Velmora", boxes recorded.
class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs `body` inside the real main window, once its initialisation has
    // bound the controls the device link uses and loaded the two pictures.
    void InWindow(const MainWindowHarness::Body& body);
    // Texts of the recorded boxes.
    std::vector<std::wstring> BoxTexts() const;

    app_test::ScratchFolder m_scratch{L"send"};
    CModule m_pemble;
    testing_support::MessageBoxRecorder m_boxes;
};

}  // namespace send_test

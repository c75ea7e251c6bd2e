// The Send command against the simulated device, through each library.
#include "app/pemble_library.h"
#include "app/velmora_app.h"
#include "device/send.h"
#include "res/resource.h"
#include "tests/app/send_test_device.h"
#include "tests/core/test_rows.h"
#include <algorithm>
#include <cstring>
#include <fstream>

namespace send_test {
namespace {

constexpr const wchar_t* WRITE_ERROR = L"USB Write Data Error!";

// The worked example on the wire: header, then six data packets of the
// image padded to 33 bytes, of which 30 are sent.
const std::vector<std::string> EXAMPLE_PACKETS = {
    "00 40 40 01 1E 00 00 00 9F", "00 40 23 00 08 80 00 81 6C", "00 40 23 01 00 0A 94 02 04",
    "00 40 23 95 04 41 05 24 66", "00 40 23 05 42 0B 10 00 C5", "00 40 23 12 00 00 00 00 75",
    "00 40 23 00 00 00 00 00 63",
};

enum class Library { Halvex, Pemble };

// "<library> #n <packet> -> 00 <marker> <status> <verdict>".
std::string LogLine(const char* library, int number, const std::string& packet, const char* reply,
                    const char* verdict) {
    return std::string(library) + " #" + std::to_string(number) + " " + packet + " -> 00 " + reply + " " + verdict;
}

class SendTest : public DeviceTest, public testing::WithParamInterface<Library> {
protected:
    // The device settings of the test, with the other library out of sight,
    // and one poll so that the send takes the library under test.
    void UseDevice(MainWindowHarness& w, std::vector<std::string> settings = {}) {
        if (GetParam() == Library::Pemble)
            settings.push_back("Halvex=0");
        ResetSimulatedDevice(settings);
        TimerTick(w, TIMER_POLL);
        ASSERT_EQ(w.Connected(), 1);
        ASSERT_EQ(g_useHidLibrary, GetParam() == Library::Halvex);
    }
    const char* Name() const { return GetParam() == Library::Halvex ? "Halvex" : "PembleUSB"; }
    std::string Accepted(int number, const std::string& packet) const {
        return LogLine(Name(), number, packet, "24 80", "accepted");
    }
    void ExpectNoHandleOpen() const {
        if (GetParam() == Library::Pemble) {
            EXPECT_EQ(StateValue("open_handles"), 0);
        }
    }
};

TEST_P(SendTest, WorkedExampleArrivesAsEncoded) {
    InWindow([&](MainWindowHarness& w) {
        UseDevice(w);
        w.ShowProgram(ExampleProgram());
        ClickSend(w);

        EXPECT_TRUE(m_boxes.boxes.empty());
        ASSERT_EQ(w.ImageLength(), 33);
        std::vector<uint8_t> padded = ExampleImage();
        padded.resize(33, 0);
        EXPECT_TRUE(std::equal(padded.begin(), padded.end(), w.Image()));

        std::vector<std::string> expected;
        for (size_t i = 0; i < EXAMPLE_PACKETS.size(); ++i)
            expected.push_back(Accepted(static_cast<int>(i) + 1, EXAMPLE_PACKETS[i]));
        EXPECT_EQ(PacketLines(), expected);
        EXPECT_EQ(LogLines().back(), std::string(Name()) + " image complete: 30 bytes");
        EXPECT_EQ(ReceivedImage(), std::vector<unsigned char>(w.Image(), w.Image() + 30));
        ExpectNoHandleOpen();

        // The bar stands in for the status line until the send-done tick.
        EXPECT_TRUE(::IsWindowVisible(w.Progress()));
        EXPECT_FALSE(::IsWindowVisible(w.GetDlgItem(IDC_STATUS)));
        const PBRANGE range = w.Progress().GetRange();
        EXPECT_EQ(range.iLow, 1);
        EXPECT_EQ(range.iHigh, 6);
        EXPECT_EQ(w.Progress().GetPos(), 6) << "n + 1 shows as the full bar";
    });
}

TEST_P(SendTest, HeaderRefusedTwiceGoesThroughOnTheThirdAttempt) {
    InWindow([&](MainWindowHarness& w) {
        UseDevice(w, {"RefuseHeaders=2"});
        w.ShowProgram(ExampleProgram());
        ClickSend(w);

        EXPECT_TRUE(m_boxes.boxes.empty());
        const auto lines = PacketLines();
        ASSERT_EQ(lines.size(), 9u);
        EXPECT_EQ(lines[0], LogLine(Name(), 1, EXAMPLE_PACKETS[0], "24 2A", "refused"));
        EXPECT_EQ(lines[1], LogLine(Name(), 2, EXAMPLE_PACKETS[0], "24 2A", "refused"));
        EXPECT_EQ(lines[2], Accepted(3, EXAMPLE_PACKETS[0]));
        EXPECT_EQ(lines[8], Accepted(9, EXAMPLE_PACKETS[6]));
        EXPECT_EQ(ReceivedImage(), std::vector<unsigned char>(w.Image(), w.Image() + 30));
        ExpectNoHandleOpen();
    });
}

TEST_P(SendTest, HeaderRefusedThreeTimesStopsWithOneBox) {
    InWindow([&](MainWindowHarness& w) {
        UseDevice(w, {"RefuseHeaders=3"});
        w.ShowProgram(ExampleProgram());
        ClickSend(w);

        EXPECT_EQ(BoxTexts(), Texts({WRITE_ERROR}));
        EXPECT_EQ(PacketLines().size(), 3u) << "only the header is retried";
        ExpectNoHandleOpen();
    });
}

TEST_P(SendTest, SilentRefusalOfADataPacketShowsOnlyTheTransferBox) {
    for (const char* status : {"0x2A", "0x82", "0x8A"}) {
        m_boxes.boxes.clear();
        InWindow([&](MainWindowHarness& w) {
            UseDevice(w, {"RefusePacket=2", std::string("RefuseStatus=") + status});
            w.ShowProgram(ExampleProgram());
            ClickSend(w);

            EXPECT_EQ(BoxTexts(), Texts({WRITE_ERROR})) << status;
            EXPECT_EQ(PacketLines().size(), 2u) << "data packets are sent once";
            ExpectNoHandleOpen();
        });
    }
}

TEST_P(SendTest, RefusalWithStatusShowsTheSystemErrorThenTheTransferBox) {
    InWindow([&](MainWindowHarness& w) {
        UseDevice(w, {"RefusePacket=3", "RefuseStatus=0x41", "RefuseMarker=0x23"});
        w.ShowProgram(ExampleProgram());
        ProgramRow rowsBefore[MAX_ROWS];
        std::memcpy(rowsBefore, w.Rows(), sizeof rowsBefore);
        ClickSend(w);

        ASSERT_EQ(m_boxes.boxes.size(), 2u);
        EXPECT_EQ(m_boxes.boxes[0].text, L"System Error or Application Program Destruction! Error ID:!$A");
        EXPECT_EQ(m_boxes.boxes[1].text, WRITE_ERROR);
        for (const MessageBoxRequest& box : m_boxes.boxes) {
            EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
            EXPECT_EQ(box.owner, w.m_hWnd);
        }
        EXPECT_EQ(PacketLines().size(), 3u);
        // A failed send leaves the program and the encoded image alone.
        EXPECT_EQ(std::memcmp(rowsBefore, w.Rows(), sizeof rowsBefore), 0);
        EXPECT_EQ(w.ImageLength(), 33);
        EXPECT_EQ(w.Image()[2], 0x80);
        ExpectNoHandleOpen();
    });
}

TEST_P(SendTest, WriteAndReadFailuresAreReported) {
    struct Case {
        const char* setting;
        std::vector<std::wstring> boxes;
    };
    const Case cases[] = {
        // Each header attempt reports itself, then the transfer gives up.
        {"FailWriteAfter=0", {WRITE_ERROR, WRITE_ERROR, WRITE_ERROR, WRITE_ERROR}},
        {"FailWriteAfter=3", {WRITE_ERROR, WRITE_ERROR}},
        {"FailReadAfter=1", {L"USB Read Data Error!", WRITE_ERROR}},
    };
    for (const Case& c : cases) {
        m_boxes.boxes.clear();
        InWindow([&](MainWindowHarness& w) {
            UseDevice(w, {c.setting});
            w.ShowProgram(ExampleProgram());
            ClickSend(w);
            EXPECT_EQ(BoxTexts(), c.boxes) << c.setting;
            ExpectNoHandleOpen();
        });
    }
}

TEST_P(SendTest, MessagesFollowTheCurrentLanguage) {
    g_velmoraApp.m_curPack = 0;
    InWindow([&](MainWindowHarness& w) {
        UseDevice(w, {"RefuseHeaders=3"});
        w.ShowProgram(ExampleProgram());
        ClickSend(w);
        EXPECT_EQ(BoxTexts(), Texts({L"USB设备写出错!"}));
    });
}

TEST_P(SendTest, ZeroHandleIsLookedUpAgainForThePacket) {
    InWindow([&](MainWindowHarness& w) {
        UseDevice(w);
        DevicePacket header = {0x00, 0x40, 0x40, 0x01, 0x1E, 0x00, 0x00, 0x00, 0x00};
        EXPECT_TRUE(w.SendPacket(nullptr, header));
        EXPECT_EQ(header[8], 0x9F) << "the checksum is filled in";
        EXPECT_EQ(PacketLines(), std::vector<std::string>{Accepted(1, EXAMPLE_PACKETS[0])});
        EXPECT_TRUE(m_boxes.boxes.empty());
        ExpectNoHandleOpen();
    });
}

TEST_P(SendTest, ImageOfTheRomSizeOrMoreIsRefused) {
    InWindow([&](MainWindowHarness& w) {
        UseDevice(w);
        for (int length : {IMAGE_BUFFER_SIZE, IMAGE_BUFFER_SIZE + 1, -5}) {
            m_boxes.boxes.clear();
            w.TransferImageOfLength(length);
            EXPECT_EQ(BoxTexts(), Texts({L"IC ROM Over"})) << length;
        }
        EXPECT_TRUE(LogLines().empty());
    });
}

TEST_P(SendTest, DeviceGoneAfterThePollIsAConnectFailure) {
    InWindow([&](MainWindowHarness& w) {
        UseDevice(w);
        ResetSimulatedDevice({"Halvex=0", "Pemble=0"});
        w.ShowProgram(ExampleProgram());
        ClickSend(w);
        EXPECT_EQ(BoxTexts(), Texts({L"USB Device Connect Failure!"}));
        EXPECT_TRUE(PacketLines().empty());
        ExpectNoHandleOpen();
    });
}

TEST_P(SendTest, AHalvexThatFillsAFullReportOverrunsNothing) {
    InWindow([&](MainWindowHarness& w) {
        // A Halvex.dll built for a 256-byte report fills that much at each Read.
        UseDevice(w, {"HalvexReadBytes=256"});
        w.ShowProgram(ExampleProgram());
        const std::vector<ProgramRow> rows(w.Rows(), w.Rows() + w.RowCount());
        ClickSend(w);
        ClickSend(w);

        EXPECT_TRUE(m_boxes.boxes.empty());
        const auto lines = PacketLines();
        ASSERT_EQ(lines.size(), 14u);
        EXPECT_EQ(lines[13], Accepted(7, EXAMPLE_PACKETS[6]));
        EXPECT_EQ(ReceivedImage(), std::vector<unsigned char>(w.Image(), w.Image() + 30));
        EXPECT_EQ(std::memcmp(rows.data(), w.Rows(), rows.size() * sizeof(ProgramRow)), 0);
        ExpectNoHandleOpen();
    });
}

// Shows a real box for each message; while a box is up, the settings change
// and the given timers come due, delivered inside the box's own loop, which
// then closes it.
class RealBoxesWithTicks {
public:
    RealBoxesWithTicks(HWND window, std::vector<std::string> settings, std::vector<UINT_PTR> timers)
        : m_window(window), m_settings(std::move(settings)), m_timers(std::move(timers)) {
        SetMessageBoxHook([this](const MessageBoxRequest& box) { return Show(box); });
    }
    ~RealBoxesWithTicks() { SetMessageBoxHook({}); }
    RealBoxesWithTicks(const RealBoxesWithTicks&) = delete;
    RealBoxesWithTicks& operator=(const RealBoxesWithTicks&) = delete;

    Texts texts;
    std::vector<bool> progressShownAfter;  // the progress bar, once each box closed

private:
    int Show(const MessageBoxRequest& box) {
        texts.push_back(box.text);
        std::ofstream ini((ProgramFolder() + L"\\SimDevice.ini").c_str(), std::ios::binary | std::ios::trunc);
        ini << "[SimDevice]\r\n";
        for (const std::string& line : m_settings)
            ini << line << "\r\n";
        ini.close();
        for (UINT_PTR timer : m_timers)
            ::PostMessageW(m_window, WM_TIMER, timer, 0);
        // Queued behind the ticks: the box handles them first, then closes.
        t_closing = ::SetWindowsHookExW(WH_CBT, &CloseOnActivation, nullptr, ::GetCurrentThreadId());
        const int result = ::MessageBoxW(box.owner, box.text.c_str(), box.caption.c_str(), box.type);
        if (t_closing)
            ::UnhookWindowsHookEx(t_closing);
        t_closing = nullptr;
        progressShownAfter.push_back(::IsWindowVisible(::GetDlgItem(m_window, IDC_PROGRESS)) != FALSE);
        return result;
    }

    static LRESULT CALLBACK CloseOnActivation(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE)
            ::PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
        return ::CallNextHookEx(t_closing, code, wParam, lParam);
    }

    static inline thread_local HHOOK t_closing = nullptr;
    HWND m_window;
    std::vector<std::string> m_settings;
    std::vector<UINT_PTR> m_timers;
};

TEST_P(SendTest, NoTickInsideAnErrorBoxSwitchesTheLibraryOrHidesTheBar) {
    InWindow([&](MainWindowHarness& w) {
        UseDevice(w, {"RefuseHeaders=1", "RefuseStatus=0x41", "RefuseMarker=0x23"});
        w.ShowProgram(ExampleProgram());
        // While the box between the header attempts is up, only the other
        // library would find the device at a poll.
        RealBoxesWithTicks boxes(w.m_hWnd, {GetParam() == Library::Halvex ? "Halvex=0" : "Pemble=0"},
                                 {TIMER_POLL, TIMER_SEND_DONE});
        ClickSend(w);

        EXPECT_EQ(boxes.texts, Texts({L"System Error or Application Program Destruction! Error ID:!$A"}));
        EXPECT_EQ(boxes.progressShownAfter, std::vector<bool>{true}) << "the bar stays for the rest of the transfer";
        const auto lines = PacketLines();
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[0], LogLine(Name(), 1, EXAMPLE_PACKETS[0], "23 41", "refused"));
        for (int i = 1; i < 8; ++i)
            EXPECT_EQ(lines[static_cast<size_t>(i)], Accepted(i + 1, EXAMPLE_PACKETS[static_cast<size_t>(i - 1)]))
                << "through the library the send began with";
        EXPECT_EQ(ReceivedImage(), std::vector<unsigned char>(w.Image(), w.Image() + 30));
        EXPECT_EQ(g_useHidLibrary, GetParam() == Library::Halvex);
        EXPECT_TRUE(::IsWindowVisible(w.GetDlgItem(IDC_PROGRESS)));
        ExpectNoHandleOpen();

        // Once the send is over, the poll runs again.
        TimerTick(w, TIMER_POLL);
        EXPECT_EQ(g_useHidLibrary, GetParam() != Library::Halvex);
    });
}

INSTANTIATE_TEST_SUITE_P(Libraries, SendTest, testing::Values(Library::Halvex, Library::Pemble),
                         [](const testing::TestParamInfo<Library>& info) {
                             return info.param == Library::Halvex ? "Halvex" : "Pemble";
                         });

// Checks and encoding come before any device call.
using SendCheckTest = DeviceTest;

TEST_F(SendCheckTest, ErrorOnTheThirdRowSendsNothing) {
    InWindow([&](MainWindowHarness& w) {
        TimerTick(w, TIMER_POLL);
        w.ShowProgram(
            std::vector<ProgramRow>{Row(L"OUT1", {L"0.5"}), Row(L"OUT2", {L"2"}), Row(L"OUT3"), Row(L"END"), Row(L"")});
        ClickSend(w);

        ASSERT_EQ(m_boxes.boxes.size(), 1u);
        EXPECT_EQ(m_boxes.boxes[0].text, L"Sytax Error!\r\n3:No parameters!");
        EXPECT_EQ(m_boxes.boxes[0].caption, L"Velmora");
        EXPECT_EQ(m_boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
        EXPECT_TRUE(LogLines().empty());
        EXPECT_EQ(w.ImageLength(), 0);
        EXPECT_FALSE(::IsWindowVisible(w.Progress()));
        EXPECT_EQ(w.CheckResult(), 0);
    });
}

TEST_F(SendCheckTest, SyntaxErrorListsEveryErrorOfTheRowInTheCurrentLanguage) {
    g_velmoraApp.m_curPack = 0;
    InWindow([&](MainWindowHarness& w) {
        w.ShowProgram(std::vector<ProgramRow>{Row(L"FOR"), Row(L"END"), Row(L"")});
        ClickSend(w);
        ASSERT_EQ(m_boxes.boxes.size(), 1u);
        const std::wstring& text = m_boxes.boxes[0].text;
        EXPECT_EQ(text.rfind(L"语法错误!\r\n1:", 0), 0u);
        EXPECT_NE(text.find(L"FOR后没有NEXT匹配"), std::wstring::npos);
    });
}

TEST_F(SendCheckTest, TrailingUnreachableEmptyRowsDoNotStopASend) {
    InWindow([&](MainWindowHarness& w) {
        TimerTick(w, TIMER_POLL);
        w.ShowProgram(std::vector<ProgramRow>{Row(L"OUT1", {L"0.5"}), Row(L"END"), Row(L""), Row(L""), Row(L"")});
        ClickSend(w);
        EXPECT_TRUE(m_boxes.boxes.empty());
        EXPECT_EQ(LogLines().back(), "Halvex image complete: " + std::to_string(w.ImageLength() / 5 * 5) + " bytes");
    });
}

TEST_F(SendCheckTest, NothingToEncodeSaysNoDataSend) {
    InWindow([&](MainWindowHarness& w) {
        TimerTick(w, TIMER_POLL);
        w.ShowProgram({});
        ClickSend(w);
        EXPECT_EQ(BoxTexts(), Texts({L"No Data Send!"}));
        EXPECT_TRUE(LogLines().empty());
        EXPECT_FALSE(::IsWindowVisible(w.Progress()));
    });
}

}  // namespace
}  // namespace send_test

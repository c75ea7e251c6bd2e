// The poll and send procedure over a fake link: what is written, what the
// window is told, and every failure path.
#include "device/send.h"
#include "model/checker.h"
#include "model/device_image.h"
#include "model/error_texts.h"
#include "tests/core/test_rows.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <map>

namespace {

std::string Hex(const DevicePacket& packet) {
    std::string text;
    char byte[4];
    for (uint8_t b : packet) {
        std::snprintf(byte, sizeof byte, text.empty() ? "%02X" : " %02X", b);
        text += byte;
    }
    return text;
}

// The worked example on the wire: its image padded to 33 bytes, of which 30 go.
const std::vector<std::string> EXAMPLE_PACKETS = {
    "00 40 40 01 1E 00 00 00 9F", "00 40 23 00 08 80 00 81 6C", "00 40 23 01 00 0A 94 02 04",
    "00 40 23 95 04 41 05 24 66", "00 40 23 05 42 0B 10 00 C5", "00 40 23 12 00 00 00 00 75",
    "00 40 23 00 00 00 00 00 63",
};

constexpr uint8_t ACCEPT = 0x80;

// A device behind a scripted library. Packets are counted from 1 across the
// transfer; unscripted ones are accepted.
class FakeLink : public DeviceLink {
public:
    bool available = true;
    bool present = true;
    LinkHandle handle = reinterpret_cast<LinkHandle>(0x1234);
    std::map<int, uint8_t> statuses;  // packet -> status
    std::map<int, uint8_t> markers;   // packet -> marker
    int failWriteAt = 0;
    int failReadAt = 0;

    std::vector<std::string> written;
    std::vector<LinkHandle> writtenThrough;
    int opens = 0;
    int closes = 0;

    bool IsAvailable() const override { return available; }
    bool Open(LinkHandle& h) override {
        if (!available || !present)
            return false;
        ++opens;
        h = handle;
        return true;
    }
    void Close(LinkHandle h) override {
        EXPECT_EQ(h, handle);
        ++closes;
    }
    bool Write(LinkHandle h, const DevicePacket& packet) override {
        written.push_back(Hex(packet));
        writtenThrough.push_back(h);
        return static_cast<int>(written.size()) != failWriteAt;
    }
    bool Read(LinkHandle, DeviceReply& reply) override {
        const int packet = static_cast<int>(written.size());
        if (packet == failReadAt)
            return false;
        const auto status = statuses.find(packet);
        const auto marker = markers.find(packet);
        reply = {0x00, marker == markers.end() ? REPLY_MARKER : marker->second,
                 status == statuses.end() ? ACCEPT : status->second};
        return true;
    }
};

class FakeScreen : public SendScreen {
public:
    std::vector<std::wstring> errors;
    std::vector<std::string> progress;  // "show", "hide", "range 1-6", "pos 3"
    void ShowError(const std::wstring& text) override { errors.push_back(text); }
    void ShowProgress(bool shown) override { progress.push_back(shown ? "show" : "hide"); }
    void SetProgressRange(int first, int last) override {
        progress.push_back("range " + std::to_string(first) + "-" + std::to_string(last));
    }
    void SetProgressPos(int position) override { progress.push_back("pos " + std::to_string(position)); }
};

SendTexts EnglishTexts() {
    SendTexts texts{L"No Data Send!",        L"Sytax Error!",          L"USB Device Connect Failure!",
                    L"USB Read Data Error!", L"USB Write Data Error!", {}};
    for (int i = 0; i < ERROR_BIT_COUNT; ++i)
        texts.errors[static_cast<size_t>(i)] = ErrorTextsEnglish[i];
    return texts;
}

constexpr const wchar_t* CONNECT = L"USB Device Connect Failure!";
constexpr const wchar_t* READ = L"USB Read Data Error!";
constexpr const wchar_t* WRITE = L"USB Write Data Error!";
using Texts = std::vector<std::wstring>;

class SendProcedure : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        g_useHidLibrary = UsesHalvex();
        image.resize(IMAGE_BUFFER_SIZE);
    }
    bool UsesHalvex() const { return GetParam(); }
    FakeLink& Used() { return UsesHalvex() ? halvex : pemble; }
    FakeLink& Other() { return UsesHalvex() ? pemble : halvex; }

    bool Send(std::vector<ProgramRow> rows) {
        return sender.SendProgram(rows.data(), static_cast<int>(rows.size()), checkResult, {image.data(), length});
    }
    // The example's packets from `first` on, with the header `headers` times.
    static std::vector<std::string> Example(int headers, size_t dataPackets = 6) {
        std::vector<std::string> packets(static_cast<size_t>(headers), EXAMPLE_PACKETS[0]);
        packets.insert(packets.end(), EXAMPLE_PACKETS.begin() + 1, EXAMPLE_PACKETS.begin() + 1 + dataPackets);
        return packets;
    }
    void ExpectEveryOpenClosed() {
        EXPECT_EQ(halvex.opens, halvex.closes);
        EXPECT_EQ(pemble.opens, pemble.closes);
    }

    FakeLink halvex, pemble;
    FakeScreen screen;
    const SendTexts texts = EnglishTexts();
    DeviceSender sender{halvex, pemble, screen, texts};
    std::vector<uint8_t> image;
    int length = -1;
    int checkResult = -1;
};

TEST_P(SendProcedure, WorkedExampleGoesOutAsItsSevenPackets) {
    EXPECT_TRUE(Send(ExampleProgram()));
    EXPECT_TRUE(screen.errors.empty());
    EXPECT_EQ(Used().written, EXAMPLE_PACKETS);
    EXPECT_TRUE(Other().written.empty());
    EXPECT_EQ(Used().opens, 1) << "one transfer, one open";
    for (LinkHandle h : Used().writtenThrough)
        EXPECT_EQ(h, Used().handle);
    ExpectEveryOpenClosed();

    ASSERT_EQ(length, 33);
    std::vector<uint8_t> padded = ExampleImage();
    padded.resize(IMAGE_BUFFER_SIZE, 0);
    EXPECT_EQ(image, padded);
    std::vector<ProgramRow> checked = ExampleProgram();
    EXPECT_EQ(checkResult, CheckProgram(checked.data(), static_cast<int>(checked.size())));
    EXPECT_EQ(screen.progress, (std::vector<std::string>{"show", "range 1-6", "pos 1", "pos 2", "pos 3", "pos 4",
                                                         "pos 5", "pos 6", "pos 7"}));
}

TEST_P(SendProcedure, HeaderAcceptedOnTheThirdAttemptGoesOn) {
    Used().statuses = {{1, 0x2A}, {2, 0x85}};
    EXPECT_TRUE(Send(ExampleProgram()));
    EXPECT_TRUE(screen.errors.empty()) << "silent refusals show nothing";
    EXPECT_EQ(Used().written, Example(3));
    ExpectEveryOpenClosed();
}

TEST_P(SendProcedure, HeaderRefusedThreeTimesEndsWithAWriteError) {
    Used().statuses = {{1, 0x2A}, {2, 0x2A}, {3, 0x8A}};
    EXPECT_TRUE(Send(ExampleProgram())) << "a transfer was begun: the send-done timer still runs";
    EXPECT_EQ(screen.errors, Texts{WRITE});
    EXPECT_EQ(Used().written, Example(3, 0)) << "no data packet after the third refusal";
    EXPECT_EQ(screen.progress, std::vector<std::string>{"show"});
    ExpectEveryOpenClosed();
}

TEST_P(SendProcedure, RefusedDataPacketShowsTheSystemErrorAndStops) {
    Used().statuses = {{3, 'A'}};
    Used().markers = {{3, '#'}};
    EXPECT_TRUE(Send(ExampleProgram()));
    EXPECT_EQ(screen.errors, (Texts{L"System Error or Application Program Destruction! Error ID:!$A", WRITE}));
    EXPECT_EQ(Used().written, Example(1, 2)) << "a data packet is not retried";
    EXPECT_EQ(screen.progress.back(), "pos 2");
    ExpectEveryOpenClosed();
}

TEST_P(SendProcedure, SilentlyRefusedDataPacketShowsOnlyTheWriteError) {
    for (uint8_t status : {0x2A, 0x82, 0x8A}) {
        FakeLink& link = Used();
        link.written.clear();
        link.statuses = {{5, status}};
        screen.errors.clear();
        EXPECT_TRUE(Send(ExampleProgram()));
        EXPECT_EQ(screen.errors, Texts{WRITE}) << int(status);
        EXPECT_EQ(link.written, Example(1, 4)) << int(status);
    }
    ExpectEveryOpenClosed();
}

TEST_P(SendProcedure, WriteFailures) {
    struct Case {
        int failAt;
        Texts errors;
        size_t written;
    };
    const Case cases[] = {
        // A header attempt reports its failure, and the next one goes on.
        {1, {WRITE}, 8},
        // A data packet's failure is reported by the packet and by the transfer.
        {4, {WRITE, WRITE}, 4},
        {7, {WRITE, WRITE}, 7},
    };
    for (const Case& c : cases) {
        FakeLink& link = Used();
        link.written.clear();
        link.failWriteAt = c.failAt;
        screen.errors.clear();
        Send(ExampleProgram());
        EXPECT_EQ(screen.errors, c.errors) << c.failAt;
        EXPECT_EQ(link.written.size(), c.written) << c.failAt;
    }
    ExpectEveryOpenClosed();
}

TEST_P(SendProcedure, EveryHeaderAttemptFailingToWriteShowsFourBoxes) {
    struct AlwaysFailingWrite : FakeLink {
        bool Write(LinkHandle h, const DevicePacket& packet) override {
            FakeLink::Write(h, packet);
            return false;
        }
    };
    AlwaysFailingWrite failing;
    DeviceSender s(failing, failing, screen, texts);
    std::vector<ProgramRow> rows = ExampleProgram();
    EXPECT_TRUE(s.SendProgram(rows.data(), static_cast<int>(rows.size()), checkResult, {image.data(), length}));
    EXPECT_EQ(screen.errors, (Texts{WRITE, WRITE, WRITE, WRITE}));
    EXPECT_EQ(failing.written, Example(3, 0));
    EXPECT_EQ(failing.opens, failing.closes);
}

TEST_P(SendProcedure, ReadFailures) {
    Used().failReadAt = 1;
    Send(ExampleProgram());
    EXPECT_EQ(screen.errors, Texts{READ}) << "the header is tried again after a failed read";
    EXPECT_EQ(Used().written, Example(2, 6));

    Used().written.clear();
    Used().failReadAt = 6;
    screen.errors.clear();
    Send(ExampleProgram());
    EXPECT_EQ(screen.errors, (Texts{READ, WRITE}));
    EXPECT_EQ(Used().written, Example(1, 5));
    ExpectEveryOpenClosed();
}

TEST_P(SendProcedure, DeviceGoneSinceThePollIsAConnectFailure) {
    Used().present = false;
    EXPECT_TRUE(Send(ExampleProgram()));
    EXPECT_EQ(screen.errors, Texts{CONNECT});
    EXPECT_TRUE(Used().written.empty());
    EXPECT_TRUE(Other().written.empty());
}

TEST_P(SendProcedure, NullHandleIsLookedUpForEachPacketAndClosedAgain) {
    Used().handle = nullptr;
    EXPECT_TRUE(Send(ExampleProgram()));
    EXPECT_TRUE(screen.errors.empty());
    EXPECT_EQ(Used().written, EXAMPLE_PACKETS);
    EXPECT_EQ(Used().opens, 1 + 7) << "the transfer's own open, then one per packet";
    ExpectEveryOpenClosed();
}

TEST_P(SendProcedure, PacketWithANullHandleAndNoDeviceIsAConnectFailure) {
    Used().present = false;
    DevicePacket header = {0x00, 0x40, 0x40, 0x01, 0x1E, 0x00, 0x00, 0x00, 0x00};
    EXPECT_FALSE(sender.SendPacket(nullptr, header));
    EXPECT_EQ(header[8], 0x9F) << "the checksum is filled in first";
    EXPECT_EQ(screen.errors, Texts{CONNECT});
    EXPECT_TRUE(Used().written.empty());
}

TEST_P(SendProcedure, ImagesOfTheRomSizeOrMoreAreRefusedBeforeAnyDeviceCall) {
    for (int size : {IMAGE_BUFFER_SIZE, IMAGE_BUFFER_SIZE + 1, -5}) {
        sender.TransferImage(image.data(), size);
        EXPECT_EQ(screen.errors.back(), L"IC ROM Over") << size;
    }
    EXPECT_EQ(screen.errors.size(), 3u);
    EXPECT_EQ(Used().opens, 0);
    // The largest image that still has a size class goes out whole.
    sender.TransferImage(image.data(), IMAGE_BUFFER_SIZE - 1);
    EXPECT_EQ(Used().written.size(), 1u + (IMAGE_BUFFER_SIZE - 1) / 5);
    EXPECT_EQ(Used().written.front(), "00 40 40 04 FD 07 00 00 88");
}

INSTANTIATE_TEST_SUITE_P(Links, SendProcedure, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Halvex" : "Pemble"; });

// Checks, encoding and the library's absence come before any device call.
class SendChecks : public SendProcedure {};

TEST_P(SendChecks, ErrorOnTheThirdRowSendsNothing) {
    EXPECT_FALSE(Send({Row(L"OUT1", {L"0.5"}), Row(L"OUT2", {L"2"}), Row(L"OUT3"), Row(L"END"), Row(L"")}));
    EXPECT_EQ(screen.errors, Texts{L"Sytax Error!\r\n3:No parameters!"});
    EXPECT_EQ(length, 0);
    EXPECT_EQ(checkResult, 0);
    EXPECT_TRUE(screen.progress.empty());
    EXPECT_EQ(Used().opens + Other().opens, 0);
}

TEST_P(SendChecks, NothingToEncodeIsNoDataSend) {
    EXPECT_FALSE(Send({}));
    EXPECT_EQ(screen.errors, Texts{L"No Data Send!"});
    EXPECT_TRUE(screen.progress.empty());
}

TEST_P(SendChecks, ImageIsClearedBeforeEachSend) {
    std::fill(image.begin(), image.end(), uint8_t{0xEE});
    length = 999;
    Send({Row(L"OUT1", {L"0.5"}), Row(L"END"), Row(L"")});
    EXPECT_TRUE(std::all_of(image.begin() + length, image.end(), [](uint8_t b) { return b == 0; }));
}

TEST_P(SendChecks, WithoutPembleAndWithoutHalvexFoundNothingIsTried) {
    pemble.available = false;
    const bool sent = Send(ExampleProgram());
    if (UsesHalvex()) {
        EXPECT_TRUE(sent) << "the last poll found Halvex: PembleUSB is not needed";
        EXPECT_TRUE(screen.errors.empty());
    } else {
        EXPECT_FALSE(sent);
        EXPECT_EQ(screen.errors, Texts{CONNECT});
        EXPECT_TRUE(screen.progress.empty()) << "the progress bar is not shown";
    }
}

INSTANTIATE_TEST_SUITE_P(Links, SendChecks, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Halvex" : "Pemble"; });

TEST(DevicePoll, HalvexFirstThenPembleAndEveryOpenClosed) {
    struct Case {
        bool halvexPresent, pemblePresent, found, useHid;
        int pembleOpens;
    };
    const Case cases[] = {
        {true, true, true, true, 0},
        {true, false, true, true, 0},
        {false, true, true, false, 1},
        {false, false, false, false, 0},
    };
    for (const Case& c : cases) {
        FakeLink halvex, pemble;
        FakeScreen screen;
        const SendTexts texts = EnglishTexts();
        halvex.present = c.halvexPresent;
        pemble.present = c.pemblePresent;
        g_useHidLibrary = !c.useHid;
        DeviceSender sender(halvex, pemble, screen, texts);
        EXPECT_EQ(sender.PollDevice(), c.found);
        EXPECT_EQ(g_useHidLibrary, c.useHid);
        EXPECT_EQ(pemble.opens, c.pembleOpens);
        EXPECT_EQ(halvex.opens, halvex.closes);
        EXPECT_EQ(pemble.opens, pemble.closes);
        EXPECT_TRUE(screen.errors.empty()) << "a poll shows no box";
    }
}

}  // namespace

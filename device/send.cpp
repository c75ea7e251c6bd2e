#include "device/send.h"
#include "model/checker.h"
#include "model/device_image.h"
#include <algorithm>
#include <cstring>

bool g_useHidLibrary = false;

namespace {
constexpr int HEADER_ATTEMPTS = 3;
}  // namespace

DeviceSender::DeviceSender(DeviceLink& halvex, DeviceLink& pemble, SendScreen& screen, const SendTexts& texts)
    : m_halvex(halvex), m_pemble(pemble), m_screen(screen), m_texts(texts) {}

bool DeviceSender::PollDevice() {
    LinkSession halvex(m_halvex);
    if (halvex.Open()) {
        g_useHidLibrary = true;
        return true;
    }
    g_useHidLibrary = false;
    LinkSession pemble(m_pemble);
    return pemble.Open();
}

std::wstring DeviceSender::ErrorListOf(uint16_t errorFlags) const {
    const wchar_t* pointers[ERROR_BIT_COUNT];
    for (int i = 0; i < ERROR_BIT_COUNT; ++i)
        pointers[i] = m_texts.errors[static_cast<size_t>(i)].c_str();
    return FormatErrorList(errorFlags, pointers);
}

void DeviceSender::ShowSyntaxError(const ProgramRow* rows, int count) {
    count = std::clamp(count, 0, MAX_ROWS);
    const int row = FirstErrorRow(rows, count);
    m_screen.ShowError(m_texts.syntaxError + L"\r\n" + std::to_wstring(row + 1) + L":" +
                       ErrorListOf(row >= 0 ? rows[row].errorFlags : 0));
}

bool DeviceSender::SendProgram(ProgramRow* rows, int count, int& checkResult, SendImage image) {
    std::memset(image.bytes, 0, IMAGE_BUFFER_SIZE);
    image.length = 0;
    count = std::clamp(count, 0, MAX_ROWS);
    checkResult = CheckProgram(rows, count);

    const int encoded = EncodeProgram(rows, count, image.bytes, IMAGE_BUFFER_SIZE);
    if (encoded == 0) {
        m_screen.ShowError(m_texts.noData);
        return false;
    }
    if (encoded < 0) {
        ShowSyntaxError(rows, count);
        return false;
    }
    image.length = PadImageForSend(image.bytes, encoded);

    if (!g_useHidLibrary && !m_pemble.IsAvailable()) {
        m_screen.ShowError(m_texts.connectFailure);
        return false;
    }
    m_screen.ShowProgress(true);
    TransferImage(image.bytes, image.length);
    return true;
}

void DeviceSender::TransferImage(const uint8_t* image, int length) {
    // Also keeps every read inside the image buffer: 2048 and more is refused.
    if (SizeClass(length) == 0) {
        m_screen.ShowError(ROM_OVER_TEXT);
        return;
    }
    LinkSession session(CurrentLink());
    if (!session.Open()) {
        m_screen.ShowError(m_texts.connectFailure);
        return;
    }

    DevicePacket header = MakeHeaderPacket(length);
    bool accepted = false;
    for (int attempt = 0; attempt < HEADER_ATTEMPTS && !accepted; ++attempt)
        accepted = SendPacket(session.Handle(), header);
    if (!accepted) {
        m_screen.ShowError(m_texts.writeError);
        return;
    }

    const int packets = DataPacketCount(length);
    m_screen.SetProgressRange(1, packets);
    for (int j = 1; j <= packets; ++j) {
        m_screen.SetProgressPos(j);
        DevicePacket packet;
        if (!MakeDataPacket(image, length, j, packet) || !SendPacket(session.Handle(), packet)) {
            m_screen.ShowError(m_texts.writeError);
            return;
        }
    }
    m_screen.SetProgressPos(packets + 1);
}

bool DeviceSender::SendPacket(LinkHandle handle, DevicePacket& packet) {
    packet[8] = PacketChecksum(packet);

    DeviceLink& link = CurrentLink();
    // A null handle is looked up again; one opened here is closed here.
    LinkSession replacement(link);
    if (handle == nullptr) {
        if (!replacement.Open()) {
            m_screen.ShowError(m_texts.connectFailure);
            return false;
        }
        handle = replacement.Handle();
    }

    if (!link.Write(handle, packet)) {
        m_screen.ShowError(m_texts.writeError);
        return false;
    }
    DeviceReply reply{};
    if (!link.Read(handle, reply)) {
        m_screen.ShowError(m_texts.readError);
        return false;
    }

    const uint8_t marker = reply[1];
    const uint8_t status = reply[2];
    switch (CheckReply(status, marker)) {
    case ReplyVerdict::Accepted: return true;
    case ReplyVerdict::RefusedSilently: return false;
    case ReplyVerdict::Refused: m_screen.ShowError(SystemErrorText(status, marker)); return false;
    }
    return false;
}

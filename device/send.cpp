// The device poll and the Send command: the program is checked, encoded and
// sent in acknowledged nine-byte packets through whichever library found the
// device at the last poll.
#include "device/send.h"

#include "app/halvex_link.h"
#include "app/main_window.h"
#include "app/pemble_library.h"
#include "app/show_error.h"
#include "app/velmora_app.h"
#include "model/checker.h"
#include "res/resource.h"
#include "usb/usb_api.h"

#include <algorithm>
#include <cstring>
#include <string>

bool g_useHidLibrary = false;

namespace {

constexpr int HEADER_ATTEMPTS = 3;
constexpr DWORD PEMBLE_PACKET_SIZE = 9;
constexpr DWORD PEMBLE_REPLY_SIZE = 3;
static_assert(PEMBLE_PACKET_SIZE == std::tuple_size_v<DevicePacket>);
static_assert(PEMBLE_REPLY_SIZE <= HALVEX_REPLY_SIZE);

// Information texts by their number (I6 is 6), in the current language.
constexpr int TEXT_NO_DATA = 6;
constexpr int TEXT_SYNTAX_ERROR = 7;
constexpr int TEXT_CONNECT_FAILURE = 8;
constexpr int TEXT_READ_ERROR = 9;
constexpr int TEXT_WRITE_ERROR = 10;

std::wstring InfoText(int number) {
    return std::wstring(PackText(g_velmoraApp.CurrentPack().infoTexts[number - 1], PACK_LONG_TEXT_SIZE));
}

// Texts of the language pack never act as a format.
void ShowText(HWND owner, const std::wstring& text) { ShowError(owner, L"%s", text.c_str()); }

std::wstring ErrorListOf(uint16_t errorFlags) {
    const LanguagePack& pack = g_velmoraApp.CurrentPack();
    std::wstring texts[ERROR_BIT_COUNT];
    const wchar_t* pointers[ERROR_BIT_COUNT];
    for (int i = 0; i < ERROR_BIT_COUNT; ++i) {
        texts[i] = PackText(pack.errorTexts[i], PACK_SHORT_TEXT_SIZE);
        pointers[i] = texts[i].c_str();
    }
    return FormatErrorList(errorFlags, pointers);
}

// A handle from OpenUSBDevice, closed again when it goes: every presence
// check and every transfer opens one, and a poll each second would otherwise
// pile them up in the library.
class PembleHandle {
public:
    PembleHandle() = default;
    ~PembleHandle() {
        if (m_handle != INVALID_HANDLE_VALUE && g_CloseUSBDevice)
            g_CloseUSBDevice(m_handle);
    }
    PembleHandle(const PembleHandle&) = delete;
    PembleHandle& operator=(const PembleHandle&) = delete;

    // False when the library is absent or the device cannot be opened.
    bool Open() {
        if (m_handle == INVALID_HANDLE_VALUE && g_OpenUSBDevice)
            m_handle = g_OpenUSBDevice(PEMBLE_VENDOR_ID, PEMBLE_PRODUCT_ID);
        return m_handle != INVALID_HANDLE_VALUE;
    }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

// Marks a send in progress for its scope.
class SendingScope {
public:
    explicit SendingScope(bool& sending) : m_sending(sending) { m_sending = true; }
    ~SendingScope() { m_sending = false; }
    SendingScope(const SendingScope&) = delete;
    SendingScope& operator=(const SendingScope&) = delete;

private:
    bool& m_sending;
};

// The progress bar and the status line share one place at the bottom.
void ShowProgressBar(HWND dialog, bool show) {
    ::ShowWindow(::GetDlgItem(dialog, IDC_PROGRESS), show ? SW_SHOW : SW_HIDE);
    ::ShowWindow(::GetDlgItem(dialog, IDC_STATUS), show ? SW_HIDE : SW_SHOW);
}

}  // namespace

void CVelmoraDlg::PollDevice(UINT_PTR timerId) {
    if (timerId != TIMER_POLL && timerId != TIMER_SEND_DONE)
        return;
    // Ticks that come inside an error box's loop during a send would switch
    // the library or hide the progress bar half-way through the transfer.
    if (m_sending)
        return;
    if (timerId == TIMER_SEND_DONE) {
        m_progress.SetPos(0);
        ::KillTimer(m_hWnd, TIMER_SEND_DONE);
        ShowProgressBar(m_hWnd, false);
    }
    if (!g_OpenUSBDevice)
        return;

    if (HalvexFindDevice()) {
        m_connected = 1;
        g_useHidLibrary = true;
    } else {
        PembleHandle device;
        m_connected = device.Open() ? 1 : 0;
        g_useHidLibrary = false;
    }

    // Setting the same picture again would repaint it every second.
    const HBITMAP picture = m_connected ? m_bmpDevice.Get() : m_bmpNoDevice.Get();
    if (picture && m_deviceIcon.GetSafeHwnd() && m_deviceIcon.GetBitmap() != picture)
        m_deviceIcon.SetBitmap(picture);
    ::EnableWindow(m_btnSend, m_connected != 0);
}

void CVelmoraDlg::SendProgram() {
    if (m_sending)
        return;
    SendingScope sending(m_sending);
    // An earlier send's timer must not hide this one's progress bar.
    ::KillTimer(m_hWnd, TIMER_SEND_DONE);
    std::memset(m_image, 0, sizeof m_image);
    m_imageLength = 0;
    const int count = std::clamp(m_rowCount, 0, MAX_ROWS);
    m_checkResult = CheckProgram(m_rows, count);

    const int encoded = EncodeProgram(m_rows, count, m_image, IMAGE_BUFFER_SIZE);
    if (encoded == 0) {
        ShowText(m_hWnd, InfoText(TEXT_NO_DATA));
        return;
    }
    if (encoded < 0) {
        const int row = FirstErrorRow(m_rows, count);
        const std::wstring errors = ErrorListOf(row >= 0 ? m_rows[row].errorFlags : 0);
        ShowError(m_hWnd, L"%s\r\n%d:%s", InfoText(TEXT_SYNTAX_ERROR).c_str(), row + 1, errors.c_str());
        return;
    }
    m_imageLength = PadImageForSend(m_image, encoded);

    if (!g_useHidLibrary && !g_OpenUSBDevice) {
        ShowText(m_hWnd, InfoText(TEXT_CONNECT_FAILURE));
        return;
    }
    ShowProgressBar(m_hWnd, true);
    TransferImage();
    ::SetTimer(m_hWnd, TIMER_SEND_DONE, TIMER_SEND_DONE_MS, nullptr);
}

void CVelmoraDlg::TransferImage() {
    // Also keeps every read inside m_image: 2048 and more is refused.
    const int length = m_imageLength;
    if (SizeClass(length) == 0) {
        ShowText(m_hWnd, ROM_OVER_TEXT);
        return;
    }

    PembleHandle pemble;
    HANDLE handle = nullptr;
    if (g_useHidLibrary) {
        if (!HalvexFindDevice()) {
            ShowText(m_hWnd, InfoText(TEXT_CONNECT_FAILURE));
            return;
        }
        handle = DeviceHandle;
    } else {
        if (!pemble.Open()) {
            ShowText(m_hWnd, InfoText(TEXT_CONNECT_FAILURE));
            return;
        }
        handle = pemble.Get();
    }

    DevicePacket header = MakeHeaderPacket(length);
    bool accepted = false;
    for (int attempt = 0; attempt < HEADER_ATTEMPTS && !accepted; ++attempt)
        accepted = SendPacket(handle, header);
    if (!accepted) {
        ShowText(m_hWnd, InfoText(TEXT_WRITE_ERROR));
        return;
    }

    const int packets = DataPacketCount(length);
    m_progress.SetRange(1, packets);
    for (int j = 1; j <= packets; ++j) {
        m_progress.SetPos(j);
        DevicePacket packet;
        if (!MakeDataPacket(m_image, length, j, packet) || !SendPacket(handle, packet)) {
            ShowText(m_hWnd, InfoText(TEXT_WRITE_ERROR));
            return;
        }
    }
    m_progress.SetPos(packets + 1);
}

bool CVelmoraDlg::SendPacket(HANDLE handle, DevicePacket& packet) {
    packet[8] = PacketChecksum(packet);

    // A zero handle is looked up again; one opened here is closed here.
    PembleHandle replacement;
    if (handle == nullptr) {
        const bool found = g_useHidLibrary ? HalvexFindDevice() : replacement.Open();
        if (!found) {
            ShowText(m_hWnd, InfoText(TEXT_CONNECT_FAILURE));
            return false;
        }
        handle = g_useHidLibrary ? DeviceHandle : replacement.Get();
    }

    // Report id, marker, status and the rest; a short reply leaves zeros.
    // Halvex `Read` has no length: the buffer takes a full report.
    uint8_t reply[HALVEX_READ_BUFFER_SIZE] = {};
    bool written = false;
    bool read = false;
    if (g_useHidLibrary) {
        written = Write(&packet[1]);
        read = written && Read(reply);
    } else {
        // The counts are not examined: the results tell success.
        DWORD count = 0;
        written = g_WriteUSB && g_WriteUSB(handle, packet.data(), PEMBLE_PACKET_SIZE, &count);
        read = written && g_ReadUSB && g_ReadUSB(handle, reply, PEMBLE_REPLY_SIZE, &count);
    }
    if (!written) {
        ShowText(m_hWnd, InfoText(TEXT_WRITE_ERROR));
        return false;
    }
    if (!read) {
        ShowText(m_hWnd, InfoText(TEXT_READ_ERROR));
        return false;
    }

    const uint8_t marker = reply[1];
    const uint8_t status = reply[2];
    switch (CheckReply(status, marker)) {
    case ReplyVerdict::Accepted: return true;
    case ReplyVerdict::RefusedSilently: return false;
    case ReplyVerdict::Refused: ShowText(m_hWnd, SystemErrorText(status, marker)); return false;
    }
    return false;
}

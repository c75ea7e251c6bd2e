// The device poll and the Send command of the main window: the procedure is
// the device layer's; the window gives it the links, its texts and the
// controls a send shows itself on.
#include "app/main_window.h"
#include "app/show_error.h"
#include "app/velmora_app.h"
#include "device/send.h"
#include "res/resource.h"

namespace {

SendTexts CurrentSendTexts() {
    const LanguagePack& pack = g_velmoraApp.CurrentPack();
    // Information texts by their number (I6 is 6).
    const auto info = [&](int number) {
        return std::wstring(PackText(pack.infoTexts[number - 1], PACK_LONG_TEXT_SIZE));
    };
    SendTexts texts{info(6), info(7), info(8), info(9), info(10), {}};
    for (int i = 0; i < ERROR_BIT_COUNT; ++i)
        texts.errors[static_cast<size_t>(i)] = PackText(pack.errorTexts[i], PACK_SHORT_TEXT_SIZE);
    return texts;
}

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

class WindowSendScreen : public SendScreen {
public:
    WindowSendScreen(HWND dialog, CProgressCtrl& progress) : m_dialog(dialog), m_progress(progress) {}
    // Texts of the language pack never act as a format.
    void ShowError(const std::wstring& text) override { ::ShowError(m_dialog, L"%s", text.c_str()); }
    void ShowProgress(bool shown) override { ShowProgressBar(m_dialog, shown); }
    void SetProgressRange(int first, int last) override { m_progress.SetRange(first, last); }
    void SetProgressPos(int position) override { m_progress.SetPos(position); }

private:
    HWND m_dialog;
    CProgressCtrl& m_progress;
};

}  // namespace

template <typename Step>
auto CVelmoraDlg::WithSender(Step step) {
    const SendTexts texts = CurrentSendTexts();
    WindowSendScreen screen(m_hWnd, m_progress);
    DeviceSender sender(m_halvexLink, m_pembleLink, screen, texts);
    return step(sender);
}

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
    // No poll without "PembleUSB.dll": the Send button stays as it is.
    if (!m_pembleLink.IsAvailable())
        return;
    m_connected = WithSender([](DeviceSender& sender) { return sender.PollDevice(); }) ? 1 : 0;

    // Setting the same picture again would repaint it every second.
    const HBITMAP picture = m_connected ? m_bmpDevice.Get() : m_bmpNoDevice.Get();
    if (picture && m_deviceIcon.GetSafeHwnd() && m_deviceIcon.GetBitmap() != picture)
        m_deviceIcon.SetBitmap(picture);
    ::EnableWindow(m_btnSend, m_connected != 0);
}

void CVelmoraDlg::SendProgram() {
    if (m_sending)
        return;
    const SendingScope sending(m_sending);
    // An earlier send's timer must not hide this one's progress bar.
    ::KillTimer(m_hWnd, TIMER_SEND_DONE);
    const bool transferred = WithSender([this](DeviceSender& sender) {
        return sender.SendProgram(m_rows, m_rowCount, m_checkResult, {m_image, m_imageLength});
    });
    if (transferred)
        ::SetTimer(m_hWnd, TIMER_SEND_DONE, TIMER_SEND_DONE_MS, nullptr);
}

void CVelmoraDlg::ShowSyntaxError() {
    WithSender([this](DeviceSender& sender) { sender.ShowSyntaxError(m_rows, m_rowCount); });
}

void CVelmoraDlg::TransferImage() {
    WithSender([this](DeviceSender& sender) { sender.TransferImage(m_image, m_imageLength); });
}

bool CVelmoraDlg::SendPacket(HANDLE handle, DevicePacket& packet) {
    return WithSender([&](DeviceSender& sender) { return sender.SendPacket(handle, packet); });
}

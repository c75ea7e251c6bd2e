// The device poll and the Send procedure: the program is checked, encoded and
// sent in acknowledged nine-byte packets through whichever library found the
// device at the last poll. The window supplies only what is on screen.
#pragma once
#include "device/device_link.h"
#include "device/packets.h"
#include "model/program_row.h"
#include <array>
#include <cstdint>
#include <string>

// True when the last poll found the device through "Halvex.dll": the next
// transfer goes through it, otherwise through "PembleUSB.dll".
extern bool g_useHidLibrary;

// The part of the window a send shows itself on.
class SendScreen {
public:
    virtual ~SendScreen() = default;
    // The stop-icon box; returns when it is closed. The text is shown as it is.
    virtual void ShowError(const std::wstring& text) = 0;
    // The progress bar in the place of the status line, or the line back.
    virtual void ShowProgress(bool shown) = 0;
    virtual void SetProgressRange(int first, int last) = 0;
    virtual void SetProgressPos(int position) = 0;
};

// The texts a send may show, in the current language.
struct SendTexts {
    std::wstring noData;                               // I6
    std::wstring syntaxError;                          // I7
    std::wstring connectFailure;                       // I8
    std::wstring readError;                            // I9
    std::wstring writeError;                           // I10
    std::array<std::wstring, ERROR_BIT_COUNT> errors;  // E1..E9
};

// The program's image as the window keeps it: IMAGE_BUFFER_SIZE bytes and the
// length that is sent.
struct SendImage {
    uint8_t* bytes;
    int& length;
};

class DeviceSender {
public:
    DeviceSender(DeviceLink& halvex, DeviceLink& pemble, SendScreen& screen, const SendTexts& texts);

    // Looks for the device through "Halvex.dll", then "PembleUSB.dll"; sets
    // g_useHidLibrary to the library that was asked last. True when found.
    bool PollDevice();

    // Checks `count` rows (their error flags are set) and stores the result in
    // `checkResult`, encodes them into `image`, pads it and transfers it.
    // True when a transfer was begun, whatever its outcome: the window then
    // starts its send-done timer.
    bool SendProgram(ProgramRow* rows, int count, int& checkResult, SendImage image);

    // The "Sytax Error!" box with the first faulty row of `count` checked rows.
    void ShowSyntaxError(const ProgramRow* rows, int count);

    // Sends the first `length` bytes of `image`: the header (up to three
    // attempts), then the data packets. Reports its own failures.
    void TransferImage(const uint8_t* image, int length);

    // Fills in the checksum, writes the packet, reads the reply; true only when
    // the device accepts it. A null handle is looked up first. Reports its own
    // failures (not a silent refusal).
    bool SendPacket(LinkHandle handle, DevicePacket& packet);

private:
    DeviceLink& CurrentLink() const { return g_useHidLibrary ? m_halvex : m_pemble; }
    std::wstring ErrorListOf(uint16_t errorFlags) const;

    DeviceLink& m_halvex;
    DeviceLink& m_pemble;
    SendScreen& m_screen;
    const SendTexts& m_texts;
};

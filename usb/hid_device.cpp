#include "usb/hid_device.h"

#include "usb/hid_system.h"
#include "usb/win_handle.h"

#include <cstring>

namespace {

// Longest report handled; the device's reports are 9 bytes.
constexpr DWORD MAX_REPORT_BYTES = 1024;

struct ReportLengths {
    DWORD input = 0;
    DWORD output = 0;
};

bool QueryReportLengths(HANDLE device, ReportLengths& lengths) {
    return CurrentHidSystem().ReportLengths(device, lengths.input, lengths.output);
}

// A collection the device's packets fit: a device may expose several
// collections under the same ids, and only one of them carries the packets.
bool ReportsFit(HANDLE device) {
    ReportLengths lengths;
    return QueryReportLengths(device, lengths) && lengths.output >= HID_PACKET_BYTES &&
           lengths.output <= MAX_REPORT_BYTES && lengths.input >= HID_REPLY_MIN_BYTES &&
           lengths.input <= MAX_REPORT_BYTES;
}

// Waits for an overlapped transfer that `started` began; past the time-out
// it is cancelled, and in every case its end is awaited so that the buffer
// and the OVERLAPPED outlive it.
bool FinishTransfer(HANDLE device, OVERLAPPED& overlapped, BOOL started, DWORD& transferred) {
    HidSystem& hid = CurrentHidSystem();
    if (!started && GetLastError() != ERROR_IO_PENDING) {
        return false;
    }
    if (hid.Wait(overlapped.hEvent, HID_TRANSFER_TIMEOUT_MS) != WAIT_OBJECT_0) {
        hid.Cancel(device, overlapped);
    }
    return hid.Finish(device, overlapped, transferred);
}

}  // namespace

HANDLE OpenHidDevice(int vendorId, int productId) {
    HidSystem& hid = CurrentHidSystem();
    for (const std::wstring& path : hid.DevicePaths()) {
        UniqueHidHandle device(hid.Open(path));
        if (IsOpen(device) && HidDeviceMatches(device.get(), vendorId, productId) && ReportsFit(device.get())) {
            return device.release();
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool HidDeviceMatches(HANDLE device, int vendorId, int productId) {
    USHORT vendor = 0;
    USHORT product = 0;
    if (!CurrentHidSystem().Ids(device, vendor, product)) {
        return false;
    }
    return product == productId && (vendorId == HID_ANY_VENDOR || vendor == vendorId);
}

bool CloseHidDevice(HANDLE device) {
    return device != nullptr && device != INVALID_HANDLE_VALUE && CurrentHidSystem().Close(device);
}

void FlushHidInput(HANDLE device) { CurrentHidSystem().FlushInput(device); }

bool WriteHidReport(HANDLE device, const unsigned char* data, DWORD length) {
    ReportLengths lengths;
    if (!QueryReportLengths(device, lengths) || lengths.output == 0 || lengths.output > MAX_REPORT_BYTES ||
        length > lengths.output) {
        return false;
    }
    unsigned char report[MAX_REPORT_BYTES] = {};
    std::memcpy(report, data, length);

    UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!IsOpen(event)) {
        return false;
    }
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.get();
    DWORD written = 0;
    BOOL started = CurrentHidSystem().StartWrite(device, report, lengths.output, overlapped);
    return FinishTransfer(device, overlapped, started, written) && written == lengths.output;
}

bool ReadHidReport(HANDLE device, unsigned char* buffer, DWORD capacity, DWORD* copied) {
    *copied = 0;
    ReportLengths lengths;
    if (!QueryReportLengths(device, lengths) || lengths.input == 0 || lengths.input > MAX_REPORT_BYTES) {
        return false;
    }
    unsigned char report[MAX_REPORT_BYTES] = {};

    UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!IsOpen(event)) {
        return false;
    }
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.get();
    DWORD received = 0;
    BOOL started = CurrentHidSystem().StartRead(device, report, lengths.input, overlapped);
    if (!FinishTransfer(device, overlapped, started, received)) {
        return false;
    }
    // Never more than was asked for, whatever the transfer claims.
    DWORD count = received < lengths.input ? received : lengths.input;
    count = count < capacity ? count : capacity;
    std::memcpy(buffer, report, count);
    *copied = count;
    return true;
}

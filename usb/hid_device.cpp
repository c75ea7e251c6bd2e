#include "usb/hid_device.h"

#include "usb/win_handle.h"

#include <setupapi.h>
// This header lacks its own C linkage block.
extern "C" {
#include <hidsdi.h>
}

#include <cstring>
#include <memory>
#include <type_traits>

namespace {

// Longest report handled; the device's reports are 9 bytes.
constexpr DWORD MAX_REPORT_BYTES = 1024;
// Longest device path taken from the enumeration.
constexpr DWORD MAX_DEVICE_PATH = 1024;

struct DeviceInfoListDeleter {
    void operator()(HDEVINFO list) const { SetupDiDestroyDeviceInfoList(list); }
};
using UniqueDeviceInfoList = std::unique_ptr<void, DeviceInfoListDeleter>;

struct PreparsedDataDeleter {
    void operator()(PHIDP_PREPARSED_DATA data) const { HidD_FreePreparsedData(data); }
};
using UniquePreparsedData = std::unique_ptr<std::remove_pointer_t<PHIDP_PREPARSED_DATA>, PreparsedDataDeleter>;

struct ReportLengths {
    DWORD input = 0;
    DWORD output = 0;
};

bool QueryReportLengths(HANDLE device, ReportLengths& lengths) {
    PHIDP_PREPARSED_DATA raw = nullptr;
    if (!HidD_GetPreparsedData(device, &raw)) {
        return false;
    }
    UniquePreparsedData data(raw);
    HIDP_CAPS caps{};
    if (HidP_GetCaps(data.get(), &caps) != HIDP_STATUS_SUCCESS) {
        return false;
    }
    lengths.input = caps.InputReportByteLength;
    lengths.output = caps.OutputReportByteLength;
    return true;
}

// Waits for an overlapped transfer that `started` began; past the time-out
// it is cancelled, and in every case its end is awaited so that the buffer
// and the OVERLAPPED outlive it.
bool FinishTransfer(HANDLE device, OVERLAPPED& overlapped, BOOL started, DWORD& transferred) {
    if (!started && GetLastError() != ERROR_IO_PENDING) {
        return false;
    }
    if (WaitForSingleObject(overlapped.hEvent, HID_TRANSFER_TIMEOUT_MS) != WAIT_OBJECT_0) {
        CancelIoEx(device, &overlapped);
    }
    return GetOverlappedResult(device, &overlapped, &transferred, TRUE) != FALSE;
}

}  // namespace

HANDLE OpenHidDevice(int vendorId, int productId) {
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    HDEVINFO rawList = SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (rawList == INVALID_HANDLE_VALUE) {
        return INVALID_HANDLE_VALUE;
    }
    UniqueDeviceInfoList list(rawList);

    union {
        SP_DEVICE_INTERFACE_DETAIL_DATA_W detail;
        wchar_t space[MAX_DEVICE_PATH + 8];
    } path;
    SP_DEVICE_INTERFACE_DATA iface{};
    iface.cbSize = sizeof iface;
    for (DWORD index = 0; SetupDiEnumDeviceInterfaces(list.get(), nullptr, &hidGuid, index, &iface); ++index) {
        path.detail.cbSize = sizeof path.detail;
        if (!SetupDiGetDeviceInterfaceDetailW(list.get(), &iface, &path.detail, sizeof path, nullptr, nullptr)) {
            continue;  // also a path longer than the buffer
        }
        UniqueHandle device(CreateFileW(path.detail.DevicePath, GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OVERLAPPED, nullptr));
        if (IsOpen(device) && HidDeviceMatches(device.get(), vendorId, productId)) {
            return device.release();
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool HidDeviceMatches(HANDLE device, int vendorId, int productId) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!HidD_GetAttributes(device, &attributes)) {
        return false;
    }
    return attributes.ProductID == productId && (vendorId == HID_ANY_VENDOR || attributes.VendorID == vendorId);
}

void FlushHidInput(HANDLE device) { HidD_FlushQueue(device); }

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
    BOOL started = WriteFile(device, report, lengths.output, nullptr, &overlapped);
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
    BOOL started = ReadFile(device, report, lengths.input, nullptr, &overlapped);
    if (!FinishTransfer(device, overlapped, started, received)) {
        return false;
    }
    DWORD count = received < capacity ? received : capacity;
    std::memcpy(buffer, report, count);
    *copied = count;
    return true;
}

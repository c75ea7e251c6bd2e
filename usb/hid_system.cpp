#include "usb/hid_system.h"

#include <setupapi.h>
// This header lacks its own C linkage block.
extern "C" {
#include <hidsdi.h>
}

#include <type_traits>

namespace {

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

class WindowsHidSystem : public HidSystem {
public:
    std::vector<std::wstring> DevicePaths() override {
        std::vector<std::wstring> paths;
        GUID hidGuid;
        HidD_GetHidGuid(&hidGuid);
        HDEVINFO rawList = SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        if (rawList == INVALID_HANDLE_VALUE)
            return paths;
        UniqueDeviceInfoList list(rawList);
        union {
            SP_DEVICE_INTERFACE_DETAIL_DATA_W detail;
            wchar_t space[MAX_DEVICE_PATH + 8];
        } path;
        SP_DEVICE_INTERFACE_DATA iface{};
        iface.cbSize = sizeof iface;
        for (DWORD index = 0; SetupDiEnumDeviceInterfaces(list.get(), nullptr, &hidGuid, index, &iface); ++index) {
            path.detail.cbSize = sizeof path.detail;
            // Also false for a path longer than the buffer.
            if (SetupDiGetDeviceInterfaceDetailW(list.get(), &iface, &path.detail, sizeof path, nullptr, nullptr))
                paths.emplace_back(path.detail.DevicePath);
        }
        return paths;
    }

    HANDLE Open(const std::wstring& path) override {
        return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    }

    bool Close(HANDLE device) override { return CloseHandle(device) != FALSE; }

    bool Ids(HANDLE device, USHORT& vendorId, USHORT& productId) override {
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof attributes;
        if (!HidD_GetAttributes(device, &attributes))
            return false;
        vendorId = attributes.VendorID;
        productId = attributes.ProductID;
        return true;
    }

    bool ReportLengths(HANDLE device, DWORD& input, DWORD& output) override {
        PHIDP_PREPARSED_DATA raw = nullptr;
        if (!HidD_GetPreparsedData(device, &raw))
            return false;
        UniquePreparsedData data(raw);
        HIDP_CAPS caps{};
        if (HidP_GetCaps(data.get(), &caps) != HIDP_STATUS_SUCCESS)
            return false;
        input = caps.InputReportByteLength;
        output = caps.OutputReportByteLength;
        return true;
    }

    bool FlushInput(HANDLE device) override { return HidD_FlushQueue(device) != FALSE; }

    BOOL StartWrite(HANDLE device, const void* data, DWORD length, OVERLAPPED& overlapped) override {
        return WriteFile(device, data, length, nullptr, &overlapped);
    }

    BOOL StartRead(HANDLE device, void* buffer, DWORD length, OVERLAPPED& overlapped) override {
        return ReadFile(device, buffer, length, nullptr, &overlapped);
    }

    DWORD Wait(HANDLE event, DWORD milliseconds) override { return WaitForSingleObject(event, milliseconds); }

    void Cancel(HANDLE device, OVERLAPPED& overlapped) override { CancelIoEx(device, &overlapped); }

    bool Finish(HANDLE device, OVERLAPPED& overlapped, DWORD& transferred) override {
        return GetOverlappedResult(device, &overlapped, &transferred, TRUE) != FALSE;
    }
};

WindowsHidSystem g_windows;
HidSystem* g_current = &g_windows;

}  // namespace

HidSystem& CurrentHidSystem() { return *g_current; }

ScopedHidSystem::ScopedHidSystem(HidSystem& system) : m_previous(g_current) { g_current = &system; }

ScopedHidSystem::~ScopedHidSystem() { g_current = m_previous; }

void HidHandleCloser::operator()(HANDLE device) const {
    if (device != nullptr && device != INVALID_HANDLE_VALUE)
        CurrentHidSystem().Close(device);
}

// The Windows calls the HID transport makes, behind one small interface, so
// that tests can stand in for a device: enumeration, attributes, report
// lengths, the input queue, overlapped transfers, their wait and cancel.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class HidSystem {
public:
    virtual ~HidSystem() = default;

    // Device interface paths of the present HID collections.
    virtual std::vector<std::wstring> DevicePaths() = 0;
    // Opens a collection for overlapped reading and writing;
    // INVALID_HANDLE_VALUE when it cannot be opened.
    virtual HANDLE Open(const std::wstring& path) = 0;
    virtual bool Close(HANDLE device) = 0;
    // Vendor and product id; false when the device no longer answers.
    virtual bool Ids(HANDLE device, USHORT& vendorId, USHORT& productId) = 0;
    // Byte lengths of the input and output reports, report id included.
    virtual bool ReportLengths(HANDLE device, DWORD& input, DWORD& output) = 0;
    // Discards the input reports queued so far.
    virtual bool FlushInput(HANDLE device) = 0;
    // Start an overlapped transfer: TRUE when done at once, else FALSE with
    // ERROR_IO_PENDING (still running) or another error (failed).
    virtual BOOL StartWrite(HANDLE device, const void* data, DWORD length, OVERLAPPED& overlapped) = 0;
    virtual BOOL StartRead(HANDLE device, void* buffer, DWORD length, OVERLAPPED& overlapped) = 0;
    // Waits up to `milliseconds` for a transfer's event: WAIT_OBJECT_0 or WAIT_TIMEOUT.
    virtual DWORD Wait(HANDLE event, DWORD milliseconds) = 0;
    virtual void Cancel(HANDLE device, OVERLAPPED& overlapped) = 0;
    // Waits for the transfer's end; false when it failed or was cancelled.
    virtual bool Finish(HANDLE device, OVERLAPPED& overlapped, DWORD& transferred) = 0;
};

// The system the transport uses now: the real one unless a test put its own in place.
HidSystem& CurrentHidSystem();

// Puts `system` in place of the real one for its lifetime (tests).
class ScopedHidSystem {
public:
    explicit ScopedHidSystem(HidSystem& system);
    ~ScopedHidSystem();
    ScopedHidSystem(const ScopedHidSystem&) = delete;
    ScopedHidSystem& operator=(const ScopedHidSystem&) = delete;

private:
    HidSystem* m_previous;
};

// A device handle closed through the current system.
struct HidHandleCloser {
    void operator()(HANDLE device) const;
};
using UniqueHidHandle = std::unique_ptr<void, HidHandleCloser>;
inline bool IsOpen(const UniqueHidHandle& device) { return device && device.get() != INVALID_HANDLE_VALUE; }

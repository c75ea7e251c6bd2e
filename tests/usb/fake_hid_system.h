// A stand-in for the Windows HID calls: collections with ids and report
// lengths, a device that answers each packet, transfers that succeed, fail
// or never complete, and a record of every call in its order.
#pragma once
#include "usb/hid_system.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace usb_test {

using Bytes = std::vector<unsigned char>;

struct FakeCollection {
    USHORT vendor = 0;
    USHORT product = 0;
    DWORD input = 9;  // report lengths, report id included
    DWORD output = 9;
    bool present = true;
};

enum class Transfer { Done, Fails, NeverEnds };

class FakeHidSystem : public HidSystem {
public:
    std::vector<FakeCollection> collections;
    Transfer writes = Transfer::Done;
    Transfer reads = Transfer::Done;  // NeverEnds: pending even with input queued
    // Input reports waiting to be read, oldest first.
    std::deque<Bytes> input;
    // When not empty, queued as input after each completed write (the device's answer).
    Bytes answer;

    std::vector<std::string> calls;  // "open 2", "flush", "write", "read", "wait 1000", "cancel", "close 2"
    std::vector<Bytes> written;      // the reports as written
    int openHandles = 0;
    bool waitedForeverOnATransfer = false;  // Finish on a transfer that was neither done nor cancelled

    // The collection a handle belongs to, -1 for none.
    int CollectionOf(HANDLE device) const;
    // Removes every record (not the set-up).
    void ForgetCalls();

    std::vector<std::wstring> DevicePaths() override;
    HANDLE Open(const std::wstring& path) override;
    bool Close(HANDLE device) override;
    bool Ids(HANDLE device, USHORT& vendorId, USHORT& productId) override;
    bool ReportLengths(HANDLE device, DWORD& inputLength, DWORD& outputLength) override;
    bool FlushInput(HANDLE device) override;
    BOOL StartWrite(HANDLE device, const void* data, DWORD length, OVERLAPPED& overlapped) override;
    BOOL StartRead(HANDLE device, void* buffer, DWORD length, OVERLAPPED& overlapped) override;
    DWORD Wait(HANDLE event, DWORD milliseconds) override;
    void Cancel(HANDLE device, OVERLAPPED& overlapped) override;
    bool Finish(HANDLE device, OVERLAPPED& overlapped, DWORD& transferred) override;

private:
    struct Operation {
        bool done = false;
        bool cancelled = false;
        DWORD transferred = 0;
    };
    const FakeCollection* Attached(HANDLE device) const;
    BOOL Pending(OVERLAPPED& overlapped);

    std::map<HANDLE, int> m_handles;           // open handle -> collection
    std::map<HANDLE, Operation> m_operations;  // by the transfer's event
    int m_nextHandle = 1;
};

}  // namespace usb_test

#include "tests/usb/fake_hid_system.h"

#include <algorithm>
#include <cstring>

namespace usb_test {

int FakeHidSystem::CollectionOf(HANDLE device) const {
    const auto found = m_handles.find(device);
    return found == m_handles.end() ? -1 : found->second;
}

void FakeHidSystem::ForgetCalls() {
    calls.clear();
    written.clear();
}

const FakeCollection* FakeHidSystem::Attached(HANDLE device) const {
    const int index = CollectionOf(device);
    if (index < 0 || index >= static_cast<int>(collections.size()) || !collections[static_cast<size_t>(index)].present)
        return nullptr;
    return &collections[static_cast<size_t>(index)];
}

std::vector<std::wstring> FakeHidSystem::DevicePaths() {
    std::vector<std::wstring> paths;
    for (size_t i = 0; i < collections.size(); ++i)
        if (collections[i].present)
            paths.push_back(L"\\\\?\\hid#fake#" + std::to_wstring(i));
    return paths;
}

HANDLE FakeHidSystem::Open(const std::wstring& path) {
    const size_t hash = path.rfind(L'#');
    const int index = hash == std::wstring::npos ? -1 : std::stoi(path.substr(hash + 1));
    if (index < 0 || index >= static_cast<int>(collections.size()) || !collections[static_cast<size_t>(index)].present)
        return INVALID_HANDLE_VALUE;
    const HANDLE handle = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x7000 + 4 * m_nextHandle++));
    m_handles[handle] = index;
    ++openHandles;
    calls.push_back("open " + std::to_string(index));
    return handle;
}

bool FakeHidSystem::Close(HANDLE device) {
    const auto found = m_handles.find(device);
    if (found == m_handles.end())
        return false;
    calls.push_back("close " + std::to_string(found->second));
    m_handles.erase(found);
    --openHandles;
    return true;
}

bool FakeHidSystem::Ids(HANDLE device, USHORT& vendorId, USHORT& productId) {
    const FakeCollection* collection = Attached(device);
    if (!collection)
        return false;
    vendorId = collection->vendor;
    productId = collection->product;
    return true;
}

bool FakeHidSystem::ReportLengths(HANDLE device, DWORD& inputLength, DWORD& outputLength) {
    const FakeCollection* collection = Attached(device);
    if (!collection)
        return false;
    inputLength = collection->input;
    outputLength = collection->output;
    return true;
}

bool FakeHidSystem::FlushInput(HANDLE device) {
    calls.push_back("flush");
    if (!Attached(device))
        return false;
    input.clear();
    return true;
}

BOOL FakeHidSystem::Pending(OVERLAPPED& overlapped) {
    m_operations[overlapped.hEvent] = Operation{};
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

BOOL FakeHidSystem::StartWrite(HANDLE device, const void* data, DWORD length, OVERLAPPED& overlapped) {
    calls.push_back("write");
    if (!Attached(device) || writes == Transfer::Fails) {
        SetLastError(Attached(device) ? ERROR_GEN_FAILURE : ERROR_DEVICE_NOT_CONNECTED);
        return FALSE;
    }
    if (writes == Transfer::NeverEnds)
        return Pending(overlapped);
    const auto* bytes = static_cast<const unsigned char*>(data);
    written.emplace_back(bytes, bytes + length);
    if (!answer.empty())
        input.push_back(answer);
    m_operations[overlapped.hEvent] = Operation{true, false, length};
    return TRUE;
}

BOOL FakeHidSystem::StartRead(HANDLE device, void* buffer, DWORD length, OVERLAPPED& overlapped) {
    calls.push_back("read");
    if (!Attached(device) || reads == Transfer::Fails) {
        SetLastError(Attached(device) ? ERROR_GEN_FAILURE : ERROR_DEVICE_NOT_CONNECTED);
        return FALSE;
    }
    if (reads == Transfer::NeverEnds || input.empty())
        return Pending(overlapped);
    const Bytes report = input.front();
    input.pop_front();
    const DWORD count = std::min<DWORD>(length, static_cast<DWORD>(report.size()));
    std::memcpy(buffer, report.data(), count);
    m_operations[overlapped.hEvent] = Operation{true, false, count};
    return TRUE;
}

DWORD FakeHidSystem::Wait(HANDLE event, DWORD milliseconds) {
    calls.push_back("wait " + std::to_string(milliseconds));
    const auto found = m_operations.find(event);
    return found != m_operations.end() && found->second.done ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

void FakeHidSystem::Cancel(HANDLE, OVERLAPPED& overlapped) {
    calls.push_back("cancel");
    m_operations[overlapped.hEvent].cancelled = true;
}

bool FakeHidSystem::Finish(HANDLE, OVERLAPPED& overlapped, DWORD& transferred) {
    const auto found = m_operations.find(overlapped.hEvent);
    if (found == m_operations.end())
        return false;
    const Operation operation = found->second;
    m_operations.erase(found);
    transferred = operation.transferred;
    if (operation.done)
        return true;
    if (!operation.cancelled)
        waitedForeverOnATransfer = true;  // the real call would never return
    SetLastError(ERROR_OPERATION_ABORTED);
    return false;
}

}  // namespace usb_test

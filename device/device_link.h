// One library's way to the device, as the send procedure uses it. The editor
// has two: over "Halvex.dll" and over "PembleUSB.dll"; tests bring a fake.
#pragma once
#include "device/packets.h"
#include <array>
#include <cstdint>

// The bytes of a reply the procedure reads: report id, marker, status.
constexpr int DEVICE_REPLY_SIZE = 3;
using DeviceReply = std::array<uint8_t, DEVICE_REPLY_SIZE>;

// What Open hands out for one transfer. A null handle is looked up again
// before each packet (the libraries may give one).
using LinkHandle = void*;

class DeviceLink {
public:
    virtual ~DeviceLink() = default;

    // False when the library or one of its entry points is missing.
    virtual bool IsAvailable() const = 0;
    // Reaches the device; false when it is not there or cannot be opened.
    virtual bool Open(LinkHandle& handle) = 0;
    // Gives back what a successful Open took.
    virtual void Close(LinkHandle handle) = 0;
    // Sends one packet; false when the library reports a failure.
    virtual bool Write(LinkHandle handle, const DevicePacket& packet) = 0;
    // Receives one reply; a short reply leaves zeros. False on a failure.
    virtual bool Read(LinkHandle handle, DeviceReply& reply) = 0;
};

// An Open that is closed again when it goes out of scope: every presence
// check and every transfer opens the device, and a poll each second would
// otherwise pile handles up in the library.
class LinkSession {
public:
    explicit LinkSession(DeviceLink& link) : m_link(link) {}
    ~LinkSession() {
        if (m_open)
            m_link.Close(m_handle);
    }
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    bool Open() {
        if (!m_open)
            m_open = m_link.Open(m_handle);
        return m_open;
    }
    LinkHandle Handle() const { return m_handle; }

private:
    DeviceLink& m_link;
    LinkHandle m_handle = nullptr;
    bool m_open = false;
};

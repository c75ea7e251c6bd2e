// Finding HID devices and moving single reports, every transfer bounded in
// time so that a device that stops answering cannot stall the caller.
#pragma once

#include <windows.h>

// How long one report write or read may take before it is cancelled.
constexpr DWORD HID_TRANSFER_TIMEOUT_MS = 1000;
// Vendor id that matches every vendor.
constexpr int HID_ANY_VENDOR = -1;
// A packet report: report id and 8 bytes. The least a reply report holds:
// report id, marker and status.
constexpr DWORD HID_PACKET_BYTES = 9;
constexpr DWORD HID_REPLY_MIN_BYTES = 3;

// Opens, for overlapped I/O, the first present HID collection with these ids
// whose output reports take a packet and whose input reports hold a reply;
// INVALID_HANDLE_VALUE when there is none. All calls go through
// CurrentHidSystem() (usb/hid_system.h).
HANDLE OpenHidDevice(int vendorId, int productId);

// True while the opened device is attached and carries these ids.
bool HidDeviceMatches(HANDLE device, int vendorId, int productId);

// Closes a handle OpenHidDevice gave; false for none or a failed close.
bool CloseHidDevice(HANDLE device);

// Discards input reports that arrived before the next transfer.
void FlushHidInput(HANDLE device);

// Sends one output report: `data` (report id in byte 0) padded with zeros to
// the device's report length. False when it does not fit, fails or times out.
bool WriteHidReport(HANDLE device, const unsigned char* data, DWORD length);

// Receives one input report and copies at most `capacity` bytes of it into
// `buffer`; `*copied` is the number of bytes copied.
bool ReadHidReport(HANDLE device, unsigned char* buffer, DWORD capacity, DWORD* copied);

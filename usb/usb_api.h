// The two device libraries, as the editor calls them.
//
// "Halvex.dll" is bound at load time: link the `halvex_import` target and
// call the functions below directly. "PembleUSB.dll" is loaded by name and
// its four functions are looked up with GetProcAddress through the *Proc
// types. Both come in a hardware build (bin/hardware) and a simulated build
// (bin/simulated) with identical exports.
#pragma once

#include <windows.h>

#ifdef VELMORA_BUILDING_USB_LIBRARY
#define VELMORA_USB_API __declspec(dllexport)
#else
#define VELMORA_USB_API __declspec(dllimport)
#endif

// The identifiers the editor looks for.
constexpr int HALVEX_PRODUCT_ID = 0xAC01;
constexpr int PEMBLE_VENDOR_ID = 0x0C45;
constexpr int PEMBLE_PRODUCT_ID = 0x7160;

// Size of the buffer that Halvex `Read` fills: report id 0, marker, status,
// then the rest of the report. `Read` writes exactly this many bytes.
constexpr int HALVEX_REPLY_SIZE = 9;
// `Read` takes no length, and a library built for a longer HID report fills
// that much: a caller's buffer holds a full report. Only the first
// HALVEX_REPLY_SIZE bytes are used.
constexpr int HALVEX_READ_BUFFER_SIZE = 256;
// Bytes `Write` sends: a packet without its leading report id.
constexpr int HALVEX_WRITE_SIZE = 8;

extern "C" {

// Nonzero when a device with this product id (any vendor) is present;
// `DeviceHandle` then holds its handle.
VELMORA_USB_API int FindUsb(int productId);
// Handle of the device found by the last successful `FindUsb`, else null.
VELMORA_USB_API extern void* DeviceHandle;
// Sends HALVEX_WRITE_SIZE bytes (packet bytes 1..8) behind report id 0.
VELMORA_USB_API bool Write(unsigned char* bytes8);
// Receives one reply into `reply`, which must hold HALVEX_REPLY_SIZE bytes.
VELMORA_USB_API bool Read(unsigned char* reply);

// INVALID_HANDLE_VALUE when no device with these ids can be opened.
VELMORA_USB_API HANDLE OpenUSBDevice(int vendorId, int productId);
VELMORA_USB_API BOOL CloseUSBDevice(HANDLE device);
// Sends `len` bytes (report id first); `written` may be null.
VELMORA_USB_API BOOL WriteUSB(HANDLE device, unsigned char* buf, DWORD len, DWORD* written);
// Receives up to `len` bytes of one report (report id first); never writes
// more than `len` bytes; `read` may be null.
VELMORA_USB_API BOOL ReadUSB(HANDLE device, unsigned char* buf, DWORD len, DWORD* read);

}  // extern "C"

using OpenUSBDeviceProc = HANDLE (*)(int vendorId, int productId);
using CloseUSBDeviceProc = BOOL (*)(HANDLE device);
using WriteUSBProc = BOOL (*)(HANDLE device, unsigned char* buf, DWORD len, DWORD* written);
using ReadUSBProc = BOOL (*)(HANDLE device, unsigned char* buf, DWORD len, DWORD* read);

// A "PembleUSB.dll" that lacks ReadUSB, for the start-up's resolving.
#include <windows.h>

extern "C" {
__declspec(dllexport) HANDLE OpenUSBDevice(int, int) { return INVALID_HANDLE_VALUE; }
__declspec(dllexport) BOOL CloseUSBDevice(HANDLE) { return FALSE; }
__declspec(dllexport) BOOL WriteUSB(HANDLE, unsigned char*, DWORD, DWORD*) { return FALSE; }
}

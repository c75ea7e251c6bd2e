// "PembleUSB.dll", loaded by name at start-up, and its four entry points.
#pragma once
#include "framework/handles.h"
#include "usb/usb_api.h"
#include <string>

constexpr const wchar_t* PEMBLE_LIBRARY_NAME = L"PembleUSB.dll";

// Process-wide; each is null while absent. A null g_OpenUSBDevice tells the
// device poll that the library is not available.
extern OpenUSBDeviceProc g_OpenUSBDevice;
extern CloseUSBDeviceProc g_CloseUSBDevice;
extern WriteUSBProc g_WriteUSB;
extern ReadUSBProc g_ReadUSB;

// Loads the library from the executable's folder, else from the system
// folders; never from the current directory or another search-path entry.
// False when it was found nowhere.
bool LoadPembleLibrary(const std::wstring& exeFolder, CModule& library);

// Resolves the four exports in the order OpenUSBDevice, CloseUSBDevice,
// WriteUSB, ReadUSB. When any is missing (or nothing is loaded) all four are
// left null and false is returned.
bool ResolvePembleEntryPoints(const CModule& library);

// Forgets the four entry points, before the library is released.
void ClearPembleEntryPoints();

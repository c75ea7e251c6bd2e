// The device's presence check through "Halvex.dll", which the executable
// imports at load time.
#pragma once

// True when the library finds the device; its handle is then in DeviceHandle.
bool HalvexFindDevice();

// Shared pieces of the device library tests: the libraries, the simulated
// device's files beside the test program, and packets.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace usb_test {

using Packet = std::array<std::uint8_t, 9>;

// The 25-byte example image, and its 33-byte padded form.
extern const std::vector<std::uint8_t> EXAMPLE_IMAGE;
std::vector<std::uint8_t> PaddedExample();

// Fills in byte 8: the sum of bytes 1..7 modulo 256.
Packet Sealed(Packet packet);
Packet Header(std::uint8_t sizeClass, int length);
Packet Data(const std::uint8_t* five);

// "<folder of the test program>\name".
std::wstring BesideProgram(const wchar_t* name);
// "<build>\bin\<variant>\<library>".
std::wstring BuiltLibrary(const wchar_t* variant, const wchar_t* library);

std::string ReadText(const wchar_t* name);
std::vector<std::uint8_t> ReadBytes(const wchar_t* name);
bool FileExists(const wchar_t* name);
void WriteText(const wchar_t* name, const std::string& text);
// Value of "key=N" in "SimDevice.state"; -1 when absent.
int StateValue(const char* key);
// Lines of "SimDevice.log".
std::vector<std::string> LogLines();

// A loaded library, released at the end of its scope.
class Library {
public:
    explicit Library(const std::wstring& path);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    template <class T>
    T Get(const char* name) const {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module;
};

// Removes the simulated device's files beside the test program, so that
// each test starts from nothing.
void ResetSimulatedDevice();

}  // namespace usb_test

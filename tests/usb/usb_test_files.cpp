#include "tests/usb/usb_test_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace usb_test {

const std::vector<std::uint8_t> EXAMPLE_IMAGE = {
    0x00, 0x08, 0x80, 0x00, 0x81, 0x01, 0x00, 0x0A, 0x94, 0x02, 0x95, 0x04, 0x41,
    0x05, 0x24, 0x05, 0x42, 0x0B, 0x10, 0x00, 0x12, 0x00, 0x00, 0x00, 0x00,
};

std::vector<std::uint8_t> PaddedExample() {
    std::vector<std::uint8_t> padded = EXAMPLE_IMAGE;
    padded.resize(padded.size() + 8, 0);
    return padded;
}

Packet Sealed(Packet packet) {
    unsigned sum = 0;
    for (int i = 1; i <= 7; ++i) {
        sum += packet[i];
    }
    packet[8] = static_cast<std::uint8_t>(sum);
    return packet;
}

Packet Header(std::uint8_t sizeClass, int length) {
    return Sealed({0x00, 0x40, 0x40, sizeClass, static_cast<std::uint8_t>(length & 0xFF),
                   static_cast<std::uint8_t>(length >> 8), 0x00, 0x00, 0x00});
}

Packet Data(const std::uint8_t* five) {
    return Sealed({0x00, 0x40, 0x23, five[0], five[1], five[2], five[3], five[4], 0x00});
}

std::wstring BesideProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

std::wstring BuiltLibrary(const wchar_t* variant, const wchar_t* library) {
    std::string relative = USB_TEST_BIN_DIR;
    std::wstring path = BesideProgram(L"");
    for (char c : relative) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    }
    return path + L'\\' + variant + L'\\' + library;
}

std::string ReadText(const wchar_t* name) {
    std::ifstream in(BesideProgram(name).c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::uint8_t> ReadBytes(const wchar_t* name) {
    std::ifstream in(BesideProgram(name).c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool FileExists(const wchar_t* name) {
    return GetFileAttributesW(BesideProgram(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteText(const wchar_t* name, const std::string& text) {
    std::ofstream out(BesideProgram(name).c_str(), std::ios::binary | std::ios::trunc);
    out << text;
}

int StateValue(const char* key) {
    std::istringstream state(ReadText(L"SimDevice.state"));
    std::string prefix = std::string(key) + "=";
    for (std::string line; std::getline(state, line);) {
        if (line.rfind(prefix, 0) == 0) {
            return std::stoi(line.substr(prefix.size()));
        }
    }
    return -1;
}

std::vector<std::string> LogLines() {
    std::istringstream log(ReadText(L"SimDevice.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

Library::Library(const std::wstring& path) : m_module(LoadLibraryW(path.c_str())) {
    EXPECT_NE(m_module, nullptr) << "cannot load the library, error " << GetLastError();
}

Library::~Library() {
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
}

void ResetSimulatedDevice() {
    for (const wchar_t* name : {L"SimDevice.ini", L"SimDevice.log", L"SimDevice.state", L"SimDevice-received.bin"}) {
        DeleteFileW(BesideProgram(name).c_str());
    }
}

}  // namespace usb_test

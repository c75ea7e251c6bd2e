// Both builds of both libraries export exactly the names the editor binds
// and looks up, undecorated, and Halvex's DeviceHandle is data.
#include "tests/usb/usb_test_files.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace usb_test;

namespace {

struct Export {
    std::string name;
    bool executable = false;  // lies in a section of code
};

// Walks the export directory of the mapped library.
std::vector<Export> ExportsOf(const std::wstring& path) {
    std::vector<Export> exports;
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    EXPECT_NE(module, nullptr) << "cannot map the library, error " << GetLastError();
    if (module == nullptr) {
        return exports;
    }
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.VirtualAddress != 0) {
        auto* directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
        auto* names = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
        auto* ordinals = reinterpret_cast<const WORD*>(base + directory->AddressOfNameOrdinals);
        auto* functions = reinterpret_cast<const DWORD*>(base + directory->AddressOfFunctions);
        const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
        for (DWORD i = 0; i < directory->NumberOfNames; ++i) {
            Export item{reinterpret_cast<const char*>(base + names[i])};
            DWORD rva = functions[ordinals[i]];
            for (WORD s = 0; s < nt->FileHeader.NumberOfSections; ++s) {
                if (rva >= sections[s].VirtualAddress &&
                    rva < sections[s].VirtualAddress + sections[s].Misc.VirtualSize) {
                    item.executable = (sections[s].Characteristics & IMAGE_SCN_MEM_EXECUTE) != 0;
                }
            }
            exports.push_back(item);
        }
        EXPECT_EQ(directory->NumberOfFunctions, directory->NumberOfNames) << "exports by ordinal only";
    }
    FreeLibrary(module);
    std::sort(exports.begin(), exports.end(), [](const Export& a, const Export& b) { return a.name < b.name; });
    return exports;
}

std::vector<std::string> Names(const std::vector<Export>& exports) {
    std::vector<std::string> names;
    for (const Export& item : exports) {
        names.push_back(item.name);
    }
    return names;
}

}  // namespace

TEST(UsbExports, HalvexExportsItsFourNames) {
    for (const wchar_t* variant : {L"hardware", L"simulated"}) {
        SCOPED_TRACE(std::string(variant, variant + wcslen(variant)));
        std::vector<Export> exports = ExportsOf(BuiltLibrary(variant, L"Halvex.dll"));
        EXPECT_EQ(Names(exports), (std::vector<std::string>{"DeviceHandle", "FindUsb", "Read", "Write"}));
        for (const Export& item : exports) {
            EXPECT_EQ(item.executable, item.name != "DeviceHandle") << item.name;
        }
    }
}

TEST(UsbExports, PembleExportsItsFourNames) {
    for (const wchar_t* variant : {L"hardware", L"simulated"}) {
        SCOPED_TRACE(std::string(variant, variant + wcslen(variant)));
        std::vector<Export> exports = ExportsOf(BuiltLibrary(variant, L"PembleUSB.dll"));
        EXPECT_EQ(Names(exports), (std::vector<std::string>{"CloseUSBDevice", "OpenUSBDevice", "ReadUSB", "WriteUSB"}));
        for (const Export& item : exports) {
            EXPECT_TRUE(item.executable) << item.name;
        }
    }
}

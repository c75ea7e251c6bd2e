// Loading "PembleUSB.dll" in this process: where it may come from and how
// its entry points are resolved.
#include "app/pemble_library.h"
#include "tests/app/app_test_files.h"
#include <gtest/gtest.h>

using app_test::BuiltFile;
using app_test::ScratchFolder;

namespace {

std::wstring SimulatedFolder() { return BuiltFile(APP_TEST_BIN_DIR, L"simulated"); }
std::wstring WithoutReadFolder() { return BuiltFile(APP_TEST_NO_READ_DIR, L"."); }

template <typename Proc>
const void* Address(Proc proc) {
    return reinterpret_cast<const void*>(proc);
}

bool NoEntryPoints() { return !g_OpenUSBDevice && !g_CloseUSBDevice && !g_WriteUSB && !g_ReadUSB; }

// Runs the test body with another current directory.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::wstring& folder) {
        wchar_t previous[MAX_PATH + 1]{};
        ::GetCurrentDirectoryW(MAX_PATH + 1, previous);
        m_previous = previous;
        ::SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentDirectory() { ::SetCurrentDirectoryW(m_previous.c_str()); }

private:
    std::wstring m_previous;
};

}  // namespace

TEST(PembleLibrary, FromTheExecutableFolderAllFourEntryPointsResolve) {
    CModule library;
    ASSERT_TRUE(LoadPembleLibrary(SimulatedFolder(), library));
    ASSERT_TRUE(ResolvePembleEntryPoints(library));
    EXPECT_EQ(Address(g_OpenUSBDevice), Address(::GetProcAddress(library.Get(), "OpenUSBDevice")));
    EXPECT_EQ(Address(g_CloseUSBDevice), Address(::GetProcAddress(library.Get(), "CloseUSBDevice")));
    EXPECT_EQ(Address(g_WriteUSB), Address(::GetProcAddress(library.Get(), "WriteUSB")));
    EXPECT_EQ(Address(g_ReadUSB), Address(::GetProcAddress(library.Get(), "ReadUSB")));
    wchar_t loaded[MAX_PATH + 1]{};
    ::GetModuleFileNameW(library.Get(), loaded, MAX_PATH + 1);
    EXPECT_EQ(std::wstring(loaded), SimulatedFolder() + L"\\PembleUSB.dll");
    ClearPembleEntryPoints();
    EXPECT_TRUE(NoEntryPoints());
}

TEST(PembleLibrary, OneMissingExportLeavesAllFourAbsent) {
    CModule full;
    ASSERT_TRUE(LoadPembleLibrary(SimulatedFolder(), full));
    ASSERT_TRUE(ResolvePembleEntryPoints(full));

    CModule partial;
    ASSERT_TRUE(LoadPembleLibrary(WithoutReadFolder(), partial));
    ASSERT_NE(::GetProcAddress(partial.Get(), "OpenUSBDevice"), nullptr) << "the test library has the other three";
    EXPECT_FALSE(ResolvePembleEntryPoints(partial));
    EXPECT_TRUE(NoEntryPoints()) << "nothing of the earlier library survives either";
}

TEST(PembleLibrary, NothingLoadedResolvesNothing) {
    const CModule none;
    EXPECT_FALSE(ResolvePembleEntryPoints(none));
    EXPECT_TRUE(NoEntryPoints());
}

TEST(PembleLibrary, ACopyInTheCurrentDirectoryIsNotLoaded) {
    const ScratchFolder exeFolder(L"pemble-exe");
    const ScratchFolder planted(L"pemble-planted");
    ASSERT_TRUE(
        ::CopyFileW((SimulatedFolder() + L"\\PembleUSB.dll").c_str(), (planted / L"PembleUSB.dll").c_str(), FALSE));
    {
        const CurrentDirectory inPlanted(planted.path());
        CModule library;
        EXPECT_FALSE(LoadPembleLibrary(exeFolder.path(), library));
        EXPECT_FALSE(library);
    }
    EXPECT_EQ(::GetModuleHandleW(L"PembleUSB.dll"), nullptr);
}

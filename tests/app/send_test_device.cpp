#include "tests/app/send_test_device.h"
#include "app/pemble_library.h"
#include "app/velmora_app.h"
#include "device/send.h"
#include "res/resource.h"
#include <fstream>
#include <iterator>
#include <sstream>

namespace send_test {

namespace {

std::wstring BesideProgram(const wchar_t* name) { return ProgramFolder() + L"\\" + name; }

std::string ReadText(const wchar_t* name) {
    std::ifstream in(BesideProgram(name).c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH + 1]{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

void ResetSimulatedDevice(const std::vector<std::string>& settings) {
    for (const wchar_t* name : {L"SimDevice.log", L"SimDevice-received.bin", L"SimDevice.state"})
        ::DeleteFileW(BesideProgram(name).c_str());
    std::ofstream ini(BesideProgram(L"SimDevice.ini").c_str(), std::ios::binary | std::ios::trunc);
    ini << "[SimDevice]\r\n";
    for (const std::string& line : settings)
        ini << line << "\r\n";
}

std::vector<std::string> LogLines() {
    std::istringstream in(ReadText(L"SimDevice.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> PacketLines() {
    std::vector<std::string> packets;
    for (const std::string& line : LogLines())
        if (line.find(" #") != std::string::npos)
            packets.push_back(line);
    return packets;
}

std::vector<unsigned char> ReceivedImage() { return app_test::ReadBytes(BesideProgram(L"SimDevice-received.bin")); }

int StateValue(const char* key) {
    std::istringstream in(ReadText(L"SimDevice.state"));
    const std::string prefix = std::string(key) + "=";
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0)
            return std::stoi(line.substr(prefix.size()));
    return -1;
}

void DeviceTest::SetUp() {
    ResetSimulatedDevice();
    ASSERT_TRUE(LoadPembleLibrary(ProgramFolder(), m_pemble));
    ASSERT_TRUE(ResolvePembleEntryPoints(m_pemble));
    g_useHidLibrary = false;
    g_velmoraApp.m_exeFolder = m_scratch.path();
    g_velmoraApp.m_settingsPath = m_scratch / L"Velmora.ini";
    g_velmoraApp.m_packs[0] = BuiltinChinesePack();
    g_velmoraApp.m_packs[1] = BuiltinEnglishPack();
    g_velmoraApp.m_packCount = 2;
    g_velmoraApp.m_curPack = 1;
    g_velmoraApp.m_appName = L"Velmora";
}

void DeviceTest::TearDown() {
    ClearPembleEntryPoints();
    m_pemble.Reset();
}

void TimerTick(MainWindowHarness& w, UINT_PTR id) { w.SendMessage(WM_TIMER, id); }

void ClickSend(MainWindowHarness& w) {
    w.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEND, BN_CLICKED), reinterpret_cast<LPARAM>(w.GetDlgItem(IDC_SEND)));
}

void DeviceTest::InWindow(const MainWindowHarness::Body& body) {
    MainWindowHarness window;
    bool ran = false;
    const INT_PTR result = window.Run([&](MainWindowHarness& w) {
        ran = true;
        ASSERT_TRUE(w.Progress().GetSafeHwnd() && w.DeviceIcon().GetSafeHwnd() && w.SendButton().GetSafeHwnd());
        ASSERT_TRUE(w.NoDevicePicture() && w.DevicePicture());
        body(w);
    });
    ASSERT_NE(result, -1) << "the main window was not created";
    ASSERT_TRUE(ran);
}

std::vector<std::wstring> DeviceTest::BoxTexts() const {
    std::vector<std::wstring> texts;
    for (const MessageBoxRequest& box : m_boxes.boxes)
        texts.push_back(box.text);
    return texts;
}

}  // namespace send_test

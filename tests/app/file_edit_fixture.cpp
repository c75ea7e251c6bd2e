#include "tests/app/file_edit_fixture.h"
#include "app/velmora_app.h"
#include "files/clipboard_row.h"
#include "widgets/ask_question.h"
#include <commctrl.h>
#include <cstring>
#include <filesystem>
#include <fstream>

FileEditTest::FileEditTest() : folder(L"files-" + app_test::CurrentTestName()) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    g_velmoraApp.m_winWidth = 1000;
    g_velmoraApp.m_winHeight = 700;
    g_velmoraApp.m_exeFolder = folder.path();
    g_velmoraApp.m_settingsPath = folder / L"Velmora.ini";
    g_velmoraApp.LoadLanguagePacks();
    for (int i = 0; i < g_velmoraApp.m_packCount; ++i)
        if (PackText(g_velmoraApp.m_packs[i].name, PACK_NAME_SIZE) == L"English")
            g_velmoraApp.m_curPack = i;
    SetQuestionHook([this](const QuestionRequest& request) {
        questions.push_back(request.text);
        if (questionAnswers.empty())
            return IDCANCEL;
        const int answer = questionAnswers.front();
        questionAnswers.erase(questionAnswers.begin());
        return answer;
    });
    SetFileDialogHook([this](const FileDialogRequest& request) -> std::optional<std::wstring> {
        dialogs.push_back(request);
        if (dialogAnswers.empty())
            return std::nullopt;
        auto answer = dialogAnswers.front();
        dialogAnswers.erase(dialogAnswers.begin());
        return answer;
    });
}

FileEditTest::~FileEditTest() {
    SetQuestionHook({});
    SetFileDialogHook({});
}

void FileEditTest::Run(MainWindowHarness& window, const MainWindowHarness::Body& body) {
    bool ran = false;
    const INT_PTR result = window.Run([&](MainWindowHarness& w) {
        ran = true;
        body(w);
    });
    EXPECT_TRUE(ran) << "the main window did not open: " << result << " error " << ::GetLastError();
}

void FileEditTest::WriteBytes(const std::wstring& name, const std::string& bytes) const {
    std::ofstream out(std::filesystem::path(File(name)), std::ios::binary | std::ios::trunc);
    out << bytes;
}

void FileEditTest::WriteLines(const std::wstring& name, const std::vector<std::string>& lines) const {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    WriteBytes(name, text);
}

std::vector<std::wstring> FileEditTest::ErrorTexts() const {
    std::vector<std::wstring> texts;
    for (const auto& box : boxes.boxes)
        if (box.type & MB_ICONSTOP)
            texts.push_back(box.text);
    return texts;
}

std::wstring Cell(const MainWindowHarness& w, int row, int column) { return w.Grid().GetItemText(row, column); }

std::vector<std::wstring> Names(const MainWindowHarness& w) {
    std::vector<std::wstring> names;
    for (int i = 0; i < w.Grid().GetItemCount(); ++i)
        names.push_back(Cell(w, i, 1));
    return names;
}

void LoadLines(MainWindowHarness& w, const std::wstring& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc) << text;
    ASSERT_GE(w.LoadProgramFile(path), 0);
}

void Click(MainWindowHarness& w, UINT id) {
    ::SendMessageW(w.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(w.m_hWnd, static_cast<int>(id))));
}

void Select(MainWindowHarness& w, int row) {
    w.Grid().SelectRow(row);
    w.Pump();
}

UINT RowClipboardFormat() { return ::RegisterClipboardFormatW(CLIPBOARD_FORMAT_NAME); }

std::vector<uint8_t> ClipboardRowBytes() {
    std::vector<uint8_t> bytes;
    if (!::OpenClipboard(nullptr))
        return bytes;
    if (HANDLE data = ::GetClipboardData(RowClipboardFormat())) {
        if (const void* p = ::GlobalLock(data)) {
            const auto* b = static_cast<const uint8_t*>(p);
            bytes.assign(b, b + ::GlobalSize(data));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return bytes;
}

void PutOnClipboard(UINT format, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    ASSERT_NE(block, nullptr);
    std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    ASSERT_NE(::SetClipboardData(format, block), nullptr);
    ::CloseClipboard();
}

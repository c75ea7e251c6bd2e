#include "app/file_dialog.h"
#include <vector>

namespace {

FileDialogHook& Hook() {
    static FileDialogHook hook;
    return hook;
}

// Room for the chosen path; long paths fit with room to spare.
constexpr size_t PATH_BUFFER = 32768;

}  // namespace

std::wstring PlatformFilter(std::wstring_view filter) {
    std::wstring result(filter);
    for (wchar_t& c : result)
        if (c == L'|')
            c = L'\0';
    // The list ends with an empty pair: two NULs after the last pattern.
    while (result.size() < 2 || result[result.size() - 1] != L'\0' || result[result.size() - 2] != L'\0')
        result.push_back(L'\0');
    return result;
}

std::optional<std::wstring> ShowFileDialog(const FileDialogRequest& request) {
    if (Hook())
        return Hook()(request);
    const std::wstring filter = PlatformFilter(request.filter);
    std::vector<wchar_t> file(PATH_BUFFER, L'\0');
    request.initialName.copy(file.data(), file.size() - 1);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    ofn.Flags = request.flags;
    const BOOL chosen = request.kind == FileDialogKind::Open ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    if (!chosen)
        return std::nullopt;
    if (request.chosenFilter)
        *request.chosenFilter = static_cast<int>(ofn.nFilterIndex);
    return std::wstring(file.data());
}

void SetFileDialogHook(FileDialogHook hook) { Hook() = std::move(hook); }

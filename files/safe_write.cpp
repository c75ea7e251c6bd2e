#include "files/safe_write.h"

#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Writes the whole file; `created` tells whether the file was made at all.
bool WriteWhole(const std::filesystem::path& path, const void* data, size_t size, bool& created) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    created = out.is_open();
    if (!out)
        return false;
    if (size > 0)
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();  // a full disk shows here at the latest
    return !out.fail();
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
    // std::filesystem::rename does not replace an existing file everywhere.
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
#endif
}

}  // namespace

bool WriteFileSafely(const std::filesystem::path& path, const void* data, size_t size) {
    if (path.empty() || (!data && size > 0))
        return false;
    std::filesystem::path temporary = path;
    temporary += ".velmora-tmp";
    bool created = false;
    if (WriteWhole(temporary, data, size, created) && ReplaceFile(temporary, path))
        return true;
    std::error_code ignored;
    if (created)
        std::filesystem::remove(temporary, ignored);
    return false;
}

#include "files/safe_write.h"

#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
// Writes the whole file and flushes it to the disk; `created` tells whether
// the file was made at all.
bool WriteWhole(const std::filesystem::path& path, const void* data, size_t size, bool& created) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    created = file != INVALID_HANDLE_VALUE;
    if (!created)
        return false;
    const char* bytes = static_cast<const char*>(data);
    bool ok = true;
    while (ok && size > 0) {
        const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        ok = WriteFile(file, bytes, chunk, &written, nullptr) && written == chunk;
        bytes += chunk;
        size -= chunk;
    }
    // Without the flush a crash after the replacement could leave the target empty.
    ok = ok && FlushFileBuffers(file);
    return CloseHandle(file) && ok;
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    // std::filesystem::rename does not replace an existing file everywhere.
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

unsigned long CurrentProcessId() { return GetCurrentProcessId(); }
#else
bool WriteWhole(const std::filesystem::path& path, const void* data, size_t size, bool& created) {
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    created = file >= 0;
    if (!created)
        return false;
    const char* bytes = static_cast<const char*>(data);
    bool ok = true;
    while (ok && size > 0) {
        const ssize_t written = write(file, bytes, size);
        ok = written > 0;
        if (ok) {
            bytes += written;
            size -= static_cast<size_t>(written);
        }
    }
    // Without the flush a crash after the replacement could leave the target empty.
    ok = ok && fsync(file) == 0;
    return close(file) == 0 && ok;
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
}

unsigned long CurrentProcessId() { return static_cast<unsigned long>(getpid()); }
#endif

}  // namespace

std::filesystem::path TemporaryPathFor(const std::filesystem::path& path, unsigned long processId) {
    std::filesystem::path temporary = path;
    std::string suffix = std::to_string(processId);
    suffix.insert(suffix.begin(), '.');
    suffix += ".velmora-tmp";
    temporary += suffix;
    return temporary;
}

std::filesystem::path TemporaryPathFor(const std::filesystem::path& path) {
    return TemporaryPathFor(path, CurrentProcessId());
}

bool WriteFileSafely(const std::filesystem::path& path, const void* data, size_t size) {
    if (path.empty() || (!data && size > 0))
        return false;
    const std::filesystem::path temporary = TemporaryPathFor(path);
    bool created = false;
    if (WriteWhole(temporary, data, size, created) && ReplaceFile(temporary, path))
        return true;
    std::error_code ignored;
    if (created)
        std::filesystem::remove(temporary, ignored);
    return false;
}

// Replacing a file's contents without ever losing the old file on failure.
#pragma once

#include <cstddef>
#include <filesystem>

// Writes the bytes to a temporary file in the same folder, flushes them to
// the disk and then puts the file in place of `path`. On any failure the old
// file stays as it was, the temporary file is removed and the result is false.
bool WriteFileSafely(const std::filesystem::path& path, const void* data, size_t size);

// The temporary file a save of `path` by process `processId` writes first:
// beside the target, its name ending in the process id and ".velmora-tmp", so
// that two editors saving the same file never share one.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& path, unsigned long processId);
// The same for the running process.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& path);

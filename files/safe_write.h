// Replacing a file's contents without ever losing the old file on failure.
#pragma once

#include <cstddef>
#include <filesystem>

// Writes the bytes to a temporary file in the same folder and then puts it in
// place of `path`. On any failure the old file stays as it was, the temporary
// file is removed and the result is false.
bool WriteFileSafely(const std::filesystem::path& path, const void* data, size_t size);

// Image files (".Bin"): a device image byte for byte, at most 1024 bytes.
#pragma once

#include <cstdint>
#include <filesystem>

// Reads a whole image file into `buffer` (IMAGE_FILE_CAPACITY bytes at least)
// and returns its length: -1 when it cannot be opened, -2 when it is longer
// than IMAGE_FILE_CAPACITY, -3 when fewer bytes than its length could be read,
// -4 when the path or the buffer is missing.
int ReadImageFile(const std::filesystem::path& path, uint8_t* buffer);

// Replaces the file by `length` bytes of `buffer`: 1 on success, 0 when it
// cannot be written, the path or buffer is missing or the length is negative.
int WriteImageFile(const uint8_t* buffer, const std::filesystem::path& path, int length);

#include "files/image_file.h"

#include <fstream>
#include <system_error>

#include "files/safe_write.h"
#include "model/device_image.h"

int ReadImageFile(const std::filesystem::path& path, uint8_t* buffer) {
    if (path.empty() || !buffer)
        return -4;
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return -1;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return -1;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0)
        return -1;
    if (size > IMAGE_FILE_CAPACITY)
        return -2;
    in.seekg(0, std::ios::beg);
    in.read(reinterpret_cast<char*>(buffer), size);
    if (in.gcount() < size)
        return -3;
    return static_cast<int>(size);
}

int WriteImageFile(const uint8_t* buffer, const std::filesystem::path& path, int length) {
    if (!buffer || path.empty() || length < 0)
        return 0;
    return WriteFileSafely(path, buffer, static_cast<size_t>(length)) ? 1 : 0;
}

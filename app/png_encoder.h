// PNG files through the platform's imaging codecs (WIC).
#pragma once
#include <windows.h>
#include <optional>
#include <string>

// The bitmap's pixels as a PNG file image (24-bit colour); nothing when the
// codec is not available or fails.
std::optional<std::string> EncodePng(HBITMAP bitmap);

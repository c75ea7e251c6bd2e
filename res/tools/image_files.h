// Encoding canvases as the files the resource script takes.
#pragma once

#include "res/tools/canvas.h"

#include <cstdint>
#include <string>
#include <vector>

// A 24-bit bottom-up Windows bitmap file; alpha is ignored.
std::vector<std::uint8_t> EncodeBmp(const Canvas& canvas);

// An icon file with one 32-bit image (colour with alpha, plus the 1-bit
// mask older readers use) per canvas; canvases up to 255 x 255.
std::vector<std::uint8_t> EncodeIco(const std::vector<Canvas>& images);

bool SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

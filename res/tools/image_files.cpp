#include "res/tools/image_files.h"

#include <fstream>

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// BITMAPINFOHEADER; an icon image states twice its height (colour + mask).
void PutInfoHeader(std::vector<std::uint8_t>& out, const Canvas& canvas, int heightFactor, unsigned bitCount,
                   std::uint32_t imageSize) {
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(canvas.width));
    Put32(out, static_cast<std::uint32_t>(canvas.height * heightFactor));
    Put16(out, 1);
    Put16(out, bitCount);
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

std::uint32_t RowBytes(int width, unsigned bitCount) {
    return ((static_cast<std::uint32_t>(width) * bitCount + 31) / 32) * 4;
}

std::vector<std::uint8_t> EncodeIconImage(const Canvas& canvas) {
    std::uint32_t colourRow = RowBytes(canvas.width, 32);
    std::uint32_t maskRow = RowBytes(canvas.width, 1);
    std::uint32_t size = (colourRow + maskRow) * static_cast<std::uint32_t>(canvas.height);
    std::vector<std::uint8_t> out;
    PutInfoHeader(out, canvas, 2, 32, size);
    for (int y = canvas.height - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width; ++x) {
            Colour c = PixelAt(canvas, x, y);
            out.insert(out.end(), {c.b, c.g, c.r, c.a});
        }
    }
    for (int y = canvas.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (int x = 0; x < canvas.width; ++x) {
            if (PixelAt(canvas, x, y).a < 128) {
                row[static_cast<size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Canvas& canvas) {
    std::uint32_t row = RowBytes(canvas.width, 24);
    std::uint32_t imageSize = row * static_cast<std::uint32_t>(canvas.height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    PutInfoHeader(out, canvas, 1, 24, imageSize);
    for (int y = canvas.height - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width; ++x) {
            Colour c = PixelAt(canvas, x, y);
            out.insert(out.end(), {c.b, c.g, c.r});
        }
        out.resize(out.size() + (row - 3 * static_cast<std::uint32_t>(canvas.width)), 0);
    }
    return out;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<Canvas>& images) {
    std::vector<std::vector<std::uint8_t>> encoded;
    for (const Canvas& image : images) {
        encoded.push_back(EncodeIconImage(image));
    }
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].width));
        out.push_back(static_cast<std::uint8_t>(images[i].height));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);   // planes
        Put16(out, 32);  // bits per pixel
        Put32(out, static_cast<std::uint32_t>(encoded[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const std::vector<std::uint8_t>& image : encoded) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

bool SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

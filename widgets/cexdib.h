// CCeXDib: one device-independent palette image (1, 4 or 8 bits per pixel)
// held as a single block: information header, palette, bottom-up pixel rows.
#pragma once
#include <windows.h>
#include <cstddef>
#include <vector>

class CCeXDib {
public:
    CCeXDib() = default;
    CCeXDib(const CCeXDib&) = delete;
    CCeXDib& operator=(const CCeXDib&) = delete;

    // Makes a new image with every pixel and palette entry zero; any earlier
    // image is released first. False (and no image) for a bit count other
    // than 1, 4 or 8, a size that is not positive or an image too large.
    bool Create(int width, int height, WORD bitCount);
    // Releases the image.
    void Clear() { m_block.clear(); }
    // Makes this image a copy of `source` (an empty source empties it).
    void Copy(const CCeXDib& source) { m_block = source.m_block; }

    bool IsValid() const { return !m_block.empty(); }
    // The whole block: header, palette, rows; empty without an image.
    const BYTE* GetBlock() const { return m_block.data(); }
    std::size_t GetBlockSize() const { return m_block.size(); }
    BITMAPINFOHEADER GetHeader() const;
    int GetWidth() const;
    int GetHeight() const;
    WORD GetBitCount() const;
    // Number of palette entries: 2, 16 or 256; 0 without an image.
    int GetPaletteSize() const;
    // Bytes in one pixel row, padded to a multiple of four.
    DWORD GetLineWidth() const;

    // Palette entries outside the palette are ignored (set) or read as zero (get).
    void SetPaletteIndex(int index, BYTE red, BYTE green, BYTE blue);
    RGBQUAD GetPaletteColor(int index) const;
    // Moves every palette entry `percent` percent of the way towards `target`:
    // component = (percent * target + (100 - percent) * component) / 100.
    void BlendPalette(COLORREF target, int percent);

    // Pixel rows, bottom row first; null without an image.
    BYTE* GetBits();
    const BYTE* GetBits() const;

    // Copies the pixels 1:1 at the image's own size with its top-left at (x, y).
    void Draw(HDC dc, int x, int y) const;

private:
    std::size_t PaletteOffset() const { return sizeof(BITMAPINFOHEADER); }
    std::size_t BitsOffset() const;

    std::vector<BYTE> m_block;
};

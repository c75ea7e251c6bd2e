#include "widgets/cexdib.h"
#include <algorithm>
#include <cstring>

namespace {
// Larger images are refused; no button comes near this.
constexpr std::size_t kMaxImageBytes = 64u << 20;

DWORD LineWidth(int width, WORD bitCount) {
    return static_cast<DWORD>(((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4);
}
}  // namespace

bool CCeXDib::Create(int width, int height, WORD bitCount) {
    Clear();
    if (width <= 0 || height <= 0 || (bitCount != 1 && bitCount != 4 && bitCount != 8))
        return false;
    const std::size_t line = LineWidth(width, bitCount);
    if (line > kMaxImageBytes / static_cast<std::size_t>(height))
        return false;
    const std::size_t imageSize = line * static_cast<std::size_t>(height);
    const std::size_t paletteSize = (std::size_t{1} << bitCount) * sizeof(RGBQUAD);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // positive: rows run bottom-up
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(imageSize);
    m_block.assign(sizeof header + paletteSize + imageSize, 0);
    std::memcpy(m_block.data(), &header, sizeof header);
    return true;
}

BITMAPINFOHEADER CCeXDib::GetHeader() const {
    BITMAPINFOHEADER header{};
    if (IsValid())
        std::memcpy(&header, m_block.data(), sizeof header);
    return header;
}

int CCeXDib::GetWidth() const { return GetHeader().biWidth; }
int CCeXDib::GetHeight() const { return GetHeader().biHeight; }
WORD CCeXDib::GetBitCount() const { return GetHeader().biBitCount; }

int CCeXDib::GetPaletteSize() const { return IsValid() ? 1 << GetBitCount() : 0; }

DWORD CCeXDib::GetLineWidth() const { return IsValid() ? LineWidth(GetWidth(), GetBitCount()) : 0; }

std::size_t CCeXDib::BitsOffset() const {
    return PaletteOffset() + static_cast<std::size_t>(GetPaletteSize()) * sizeof(RGBQUAD);
}

void CCeXDib::SetPaletteIndex(int index, BYTE red, BYTE green, BYTE blue) {
    if (index < 0 || index >= GetPaletteSize())
        return;
    const RGBQUAD entry{blue, green, red, 0};
    std::memcpy(m_block.data() + PaletteOffset() + static_cast<std::size_t>(index) * sizeof entry, &entry,
                sizeof entry);
}

RGBQUAD CCeXDib::GetPaletteColor(int index) const {
    RGBQUAD entry{};
    if (index >= 0 && index < GetPaletteSize())
        std::memcpy(&entry, m_block.data() + PaletteOffset() + static_cast<std::size_t>(index) * sizeof entry,
                    sizeof entry);
    return entry;
}

void CCeXDib::BlendPalette(COLORREF target, int percent) {
    percent = std::clamp(percent, 0, 100);
    const auto blend = [percent](int to, int from) {
        return static_cast<BYTE>((percent * to + (100 - percent) * from) / 100);
    };
    for (int i = 0; i < GetPaletteSize(); ++i) {
        const RGBQUAD c = GetPaletteColor(i);
        SetPaletteIndex(i, blend(GetRValue(target), c.rgbRed), blend(GetGValue(target), c.rgbGreen),
                        blend(GetBValue(target), c.rgbBlue));
    }
}

BYTE* CCeXDib::GetBits() { return IsValid() ? m_block.data() + BitsOffset() : nullptr; }

const BYTE* CCeXDib::GetBits() const { return IsValid() ? m_block.data() + BitsOffset() : nullptr; }

void CCeXDib::Draw(HDC dc, int x, int y) const {
    if (!IsValid())
        return;
    const int width = GetWidth();
    const int height = GetHeight();
    // The block is laid out exactly as a BITMAPINFO followed by its bits.
    ::SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                        static_cast<UINT>(height), GetBits(), reinterpret_cast<const BITMAPINFO*>(m_block.data()),
                        DIB_RGB_COLORS);
}

// The palette image and the shade built on it, as data and as drawn pixels.
#include "tests/support/test_support.h"
#include "widgets/cexdib.h"
#include "widgets/shade_image.h"
#include <gtest/gtest.h>

using testing_support::PixelCanvas;

namespace {
constexpr COLORREF kShadow = RGB(160, 160, 160);
constexpr COLORREF kFace = RGB(240, 240, 240);
constexpr COLORREF kHighlight = RGB(255, 255, 255);

COLORREF ColourOf(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

// The palette index of the row `yFromTop` pixels below the top of an image `height` high.
BYTE IndexAtRow(const CCeXDib& image, int yFromTop) {
    const int fromBottom = image.GetHeight() - 1 - yFromTop;
    return image.GetBits()[static_cast<std::size_t>(fromBottom) * image.GetLineWidth()];
}
}  // namespace

TEST(CeXDib, OneBlockOfHeaderPaletteAndPaddedRows) {
    CCeXDib image;
    ASSERT_TRUE(image.Create(33, 3, 1));
    EXPECT_EQ(image.GetPaletteSize(), 2);
    EXPECT_EQ(image.GetLineWidth(), 8u) << "33 bits padded to two 32-bit words";
    EXPECT_EQ(image.GetBlockSize(), 40u + 2 * 4 + 8 * 3);
    const BITMAPINFOHEADER h = image.GetHeader();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 33);
    EXPECT_EQ(h.biHeight, 3) << "positive: rows run bottom-up";
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 1);
    EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(h.biSizeImage, 24u);

    ASSERT_TRUE(image.Create(3, 2, 4));
    EXPECT_EQ(image.GetPaletteSize(), 16);
    EXPECT_EQ(image.GetLineWidth(), 4u);
    EXPECT_EQ(image.GetBlockSize(), 40u + 16 * 4 + 4 * 2) << "the earlier image is released";

    ASSERT_TRUE(image.Create(5, 1, 8));
    EXPECT_EQ(image.GetPaletteSize(), 256);
    EXPECT_EQ(image.GetLineWidth(), 8u);
    // Palette entries are stored blue, green, red, reserved right after the header.
    image.SetPaletteIndex(1, 10, 20, 30);
    const BYTE* entry = image.GetBlock() + 40 + 4;
    EXPECT_EQ(entry[0], 30);
    EXPECT_EQ(entry[1], 20);
    EXPECT_EQ(entry[2], 10);
    EXPECT_EQ(entry[3], 0);
}

TEST(CeXDib, RefusesUnusableImagesAndOutOfRangeEntries) {
    CCeXDib image;
    EXPECT_FALSE(image.Create(10, 10, 24));
    EXPECT_FALSE(image.Create(0, 10, 8));
    EXPECT_FALSE(image.Create(10, -1, 8));
    EXPECT_FALSE(image.Create(1 << 30, 1 << 30, 8)) << "too large, no overflow";
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetBits(), nullptr);
    image.SetPaletteIndex(0, 1, 2, 3);  // no image: ignored
    image.Draw(nullptr, 0, 0);

    ASSERT_TRUE(image.Create(2, 2, 4));
    image.SetPaletteIndex(16, 1, 2, 3);
    image.SetPaletteIndex(-1, 1, 2, 3);
    EXPECT_EQ(ColourOf(image.GetPaletteColor(16)), RGB(0, 0, 0));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ColourOf(image.GetPaletteColor(i)), RGB(0, 0, 0));
}

TEST(CeXDib, BlendMovesEveryEntryByThePercentageWithIntegerDivision) {
    CCeXDib image;
    ASSERT_TRUE(image.Create(1, 1, 1));
    image.SetPaletteIndex(0, 0, 100, 255);
    image.SetPaletteIndex(1, 201, 3, 7);
    image.BlendPalette(RGB(75, 200, 220), 75);
    EXPECT_EQ(ColourOf(image.GetPaletteColor(0)), RGB(56, 175, 228));  // (16500 + 6375) / 100 = 228
    EXPECT_EQ(ColourOf(image.GetPaletteColor(1)), RGB(106, 150, 166));
}

TEST(CeXDib, CopyIsIndependentAndDrawCopiesPixelsOneToOne) {
    CCeXDib image;
    ASSERT_TRUE(image.Create(3, 2, 1));
    image.SetPaletteIndex(0, 255, 0, 0);
    image.SetPaletteIndex(1, 0, 0, 255);
    image.GetBits()[0] = 0x40;  // bottom row: the middle pixel uses entry 1
    CCeXDib copy;
    copy.Copy(image);
    image.SetPaletteIndex(1, 0, 255, 0);
    EXPECT_EQ(ColourOf(copy.GetPaletteColor(1)), RGB(0, 0, 255));

    PixelCanvas canvas(6, 5, RGB(9, 9, 9));
    copy.Draw(canvas.dc(), 2, 1);
    EXPECT_EQ(canvas.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(3, 2), RGB(0, 0, 255)) << "the bottom row is drawn lowest";
    EXPECT_EQ(canvas.At(3, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(4, 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(1, 1), RGB(9, 9, 9));
    EXPECT_EQ(canvas.At(5, 2), RGB(9, 9, 9));
    EXPECT_EQ(canvas.At(2, 3), RGB(9, 9, 9));
}

TEST(ShadeImage, PaletteFromShadowFaceAndHighlightBlendedTowardsTheTint) {
    CCeXDib shade;
    ASSERT_TRUE(BuildShadeImage(shade, 4, 28, kShadow, kFace, kHighlight));
    ASSERT_EQ(shade.GetBitCount(), 8);
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD c = shade.GetPaletteColor(i);
        EXPECT_EQ(c.rgbRed, 56) << i;
        EXPECT_EQ(c.rgbGreen, 150) << i;
    }
    EXPECT_EQ(shade.GetPaletteColor(0).rgbBlue, 205);    // blue(S) = 160
    EXPECT_EQ(shade.GetPaletteColor(81).rgbBlue, 217);   // (160*47 + 240*81)/128 = 210
    EXPECT_EQ(shade.GetPaletteColor(127).rgbBlue, 224);  // 239
    EXPECT_EQ(shade.GetPaletteColor(128).rgbBlue, 225) << "the second half's value (240) stands";
    EXPECT_EQ(shade.GetPaletteColor(255).rgbBlue, 228);  // blue(L) = 255
}

TEST(ShadeImage, RowsHoldThreeTimesTheirHeightAboveTheBottomAndWrapAfter85) {
    CCeXDib shade;
    ASSERT_TRUE(BuildShadeImage(shade, 6, 28, kShadow, kFace, kHighlight));
    EXPECT_EQ(IndexAtRow(shade, 27), 0);
    EXPECT_EQ(IndexAtRow(shade, 0), 81);

    PixelCanvas canvas(6, 28);
    shade.Draw(canvas.dc(), 0, 0);
    EXPECT_EQ(canvas.At(0, 27), RGB(56, 150, 205)) << "bottom row";
    EXPECT_EQ(canvas.At(5, 0), RGB(56, 150, 217)) << "top row";
    for (int y = 1; y < 28; ++y)
        EXPECT_GE(GetBValue(canvas.At(3, y - 1)), GetBValue(canvas.At(3, y))) << "lightest at the top, row " << y;

    ASSERT_TRUE(BuildShadeImage(shade, 6, 90, kShadow, kFace, kHighlight));
    PixelCanvas tall(6, 90);
    shade.Draw(tall.dc(), 0, 0);
    // Rows counted from the bottom: 85 uses entry 255, 86 wraps to entry 2.
    EXPECT_EQ(IndexAtRow(shade, 89 - 85), 255);
    EXPECT_EQ(IndexAtRow(shade, 89 - 86), 2);
    EXPECT_EQ(tall.At(0, 89 - 85), RGB(56, 150, 228));
    EXPECT_EQ(tall.At(0, 89 - 86), ColourOf(shade.GetPaletteColor(2)));
    EXPECT_LT(GetBValue(tall.At(0, 89 - 86)), GetBValue(tall.At(0, 89 - 85))) << "dark again";
}

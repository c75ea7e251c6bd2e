#include "widgets/shade_image.h"
#include <cstring>

bool BuildShadeImage(CCeXDib& image, int width, int height, COLORREF shadow, COLORREF face, COLORREF highlight) {
    if (!image.Create(width, height, 8))
        return false;
    const int s = GetBValue(shadow);
    const int f = GetBValue(face);
    const int l = GetBValue(highlight);
    for (int k = 0; k <= 128; ++k)
        image.SetPaletteIndex(k, 0, 0, static_cast<BYTE>((s * (128 - k) + f * k) / 128));
    // Entry 128 is written twice; the second half's first value stands.
    for (int i = 1; i <= 128; ++i)
        image.SetPaletteIndex(127 + i, 0, 0, static_cast<BYTE>((f * (128 - i) + l * i) / 128));
    image.BlendPalette(kShadeTint, kShadeTintPercent);

    BYTE* row = image.GetBits();
    const DWORD line = image.GetLineWidth();
    for (int y = 0; y < height; ++y, row += line)  // rows are stored bottom-up
        std::memset(row, (3 * y) % 256, line);
    return true;
}

bool BuildSystemShadeImage(CCeXDib& image, int width, int height) {
    return BuildShadeImage(image, width, height, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNFACE),
                           ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

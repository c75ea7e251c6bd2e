// The shaded face of the raised image buttons: an 8-bit vertical shade in
// blue tones, built from the system's shadow, face and highlight colours.
#pragma once
#include "widgets/cexdib.h"

// The colour every palette entry is blended towards, and by how much.
constexpr COLORREF kShadeTint = RGB(75, 200, 220);
constexpr int kShadeTintPercent = 75;

// Makes `image` a width x height 8-bit shade from shadow (S), face (F) and
// highlight (L): entries 0..128 run from blue(S) to blue(F), entries 128..255
// from just above blue(F) to blue(L), red and green 0, then all are tinted;
// the row y pixels above the bottom edge uses entry (3 * y) mod 256.
// False when the image cannot be made.
bool BuildShadeImage(CCeXDib& image, int width, int height, COLORREF shadow, COLORREF face, COLORREF highlight);

// The shade built from the current system colours.
bool BuildSystemShadeImage(CCeXDib& image, int width, int height);

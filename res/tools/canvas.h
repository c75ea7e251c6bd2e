// A small RGBA raster with the few drawing operations the pictures need.
// Everything is drawn without smoothing: every pixel is either painted or not.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;
};

constexpr Colour TRANSPARENT_PIXEL{0, 0, 0, 0};

struct Point {
    double x = 0;
    double y = 0;
};

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // row by row from the top
};

Canvas MakeCanvas(int width, int height, Colour fill);
Colour PixelAt(const Canvas& canvas, int x, int y);

// Pixels outside the canvas are ignored by every operation.
void Plot(Canvas& canvas, int x, int y, Colour colour);
void FillRect(Canvas& canvas, int x, int y, int width, int height, Colour colour);
void FrameRect(Canvas& canvas, int x, int y, int width, int height, Colour colour);
void DrawLine(Canvas& canvas, int x0, int y0, int x1, int y1, Colour colour);
// Paints the pixels whose centres lie inside the polygon (even-odd rule).
void FillPolygon(Canvas& canvas, std::initializer_list<Point> corners, Colour colour);
// Paints the pixels whose centres lie inside the ellipse.
void FillEllipse(Canvas& canvas, double centreX, double centreY, double radiusX, double radiusY, Colour colour);
// Rectangle with corners cut round by `radius`, filled, with a one-pixel edge.
void FillRoundRect(Canvas& canvas, int x, int y, int width, int height, int radius, Colour fill, Colour edge);

// Pixel art: each character of `rows` picks a colour from `palette`; a
// character without an entry (such as '.') leaves the pixel as it is.
using Palette = std::initializer_list<std::pair<char, Colour>>;
void PaintPixelArt(Canvas& canvas, int x, int y, std::initializer_list<std::string_view> rows, Palette palette);

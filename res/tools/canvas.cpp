#include "res/tools/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

Canvas MakeCanvas(int width, int height, Colour fill) {
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    return canvas;
}

Colour PixelAt(const Canvas& canvas, int x, int y) {
    return canvas.pixels[static_cast<size_t>(y) * static_cast<size_t>(canvas.width) + static_cast<size_t>(x)];
}

void Plot(Canvas& canvas, int x, int y, Colour colour) {
    if (x >= 0 && y >= 0 && x < canvas.width && y < canvas.height) {
        canvas.pixels[static_cast<size_t>(y) * static_cast<size_t>(canvas.width) + static_cast<size_t>(x)] = colour;
    }
}

void FillRect(Canvas& canvas, int x, int y, int width, int height, Colour colour) {
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            Plot(canvas, column, row, colour);
        }
    }
}

void FrameRect(Canvas& canvas, int x, int y, int width, int height, Colour colour) {
    FillRect(canvas, x, y, width, 1, colour);
    FillRect(canvas, x, y + height - 1, width, 1, colour);
    FillRect(canvas, x, y, 1, height, colour);
    FillRect(canvas, x + width - 1, y, 1, height, colour);
}

void DrawLine(Canvas& canvas, int x0, int y0, int x1, int y1, Colour colour) {
    int dx = std::abs(x1 - x0);
    int dy = -std::abs(y1 - y0);
    int stepX = x0 < x1 ? 1 : -1;
    int stepY = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Plot(canvas, x0, y0, colour);
        if (x0 == x1 && y0 == y1) {
            return;
        }
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y0 += stepY;
        }
    }
}

void FillPolygon(Canvas& canvas, std::initializer_list<Point> corners, Colour colour) {
    std::vector<Point> points(corners);
    for (int y = 0; y < canvas.height; ++y) {
        double centreY = y + 0.5;
        std::vector<double> crossings;
        for (size_t i = 0; i < points.size(); ++i) {
            const Point& a = points[i];
            const Point& b = points[(i + 1) % points.size()];
            if ((a.y <= centreY) != (b.y <= centreY)) {
                crossings.push_back(a.x + (centreY - a.y) * (b.x - a.x) / (b.y - a.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            for (int x = 0; x < canvas.width; ++x) {
                double centreX = x + 0.5;
                if (centreX >= crossings[i] && centreX < crossings[i + 1]) {
                    Plot(canvas, x, y, colour);
                }
            }
        }
    }
}

void FillEllipse(Canvas& canvas, double centreX, double centreY, double radiusX, double radiusY, Colour colour) {
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            double u = (x + 0.5 - centreX) / radiusX;
            double v = (y + 0.5 - centreY) / radiusY;
            if (u * u + v * v <= 1.0) {
                Plot(canvas, x, y, colour);
            }
        }
    }
}

void FillRoundRect(Canvas& canvas, int x, int y, int width, int height, int radius, Colour fill, Colour edge) {
    auto inside = [&](int px, int py, int inset) {
        double left = x + inset + radius;
        double right = x + width - inset - radius;
        double top = y + inset + radius;
        double bottom = y + height - inset - radius;
        double cx = std::clamp(px + 0.5, left, right);
        double cy = std::clamp(py + 0.5, top, bottom);
        double dx = px + 0.5 - cx;
        double dy = py + 0.5 - cy;
        return px >= x + inset && px < x + width - inset && py >= y + inset && py < y + height - inset &&
               dx * dx + dy * dy <= radius * radius;
    };
    for (int py = y; py < y + height; ++py) {
        for (int px = x; px < x + width; ++px) {
            if (inside(px, py, 1)) {
                Plot(canvas, px, py, fill);
            } else if (inside(px, py, 0)) {
                Plot(canvas, px, py, edge);
            }
        }
    }
}

void PaintPixelArt(Canvas& canvas, int x, int y, std::initializer_list<std::string_view> rows, Palette palette) {
    int row = 0;
    for (std::string_view text : rows) {
        for (size_t column = 0; column < text.size(); ++column) {
            for (const auto& [key, colour] : palette) {
                if (key == text[column]) {
                    Plot(canvas, x + static_cast<int>(column), y + row, colour);
                }
            }
        }
        ++row;
    }
}

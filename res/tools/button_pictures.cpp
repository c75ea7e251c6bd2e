// The five 24 x 24 pictures of the shaded buttons. Every colour inside a
// picture differs from its transparent background colour.
#include "res/tools/pictures.h"

#include <cmath>

namespace {

constexpr int SIZE = 24;

constexpr Colour GREEN{40, 170, 60};
constexpr Colour GREEN_LIGHT{130, 225, 120};
constexpr Colour GREEN_DARK{0, 96, 24};
constexpr Colour RED{220, 40, 32};
constexpr Colour RED_LIGHT{255, 130, 110};
constexpr Colour RED_DARK{120, 0, 0};
constexpr Colour BLUE{48, 100, 210};
constexpr Colour BLUE_LIGHT{120, 170, 245};
constexpr Colour BLUE_DARK{16, 32, 110};

// A straight piece along the line from `start` to `end`: between distances
// `from` and `to` from `start`, and between `left` and `right` half widths
// to either side (-1 .. 1 spans the whole width).
struct Strip {
    Point start;
    Point end;
    double halfWidth;
};

void FillAcross(Canvas& canvas, const Strip& strip, double from, double to, double left, double right, Colour colour) {
    double dx = strip.end.x - strip.start.x;
    double dy = strip.end.y - strip.start.y;
    double length = std::hypot(dx, dy);
    Point along{dx / length, dy / length};
    Point side{-along.y * strip.halfWidth, along.x * strip.halfWidth};
    auto at = [&](double distance, double across) {
        return Point{strip.start.x + along.x * distance + side.x * across,
                     strip.start.y + along.y * distance + side.y * across};
    };
    FillPolygon(canvas, {at(from, left), at(to, left), at(to, right), at(from, right)}, colour);
}

double LengthOf(const Strip& strip) { return std::hypot(strip.end.x - strip.start.x, strip.end.y - strip.start.y); }

}  // namespace

Canvas DrawOpenPicture() {
    Canvas canvas = MakeCanvas(SIZE, SIZE, BUTTON_GREY);
    PaintPixelArt(canvas, 0, 0,
                  {
                      "........................", ".................G......", "................GlG.....",
                      "...............GlggG....", "..............GlggggG...", ".ooooo.......GGGlggGGG..",
                      "oyhhhyo........GlggG....", "oyyyyyyooooooooGlggG....", "oyhhhhhhhhhhhhhGlggG....",
                      "oyyyyyyyyyyyyyyGlggG....", "oyyyyyyyyyyyyyyGlggG....", "oyyyoooooooooooooooooo..",
                      "oyyyohhhhhhhhhhhhhhhho..", "oyyoYYYYYYYYYYYYYYYYo...", "oyyoYYYYYYYYYYYYYYYYo...",
                      "oyyoYYYYYYYYYYYYYYYYo...", "oyoYYYYYYYYYYYYYYYYo....", "oyoYYYYYYYYYYYYYYYYo....",
                      "oyoYYYYYYYYYYYYYYYYo....", "ooYYYYYYYYYYYYYYYYo.....", "ooYYYYYYYYYYYYYYYYo.....",
                      "ooooooooooooooooooo.....", "........................", "........................",
                  },
                  {{'o', {128, 84, 0}},
                   {'y', {222, 170, 40}},
                   {'h', {255, 240, 170}},
                   {'Y', {255, 214, 64}},
                   {'G', GREEN_DARK},
                   {'g', GREEN},
                   {'l', GREEN_LIGHT}});
    return canvas;
}

Canvas DrawSavePicture() {
    Canvas canvas = MakeCanvas(SIZE, SIZE, BUTTON_GREY);
    PaintPixelArt(canvas, 0, 0,
                  {
                      "........................", ".BBBBBBBBBBBBBBBBBB.....", ".BlbbBssssssSSsBbbbB....",
                      ".BlbbBssssssSSsBbbbbB...", ".BbbbBssssssSSsBbbbbB...", ".BbbbBssssssSSsBbbbbB...",
                      ".BbbbBssssssSSsBbbbbB...", ".BbbbBssssssssssBbbbB...", ".BbbbBBBBBBBBBBBBbbbB...",
                      ".BbbbbbbbbbbbbbbbbbbB...", ".BbbbbbbbbbbbbbbbbbbB...", ".BbbBBBBBBBBBBBBBBbbB...",
                      ".BbbBwwwwwwwwwwwwBbbB...", ".BbbBwrrrrrrrrrrwBbbB...", ".BbbBwwwwwwwwwwwwBbbB...",
                      ".BbbBwrrrrrrrrrrwBbbB...", ".BbbBwwwwwwwwwwwwBbbB...", ".BbbBwrrrrrrrrrrwBbbB...",
                      ".BbbBwwwwwwwwwwwwBbbB...", ".BbbBwwwwwwwwwwwwBbbB...", ".BBBBBBBBBBBBBBBBBBBB...",
                      "........................", "........................", "........................",
                  },
                  {{'B', BLUE_DARK},
                   {'b', BLUE},
                   {'l', BLUE_LIGHT},
                   {'s', {206, 208, 218}},
                   {'S', {96, 100, 120}},
                   {'w', {250, 250, 246}},
                   {'r', {170, 180, 210}}});

    // The pencil lies across the lower right corner, point down to the left.
    Strip pencil{{22.5, 7.5}, {9.5, 20.5}, 2.3};
    double length = LengthOf(pencil);
    constexpr Colour outline{60, 40, 16};
    FillAcross(canvas, pencil, -1, length - 4, -1.45, 1.45, outline);
    FillAcross(canvas, pencil, length - 4.2, length + 1.2, -0.55, 0.55, outline);
    FillAcross(canvas, pencil, 0, 2.5, -1, 1, {240, 130, 160});                        // eraser
    FillAcross(canvas, pencil, 2.5, 4, -1, 1, {176, 176, 186});                        // band
    FillAcross(canvas, pencil, 4, length - 4, -1, 0, {255, 220, 60});                  // body, lit side
    FillAcross(canvas, pencil, 4, length - 4, 0, 1, {226, 160, 0});                    // body, shaded side
    FillAcross(canvas, pencil, length - 4, length - 1.5, -0.8, 0.8, {238, 200, 150});  // wood
    FillAcross(canvas, pencil, length - 1.5, length, -0.5, 0.5, {40, 40, 40});         // lead
    return canvas;
}

Canvas DrawClearPicture() {
    Canvas canvas = MakeCanvas(SIZE, SIZE, BUTTON_GREY);
    Strip falling{{5, 5}, {19, 19}, 2.6};
    Strip rising{{5, 19}, {19, 5}, 2.6};
    // Both outlines first, so that neither bar's edge crosses the other bar.
    for (const Strip& bar : {falling, rising}) {
        double length = LengthOf(bar);
        FillAcross(canvas, bar, -1, length + 1, -1.4, 1.4, RED_DARK);
    }
    for (const Strip& bar : {falling, rising}) {
        double length = LengthOf(bar);
        FillAcross(canvas, bar, 0, length, -1, 1, RED);
    }
    FillAcross(canvas, rising, 0.5, LengthOf(rising) - 0.5, -1, -0.3, RED_LIGHT);
    FillAcross(canvas, falling, 0.5, LengthOf(falling) - 0.5, 0.3, 1, RED_LIGHT);
    return canvas;
}

Canvas DrawExitPicture() {
    Canvas canvas = MakeCanvas(SIZE, SIZE, BUTTON_GREY);
    // The doorway, dark inside, with its frame and threshold.
    constexpr Colour frame{110, 72, 36};
    FillRect(canvas, 8, 1, 12, 22, frame);
    FillRect(canvas, 9, 2, 10, 21, {36, 36, 56});
    FillRect(canvas, 6, 22, 18, 1, frame);
    // The door leaf, hinged on the doorway's right side and swung open
    // towards the viewer, so its free edge stands taller.
    FillPolygon(canvas, {{19, 2}, {23, 0.8}, {23, 23.2}, {19, 22}}, BLUE_DARK);
    FillPolygon(canvas, {{20, 3.2}, {22, 2.6}, {22, 21.4}, {20, 20.8}}, BLUE);
    FillRect(canvas, 20, 4, 1, 6, BLUE_LIGHT);
    FillRect(canvas, 20, 14, 1, 6, BLUE_LIGHT);
    FillRect(canvas, 21, 11, 1, 2, {250, 210, 60});  // knob
    // The arrow, going in.
    FillPolygon(canvas, {{0.5, 9.5}, {8.5, 9.5}, {8.5, 5.5}, {15.5, 12}, {8.5, 18.5}, {8.5, 14.5}, {0.5, 14.5}},
                RED_DARK);
    FillPolygon(canvas, {{1.5, 10.5}, {9.5, 10.5}, {9.5, 8}, {14, 12}, {9.5, 16}, {9.5, 13.5}, {1.5, 13.5}}, RED);
    FillRect(canvas, 2, 11, 8, 1, RED_LIGHT);
    return canvas;
}

Canvas DrawSendPicture() {
    Canvas canvas = MakeCanvas(SIZE, SIZE, SEND_WHITE);
    // The chip: pins on both sides, a dark body with its orientation dot.
    constexpr Colour pin{150, 150, 164};
    for (int y = 13; y <= 21; y += 2) {
        FillRect(canvas, 2, y, 3, 1, pin);
        FillRect(canvas, 19, y, 3, 1, pin);
    }
    FillRect(canvas, 4, 11, 16, 12, {28, 28, 34});
    FillRect(canvas, 5, 12, 14, 10, {64, 64, 76});
    FillRect(canvas, 5, 12, 14, 1, {100, 100, 116});
    FillRect(canvas, 7, 19, 2, 2, {140, 140, 156});
    // The arrow, pointing down into the chip.
    FillPolygon(canvas, {{8.5, 0.5}, {15.5, 0.5}, {15.5, 6.5}, {19.5, 6.5}, {12, 14.5}, {4.5, 6.5}, {8.5, 6.5}},
                GREEN_DARK);
    FillPolygon(canvas, {{9.5, 1.5}, {14.5, 1.5}, {14.5, 7.5}, {17.2, 7.5}, {12, 13}, {6.8, 7.5}, {9.5, 7.5}}, GREEN);
    FillRect(canvas, 10, 2, 1, 7, GREEN_LIGHT);
    return canvas;
}

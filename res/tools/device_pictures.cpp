// The three 92 x 54 pictures of the device state: the device's board with a
// USB cable, plugged in or not, and a badge saying what the poll found.
#include "res/tools/pictures.h"

namespace {

constexpr int WIDTH = 92;
constexpr int HEIGHT = 54;
constexpr Colour BADGE_MARK{255, 255, 255};

enum class Look { Colour, Grey };

Colour Greyed(Colour colour) {
    int grey = (colour.r * 30 + colour.g * 59 + colour.b * 11) / 100;
    // Lifted towards white so the board reads as inactive.
    auto lift = [](int value) { return static_cast<std::uint8_t>(90 + value * 130 / 255); };
    return {lift(grey), lift(grey), lift(grey), colour.a};
}

void DrawBoard(Canvas& canvas, bool lit, Look look) {
    auto tone = [look](Colour colour) { return look == Look::Grey ? Greyed(colour) : colour; };
    FillRoundRect(canvas, 36, 5, 52, 44, 4, tone({24, 124, 72}), tone({8, 70, 40}));
    // Traces from the socket and the chip to the lights and the button.
    constexpr Colour trace{70, 170, 110};
    FillRect(canvas, 42, 27, 12, 1, tone(trace));
    FillRect(canvas, 72, 16, 6, 1, tone(trace));
    FillRect(canvas, 72, 26, 6, 1, tone(trace));
    FillRect(canvas, 72, 36, 6, 1, tone(trace));
    FillRect(canvas, 47, 34, 1, 8, tone(trace));
    FillRect(canvas, 47, 34, 8, 1, tone(trace));
    // The processor with its pins.
    for (int x = 56; x <= 70; x += 3) {
        FillRect(canvas, x, 18, 1, 3, tone({200, 200, 210}));
        FillRect(canvas, x, 33, 1, 3, tone({200, 200, 210}));
    }
    FillRect(canvas, 54, 20, 18, 14, tone({36, 36, 42}));
    FillRect(canvas, 55, 21, 16, 1, tone({80, 80, 92}));
    FillEllipse(canvas, 57.5, 24.5, 1.3, 1.3, tone({110, 110, 124}));
    // The push button.
    FillRect(canvas, 42, 38, 8, 7, tone({30, 30, 36}));
    FillEllipse(canvas, 46, 41.5, 2.4, 2.4, tone({200, 60, 50}));
    // Three lights, red, yellow and green, lit while the device answers.
    const Colour lights[3][2] = {
        {{255, 60, 50}, {110, 30, 30}},
        {{255, 220, 40}, {110, 96, 30}},
        {{70, 240, 80}, {30, 96, 40}},
    };
    for (int i = 0; i < 3; ++i) {
        double y = 16.5 + 10 * i;
        FillEllipse(canvas, 81, y, 3.6, 3.6, tone({20, 20, 24}));
        FillEllipse(canvas, 81, y, 2.6, 2.6, tone(lights[i][lit ? 0 : 1]));
        if (lit) {
            Plot(canvas, 80, static_cast<int>(y) - 1, tone({255, 255, 230}));
        }
    }
    // The USB socket on the board's left edge.
    FillRect(canvas, 32, 21, 10, 13, tone({120, 120, 130}));
    FillRect(canvas, 33, 22, 8, 11, tone({196, 196, 206}));
    FillRect(canvas, 34, 25, 7, 5, tone({40, 40, 46}));
}

// The plug with its cable coming in from the left edge; `gap` pixels short
// of the socket.
void DrawCable(Canvas& canvas, int gap) {
    int plugRight = 32 - gap;
    FillRect(canvas, 0, 25, plugRight - 12, 5, {50, 50, 58});
    FillRect(canvas, 0, 26, plugRight - 12, 1, {100, 100, 112});
    FillRect(canvas, plugRight - 14, 23, 3, 9, {40, 40, 48});  // strain relief
    FillRect(canvas, plugRight - 11, 21, 11, 13, {70, 70, 80});
    FillRect(canvas, plugRight - 10, 22, 9, 11, {150, 150, 162});
    FillRect(canvas, plugRight - 10, 22, 9, 2, {190, 190, 200});
    if (gap > 0) {
        // The metal tip that would sit in the socket.
        FillRect(canvas, plugRight, 24, 8, 7, {120, 120, 130});
        FillRect(canvas, plugRight, 25, 7, 5, {210, 210, 218});
    }
}

void DrawBadge(Canvas& canvas, Colour fill, std::initializer_list<std::string_view> mark) {
    FillEllipse(canvas, 12, 11, 9.5, 9.5, {255, 255, 255});
    FillEllipse(canvas, 12, 11, 8.5, 8.5, fill);
    PaintPixelArt(canvas, 6, 5, mark, {{'#', BADGE_MARK}});
}

}  // namespace

Canvas DrawDeviceUnknownPicture() {
    Canvas canvas = MakeCanvas(WIDTH, HEIGHT, BAND_ORANGE);
    DrawBoard(canvas, false, Look::Grey);
    DrawCable(canvas, 0);
    DrawBadge(canvas, {48, 100, 210},
              {
                  "...####.....",
                  "..##..##....",
                  "..##..##....",
                  "......##....",
                  ".....##.....",
                  "....##......",
                  "....##......",
                  "............",
                  "....##......",
                  "....##......",
              });
    return canvas;
}

Canvas DrawNoDevicePicture() {
    Canvas canvas = MakeCanvas(WIDTH, HEIGHT, BAND_ORANGE);
    DrawBoard(canvas, false, Look::Grey);
    DrawCable(canvas, 12);
    DrawBadge(canvas, {210, 40, 32},
              {
                  "............",
                  ".##....##...",
                  "..##..##....",
                  "...####.....",
                  "....##......",
                  "...####.....",
                  "..##..##....",
                  ".##....##...",
                  "............",
              });
    return canvas;
}

Canvas DrawDevicePicture() {
    Canvas canvas = MakeCanvas(WIDTH, HEIGHT, BAND_ORANGE);
    DrawBoard(canvas, true, Look::Colour);
    DrawCable(canvas, 0);
    DrawBadge(canvas, {40, 160, 60},
              {
                  "............",
                  "........##..",
                  ".......##...",
                  "......##....",
                  ".##..##.....",
                  "..####......",
                  "...##.......",
                  "............",
              });
    return canvas;
}

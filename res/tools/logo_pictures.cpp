// The program's mark: a small flowchart (start, decision, action, and a
// loop back) on a blue tile, as the logo and as the program icon.
#include "res/tools/pictures.h"

namespace {

constexpr Colour TILE{40, 84, 176};
constexpr Colour TILE_EDGE{18, 40, 110};
constexpr Colour START{248, 248, 252};
constexpr Colour DECISION{255, 208, 60};
constexpr Colour ACTION{96, 206, 112};
constexpr Colour FLOW{220, 232, 255};

// The flowchart drawn into a square of `size` pixels at (x, y); shapes are
// placed in 1/32 of the size so that the logo and the icons agree.
void DrawFlowchart(Canvas& canvas, double x, double y, double size) {
    double u = size / 32.0;
    auto at = [&](double px, double py) { return Point{x + px * u, y + py * u}; };
    auto rect = [&](double px, double py, double w, double h, Colour colour) {
        FillPolygon(canvas, {at(px, py), at(px + w, py), at(px + w, py + h), at(px, py + h)}, colour);
    };
    // Flow lines: start to decision, decision to action, and the loop from the
    // decision's right corner back up to the start.
    rect(15, 8, 2, 4, FLOW);
    rect(15, 22, 2, 3, FLOW);
    rect(24, 16, 4, 2, FLOW);
    rect(26, 5, 2, 12, FLOW);
    rect(25, 5, 2, 2, FLOW);
    FillPolygon(canvas, {at(22.6, 6), at(25.5, 3.3), at(25.5, 8.7)}, FLOW);
    // Start, decision and action.
    FillEllipse(canvas, x + 16 * u, y + 6 * u, 6 * u, 3.2 * u, START);
    FillPolygon(canvas, {at(16, 11), at(25, 17), at(16, 23), at(7, 17)}, TILE_EDGE);
    FillPolygon(canvas, {at(16, 12.3), at(23, 17), at(16, 21.7), at(9, 17)}, DECISION);
    rect(8, 24.5, 16, 5.5, TILE_EDGE);
    rect(9, 25.5, 14, 3.5, ACTION);
}

}  // namespace

Canvas DrawLogoPicture() {
    Canvas canvas = MakeCanvas(51, 54, BAND_ORANGE);
    FillRoundRect(canvas, 1, 2, 49, 50, 8, TILE, TILE_EDGE);
    FillRect(canvas, 6, 3, 39, 1, {90, 130, 215});
    DrawFlowchart(canvas, 2.5, 4, 46);
    return canvas;
}

Canvas DrawIconPicture(int size) {
    Canvas canvas = MakeCanvas(size, size, TRANSPARENT_PIXEL);
    if (size >= 32) {
        FillRoundRect(canvas, 0, 0, size, size, size / 6, TILE, TILE_EDGE);
        DrawFlowchart(canvas, 0, 0, size);
        return canvas;
    }
    // Too small to scale the shapes down: the same chart placed by hand.
    PaintPixelArt(canvas, 0, 0,
                  {
                      ".EEEEEEEEEEEEEE.",
                      "EttttttttttttttE",
                      "EttttWWWWWWttttE",
                      "EtttWWWWWWWWfftE",
                      "EttttWWWWWWttftE",
                      "EttttttffttttftE",
                      "EttttttDDttttftE",
                      "EtttttDDDDtttftE",
                      "EttttDDDDDDffftE",
                      "EtttttDDDDtttttE",
                      "EttttttDDttttttE",
                      "EttttttffttttttE",
                      "EttAAAAAAAAAAttE",
                      "EttAAAAAAAAAAttE",
                      "EttttttttttttttE",
                      ".EEEEEEEEEEEEEE.",
                  },
                  {{'E', TILE_EDGE}, {'t', TILE}, {'W', START}, {'f', FLOW}, {'D', DECISION}, {'A', ACTION}});
    return canvas;
}

// The flowchart's colours, shared by the view and every exported picture.
// Values are laid out like the platform's COLORREF: 0x00BBGGRR.
#pragma once
#include <cstdint>

using ChartColour = std::uint32_t;

constexpr ChartColour ChartRgb(int r, int g, int b) {
    return static_cast<ChartColour>(r) | static_cast<ChartColour>(g) << 8 | static_cast<ChartColour>(b) << 16;
}
constexpr int RedOf(ChartColour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(ChartColour c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int BlueOf(ChartColour c) { return static_cast<int>(c >> 16 & 0xFF); }

constexpr ChartColour CHART_BACKGROUND = ChartRgb(255, 255, 255);
constexpr ChartColour CHART_SHAPE_OUTLINE = ChartRgb(50, 50, 160);
constexpr ChartColour CHART_SHAPE_FILL = ChartRgb(255, 255, 255);
constexpr ChartColour CHART_BAND_SELECTED_FOCUSED = ChartRgb(60, 60, 200);
constexpr ChartColour CHART_BAND_SELECTED = ChartRgb(150, 160, 255);
constexpr ChartColour CHART_BAND_ODD = ChartRgb(120, 130, 140);
constexpr ChartColour CHART_BAND_EVEN = ChartRgb(130, 140, 150);
constexpr ChartColour CHART_NUMBER_SELECTED = ChartRgb(255, 255, 255);
constexpr ChartColour CHART_NUMBER = ChartRgb(10, 10, 35);
constexpr ChartColour CHART_TEXT_FAULTY = ChartRgb(255, 0, 0);
constexpr ChartColour CHART_TEXT = ChartRgb(0, 0, 0);
constexpr ChartColour CHART_CONNECTOR = ChartRgb(100, 0, 50);
constexpr ChartColour CHART_UNREACHABLE_STUB = ChartRgb(255, 0, 0);

// Corner cut of the loop hexagons, the same at every scale.
constexpr int CHART_LOOP_CUT = 16;
// Arrowhead: lines from 5 pixels back and 2 to either side into the tip.
constexpr int CHART_ARROW_BACK = 5;
constexpr int CHART_ARROW_SPREAD = 2;

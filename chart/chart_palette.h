// The flowchart's colours, shared by the view and every exported picture;
// those the grid and the menus wear too come from the shared palette.
#pragma once
#include "framework/palette.h"

using ChartColour = PaletteColour;

constexpr ChartColour ChartRgb(int r, int g, int b) { return PaletteRgb(r, g, b); }
constexpr int RedOf(ChartColour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(ChartColour c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int BlueOf(ChartColour c) { return static_cast<int>(c >> 16 & 0xFF); }

constexpr ChartColour CHART_BACKGROUND = PALETTE_WHITE;
constexpr ChartColour CHART_SHAPE_OUTLINE = ChartRgb(50, 50, 160);
constexpr ChartColour CHART_SHAPE_FILL = PALETTE_WHITE;
constexpr ChartColour CHART_BAND_SELECTED_FOCUSED = PALETTE_SELECTION_FOCUSED;
constexpr ChartColour CHART_BAND_SELECTED = PALETTE_SELECTION;
constexpr ChartColour CHART_BAND_ODD = ChartRgb(120, 130, 140);
constexpr ChartColour CHART_BAND_EVEN = ChartRgb(130, 140, 150);
constexpr ChartColour CHART_NUMBER_SELECTED = PALETTE_WHITE;
constexpr ChartColour CHART_NUMBER = PALETTE_NUMBER_TEXT;
constexpr ChartColour CHART_TEXT_FAULTY = PALETTE_ERROR;
constexpr ChartColour CHART_TEXT = PALETTE_BLACK;
constexpr ChartColour CHART_CONNECTOR = ChartRgb(100, 0, 50);
constexpr ChartColour CHART_UNREACHABLE_STUB = PALETTE_ERROR;

// Corner cut of the loop hexagons, the same at every scale.
constexpr int CHART_LOOP_CUT = 16;
// Arrowhead: lines from 5 pixels back and 2 to either side into the tip.
constexpr int CHART_ARROW_BACK = 5;
constexpr int CHART_ARROW_SPREAD = 2;

// The colours several controls share, declared once so that the grid, the
// flowchart, the buttons and the menus keep matching when one changes.
// Values are laid out like the platform's COLORREF (0x00BBGGRR): GDI takes
// them as they are, and the portable flowchart pictures read them too.
#pragma once
#include <cstdint>

using PaletteColour = std::uint32_t;

constexpr PaletteColour PaletteRgb(int r, int g, int b) {
    return static_cast<PaletteColour>(r) | static_cast<PaletteColour>(g) << 8 | static_cast<PaletteColour>(b) << 16;
}

constexpr PaletteColour PALETTE_BLACK = PaletteRgb(0, 0, 0);
constexpr PaletteColour PALETTE_WHITE = PaletteRgb(255, 255, 255);
// The main window's background; the context menu wears it too.
constexpr PaletteColour PALETTE_WINDOW_BACKGROUND = PaletteRgb(255, 200, 130);
// A selected row (grid) or element band (flowchart) while its control has the
// focus, and the highlighted menu item.
constexpr PaletteColour PALETTE_SELECTION_FOCUSED = PaletteRgb(60, 60, 200);
// The same selection while the control does not have the focus.
constexpr PaletteColour PALETTE_SELECTION = PaletteRgb(150, 160, 255);
// Row numbers and parameters in the grid and the flowchart.
constexpr PaletteColour PALETTE_NUMBER_TEXT = PaletteRgb(10, 10, 35);
// Command cells of the grid and the command buttons.
constexpr PaletteColour PALETTE_COMMAND_BACKGROUND = PaletteRgb(160, 255, 255);
// Faulty rows and unreachable elements.
constexpr PaletteColour PALETTE_ERROR = PaletteRgb(255, 0, 0);

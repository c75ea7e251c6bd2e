// The looks the main window gives its buttons: sixteen flat command buttons
// with a custom border, and five raised shaded buttons with a picture.
#pragma once
#include "framework/palette.h"
#include "res/resource.h"
#include "widgets/button_st.h"
#include "widgets/shade_button_st.h"
#include <array>

// Command buttons (Insert ... Delete).
constexpr COLORREF kCommandBorder = RGB(178, 178, 178);
constexpr COLORREF kCommandPressedBorder = RGB(128, 128, 128);
constexpr COLORREF kCommandOutBackground = PALETTE_COMMAND_BACKGROUND;
constexpr COLORREF kCommandInBackground = RGB(160, 192, 192);
constexpr COLORREF kCommandFocusBackground = RGB(192, 255, 255);

// One shaded button: its control, its 24 x 24 picture and the picture's transparent colour.
struct ShadedButtonLook {
    UINT controlId;
    UINT bitmapId;
    COLORREF transparent;
};

// In the order the main window configures them: Open, Save, Clear, Exit, Send.
inline constexpr std::array<ShadedButtonLook, 5> kShadedButtonLooks{{
    {IDC_OPEN, IDB_OPEN, RGB(192, 192, 192)},
    {IDC_SAVE, IDB_SAVE, RGB(192, 192, 192)},
    {IDC_CLEAR, IDB_CLEAR, RGB(192, 192, 192)},
    {IDOK, IDB_EXIT, RGB(192, 192, 192)},
    {IDC_SEND, IDB_SEND, RGB(255, 255, 255)},
}};

// Flat with the custom border and the command colours; the text keeps its default colour.
void ConfigureCommandButton(CButtonST& button);
// Shade from the button's current size, picture, raised look. False when the
// picture cannot be loaded (the button is still shaded and raised).
bool ConfigureShadedButton(CShadeButtonST& button, const ShadedButtonLook& look);

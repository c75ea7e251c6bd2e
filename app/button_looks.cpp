#include "app/button_looks.h"

void ConfigureCommandButton(CButtonST& button) {
    button.SetCustomBorder(TRUE, FALSE);
    button.SetBorderColors(kCommandBorder, kCommandBorder, kCommandPressedBorder, kCommandPressedBorder, FALSE);
    button.SetColor(CButtonST::BTNST_COLOR_BK_OUT, kCommandOutBackground, FALSE);
    button.SetColor(CButtonST::BTNST_COLOR_BK_IN, kCommandInBackground, FALSE);
    button.SetColor(CButtonST::BTNST_COLOR_BK_FOCUS, kCommandFocusBackground, FALSE);
    if (button.m_hWnd)
        button.Invalidate();
}

bool ConfigureShadedButton(CShadeButtonST& button, const ShadedButtonLook& look) {
    button.SetShade();
    const bool pictured = button.SetBitmap(look.bitmapId, look.transparent);
    button.SetFlat(FALSE);
    return pictured;
}

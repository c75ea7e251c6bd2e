// The pictures of the resource script, drawn anew.
#pragma once

#include "res/tools/canvas.h"

// Backgrounds: the transparent colour of the button pictures, and the colour
// of the window band under the logo and the device picture.
constexpr Colour BUTTON_GREY{192, 192, 192};
constexpr Colour SEND_WHITE{255, 255, 255};
constexpr Colour BAND_ORANGE{255, 200, 130};

// 24 x 24 button pictures.
Canvas DrawOpenPicture();   // open yellow folder, green arrow; on BUTTON_GREY
Canvas DrawSavePicture();   // blue floppy, pencil; on BUTTON_GREY
Canvas DrawClearPicture();  // red cross; on BUTTON_GREY
Canvas DrawExitPicture();   // red arrow into an open blue door; on BUTTON_GREY
Canvas DrawSendPicture();   // chip, green arrow down; on SEND_WHITE

// 92 x 54 device state pictures on BAND_ORANGE.
Canvas DrawDeviceUnknownPicture();
Canvas DrawNoDevicePicture();
Canvas DrawDevicePicture();

// The program's mark: 51 x 54 on BAND_ORANGE, and the icon images (32 x 32
// and 16 x 16, transparent around the tile).
Canvas DrawLogoPicture();
Canvas DrawIconPicture(int size);

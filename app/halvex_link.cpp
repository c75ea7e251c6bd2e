#include "app/halvex_link.h"
#include "usb/usb_api.h"

bool HalvexFindDevice() { return FindUsb(HALVEX_PRODUCT_ID) != 0; }

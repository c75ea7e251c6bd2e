// POINT and RECT for the layout code: the platform's own on Windows, the same
// members elsewhere, so that the layout also builds into the portable cli.
#pragma once
#ifdef _WIN32
#include <windows.h>
#else
struct POINT {
    long x;
    long y;
};
struct RECT {
    long left;
    long top;
    long right;
    long bottom;
};
#endif

// Messages the flowchart view posts to its parent.
#pragma once
#include <windows.h>

// The user selected a flowchart element.
// wParam = new selected element index, lParam 0.
constexpr UINT WM_CHART_SELCHANGE = WM_USER + 145;  // 0x491

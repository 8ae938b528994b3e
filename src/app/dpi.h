// The DPI a window really has, and the frame around a client area at it.
#pragma once

#include "app/win32.h"

namespace tarvolin {

constexpr int kBaseDpi = 96;

// The window's DPI where the system knows it per window, else the screen's.
int WindowDpi(HWND window);

// The outer window rectangle around `client` for the given styles and DPI.
RECT OuterRectForClient(const RECT& client, DWORD style, DWORD exStyle, int dpi);

}  // namespace tarvolin

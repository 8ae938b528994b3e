// The palette for the system's colours and contrast setting as they are now.
#pragma once

#include "app/palette.h"
#include "app/win32.h"

namespace tarvolin {

Palette SystemPalette();

// A brush of any colour for WM_CTLCOLOR* and WM_ERASEBKGND answers, without
// a GDI object to keep: the DC's own brush, set to that colour.
HBRUSH SolidDcBrush(HDC dc, COLORREF colour);

// After a theme or colour change: the children hear of it too, and the
// whole window is drawn again at once.
void RepaintForNewColours(HWND window);

}  // namespace tarvolin

// The palette for the system's colours and contrast setting.
#pragma once

#include "app/palette.h"
#include "app/win32.h"

namespace tarvolin {

// As they are now.
Palette SystemPalette();

// The palette a window paints with: read as the window is made and again when
// the system's colours or contrast setting change, so that a paint (the
// clock's, once a second) asks the system for nothing.
class WindowPalette {
public:
    void Read() { palette_ = SystemPalette(); }
    const Palette& Colours() const { return palette_; }

    // After the system's colours or its contrast setting changed: reads the
    // palette again, tells the controls and draws the whole window again at
    // once.
    void FollowChange(HWND window);

private:
    Palette palette_{};
};

// A brush of any colour to paint with or to answer WM_CTLCOLOR* with, without
// a GDI object to keep: the DC's own brush, set to that colour.
HBRUSH SolidDcBrush(HDC dc, COLORREF colour);

}  // namespace tarvolin

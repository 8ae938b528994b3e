#include "app/topmost_placement.h"

namespace tarvolin {

void TopmostPlacement(HWND window) {
    RECT outer{};
    if (!GetWindowRect(window, &outer)) return;
    // A failure leaves the window simply not topmost; nothing is reported.
    SetWindowPos(window, HWND_TOPMOST, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, 0);
}

}  // namespace tarvolin

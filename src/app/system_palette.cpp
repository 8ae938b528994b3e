#include "app/system_palette.h"

namespace tarvolin {

Palette SystemPalette() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    const bool flag = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                      (contrast.dwFlags & HCF_HIGHCONTRASTON);
    return ChoosePalette(flag, {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT),
                                GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT)});
}

void WindowPalette::FollowChange(HWND window) {
    Read();
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

HBRUSH SolidDcBrush(HDC dc, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

}  // namespace tarvolin

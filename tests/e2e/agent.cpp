// In tarvolin.exe what Windows does: a move to DPI wParam from lParam (the
// size scaled), or "High Contrast Black" on (1) or off (0).
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK Agent(int code, WPARAM wParam, LPARAM lParam) {
    // clang-format off
    static const INT kElements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNSHADOW,
        COLOR_BTNHIGHLIGHT, COLOR_GRAYTEXT, COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT, COLOR_ACTIVEBORDER};
    static const COLORREF kDark[] = {0, 0xFFFFFF, 0, 0xFFFFFF, 0x808080, 0xFFFFFF, 0x3FF23F, 0, 0xFFFFFF, 0xFFFFFF};
    // clang-format on
    static COLORREF before[10];
    const CWPSTRUCT& call = *reinterpret_cast<CWPSTRUCT*>(lParam);
    const int to = int(call.wParam), from = int(call.lParam);
    RECT r{};
    if (code == HC_ACTION && call.message == RegisterWindowMessageW(L"TarvolinTestTheme")) {
        for (int i = 0; i < 10 && to; ++i) before[i] = GetSysColor(kElements[i]);
        SetSysColors(10, kElements, to ? kDark : before);
    }
    if (code == HC_ACTION && call.message == RegisterWindowMessageW(L"TarvolinTestDpi") &&
        GetWindowRect(call.hwnd, &r)) {
        r = {r.left, r.top, r.left + MulDiv(r.right - r.left, to, from),
             r.top + MulDiv(r.bottom - r.top, to, from)};
        SendMessageW(call.hwnd, WM_DPICHANGED, MAKEWPARAM(to, to), LPARAM(&r));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

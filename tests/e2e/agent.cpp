// Loaded into tarvolin.exe by a hook of the tests (WH_CALLWNDPROC on its
// thread), the agent does there what Windows does and Wine does not do to
// another process. It answers two messages sent to a window of the program:
// - "TarvolinTestDpi", wParam the new DPI, lParam the old: the window moves
//   to a screen of the new DPI. It gets WM_DPICHANGED with the rectangle
//   Windows suggests: where it is, its size scaled.
// - "TarvolinTestTheme", wParam TRUE or FALSE: the system colours of "High
//   Contrast Black" set, or those they replaced put back.
#include <windows.h>

#include <iterator>

namespace {

const INT kElements[] = {COLOR_BTNFACE,     COLOR_BTNTEXT,      COLOR_WINDOW,   COLOR_WINDOWTEXT,
                         COLOR_BTNSHADOW,   COLOR_BTNHIGHLIGHT, COLOR_GRAYTEXT, COLOR_ACTIVECAPTION,
                         COLOR_CAPTIONTEXT, COLOR_ACTIVEBORDER};
const COLORREF kHighContrastBlack[] = {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x808080,
                                       0xFFFFFF, 0x3FF23F, 0x000000, 0xFFFFFF, 0xFFFFFF};
COLORREF replaced[std::size(kElements)];

void SwitchContrastTheme(bool on) {
    if (on) {
        for (std::size_t i = 0; i < std::size(kElements); ++i) replaced[i] = GetSysColor(kElements[i]);
        SetSysColors(int(std::size(kElements)), kElements, kHighContrastBlack);
    } else {
        SetSysColors(int(std::size(kElements)), kElements, replaced);
    }
}

void MoveToDpi(HWND window, int toDpi, int fromDpi) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return;
    RECT suggested = r;
    suggested.right = r.left + MulDiv(r.right - r.left, toDpi, fromDpi);
    suggested.bottom = r.top + MulDiv(r.bottom - r.top, toDpi, fromDpi);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(toDpi, toDpi), reinterpret_cast<LPARAM>(&suggested));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK Agent(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call.message == RegisterWindowMessageW(L"TarvolinTestTheme"))
        SwitchContrastTheme(call.wParam != FALSE);
    if (code == HC_ACTION && call.message == RegisterWindowMessageW(L"TarvolinTestDpi"))
        MoveToDpi(call.hwnd, int(call.wParam), int(call.lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

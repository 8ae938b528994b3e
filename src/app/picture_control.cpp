#include "app/picture_control.h"

#include "app/dpi.h"
#include "app/resource.h"
#include "app/window_class.h"

namespace tarvolin {
namespace {

constexpr int kPictureSideAt96 = 32;

// The picture at the window's current size, loaded once and again only when
// the DPI changes it; kept in the window's user data.
HICON Picture(HWND window, int side) {
    auto icon = reinterpret_cast<HICON>(GetWindowLongPtrW(window, GWLP_USERDATA));
    ICONINFO info{};
    BITMAP bitmap{};
    if (icon && GetIconInfo(icon, &info)) {
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        if (bitmap.bmWidth == side) return icon;
    }
    if (icon) DestroyIcon(icon);
    icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PICTURE), IMAGE_ICON,
                                         side, side, LR_DEFAULTCOLOR));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(icon));
    return icon;
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    // The layout gives the control the picture's size at the window's DPI.
    RECT client{};
    GetClientRect(window, &client);
    const int side = client.right;
    if (HICON icon = Picture(window, side)) DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    EndPaint(window, &paint);
}

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(window);
            return 0;
        case WM_NCDESTROY:
            if (auto icon = reinterpret_cast<HICON>(GetWindowLongPtrW(window, GWLP_USERDATA)))
                DestroyIcon(icon);
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RegisterPictureControl() { RegisterWindowClassOnce(kPictureClassName, PictureProc); }

int PictureSide(int dpi) { return MulDiv(kPictureSideAt96, dpi, kBaseDpi); }

}  // namespace tarvolin

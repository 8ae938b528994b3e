#include "app/picture_control.h"

#include "app/dpi.h"
#include "app/gdi_handle.h"
#include "app/resource.h"
#include "app/window_class.h"

namespace tarvolin {
namespace {

constexpr int kPictureSideAt96 = 32;

// What one picture control keeps, from its creation to its destruction: the
// picture at the control's size, loaded once and again only when the DPI
// changes that size.
struct Picture {
    IconHandle icon;
    int side = 0;
};

Picture* PictureOf(HWND window) {
    return reinterpret_cast<Picture*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HICON IconAtSide(Picture& picture, int side) {
    if (!picture.icon || picture.side != side) {
        // Not shared: a copy of the picture's own at that size.
        const HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PICTURE), IMAGE_ICON,
                                       side, side, LR_DEFAULTCOLOR);
        picture.icon.reset(static_cast<HICON>(icon));
        picture.side = side;
    }
    return picture.icon.get();
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    // The layout gives the control the picture's size at the window's DPI.
    RECT client{};
    GetClientRect(window, &client);
    const int side = client.right;
    if (HICON icon = IconAtSide(*PictureOf(window), side))
        DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    EndPaint(window, &paint);
}

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Picture));
            break;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(window);
            return 0;
        case WM_NCDESTROY:
            // The picture goes with the control, and its icon with it.
            delete PictureOf(window);
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RegisterPictureControl() { RegisterWindowClassOnce(kPictureClassName, PictureProc); }

int PictureSide(int dpi) { return MulDiv(kPictureSideAt96, dpi, kBaseDpi); }

}  // namespace tarvolin

#include "app/picture_control.h"

#include "app/dpi.h"
#include "app/gdi_handle.h"
#include "app/resource.h"

namespace tarvolin {
namespace {

constexpr int kPictureSideAt96 = 32;

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const int side = PictureSide(WindowDpi(window));
    IconHandle icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PICTURE),
                                                  IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
    if (icon) DrawIconEx(dc, 0, 0, icon.get(), side, side, 0, nullptr, DI_NORMAL);
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
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RegisterPictureControl() {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kPictureClassName, &windowClass)) return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PictureProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kPictureClassName;
    RegisterClassExW(&windowClass);
}

int PictureSide(int dpi) { return MulDiv(kPictureSideAt96, dpi, kBaseDpi); }

}  // namespace tarvolin

#include "app/base_window.h"

#include "app/accessible_names.h"
#include "app/dpi.h"
#include "app/startup_trace.h"
#include "app/text.h"
#include "app/topmost_placement.h"
#include "app/window_class.h"
#include "app/window_lifetime.h"

namespace tarvolin {

LRESULT CALLBACK BaseWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    BaseWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        self = static_cast<BaseWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);

    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

bool BaseWindow::RegisterWindowClass(HICON icon, HICON smallIcon) const {
    return RegisterWindowClassOnce(description_.className, &BaseWindow::WindowProc, icon, smallIcon);
}

bool BaseWindow::CreateTopLevel() {
    return CreateWindowExW(description_.exStyle, description_.className, L"", description_.style,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           GetModuleHandleW(nullptr), this) != nullptr;
}

LRESULT BaseWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_SYSCOLORCHANGE:
            palette_.FollowChange(window_);
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) {
                palette_.FollowChange(window_);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            WindowClosed();
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// Loading the window: built at the DPI Windows gives it, in its place, and on
// top of other programs' windows; then what the window itself does.
void BaseWindow::OnCreate() {
    WindowOpened();
    const WindowLayout& layout = description_.layout();
    const int dpi = WindowDpi(window_);
    TraceStartup("window created (WM_CREATE)");
    palette_.Read();
    SetWindowTextUtf8(window_, layout.caption);
    fonts_.Build(layout, dpi);
    CreateLayoutControls(window_, layout, dpi, fonts_, description_.prepareControl);
    TraceStartup("fonts and controls");
    NameLayoutControls(window_, layout);
    OpenInPlace(layout, dpi);
    lastFocus_ = GetDlgItem(window_, description_.firstFocusId);
    TopmostPlacement(window_);
    OnLoaded();
}

void BaseWindow::OpenInPlace(const WindowLayout& layout, int dpi) {
    const RECT client = LayoutClientRect(layout, dpi);
    const RECT outer = OuterRectForClient(client, description_.style, description_.exStyle, dpi);
    const POINT corner = OpeningCorner(outer, dpi);
    SetWindowPos(window_, nullptr, corner.x, corner.y, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT BaseWindow::OnCtlColorStatic(HDC dc, HWND label) const {
    const LabelColours colours = LabelColoursOf(label);
    SetTextColor(dc, colours.text);
    SetBkColor(dc, colours.back);
    return reinterpret_cast<LRESULT>(SolidDcBrush(dc, colours.back));
}

// The padded labels are the only controls a layout draws itself.
void BaseWindow::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    DrawPaddedLabel(item, LabelColoursOf(item.hwndItem));
}

void BaseWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    ApplyDpiChange(window_, description_.layout(), dpi, suggested, fonts_);
}

// Like a dialog: when the window is activated again the focus returns to the
// control that last had it.
void BaseWindow::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
    } else if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
    }
}

}  // namespace tarvolin

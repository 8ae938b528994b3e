// A top-level window as a class: the static window procedure binds the object
// to its window on WM_NCCREATE and forwards every message to HandleMessage.
#pragma once

#include "app/win32.h"
#include "app/window_class.h"

namespace tarvolin {

template <class Derived>
class BaseWindow {
public:
    HWND Handle() const { return window_; }

protected:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcW(window, message, wParam, lParam);

        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
        }
        return result;
    }

    static bool RegisterWindowClass(const wchar_t* className, HICON icon, HICON smallIcon) {
        return RegisterWindowClassOnce(className, &BaseWindow::WindowProc, icon, smallIcon);
    }

    HWND CreateTopLevel(const wchar_t* className, DWORD style, DWORD exStyle) {
        return CreateWindowExW(exStyle, className, L"", style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr),
                               static_cast<Derived*>(this));
    }

    // Like a dialog: when the window is activated again the focus returns to
    // the control that last had it.
    void KeepFocusAcrossActivation(bool active) {
        if (!active) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        } else if (lastFocus_ && IsWindow(lastFocus_)) {
            SetFocus(lastFocus_);
        }
    }

    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(window_, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
};

}  // namespace tarvolin

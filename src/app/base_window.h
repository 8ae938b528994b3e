// A top-level window built from its layout table, as a class. The window
// procedure binds the object to its window on WM_NCCREATE and hands every
// message to HandleMessage: each window answers its own messages there and
// passes the others on to BaseWindow::HandleMessage, which answers those that
// both windows answer alike and leaves the rest to DefWindowProc.
#pragma once

#include "app/layout.h"
#include "app/layout_window.h"
#include "app/palette.h"
#include "app/system_palette.h"
#include "app/win32.h"

namespace tarvolin {

// What makes one window its own: its class, its frame and its controls.
struct WindowDescription {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    const WindowLayout& (*layout)();
    PrepareControl prepareControl;  // sees each control as it is made; nullptr for none
    int firstFocusId;               // the control that has the focus when the window first shows
};

class BaseWindow {
public:
    explicit BaseWindow(const WindowDescription& description) : description_(description) {}
    virtual ~BaseWindow() = default;

    HWND Handle() const { return window_; }

protected:
    // Registers the window's class once per process, with its icons.
    bool RegisterWindowClass(HICON icon, HICON smallIcon) const;
    // Creates the window, which builds its controls and takes its place on
    // WM_CREATE; it shows when the caller shows it.
    bool CreateTopLevel();

    // The messages both windows answer alike; the rest go to DefWindowProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The colours the window paints with, and the DPI it lays out at.
    const Palette& Colours() const { return palette_.Colours(); }
    int Dpi() const { return fonts_.Dpi(); }

    HWND window_ = nullptr;

private:
    // Where the window opens: the screen position of its top-left corner.
    // `outer` is the window's rectangle around the layout's client area at
    // `dpi`, whose corner is at (0, 0).
    virtual POINT OpeningCorner(const RECT& outer, int dpi) const = 0;
    // The colours `label`, a static control of the window, paints with.
    virtual LabelColours LabelColoursOf(HWND label) const = 0;
    // What the window itself does as it loads, after it has gone on top.
    virtual void OnLoaded() = 0;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void OnCreate();
    void OpenInPlace(const WindowLayout& layout, int dpi);
    LRESULT OnCtlColorStatic(HDC dc, HWND label) const;
    void OnDrawItem(const DRAWITEMSTRUCT& item) const;
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnActivate(bool active);

    const WindowDescription& description_;
    LayoutFonts fonts_;
    WindowPalette palette_;
    // The control to give the focus back to when the window is activated again.
    HWND lastFocus_ = nullptr;
};

}  // namespace tarvolin

#include "usage/about_window.h"

#include "app/app_info.h"
#include "app/dpi.h"
#include "app/picture_control.h"
#include "app/resource.h"
#include "app/text.h"
#include "app/topmost_placement.h"
#include "app/window_lifetime.h"
#include "usage/about_layout.h"
#include "usage/sys_info_launcher.h"
#include "usage/win_sys_info_platform.h"

namespace tarvolin {
namespace {

constexpr const wchar_t* kClassName = L"TarvolinUsage";
// A fixed dialog frame: no minimise or maximise button, no sizing.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

AboutWindow& TheAboutWindow() {
    static AboutWindow window;
    return window;
}

}  // namespace

void ShowAboutWindow() {
    AboutWindow& about = TheAboutWindow();
    if (!about.IsOpen() && !about.Create()) return;
    ShowWindow(about.Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(about.Handle());
}

bool AboutWindow::Create() {
    RegisterPictureControl();
    RegisterWindowClass(kClassName, LoadProgramIcon(IDI_USAGE, GetSystemMetrics(SM_CXSMICON)),
                        LoadProgramIcon(IDI_USAGE, GetSystemMetrics(SM_CXSMICON)));
    return CreateTopLevel(kClassName, kStyle, kExStyle) != nullptr;
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (palette_.FollowChange(window_, message, wParam)) return 0;
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_DRAWITEM:
            DrawPaddedLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), palette_.Colours().usageText);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam));
        case WM_DPICHANGED:
            ApplyDpiChange(window_, AboutLayout(), HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam),
                           fonts_);
            return 0;
        case WM_ACTIVATE:
            KeepFocusAcrossActivation(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case DM_GETDEFID:
            return DefaultButtonId();
        case WM_NCDESTROY:
            WindowClosed();
            break;
    }
    return Default(message, wParam, lParam);
}

LRESULT AboutWindow::OnCreate() {
    WindowOpened();
    const WindowLayout& layout = AboutLayout();
    const int dpi = WindowDpi(window_);
    palette_.Read();
    SetWindowTextUtf8(window_, layout.caption);
    fonts_.Build(layout, dpi);
    CreateLayoutControls(window_, layout, dpi, fonts_);

    // Opened at its own place: the client area's corner at fixed twips.
    const RECT client = LayoutClientRect(layout, dpi);
    const RECT outer = OuterRectForClient(client, kStyle, kExStyle, dpi);
    const int left = TwipsToPixels(kAboutClientLeftTwips, dpi) + outer.left;
    const int top = TwipsToPixels(kAboutClientTopTwips, dpi) + outer.top;
    SetWindowPos(window_, nullptr, left, top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    lastFocus_ = GetDlgItem(window_, kCmdOK);

    // Loading the window, in this order: topmost, caption, version, title.
    TopmostPlacement(window_);
    SetWindowTextUtf8(window_, AboutCaption());
    SetWindowTextUtf8(GetDlgItem(window_, kLblVersion), AboutVersionLine());
    SetWindowTextUtf8(GetDlgItem(window_, kLblTitle), ApplicationTitle);
    return 0;
}

void AboutWindow::OnCommand(int id) {
    switch (id) {
        case kCmdOK:
        case IDCANCEL:  // Escape
            DestroyWindow(window_);
            break;
        case kCmdSysInfo:
            StartSysInfo();
            break;
    }
}

void AboutWindow::StartSysInfo() {
    WinSysInfoPlatform platform;
    if (!LaunchSysInfo(platform))
        MessageBoxW(window_, L"此时系统信息不可用", Widen(ApplicationTitle).c_str(), MB_OK);
}

void AboutWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const int dpi = fonts_.Dpi();
    const Palette& palette = palette_.Colours();
    const auto fill = [&](const SeparatorBand& band, COLORREF colour) {
        const RECT r{TwipsToPixels(band.left, dpi), TwipsToPixels(band.top, dpi),
                     TwipsToPixels(band.right, dpi), TwipsToPixels(band.bottom, dpi)};
        FillRect(dc, &r, SolidDcBrush(dc, colour));
    };
    fill(kSeparatorShadow, palette.separatorShadow);
    fill(kSeparatorLight, palette.separatorLight);
    EndPaint(window_, &paint);
}

LRESULT AboutWindow::OnCtlColorStatic(HDC dc) {
    const Palette& palette = palette_.Colours();
    SetTextColor(dc, palette.usageText);
    SetBkColor(dc, palette.labelBack);
    return reinterpret_cast<LRESULT>(SolidDcBrush(dc, palette.labelBack));
}

LRESULT AboutWindow::DefaultButtonId() const {
    // Enter presses the button that has the focus, otherwise OK.
    const HWND focus = GetFocus();
    const int id = focus && GetParent(focus) == window_ ? GetDlgCtrlID(focus) : 0;
    return MAKELRESULT(id == kCmdSysInfo ? kCmdSysInfo : kCmdOK, DC_HASDEFID);
}

}  // namespace tarvolin

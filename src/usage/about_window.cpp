#include "usage/about_window.h"

#include "app/app_info.h"
#include "app/picture_control.h"
#include "app/resource.h"
#include "app/system_palette.h"
#include "app/text.h"
#include "app/window_class.h"
#include "usage/about_layout.h"
#include "usage/sys_info_launcher.h"
#include "usage/win_sys_info_platform.h"

namespace tarvolin {
namespace {

constexpr const wchar_t* kClassName = L"TarvolinUsage";
// A fixed dialog frame: no minimise or maximise button, no sizing.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr WindowDescription kDescription{
    kClassName, kStyle, kExStyle, &AboutLayout,
    nullptr,  // the controls as the layout makes them
    kCmdOK,   // the focus starts on OK
};

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

AboutWindow::AboutWindow() : BaseWindow(kDescription) {}

bool AboutWindow::Create() {
    RegisterPictureControl();
    RegisterWindowClass(LoadProgramIcon(IDI_USAGE, GetSystemMetrics(SM_CXSMICON)),
                        LoadProgramIcon(IDI_USAGE, GetSystemMetrics(SM_CXSMICON)));
    return CreateTopLevel();
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case DM_GETDEFID:
            return DefaultButtonId();
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}

// At its own place: the client area's corner at fixed twips.
POINT AboutWindow::OpeningCorner(const RECT& outer, int dpi) const {
    return {TwipsToPixels(kAboutClientLeftTwips, dpi) + outer.left,
            TwipsToPixels(kAboutClientTopTwips, dpi) + outer.top};
}

// Every label alike: the usage window's text on the button face.
LabelColours AboutWindow::LabelColoursOf(HWND) const {
    const Palette& palette = Colours();
    return {palette.usageText, palette.labelBack};
}

// Loaded in this order, after it has gone on top: caption, version, title.
void AboutWindow::OnLoaded() {
    SetWindowTextUtf8(window_, AboutCaption());
    SetWindowTextUtf8(GetDlgItem(window_, kLblVersion), AboutVersionLine());
    SetWindowTextUtf8(GetDlgItem(window_, kLblTitle), ApplicationTitle);
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
    const int dpi = Dpi();
    const Palette& palette = Colours();
    const auto fill = [&](const SeparatorBand& band, COLORREF colour) {
        const RECT r{TwipsToPixels(band.left, dpi), TwipsToPixels(band.top, dpi),
                     TwipsToPixels(band.right, dpi), TwipsToPixels(band.bottom, dpi)};
        FillRect(dc, &r, SolidDcBrush(dc, colour));
    };
    fill(kSeparatorShadow, palette.separatorShadow);
    fill(kSeparatorLight, palette.separatorLight);
    EndPaint(window_, &paint);
}

LRESULT AboutWindow::DefaultButtonId() const {
    // Enter presses the button that has the focus, otherwise OK.
    const HWND focus = GetFocus();
    const int id = focus && GetParent(focus) == window_ ? GetDlgCtrlID(focus) : 0;
    return MAKELRESULT(id == kCmdSysInfo ? kCmdSysInfo : kCmdOK, DC_HASDEFID);
}

}  // namespace tarvolin

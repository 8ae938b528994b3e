#include "calculator/calculator_window.h"

#include "app/resource.h"
#include "app/startup_trace.h"
#include "app/system_palette.h"
#include "app/text.h"
#include "app/window_class.h"
#include "calculator/calculator_layout.h"
#include "calculator/clock_line.h"
#include "calculator/digit_key_subclass.h"
#include "calculator/duration.h"

namespace tarvolin {
namespace {

constexpr const wchar_t* kClassName = L"TarvolinCalculator";
// A resizable border without a maximise button. The controls cover their own
// areas: the window's colour goes only around them.
constexpr DWORD kStyle = (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;
constexpr UINT_PTR kClockTimer = 1;

// The boxes take digits only, as their layout entries say.
void FilterDigitKeys(HWND control, const ControlEntry& entry) {
    if (entry.digitsOnly) InstallDigitKeyFilter(control);
}

constexpr WindowDescription kDescription{
    kClassName, kStyle, kExStyle, &CalculatorLayout, &FilterDigitKeys,
    kText1,  // the focus starts in the first box
};

std::string BoxText(HWND window, int id) { return Narrow(WindowTextOf(GetDlgItem(window, id))); }

std::string UserDecimalSeparator() {
    wchar_t separator[8] = L".";
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8)) return ".";
    return Narrow(separator);
}

}  // namespace

CalculatorWindow::CalculatorWindow(void (*showUsage)()) : BaseWindow(kDescription), showUsage_(showUsage) {}

bool CalculatorWindow::Create(int showCommand) {
    RegisterWindowClass(LoadProgramIcon(IDI_CALCULATOR, GetSystemMetrics(SM_CXICON)),
                        LoadProgramIcon(IDI_CALCULATOR, GetSystemMetrics(SM_CXSMICON)));
    TraceStartup("window class with its icons");
    if (!CreateTopLevel()) return false;
    TraceStartup("window loaded: placed, topmost, clock started");
    ShowWindow(window_, showCommand);
    TraceStartup("shown and active");
    UpdateWindow(window_);
    TraceStartup("painted: ready for input");
    return true;
}

LRESULT CalculatorWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kClockTimer) OnTimer();
            return 0;
        case WM_ERASEBKGND:
            OnEraseBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return BaseWindow::HandleMessage(message, wParam, lParam);
}

// Centred on the screen.
POINT CalculatorWindow::OpeningCorner(const RECT& outer, int) const {
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

LabelColours CalculatorWindow::LabelColoursOf(HWND label) const {
    // The clock line shares the window's colour; the other labels keep the
    // button face behind their text.
    const Palette& palette = Colours();
    const COLORREF back = GetDlgCtrlID(label) == kLabel7 ? palette.back : palette.labelBack;
    return {palette.labelText, back};
}

void CalculatorWindow::OnLoaded() { SetTimer(window_, kClockTimer, kClockIntervalMs, nullptr); }

void CalculatorWindow::OnCommand(int id, int notification) {
    if (notification != BN_CLICKED) return;
    if (id == kCommand1) Compute();
    if (id == kCommand2) showUsage_();
}

void CalculatorWindow::Compute() {
    const std::string texts[] = {BoxText(window_, kText1), BoxText(window_, kText2), BoxText(window_, kText3),
                                 BoxText(window_, kText4), BoxText(window_, kText5), BoxText(window_, kText6),
                                 BoxText(window_, kText8)};
    const DurationOutcome outcome = ComputeDuration(
        {texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6]}, UserDecimalSeparator());
    if (outcome.rangeError) {
        if (outcome.resetStartHour) SetWindowTextW(GetDlgItem(window_, kText1), L"0");
        MessageBoxW(window_, L"输入时间范围错误！", L"提示", MB_OK);
        return;
    }
    SetWindowTextUtf8(GetDlgItem(window_, kText7), outcome.resultText);
}

void CalculatorWindow::OnTimer() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string line =
        ClockLine({now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute, now.wSecond});
    // Two ticks a second: repaint only when the second has moved on.
    if (line == clockLine_) return;
    clockLine_ = std::move(line);
    SetWindowTextUtf8(GetDlgItem(window_, kLabel7), clockLine_);
}

void CalculatorWindow::OnEraseBackground(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, SolidDcBrush(dc, Colours().back));
}

void CalculatorWindow::OnDestroy() { KillTimer(window_, kClockTimer); }

}  // namespace tarvolin

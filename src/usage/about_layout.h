// The usage window, control by control.
#pragma once

#include <string>

#include "app/layout.h"

namespace tarvolin {

// cmdOK is IDOK, so Enter presses it; Escape (IDCANCEL) closes the window too.
enum AboutControlId {
    kCmdOK = 1,
    kPicIcon = 201,
    kLblTitle,
    kLblVersion,
    kLblDescription,
    kLblDisclaimer,
    kCmdSysInfo
};

// Where the client area's top-left corner first appears on the screen.
constexpr int kAboutClientLeftTwips = 5340;
constexpr int kAboutClientTopTwips = 4230;

// The etched separator: a grey line one pixel thick (15 twips at 96 DPI)
// with a white one of two below it, both running past the right edge of the
// client area. Each is filled between its own edges, so that at no DPI does
// one cover the other.
struct SeparatorBand {
    int left, top, right, bottom;  // twips
};
inline constexpr SeparatorBand kSeparatorShadow{90, 2445, 5654, 2460};
inline constexpr SeparatorBand kSeparatorLight{105, 2460, 5654, 2490};

const WindowLayout& AboutLayout();

// "关于 时差计算器", "版本 1.0.2": the texts the window takes when it loads.
std::string AboutCaption();
std::string AboutVersionLine();

}  // namespace tarvolin

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

// The etched separator: a grey line with a white one of width 2 below it,
// both running past the right edge of the client area.
struct SeparatorLine {
    int x1, y1, x2, y2;  // twips
    unsigned colour;     // 0x00BBGGRR
    int widthPixels;
};
inline constexpr SeparatorLine kAboutSeparator[] = {
    {90, 2445, 5654, 2445, 0x00808080, 1},
    {105, 2460, 5654, 2460, 0x00FFFFFF, 2},
};

const WindowLayout& AboutLayout();

// "关于 时差计算器", "版本 1.0.2": the texts the window takes when it loads.
std::string AboutCaption();
std::string AboutVersionLine();

}  // namespace tarvolin

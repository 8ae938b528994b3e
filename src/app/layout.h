// Window layouts as data: controls with rectangles in twips and fonts in
// points, turned into pixels at the window's real DPI.
#pragma once

#include <cstddef>

namespace tarvolin {

constexpr int kTwipsPerInch = 1440;
constexpr int kPointsPerInch = 72;

enum class ControlKind {
    Label,          // static text
    PaddedLabel,    // static text whose run of blanks ends its first line
    TextBox,        // single-line edit
    Button,         // push button
    DefaultButton,  // push button that Enter presses when no other button has the focus
    Picture,        // a focusable picture of the program's icon
};

struct TwipsRect {
    int left, top, width, height;
};

struct PixelRect {
    int left, top, width, height;
};

struct ControlEntry {
    int id;
    const char* name;
    ControlKind kind;
    const char* text;  // UTF-8; empty for none
    TwipsRect rect;
    int fontCentipoints;  // 900 is 9 pt
    int maxLength;        // 0: no limit
    int tabIndex;
    bool digitsOnly;             // typed characters pass the digit filter
    const char* accessibleName;  // UTF-8; what a screen reader announces, or nullptr
};

struct WindowLayout {
    const char* caption;  // UTF-8
    int clientWidthTwips, clientHeightTwips;
    const ControlEntry* controls;
    std::size_t controlCount;
};

// Rounded to the nearest pixel: at 96 DPI 15 twips make a pixel, at 120 DPI 12.
constexpr int TwipsToPixels(int twips, int dpi) { return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch; }

constexpr PixelRect ToPixels(const TwipsRect& r, int dpi) {
    return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
            TwipsToPixels(r.height, dpi)};
}

// The character height of a font of that many hundredths of a point, in
// whole pixels: 9 pt at 96 DPI is 12 pixels. Rounded down, so that a caption
// that fits its box at 96 DPI still fits where the size falls between pixels
// (10.5 pt at 120 DPI is 17 pixels, not 18). Fonts are asked for with the
// negated value (character height, not cell height).
constexpr int FontPixelHeight(int centipoints, int dpi) { return centipoints * dpi / (kPointsPerInch * 100); }

// The face every control names: SimSun, in the GB2312 character set.
inline constexpr const char* kControlFontFace = "宋体";
constexpr int kDefaultFontCentipoints = 900;

}  // namespace tarvolin

#include "app/palette.h"

#include <algorithm>
#include <cmath>

namespace tarvolin {
namespace {

constexpr unsigned kBlack = 0x000000;
constexpr unsigned kDesignBack = 0xE0E0E0;
constexpr unsigned kDesignShadow = 0x808080;
constexpr unsigned kDesignLight = 0xFFFFFF;
constexpr double kReadableRatio = 4.5;

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double Luminance(unsigned colour) {
    const auto linear = [](unsigned channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const unsigned red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    return 0.2126 * linear(red) + 0.7152 * linear(green) + 0.0722 * linear(blue);
}

}  // namespace

double ContrastRatio(unsigned a, unsigned b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsContrastTheme(bool highContrastFlag, unsigned face) {
    return highContrastFlag || ContrastRatio(kBlack, face) < kReadableRatio;
}

Palette ChoosePalette(bool highContrastFlag, const SystemColours& system) {
    if (IsContrastTheme(highContrastFlag, system.face)) {
        return {system.face, system.face, system.faceText, system.faceText, system.shadow, system.highlight};
    }
    // The design: a light grey window, the system's text on the face, the
    // usage window's labels in black and a grey and white etched line.
    return {kDesignBack, system.face, system.faceText, kBlack, kDesignShadow, kDesignLight};
}

}  // namespace tarvolin

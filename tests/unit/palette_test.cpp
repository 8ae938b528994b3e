// Which colours each element takes in and out of a contrast theme.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/palette.h"

namespace tarvolin {
namespace {

std::string Hex(const Palette& p) {
    char text[64];
    std::snprintf(text, sizeof text, "%06x %06x %06x %06x %06x %06x", p.back, p.labelBack, p.labelText,
                  p.usageText, p.separatorShadow, p.separatorLight);
    return text;
}

TEST(ChoosePalette, DesignColoursUnlessTheThemeIsOnOrTheFaceIsDark) {
    const struct {
        bool flag;
        SystemColours system;  // face, text on it, 3-D shadow, 3-D highlight
        Palette expected;      // back, label back, label text, usage text, line shadow, line light
    } cases[] = {
        // The design: a grey window, black usage labels, a grey and white line.
        {0, {0xF0F0F0, 0, 0xA0A0A0, 0xFFFFFF}, {0xE0E0E0, 0xF0F0F0, 0, 0, 0x808080, 0xFFFFFF}},
        {0, {0x757575, 0, 0x404040, 0xC0C0C0}, {0xE0E0E0, 0x757575, 0, 0, 0x808080, 0xFFFFFF}},
        {0, {0x00FF00, 0, 0x404040, 0xC0C0C0}, {0xE0E0E0, 0x00FF00, 0, 0, 0x808080, 0xFFFFFF}},
        // Black on these faces is below 4.5:1 (blue counts least): the theme's colours.
        {0,
         {0x747474, 0xFFFFFF, 0x404040, 0xC0C0C0},
         {0x747474, 0x747474, 0xFFFFFF, 0xFFFFFF, 0x404040, 0xC0C0C0}},
        {0,
         {0xFF0000, 0xFFFFFF, 0x00FF00, 0x00FFFF},
         {0xFF0000, 0xFF0000, 0xFFFFFF, 0xFFFFFF, 0x00FF00, 0x00FFFF}},
        {0, {0, 0xFFFFFF, 0x00FF00, 0x00FFFF}, {0, 0, 0xFFFFFF, 0xFFFFFF, 0x00FF00, 0x00FFFF}},
        // The system's flag, as with a white contrast theme.
        {1, {0xFFFFFF, 0, 0, 0x800080}, {0xFFFFFF, 0xFFFFFF, 0, 0, 0, 0x800080}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Hex(ChoosePalette(c.flag, c.system)), Hex(c.expected)) << "case " << &c - cases;
}

}  // namespace
}  // namespace tarvolin

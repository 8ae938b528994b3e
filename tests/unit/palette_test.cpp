// Which colours each element takes in and out of a contrast theme.
#include <gtest/gtest.h>

#include "app/palette.h"

namespace tarvolin {
namespace {

TEST(ChoosePalette, DesignColoursUnlessTheThemeIsOnOrTheFaceIsDark) {
    // The theme's if the system says so or black on the face is below 4.5:1 (blue
    // counts least, red more): back, label back and text, usage text, lines.
    for (auto [flag, face, palette] : {std::tuple{false, 0x757575u, "E0E0E0 757575 1 0 808080 FFFFFF"},
                                       {false, 0x747474u, "747474 747474 1 1 2 3"},
                                       {false, 0xFF0000u, "FF0000 FF0000 1 1 2 3"},
                                       {false, 0x0000FFu, "E0E0E0 FF 1 0 808080 FFFFFF"},
                                       {false, 0x00FF00u, "E0E0E0 FF00 1 0 808080 FFFFFF"},
                                       {true, 0xFFFFFFu, "FFFFFF FFFFFF 1 1 2 3"}}) {
        const Palette p = ChoosePalette(flag, {face, 1, 2, 3});
        char seen[64];
        std::snprintf(seen, sizeof seen, "%X %X %X %X %X %X", p.back, p.labelBack, p.labelText, p.usageText,
                      p.separatorShadow, p.separatorLight);
        EXPECT_STREQ(seen, palette) << face;
    }
}

}  // namespace
}  // namespace tarvolin

// Which colours each element takes in and out of a contrast theme.
#include <gtest/gtest.h>

#include "app/palette.h"

namespace tarvolin {
namespace {

// back, label back, label text, usage text, line shadow, line light
std::vector<unsigned> Colours(const Palette& p) {
    return {p.back, p.labelBack, p.labelText, p.usageText, p.separatorShadow, p.separatorLight};
}

TEST(ChoosePalette, DesignColoursUnlessTheThemeIsOnOrTheFaceIsDark) {
    EXPECT_EQ(Colours(ChoosePalette(false, {0x757575, 1, 2, 3})),
              (std::vector<unsigned>{0xE0E0E0, 0x757575, 1, 0, 0x808080, 0xFFFFFF}));
    EXPECT_EQ(Colours(ChoosePalette(false, {0x747474, 1, 2, 3})),
              (std::vector<unsigned>{0x747474, 0x747474, 1, 1, 2, 3}));
    // Black on the face below 4.5:1, blue counting least, or the system's flag.
    for (auto [flag, face, theme] : {std::tuple{false, 0x757575u, false},
                                     {false, 0x747474u, true},
                                     {false, 0xFF0000u, true},
                                     {false, 0x00FF00u, false},
                                     {true, 0xFFFFFFu, true}})
        EXPECT_EQ(IsContrastTheme(flag, face), theme) << face;
}

}  // namespace
}  // namespace tarvolin

// Which colours each element takes, in and out of a contrast theme.
#include <gtest/gtest.h>

#include <tuple>

#include "app/palette.h"

namespace tarvolin {
namespace {

// The fields in order, which gtest prints when they differ.
auto Fields(const Palette& p) {
    return std::make_tuple(p.back, p.labelBack, p.labelText, p.usageText, p.separatorShadow,
                           p.separatorLight);
}

TEST(ChoosePalette, DesignColoursUnlessTheThemeIsOnOrTheFaceIsDark) {
    // Each row: the system's high-contrast flag, the button face, and the
    // palette: back, label back, label text, usage text (0 black), separator
    // shadow and light. The design's own colours are E0E0E0 for the back,
    // 808080 and FFFFFF for the separator. The system's text, shadow and
    // highlight are 1, 2 and 3 in every row, to show where each goes. Black on the face below 4.5:1 is a dark
    // theme; in the luminance green weighs most, then red, blue least (0xBBGGRR).
    // clang-format off
    const std::tuple<bool, unsigned, Palette> rows[] = {
        {false, 0x757575, {0xE0E0E0, 0x757575, 1, 0, 0x808080, 0xFFFFFF}},  // 4.56:1
        {false, 0x747474, {0x747474, 0x747474, 1, 1, 2, 3}},                // 4.49:1
        {false, 0xFF0000, {0xFF0000, 0xFF0000, 1, 1, 2, 3}},                // blue: 2.44:1
        {false, 0x0000FF, {0xE0E0E0, 0x0000FF, 1, 0, 0x808080, 0xFFFFFF}},  // red: 5.25:1
        {false, 0xFF7800, {0xE0E0E0, 0xFF7800, 1, 0, 0x808080, 0xFFFFFF}},  // 5.13:1; blue read as red: 3.69:1
        {true, 0xFFFFFF, {0xFFFFFF, 0xFFFFFF, 1, 1, 2, 3}},
    };
    // clang-format on
    for (const auto& [highContrastFlag, face, expected] : rows) {
        const Palette palette = ChoosePalette(highContrastFlag, {face, 1, 2, 3});
        EXPECT_EQ(Fields(palette), Fields(expected)) << std::hex << "face " << face;
    }
}

}  // namespace
}  // namespace tarvolin

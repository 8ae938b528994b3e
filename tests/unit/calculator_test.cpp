// The calculator's core where typing cannot reach (pasted text, huge
// numbers, the locale's separator) and its number rules. (The fuzz target
// checks the clock line.)
#include <gtest/gtest.h>

#include <string>

#include "app/layout.h"
#include "calculator/box_number.h"
#include "calculator/digit_key_filter.h"
#include "calculator/duration.h"
#include "calculator/general_number.h"

namespace tarvolin {
namespace {

TEST(ComputeDuration, MinutesOrTheRangeError) {
    const std::string huge(400, '9'), minusHuge = "-" + huge;
    // "!": the range error; "!0": the range error with Text1 reset to "0".
    const struct {
        DurationInput input;  // start h, m, s, end h, m, s, interval days
        const char* result;
    } cases[] = {
        {{"0", "0", "0", "0", "0", "0", "2"}, "2880"},
        {{"10", "0", "40", "10", "1", "10", "0"}, "0.5"},
        {{"0", "0", "0", "0", "0", "20", "0"}, "0.333333333333333"},
        {{"23", "0", "0", "1", "0", "0", "0"}, "120"},
        {{"23", "59", "59", "23", "59", "59", "0"}, "0"},
        {{"5", "0", "0", "6", "0", "0", "1365"}, "1965660"},
        {{"5", "0", "0", "6", "0", "0", "9999"}, "14398620"},
        {{"8", "0", "0", "9", "0", "0", "1e5"}, "1500"},
        {{"8", "0", "0", "9", "0", "0", "1.5"}, "1500"},  // 2.5 days plus one rounds to 2
        {{"8", "0", "0", "9", "0", "0", "0.4"}, "60"},
        {{"8", "0", "0", "9", "0", "0", "-1"}, "60"},
        {{"8", "0", "0", "8", "0", "0", "99999"}, "-1440"},  // beyond 16 bits: D stays 0
        {{"8", "0", "0", "9", "0", "0", "-99999"}, "60"},
        {{"8", "0", "0", "9", "0", "0", huge}, "60"},
        {{huge, "0", "0", "9", "0", "0", "0"}, "540"},  // a read that fails leaves 0
        {{"0", "0", "0", "0", "0", minusHuge, "0"}, "0"},
        {{" 7x", "1 2", "3.x", "9", "", "", ""}, "118.95"},
        {{"24", "0", "0", "1", "0", "0", "0"}, "!0"},
        {{"25", "0", "0", "1", "0", "0", "0"}, "!"},
        {{"1", "60", "0", "2", "0", "0", "0"}, "!"},
        {{"1", "0", "60", "2", "0", "0", "0"}, "!"},
        {{"1", "0", "0", "24", "0", "0", "0"}, "!"},
        {{"1", "0", "0", "2", "99", "0", "0"}, "!"},
        {{"1", "0", "0", "2", "0", "60", "0"}, "!"},
    };
    for (const auto& c : cases) {
        const DurationOutcome outcome = ComputeDuration(c.input);
        EXPECT_EQ(outcome.rangeError ? (outcome.resetStartHour ? "!0" : "!") : outcome.resultText, c.result)
            << "case " << &c - cases << " from " << c.input.startHour.substr(0, 9);
    }
    EXPECT_EQ(ComputeDuration({"10", "0", "0", "10", "0", "30", "0"}, ",").resultText, "0,5");
}

TEST(FormatGeneralNumber, FifteenSignificantDigitsWithoutExponent) {
    const struct {
        double value;
        std::string text;
    } cases[] = {
        {570, "570"},
        {-20, "-20"},
        {2.0 / 3, "0.666666666666667"},
        {1e15, "1000000000000000"},
        {123456789012345678.0, "123456789012346000"},
        {1e-5, "0.00001"},
        {-0.0, "0"},
        {-0.25, "-0.25"},
        {1.7976931348623157e308, "179769313486231" + std::string(294, '0')},  // rounded down: it reads back
    };
    for (const auto& c : cases) EXPECT_EQ(FormatGeneralNumber(c.value), c.text) << c.value;
}

TEST(DigitKeyFilter, PassesBackspaceAndDigitsOnly) {
    for (unsigned code = 0; code < 0x10000; ++code)
        EXPECT_EQ(DigitKeyFilter(code), code == 8 || (code >= '0' && code <= '9') ? code : 0u) << code;
}

TEST(Layout, TwipsAndPointsInPixels) {
    EXPECT_EQ(TwipsToPixels(4875, 120), 406);   // 406.25
    EXPECT_EQ(TwipsToPixels(8, 96), 1);         // over half a pixel
    EXPECT_EQ(FontPixelHeight(1425, 96), 19);   // 14.25 pt
    EXPECT_EQ(FontPixelHeight(1050, 120), 17);  // not 18: "间隔天数" must still fit its label
}

}  // namespace
}  // namespace tarvolin

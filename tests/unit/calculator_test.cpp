// The calculator's core: the duration and its range rule, the numbers the
// boxes hold (pasted text included), the result's form, the digit rule and
// the clock line.
#include <gtest/gtest.h>

#include <string>

#include "calculator/clock_line.h"
#include "calculator/digit_key_filter.h"
#include "calculator/duration.h"
#include "calculator/general_number.h"

namespace tarvolin {
namespace {

TEST(ComputeDuration, MinutesOrTheRangeError) {
    // 400 nines are more than a double holds; the largest double, negated, fits.
    const std::string huge(400, '9'), minusHuge = "-" + huge,
                                      maxLess = "-17976931348623157" + std::string(292, '0');
    // "!": the range error; "!0": the range error with Text1 reset to "0".
    const struct {
        DurationInput input;  // start h, m, s, end h, m, s, interval days
        const char* result;
    } cases[] = {
        {{"8", "0", "0", "17", "30", "0", "0"}, "570"},
        {{"0", "0", "0", "0", "0", "0", "2"}, "2880"},
        {{"10", "0", "40", "10", "1", "10", "0"}, "0.5"},
        {{"0", "0", "0", "0", "0", "20", "0"}, "0.333333333333333"},
        {{"23", "0", "0", "1", "0", "0", "0"}, "120"},  // the next day
        {{"10", "30", "0", "10", "10", "0", "0"}, "-20"},
        {{"23", "59", "59", "23", "59", "59", "0"}, "0"},
        {{"", "", "", "", "", "", ""}, "0"},
        {{"5", "0", "0", "6", "0", "0", "1365"}, "1965660"},
        {{"5", "0", "0", "6", "0", "0", "9999"}, "14398620"},
        {{"8", "0", "0", "9", "0", "0", "1.5"}, "1500"},  // 2.5 days plus one rounds to 2
        {{"8", "0", "0", "9", "0", "0", "0.4"}, "60"},
        {{"8", "0", "0", "9", "0", "0", "-1"}, "60"},
        {{"8", "0", "0", "8", "0", "0", "99999"}, "-1440"},  // beyond 16 bits: D stays 0
        {{"8", "0", "0", "9", "0", "0", "-99999"}, "60"},
        {{"8", "0", "0", "9", "0", "0", huge}, "60"},
        {{huge, "0", "0", "9", "0", "0", "0"}, "540"},  // a read that fails leaves 0
        {{"0", "0", "0", "0", "0", minusHuge, "0"}, "0"},
        {{"0", maxLess, maxLess, "0", "0", "0", "0"}, "0"},      // beyond the largest double: 0
        {{" 7x", "1 2", "3.x", "9", "", "", "1e5"}, "1558.95"},  // no exponents: one day
        {{"\t-5", "+.5", "", "", "5.", "", ""}, "304.5"},
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
            << "case " << &c - cases;
    }
    EXPECT_EQ(ComputeDuration({"10", "0", "0", "10", "0", "30", "0"}, ",").resultText, "0,5");
}

TEST(FormatGeneralNumber, FifteenSignificantDigitsWithoutExponent) {
    const struct {
        double value;
        std::string text;
    } cases[] = {
        {570, "570"},
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

TEST(ClockLine, PlainDecimalsAndTheWeekdaysNumeral) {
    const struct {
        LocalDateTime time;  // year, month, day, weekday (0 Sunday), hour, minute, second
        const char* line;
    } cases[] = {
        {{2008, 3, 9, 0, 8, 1, 2}, "2008年3月9日, 星期日 8:1:2"},
        {{2011, 12, 31, 6, 23, 59, 59}, "2011年12月31日, 星期六 23:59:59"},
        {{2026, 1, 5, 1, 0, 0, 5}, "2026年1月5日, 星期一 0:0:5"},
        {{2026, 1, 7, 3, 12, 0, 0}, "2026年1月7日, 星期三 12:0:0"},
    };
    for (const auto& c : cases) EXPECT_EQ(ClockLine(c.time), c.line);
}

}  // namespace
}  // namespace tarvolin

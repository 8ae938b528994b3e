// The duration from the boxes' texts, typed or pasted; the clock line.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "calculator/clock_line.h"
#include "calculator/duration.h"

namespace tarvolin {
namespace {

// What the compute button does with the boxes.
enum Outcome { kMinutes, kRangeError, kRangeErrorText1Reset };

TEST(ComputeDuration, MinutesOrTheRangeError) {
    // The boxes Text1 to Text6 and Text8 (start hour, minute, second; end
    // hour, minute, second; interval days), and Text7's new text or, for a
    // range error, none. More than a double holds, and the largest double,
    // negated.
    const std::string huge(400, '9');
    const std::string maxNegated = "-17976931348623157" + std::string(292, '0');
    const std::string maxRoundedDown = "179769313486231" + std::string(294, '0');
    struct Row {
        DurationInput boxes;
        std::string text7;
        Outcome outcome = kMinutes;
    };
    // clang-format off
    const Row rows[] = {
        {{"8", "0", "0", "17", "30", "0", "0"}, "570"}, {{"0", "59", "59", "23", "59", "59", "0"}, "1380"},
        {{"0", "0", "0", "0", "0", "0", "2"}, "2880"}, {{"5", "0", "0", "6", "0", "0", "9999"}, "14398620"},
        {{"10", "0", "40", "10", "1", "10", "0"}, "0.5"},
        {{"0", "0", "0", "0", "0", "20", "0"}, "0.333333333333333"},
        {{"23", "0", "0", "1", "0", "0", "0"}, "120"},     // the next day
        {{"10", "30", "0", "10", "10", "0", "0"}, "-20"},  // only the hours tell the next day
        {{"", "", "", "", "", "", ""}, "0"},
        // The days plus one, rounded half to even (2.5 to 2, 1.6 to 2, 1.4 to
        // 1), as 16 bits; beyond those they stay 0, and the same hour on the
        // same day is -24 hours: (0 - 1) x 24.
        {{"8", "0", "0", "9", "0", "0", "1.5"}, "1500"}, {{"8", "0", "0", "9", "0", "0", "0.6"}, "1500"},
        {{"8", "0", "0", "9", "0", "0", "0.4"}, "60"}, {{"8", "0", "0", "9", "0", "0", "-1"}, "60"},
        {{"8", "0", "0", "8", "0", "0", "99999"}, "-1440"},
        {{huge, "0", "0", "9", "0", "0", "0"}, "540"},             // a read that fails leaves 0
        {{"0", maxNegated, maxNegated, "0", "0", "0", "0"}, "0"},  // beyond the largest double: 0
        // Pasted text: the number it starts with, without exponents.
        {{" 7x", "1 2", "3.x", "9", "", "", "1e5"}, "1558.95"},
        {{"\t-5", "+.5", "", "", "5.", "", ""}, "304.5"},
        // 15 significant digits, never an exponent.
        {{"0", "0", "0", "0", "0", "0.0006", "0"}, "0.00001"},
        {{"0", "0", "0", "-123456789012345678", "0", "0", "0"}, "-7407407340740740000"},
        // Rounded up to 15 digits the largest double would be too large to
        // read back: rounded down.
        {{"0", maxNegated, "0", "0", "0", "0", "0"}, maxRoundedDown},
        // A time outside the 24-hour clock; a start hour of 24 becomes 0.
        {{"24", "0", "0", "1", "0", "0", "0"}, "", kRangeErrorText1Reset},
        {{"25", "0", "0", "1", "0", "0", "0"}, "", kRangeError},
        {{"1", "60", "0", "2", "0", "0", "0"}, "", kRangeError},
        {{"1", "0", "60", "2", "0", "0", "0"}, "", kRangeError},
        {{"1", "0", "0", "24", "0", "0", "0"}, "", kRangeError},
        {{"1", "0", "0", "2", "99", "0", "0"}, "", kRangeError},
        {{"1", "0", "0", "2", "0", "60", "0"}, "", kRangeError},
    };
    // clang-format on
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        const DurationOutcome outcome = ComputeDuration(rows[row].boxes);
        EXPECT_EQ(outcome.rangeError, rows[row].outcome != kMinutes) << "row " << row;
        EXPECT_EQ(outcome.resetStartHour, rows[row].outcome == kRangeErrorText1Reset) << "row " << row;
        EXPECT_EQ(outcome.resultText, rows[row].text7) << "row " << row;
    }
    // The user's decimal separator.
    EXPECT_EQ(ComputeDuration({"10", "0", "0", "10", "0", "30", "0"}, ",").resultText, "0,5");
}

TEST(ClockLine, PlainDecimalsAndTheWeekdaysNumeral) {
    const std::pair<LocalDateTime, const char*> rows[] = {
        {{2008, 3, 9, 0, 8, 1, 2}, "2008年3月9日, 星期日 8:1:2"},
        {{2011, 12, 31, 6, 23, 59, 59}, "2011年12月31日, 星期六 23:59:59"},
        {{2026, 1, 5, 1, 0, 0, 5}, "2026年1月5日, 星期一 0:0:5"},
    };
    for (const auto& [time, line] : rows) EXPECT_EQ(ClockLine(time), line);
}

}  // namespace
}  // namespace tarvolin

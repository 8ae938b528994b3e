// The duration from the boxes' texts, pasted ones too; the clock line.
#include <gtest/gtest.h>

#include <string>

#include "calculator/clock_line.h"
#include "calculator/duration.h"

namespace tarvolin {
namespace {

TEST(ComputeDuration, MinutesOrTheRangeError) {
    // More than a double holds, and the largest double, negated.
    const std::string huge(400, '9'), maxLess = "-17976931348623157" + std::string(292, '0');
    // Start h|m|s|end h|m|s|interval days; "!": the range error, "!0": with Text1 reset to "0".
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"8|0|0|17|30|0|0", "570"}, {"0|59|59|23|59|59|0", "1380"}, {"0|0|0|0|0|0|2", "2880"},
        {"10|0|40|10|1|10|0", "0.5"}, {"0|0|0|0|0|20|0", "0.333333333333333"},
        {"23|0|0|1|0|0|0", "120"},  // the next day
        {"10|30|0|10|10|0|0", "-20"}, {"||||||", "0"}, {"5|0|0|6|0|0|9999", "14398620"},
        // Plus one, 2.5 days round to 2, 1.6 to 2, 1.4 to 1; beyond 16 bits D stays 0.
        {"8|0|0|9|0|0|1.5", "1500"}, {"8|0|0|9|0|0|0.6", "1500"}, {"8|0|0|9|0|0|0.4", "60"},
        {"8|0|0|9|0|0|-1", "60"}, {"8|0|0|8|0|0|99999", "-1440"},
        {huge + "|0|0|9|0|0|0", "540"},                      // a read that fails leaves 0
        {"0|" + maxLess + "|" + maxLess + "|0|0|0|0", "0"},  // beyond the largest double: 0
        {" 7x|1 2|3.x|9|||1e5", "1558.95"},                  // no exponents: one day
        {"\t-5|+.5|||5.||", "304.5"}, {"0|0|0|0|0|0.0006|0", "0.00001"},  // no exponents, 15 significant digits
        {"0|0|0|-123456789012345678|0|0|0", "-7407407340740740000"},
        {"0|" + maxLess + "|0|0|0|0|0", "179769313486231" + std::string(294, '0')},  // rounded down: it reads back
        {"24|0|0|1|0|0|0", "!0"}, {"25|0|0|1|0|0|0", "!"}, {"1|60|0|2|0|0|0", "!"}, {"1|0|60|2|0|0|0", "!"},
        {"1|0|0|24|0|0|0", "!"}, {"1|0|0|2|99|0|0", "!"}, {"1|0|0|2|0|60|0", "!"},
    };
    // clang-format on
    for (const auto& [input, result] : cases) {
        std::string_view box[7];
        for (size_t i = 0, from = 0, to = 0; i < 7; ++i, from = to + 1)
            box[i] = std::string_view(input).substr(from, (to = input.find('|', from)) - from);
        const DurationOutcome outcome =
            ComputeDuration({box[0], box[1], box[2], box[3], box[4], box[5], box[6]});
        EXPECT_EQ(outcome.rangeError ? (outcome.resetStartHour ? "!0" : "!") : outcome.resultText, result)
            << input.substr(0, 40);
    }
    EXPECT_EQ(ComputeDuration({"10", "0", "0", "10", "0", "30", "0"}, ",").resultText, "0,5");
}

TEST(ClockLine, PlainDecimalsAndTheWeekdaysNumeral) {
    const std::pair<LocalDateTime, const char*> cases[] = {
        {{2008, 3, 9, 0, 8, 1, 2}, "2008年3月9日, 星期日 8:1:2"},
        {{2011, 12, 31, 6, 23, 59, 59}, "2011年12月31日, 星期六 23:59:59"},
        {{2026, 1, 5, 1, 0, 0, 5}, "2026年1月5日, 星期一 0:0:5"},
    };
    for (const auto& [time, line] : cases) EXPECT_EQ(ClockLine(time), line);
}

}  // namespace
}  // namespace tarvolin

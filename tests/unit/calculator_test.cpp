#include <gtest/gtest.h>

#include <string>

#include "calculator/box_number.h"
#include "calculator/clock_line.h"
#include "calculator/digit_key_filter.h"
#include "calculator/duration.h"
#include "calculator/general_number.h"

namespace tarvolin {
namespace {

TEST(ReadBoxNumber, TakesTheLeadingDecimalNumber) {
    const struct {
        const char* name;
        std::string text;
        double expected;
    } cases[] = {
        {"empty", "", 0},           {"integer", "12", 12},       {"leading blanks", "  7", 7},
        {"tab", "\t4", 4},          {"minus", "-5", -5},         {"plus", "+3", 3},
        {"fraction", "1.5", 1.5},   {"bare fraction", ".5", 0.5}, {"trailing point", "5.", 5},
        {"junk after", "12abc", 12}, {"no number", "abc", 0},    {"sign only", "-", 0},
        {"no exponent", "1e5", 1},  {"full-width digits", "１２", 0},
        {"embedded blank", "1 2", 1}, {"point then junk", "3.x", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto value = ReadBoxNumber(c.text);
        ASSERT_TRUE(value.has_value());
        EXPECT_DOUBLE_EQ(*value, c.expected);
    }
}

TEST(ReadBoxNumber, TooLargeForDoubleIsAFailedRead) {
    EXPECT_FALSE(ReadBoxNumber(std::string(400, '9')).has_value());
    EXPECT_FALSE(ReadBoxNumber("-" + std::string(400, '9')).has_value());
}

TEST(FormatGeneralNumber, FifteenDigitsInPlainNotation) {
    const struct {
        const char* name;
        double value;
        const char* expected;
    } cases[] = {
        {"integer", 570, "570"},
        {"half", 0.5, "0.5"},
        {"negative", -20, "-20"},
        {"one third", 1.0 / 3, "0.333333333333333"},
        {"two thirds rounds up", 2.0 / 3, "0.666666666666667"},
        {"1e15 without exponent", 1e15, "1000000000000000"},
        {"beyond 15 digits pads zeros", 123456789012345678.0, "123456789012346000"},
        {"small without exponent", 1e-5, "0.00001"},
        {"negative zero", -0.0, "0"},
        {"zero", 0, "0"},
        {"longest interval", 14398620, "14398620"},
        {"negative fraction", -0.25, "-0.25"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatGeneralNumber(c.value), c.expected);
    }
}

TEST(FormatGeneralNumber, UsesTheGivenSeparator) {
    EXPECT_EQ(FormatGeneralNumber(0.5, ","), "0,5");
    EXPECT_EQ(FormatGeneralNumber(12, ","), "12");
}

TEST(ComputeDuration, ResultInMinutes) {
    const struct {
        const char* name;
        DurationInput input;
        const char* expected;
    } cases[] = {
        {"same day", {"8", "0", "0", "17", "30", "0", "0"}, "570"},
        {"next day by interval", {"23", "0", "0", "1", "0", "0", "1"}, "120"},
        {"equal times two days apart", {"0", "0", "0", "0", "0", "0", "2"}, "2880"},
        {"seconds only", {"10", "0", "0", "10", "0", "30", "0"}, "0.5"},
        {"seconds borrow from minutes", {"10", "0", "40", "10", "1", "10", "0"}, "0.5"},
        {"twenty seconds", {"0", "0", "0", "0", "0", "20", "0"}, "0.333333333333333"},
        {"end before start in the hour", {"10", "30", "0", "10", "10", "0", "0"}, "-20"},
        {"all empty", {"", "", "", "", "", "", ""}, "0"},
        {"1365 days", {"5", "0", "0", "6", "0", "0", "1365"}, "1965660"},
        {"1366 days needs wide arithmetic", {"5", "0", "0", "6", "0", "0", "1366"}, "1967100"},
        {"9999 days", {"5", "0", "0", "6", "0", "0", "9999"}, "14398620"},
        {"end hour earlier wraps to next day", {"23", "0", "0", "1", "0", "0", "0"}, "120"},
        {"one second to midnight", {"23", "59", "59", "0", "0", "0", "0"}, "0.0166666666666667"},
        {"largest fields in range", {"23", "59", "59", "23", "59", "59", "0"}, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DurationOutcome outcome = ComputeDuration(c.input);
        EXPECT_FALSE(outcome.rangeError);
        EXPECT_EQ(outcome.resultText, c.expected);
    }
}

TEST(ComputeDuration, FieldsOutsideTheClock) {
    const struct {
        const char* name;
        DurationInput input;
        bool resetStartHour;
    } cases[] = {
        {"start hour 24", {"24", "0", "0", "1", "0", "0", "0"}, true},
        {"end hour 24", {"1", "0", "0", "24", "0", "0", "0"}, false},
        {"start minute 60", {"1", "60", "0", "2", "0", "0", "0"}, false},
        {"start second 60", {"1", "0", "60", "2", "0", "0", "0"}, false},
        {"end minute 99", {"1", "0", "0", "2", "99", "0", "0"}, false},
        {"end second 60", {"1", "0", "0", "2", "0", "60", "0"}, false},
        {"start hour 25 is no reset", {"25", "0", "0", "1", "0", "0", "0"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DurationOutcome outcome = ComputeDuration(c.input);
        EXPECT_TRUE(outcome.rangeError);
        EXPECT_EQ(outcome.resetStartHour, c.resetStartHour);
        EXPECT_TRUE(outcome.resultText.empty());
    }
}

TEST(ComputeDuration, WritesTheLocaleSeparator) {
    EXPECT_EQ(ComputeDuration({"10", "0", "0", "10", "0", "30", "0"}, ",").resultText, "0,5");
}

TEST(ComputeDuration, PastedIntervals) {
    // D (interval + 1) that does not fit 16 bits, or is not above 1, adds no days.
    const struct {
        const char* days;
        const char* expected;
    } cases[] = {{"99999999", "60"}, {"-99999999", "60"}, {"-1", "60"}, {"1e5", "1500"}, {"0.4", "60"},
                   {"1.5", "1500"} // 2.5 rounds half to even: one day
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.days);
        const DurationOutcome outcome = ComputeDuration({"8", "0", "0", "9", "0", "0", c.days});
        EXPECT_FALSE(outcome.rangeError);
        EXPECT_EQ(outcome.resultText, c.expected);
    }
}

TEST(DigitKeyFilter, PassesOnlyBackspaceAndDigits) {
    EXPECT_EQ(DigitKeyFilter(8), 8u);
    for (unsigned c = '0'; c <= '9'; ++c) EXPECT_EQ(DigitKeyFilter(c), c);
    for (unsigned c : {13u, 27u, 3u, 22u, 24u, 26u, unsigned('a'), unsigned('-'), unsigned('.'),
                       unsigned(' '), unsigned('/'), unsigned(':'), 0xFF10u, 0xD83Du})
        EXPECT_EQ(DigitKeyFilter(c), 0u) << "code " << c;
}

TEST(ClockLine, PlainNumbersAndChineseWeekday) {
    EXPECT_EQ(ClockLine({2008, 3, 9, 0, 8, 1, 2}), "2008年3月9日, 星期日 8:1:2");
    EXPECT_EQ(ClockLine({2011, 12, 31, 6, 23, 59, 59}), "2011年12月31日, 星期六 23:59:59");
    EXPECT_EQ(ClockLine({2011, 1, 1, 6, 0, 0, 5}), "2011年1月1日, 星期六 0:0:5");
    const char* const weekdays[] = {"日", "一", "二", "三", "四", "五", "六"};
    for (int d = 0; d < 7; ++d)
        EXPECT_EQ(ClockLine({2020, 6, 1, d, 12, 0, 0}),
                  std::string("2020年6月1日, 星期") + weekdays[d] + " 12:0:0");
}

}  // namespace
}  // namespace tarvolin

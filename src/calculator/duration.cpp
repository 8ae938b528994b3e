#include "calculator/duration.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "calculator/box_number.h"
#include "calculator/general_number.h"

namespace tarvolin {
namespace {

// A box whose number does not fit a double counts as a failed read: the
// quantity keeps its starting value of 0.
double ReadOrZero(std::string_view text) { return ReadBoxNumber(text).value_or(0.0); }

// D is the interval plus one, rounded half to even, as a 16-bit integer. When
// it does not fit (only pasted text can do that) D keeps its starting 0.
std::int16_t ReadDaysPlusOne(std::string_view text) {
    const std::optional<double> days = ReadBoxNumber(text);
    if (!days) return 0;
    const double rounded = std::nearbyint(*days + 1.0);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max()))
        return 0;
    return static_cast<std::int16_t>(rounded);
}

bool OutsideClock(double hours, double minutes, double seconds) {
    return hours > 23 || minutes > 59 || seconds > 59;
}

}  // namespace

DurationOutcome ComputeDuration(const DurationInput& input, std::string_view decimalSeparator) {
    const double h1 = ReadOrZero(input.startHour);
    const double m1 = ReadOrZero(input.startMinute);
    const double s1 = ReadOrZero(input.startSecond);
    const double h2 = ReadOrZero(input.endHour);
    const double m2 = ReadOrZero(input.endMinute);
    const double s2 = ReadOrZero(input.endSecond);
    const std::int16_t d = ReadDaysPlusOne(input.intervalDays);

    double hours = h2 - h1;
    const double minutes = m2 - m1;
    const double seconds = s2 - s1;

    DurationOutcome outcome;
    if (OutsideClock(h1, m1, s1) || OutsideClock(h2, m2, s2)) {
        outcome.rangeError = true;
        outcome.resetStartHour = h1 == 24;
        return outcome;
    }

    // Whole days in 64-bit arithmetic: the largest interval the box holds,
    // 9999 days, is 239976 hours, far beyond a 16-bit count.
    const std::int64_t dayHours = 24 * (static_cast<std::int64_t>(d) - 1);
    if (d > 1) hours += static_cast<double>(dayHours);
    // The end hour still before the start hour: the end falls on the next day.
    if (hours < 0) hours += 24;
    if (hours == 0) hours = static_cast<double>(dayHours);

    double result = 60 * hours + minutes + seconds / 60;
    // Arithmetic that leaves the doubles (only absurd pasted numbers can)
    // skips the step: the result keeps its starting 0.
    if (!std::isfinite(result)) result = 0;

    outcome.resultText = FormatGeneralNumber(result, decimalSeparator);
    return outcome;
}

}  // namespace tarvolin

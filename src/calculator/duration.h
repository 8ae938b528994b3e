// The duration calculation behind the compute button.
#pragma once

#include <string>
#include <string_view>

namespace tarvolin {

// The seven input texts, as the boxes hold them.
struct DurationInput {
    std::string_view startHour, startMinute, startSecond;
    std::string_view endHour, endMinute, endSecond;
    std::string_view intervalDays;
};

struct DurationOutcome {
    // A time field lies outside the 24-hour clock: the range-error message is
    // shown and the result box keeps its text.
    bool rangeError = false;
    // With a range error: the start hour read 24 and its box becomes "0".
    bool resetStartHour = false;
    // Without a range error: the new text of the result box, in minutes.
    std::string resultText;
};

// Start and end are times of day; the interval is the number of days by which
// the end's date follows the start's. `decimalSeparator` is the user locale's.
DurationOutcome ComputeDuration(const DurationInput& input, std::string_view decimalSeparator = ".");

}  // namespace tarvolin

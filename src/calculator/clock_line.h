// The clock line under the calculator.
#pragma once

#include <string>

namespace tarvolin {

struct LocalDateTime {
    int year, month, day;
    int dayOfWeek;  // 0 = Sunday … 6 = Saturday
    int hour, minute, second;
};

// "2008年3月9日, 星期日 8:1:2": every number in plain decimal without leading
// zeros, the weekday as its Chinese numeral. UTF-8.
std::string ClockLine(const LocalDateTime& now);

}  // namespace tarvolin

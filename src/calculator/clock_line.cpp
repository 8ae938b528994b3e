#include "calculator/clock_line.h"

namespace tarvolin {

std::string ClockLine(const LocalDateTime& now) {
    static const char* const kWeekdays[7] = {"日", "一", "二", "三", "四", "五", "六"};
    // The platform always gives 0..6; anything else still names a day.
    const int weekday = (now.dayOfWeek % 7 + 7) % 7;

    std::string line;
    line.reserve(48);
    line += std::to_string(now.year);
    line += "年";
    line += std::to_string(now.month);
    line += "月";
    line += std::to_string(now.day);
    line += "日, 星期";
    line += kWeekdays[weekday];
    line += ' ';
    line += std::to_string(now.hour);
    line += ':';
    line += std::to_string(now.minute);
    line += ':';
    line += std::to_string(now.second);
    return line;
}

}  // namespace tarvolin

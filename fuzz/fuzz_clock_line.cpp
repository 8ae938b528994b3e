// Clock fields to the clock line, any int in every field.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "calculator/clock_line.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    tarvolin::LocalDateTime t{};
    for (int* field : {&t.year, &t.month, &t.day, &t.dayOfWeek, &t.hour, &t.minute, &t.second})
        *field = in.ConsumeIntegral<int>();
    const auto n = [](int number) { return std::to_string(number); };
    const std::string date = n(t.year) + "年" + n(t.month) + "月" + n(t.day) + "日, 星期";
    const std::string time = " " + n(t.hour) + ":" + n(t.minute) + ":" + n(t.second);
    // Between the two, one of the seven weekday numerals: three bytes of UTF-8.
    const std::string line = tarvolin::ClockLine(t);
    const std::size_t day = std::string("日一二三四五六").find(line.substr(date.size(), 3));
    FUZZ_CHECK(line == date + line.substr(date.size(), 3) + time);
    FUZZ_CHECK(day < 21 && day % 3 == 0 && (t.dayOfWeek < 0 || t.dayOfWeek > 6 || day == 3u * t.dayOfWeek));
    return 0;
}

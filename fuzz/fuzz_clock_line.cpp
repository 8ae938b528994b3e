// The clock line with any int in every field: no undefined behaviour, valid
// UTF-8, and the fixed words in place.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "calculator/clock_line.h"
#include "fuzz_check.h"

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool ValidUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t extra;
        std::uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        static const std::uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    tarvolin::LocalDateTime now;
    now.year = provider.ConsumeIntegral<int>();
    now.month = provider.ConsumeIntegral<int>();
    now.day = provider.ConsumeIntegral<int>();
    now.dayOfWeek = provider.ConsumeIntegral<int>();
    now.hour = provider.ConsumeIntegral<int>();
    now.minute = provider.ConsumeIntegral<int>();
    now.second = provider.ConsumeIntegral<int>();

    const std::string line = tarvolin::ClockLine(now);
    FUZZ_CHECK_MSG(ValidUtf8(line), "not UTF-8: %s", line.c_str());

    const std::size_t year = line.find("年");
    const std::size_t month = line.find("月");
    const std::size_t day = line.find("日, 星期");
    FUZZ_CHECK(year != std::string::npos);
    FUZZ_CHECK(month != std::string::npos);
    FUZZ_CHECK(day != std::string::npos);
    FUZZ_CHECK(year < month && month < day);

    const std::string expectedStart = std::to_string(now.year) + "年" + std::to_string(now.month) +
                                      "月" + std::to_string(now.day) + "日, 星期";
    FUZZ_CHECK_MSG(line.compare(0, expectedStart.size(), expectedStart) == 0, "line: %s", line.c_str());

    // Between "星期" and the time: one weekday numeral.
    const std::string rest = line.substr(expectedStart.size());
    const std::size_t blank = rest.find(' ');
    FUZZ_CHECK(blank != std::string::npos);
    const std::string weekday = rest.substr(0, blank);
    FUZZ_CHECK_MSG(weekday == "日" || weekday == "一" || weekday == "二" || weekday == "三" ||
                       weekday == "四" || weekday == "五" || weekday == "六",
                   "weekday: %s", weekday.c_str());
    if (now.dayOfWeek >= 0 && now.dayOfWeek <= 6) {
        static const char* const kNames[7] = {"日", "一", "二", "三", "四", "五", "六"};
        FUZZ_CHECK(weekday == kNames[now.dayOfWeek]);
    }

    const std::string expectedEnd = " " + std::to_string(now.hour) + ":" + std::to_string(now.minute) +
                                    ":" + std::to_string(now.second);
    FUZZ_CHECK_MSG(line.size() >= expectedEnd.size() &&
                       line.compare(line.size() - expectedEnd.size(), expectedEnd.size(), expectedEnd) == 0,
                   "line: %s", line.c_str());
    return 0;
}

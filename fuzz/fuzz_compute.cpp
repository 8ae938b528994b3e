// Box texts to the compute button's outcome: seven texts separated by
// newlines (start hour, minute, second, end hour, minute, second, interval
// days), as pasting can make them.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calculator/box_number.h"
#include "calculator/duration.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size), f[7];
    for (std::string_view& field : f) {
        field = rest.substr(0, rest.find('\n'));
        rest.remove_prefix(std::min(rest.size(), field.size() + 1));
    }
    const tarvolin::DurationOutcome outcome =
        tarvolin::ComputeDuration({f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
    const auto read = [&](int i) { return tarvolin::ReadBoxNumber(f[i]).value_or(0); };
    const bool outside =
        read(0) > 23 || read(1) > 59 || read(2) > 59 || read(3) > 23 || read(4) > 59 || read(5) > 59;
    FUZZ_CHECK(outcome.rangeError == outside && outcome.resetStartHour == (outside && read(0) == 24));
    if (outside) return FUZZ_CHECK(outcome.resultText.empty()), 0;
    // A plain decimal that reads back; the locale's separator changes nothing else.
    const std::string& text = outcome.resultText;
    const std::size_t digits = text.find_first_not_of('-'), point = text.find('.');
    FUZZ_CHECK(digits <= 1 && text.find_first_not_of("0123456789.", digits) == std::string::npos &&
               text != "-0");
    FUZZ_CHECK(point == text.rfind('.') && std::isfinite(tarvolin::ReadBoxNumber(text).value_or(NAN)));
    std::string comma = text;
    if (point != std::string::npos) comma[point] = ',';
    FUZZ_CHECK(tarvolin::ComputeDuration({f[0], f[1], f[2], f[3], f[4], f[5], f[6]}, ",").resultText ==
               comma);
    return 0;
}

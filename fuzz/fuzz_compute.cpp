// Box texts to the compute button's outcome: seven texts separated by
// newlines (start hour, minute, second, end hour, minute, second, interval
// days), as pasting can make them.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calculator/box_number.h"
#include "calculator/duration.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view fields[7];
    for (std::string_view& field : fields) {
        const std::size_t end = rest.find('\n');
        field = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    const tarvolin::DurationInput input{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
    const tarvolin::DurationOutcome outcome = tarvolin::ComputeDuration(input, ".");

    const auto read = [&](int f) { return tarvolin::ReadBoxNumber(fields[f]).value_or(0); };
    const bool outside = read(0) > 23 || read(1) > 59 || read(2) > 59 || read(3) > 23 || read(4) > 59 || read(5) > 59;
    FUZZ_CHECK(outcome.rangeError == outside);
    FUZZ_CHECK(outcome.resetStartHour == (outside && read(0) == 24));
    if (outside) {
        FUZZ_CHECK(outcome.resultText.empty());
        return 0;
    }
    // A plain decimal that reads back as a finite number.
    const std::string& text = outcome.resultText;
    const std::size_t digits = text.find_first_not_of('-');
    FUZZ_CHECK(digits <= 1 && text.find_first_not_of("0123456789.", digits) == std::string::npos);
    FUZZ_CHECK(text.find('.') == text.rfind('.') && text != "-0");
    const auto reread = tarvolin::ReadBoxNumber(text);
    FUZZ_CHECK(reread && std::isfinite(*reread));
    // The locale's separator changes the separator alone.
    std::string comma = text;
    if (const std::size_t point = comma.find('.'); point != std::string::npos) comma[point] = ',';
    FUZZ_CHECK(tarvolin::ComputeDuration(input, ",").resultText == comma);
    return 0;
}

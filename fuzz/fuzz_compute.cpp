// The compute button with arbitrary box texts. The input holds the seven
// texts separated by newlines, in the order start hour, minute, second, end
// hour, minute, second, interval days; missing texts are empty and anything
// after the seventh is ignored.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calculator/box_number.h"
#include "calculator/duration.h"
#include "fuzz_check.h"

namespace {

double ReadOrZero(std::string_view text) { return tarvolin::ReadBoxNumber(text).value_or(0.0); }

bool PlainDecimal(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    std::size_t digits = 0, points = 0;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            ++digits;
        else if (text[i] == '.')
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    std::string_view fields[7];
    std::size_t start = 0;
    for (int f = 0; f < 7 && start <= all.size(); ++f) {
        const std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) {
            fields[f] = all.substr(start);
            break;
        }
        fields[f] = all.substr(start, end - start);
        start = end + 1;
    }

    tarvolin::DurationInput input;
    input.startHour = fields[0];
    input.startMinute = fields[1];
    input.startSecond = fields[2];
    input.endHour = fields[3];
    input.endMinute = fields[4];
    input.endSecond = fields[5];
    input.intervalDays = fields[6];

    const tarvolin::DurationOutcome outcome = tarvolin::ComputeDuration(input, ".");

    // A range error exactly when a time field reads beyond the 24-hour clock.
    const bool outside = ReadOrZero(fields[0]) > 23 || ReadOrZero(fields[1]) > 59 ||
                         ReadOrZero(fields[2]) > 59 || ReadOrZero(fields[3]) > 23 ||
                         ReadOrZero(fields[4]) > 59 || ReadOrZero(fields[5]) > 59;
    FUZZ_CHECK(outcome.rangeError == outside);

    if (outcome.resetStartHour) FUZZ_CHECK(outcome.rangeError);
    if (outcome.rangeError) {
        FUZZ_CHECK(outcome.resultText.empty());
        FUZZ_CHECK(outcome.resetStartHour == (ReadOrZero(fields[0]) == 24));
        return 0;
    }

    const std::string& text = outcome.resultText;
    FUZZ_CHECK_MSG(PlainDecimal(text), "result \"%s\" is not a plain decimal", text.c_str());
    FUZZ_CHECK(text != "-0");
    const std::optional<double> reread = tarvolin::ReadBoxNumber(text);
    FUZZ_CHECK_MSG(reread.has_value() && std::isfinite(*reread),
                   "result \"%s\" does not read back as a finite number", text.c_str());

    // The locale's separator changes nothing but the separator.
    std::string withComma = text;
    for (char& c : withComma)
        if (c == '.') c = ',';
    FUZZ_CHECK(tarvolin::ComputeDuration(input, ",").resultText == withComma);
    return 0;
}

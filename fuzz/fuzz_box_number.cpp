// Box text as arbitrary bytes. A number that is read must be finite, and
// writing it as a general number and reading that back must give the same
// value to 15 significant digits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calculator/box_number.h"
#include "calculator/general_number.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::optional<double> value = tarvolin::ReadBoxNumber(text);
    if (!value) return 0;
    const double v = *value;
    FUZZ_CHECK(std::isfinite(v));

    const std::string written = tarvolin::FormatGeneralNumber(v);
    FUZZ_CHECK(!written.empty());
    FUZZ_CHECK(written != "-0");

    const std::optional<double> reread = tarvolin::ReadBoxNumber(written);
    FUZZ_CHECK_MSG(reread.has_value(), "written text does not read back: \"%s\"", written.c_str());
    FUZZ_CHECK(std::isfinite(*reread));
    FUZZ_CHECK_MSG(std::fabs(*reread - v) <= 1e-14 * std::fabs(v),
                   "%.17g written as \"%s\" reads back as %.17g", v, written.c_str(), *reread);

    // The same digits with a comma as the separator.
    std::string withComma = written;
    for (char& c : withComma)
        if (c == '.') c = ',';
    FUZZ_CHECK(tarvolin::FormatGeneralNumber(v, ",") == withComma);
    return 0;
}

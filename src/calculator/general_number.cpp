#include "calculator/general_number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarvolin {

std::string FormatGeneralNumber(double value, std::string_view decimalSeparator) {
    constexpr int kSignificantDigits = 15;

    // "%.14e" rounds to 15 significant digits: d.dddddddddddddde±x.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, value);
    std::string scientific(buffer);
    // Just below the largest double, rounding up to 15 digits would write a
    // number too large to read back: round those few toward zero instead.
    if (std::isinf(std::strtod(scientific.c_str(), nullptr))) {
        std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits + 2, value);
        scientific = buffer;
        const std::size_t cut = scientific.find('e');
        scientific.erase(cut - 3, 3);
    }

    const bool negative = scientific[0] == '-';
    const std::size_t mantissaStart = negative ? 1 : 0;
    const std::size_t ePos = scientific.find('e');
    std::string digits;
    for (std::size_t i = mantissaStart; i < ePos; ++i)
        if (scientific[i] != '.') digits += scientific[i];
    const int exponent = std::atoi(scientific.c_str() + ePos + 1);

    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (digits == "0") return "0";

    // The decimal point sits after digit number exponent + 1.
    const int pointAfter = exponent + 1;
    std::string integerPart;
    std::string fractionPart;
    if (pointAfter <= 0) {
        integerPart = "0";
        fractionPart = std::string(static_cast<std::size_t>(-pointAfter), '0') + digits;
    } else if (static_cast<std::size_t>(pointAfter) >= digits.size()) {
        integerPart = digits + std::string(static_cast<std::size_t>(pointAfter) - digits.size(), '0');
    } else {
        integerPart = digits.substr(0, static_cast<std::size_t>(pointAfter));
        fractionPart = digits.substr(static_cast<std::size_t>(pointAfter));
    }

    std::string text = negative ? "-" : "";
    text += integerPart;
    if (!fractionPart.empty()) {
        text += decimalSeparator;
        text += fractionPart;
    }
    return text;
}

}  // namespace tarvolin

#include "calculator/box_number.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace tarvolin {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<double> ReadBoxNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;

    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];

    bool anyDigit = false;
    while (i < text.size() && IsDigit(text[i])) {
        number += text[i++];
        anyDigit = true;
    }
    if (i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1])) {
        number += text[i++];
        while (i < text.size() && IsDigit(text[i])) {
            number += text[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0.0;

    // strtod reads the same plain decimal syntax and rounds correctly; the
    // "C" locale's point is the only separator it needs to know.
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace tarvolin

// Writing a result as a general number.
#pragma once

#include <string>
#include <string_view>

namespace tarvolin {

// Rounds to at most 15 significant digits and writes the value in plain
// positional notation: no exponent, no thousands separators, no trailing
// zeros after the separator, "0" before the separator below 1, "-" for
// negative values (never "-0"). `decimalSeparator` is the user locale's.
// `value` must be finite.
std::string FormatGeneralNumber(double value, std::string_view decimalSeparator = ".");

}  // namespace tarvolin

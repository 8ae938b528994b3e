// Reading a number from the text of an input box.
#pragma once

#include <optional>
#include <string_view>

namespace tarvolin {

// The numeric-prefix rule: leading blanks (spaces and tabs) are skipped, then
// the longest leading decimal number is taken: an optional sign, digits, and
// an optional decimal point with digits (".5" and "5." both count). Text that
// is empty or does not start with a number reads as 0; whatever follows the
// number is ignored. No exponent, hexadecimal or embedded blanks.
//
// Returns nothing when the number is too large for a double: the caller then
// treats the read as failed and keeps its previous value.
std::optional<double> ReadBoxNumber(std::string_view text);

}  // namespace tarvolin

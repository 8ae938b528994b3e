// The typed-character rule of the calculator's input boxes.
#pragma once

namespace tarvolin {

// Backspace and the digits "0".."9" pass unchanged; every other character
// code becomes 0, which discards it. Control characters are discarded too, so
// Enter, Escape and the Ctrl+C/V/X/Z shortcuts do nothing in these boxes.
constexpr unsigned DigitKeyFilter(unsigned code) {
    const bool passes = code == 8 || (code >= '0' && code <= '9');
    return passes ? code : 0;
}

}  // namespace tarvolin

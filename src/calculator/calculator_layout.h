// The calculator window, control by control.
#pragma once

#include "app/layout.h"

namespace tarvolin {

// Control identifiers. None is IDOK (1) or IDCANCEL (2): the window has no
// default or cancel button, so Enter and Escape press nothing.
enum CalculatorControlId {
    kLabel1 = 101,
    kLabel2,
    kLabel3,
    kLabel4,
    kLabel5,
    kLabel6,
    kLabel7,
    kText1 = 111,
    kText2,
    kText3,
    kText4,
    kText5,
    kText6,
    kText7,
    kText8,
    kCommand1 = 121,
    kCommand2
};

// The Timer1 interval of the clock line.
constexpr unsigned kClockIntervalMs = 500;

const WindowLayout& CalculatorLayout();

}  // namespace tarvolin

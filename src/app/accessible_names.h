// Names that screen readers announce for controls whose neighbouring label
// alone would not say what they hold (three boxes after one "开始时间:").
#pragma once

#include "app/layout.h"
#include "app/win32.h"

namespace tarvolin {

// Gives every control of `layout` that has an accessible name that name.
// Without an accessibility service on the system nothing happens.
void NameLayoutControls(HWND parent, const WindowLayout& layout);

// Takes the names off again; called before the controls are destroyed.
void ClearLayoutControlNames(HWND parent, const WindowLayout& layout);

}  // namespace tarvolin

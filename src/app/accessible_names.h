// Names that screen readers announce for controls whose neighbouring label
// alone would not say what they hold (three boxes after one "开始时间:").
#pragma once

#include "app/layout.h"
#include "app/win32.h"

namespace tarvolin {

// Gives every control of `layout` that has an accessible name that name. The
// name is set each time an accessibility client asks the control for its
// object, so a program that nobody reads aloud never loads the service.
void NameLayoutControls(HWND parent, const WindowLayout& layout);

}  // namespace tarvolin

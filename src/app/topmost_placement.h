// Puts a window above all non-topmost windows, where it is and as large as it
// is. Both windows do this when they load.
#pragma once

#include "app/win32.h"

namespace tarvolin {

void TopmostPlacement(HWND window);

}  // namespace tarvolin

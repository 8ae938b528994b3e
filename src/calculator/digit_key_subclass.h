// Applies the digit rule to every character typed into an edit control.
#pragma once

#include "app/win32.h"

namespace tarvolin {

void InstallDigitKeyFilter(HWND edit);

}  // namespace tarvolin

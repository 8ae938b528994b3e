#include "app/window_lifetime.h"

#include "app/win32.h"

namespace tarvolin {
namespace {
int openWindows = 0;
}

void WindowOpened() { ++openWindows; }

void WindowClosed() {
    if (--openWindows <= 0) PostQuitMessage(0);
}

}  // namespace tarvolin

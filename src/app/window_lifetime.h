// The program ends when its last window is closed; the windows close
// independently of each other.
#pragma once

namespace tarvolin {

void WindowOpened();
// Ends the message loop when no window is left.
void WindowClosed();

}  // namespace tarvolin

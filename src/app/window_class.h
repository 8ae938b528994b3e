// The program's window classes and the icons they show.
#pragma once

#include "app/win32.h"

namespace tarvolin {

// The program's icon resource `id` at `size` pixels square. Shared: Windows
// keeps one copy for the whole process, which nobody destroys.
HICON LoadProgramIcon(int id, int size);

// Registers a window class of the program once per process; a later call
// finds it registered and changes nothing. Its windows show the arrow and are
// painted in the button face unless they paint themselves.
bool RegisterWindowClassOnce(const wchar_t* className, WNDPROC procedure, HICON icon = nullptr,
                             HICON smallIcon = nullptr);

}  // namespace tarvolin

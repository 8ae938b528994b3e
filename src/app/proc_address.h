// Calls looked up at run time: those that not every supported Windows has (a
// program that imports one of them would not start where it is missing), and
// those of a DLL the program loads only when it needs it.
#pragma once

#include "app/win32.h"

namespace tarvolin {

// `name` in `module` as a pointer of type `Function`, or null when the module
// is not loaded or lacks it.
template <class Function>
Function ProcAddress(HMODULE module, const char* name) {
    if (!module) return nullptr;
    // Through void*: the compilers warn about one function type cast straight
    // to another.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tarvolin

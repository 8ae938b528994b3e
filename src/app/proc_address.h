// Calls that not every supported Windows has are looked up at run time: a
// program that imports one of them would not start where it is missing.
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

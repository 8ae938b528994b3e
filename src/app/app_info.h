// Build-time title and version of the program.
#pragma once

#include "app/version.h"

namespace tarvolin {

struct Version {
    int major;
    int minor;
    int revision;
};

inline constexpr Version ApplicationVersion{TARVOLIN_VERSION_MAJOR, TARVOLIN_VERSION_MINOR,
                                            TARVOLIN_VERSION_REVISION};

// UTF-8; the window layer converts it for display.
inline constexpr const char* ApplicationTitle = "时差计算器";

}  // namespace tarvolin

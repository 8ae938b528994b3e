// Where start-up spends its time: in a build configured with
// -DTARVOLIN_TRACE_STARTUP=ON each step sends the milliseconds since the
// process began to the debugger (under Wine: WINEDEBUG=+debugstr). In other
// builds the steps are empty. The steps of loading a window are the usage
// window's too: theirs come when it opens.
#pragma once

#include "app/win32.h"

#ifdef TARVOLIN_TRACE_STARTUP
#include <cstdio>
#endif

namespace tarvolin {

inline void TraceStartup([[maybe_unused]] const char* step) {
#ifdef TARVOLIN_TRACE_STARTUP
    FILETIME created, unused, now;
    GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart;
    };
    char line[96];
    std::snprintf(line, sizeof line, "tarvolin start-up %7.1f ms  %s\n", (ticks(now) - ticks(created)) / 1e4,
                  step);
    OutputDebugStringA(line);
#endif
}

}  // namespace tarvolin

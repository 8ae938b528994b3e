// The clock line at the foot of the calculator: blank until the window's
// clock first ticks, half a second after the window is made, then the local
// date and time, each new second within 625 ms.
#include <gtest/gtest.h>

#include "calculator/calculator_layout.h"
#include "calculator/clock_line.h"
#include "program.h"

namespace e2e {
namespace {

using namespace tarvolin;

std::string LocalClockLine() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return ClockLine({t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond});
}

TEST(Clock, BlankThenTheLocalTime) {
    Program program;
    ASSERT_TRUE(program.Launch());
    // Read as soon as it exists: the window makes it before it starts its
    // clock, and answers the read before its first tick.
    HWND clock = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        clock = GetDlgItem(program.Created(L"TarvolinCalculator"), kLabel7);
        return clock != nullptr;
    }));
    const auto made = std::chrono::steady_clock::now();
    EXPECT_EQ(TextOf(clock), "") << "before the first tick";
    ASSERT_TRUE(WaitFor([&] { return !TextOf(clock).empty(); }));
    // 500 ms, and room for showing the window: a clock of 1000 ms misses it.
    EXPECT_LT(std::chrono::steady_clock::now() - made, 900ms) << "to the first tick";

    for (int second = 0; second < 4; ++second) {
        const std::string previous = LocalClockLine();
        WaitFor([&] { return LocalClockLine() != previous; }, 2s);
        const std::string now = LocalClockLine();
        EXPECT_TRUE(WaitFor([&] { return TextOf(clock) == now; }, 625ms)) << "never showed " << now;
    }
}

}  // namespace
}  // namespace e2e

// One program through the scenarios' compute press, the usage window's
// opening and closing and the clock's tick, thousands of times: it keeps
// answering, and after a warm-up its working set grows by less than 2 MiB.
// Short by default; TARVOLIN_SOAK=full runs 10,000 presses, 2,000 usage
// windows and 20,000 ticks.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "calculator/calculator_layout.h"
#include "harness.h"

namespace e2e {
namespace {

TEST(Soak, ComputeUsageWindowAndClockStayLevel) {
    using namespace tarvolin;
    const int scale = std::getenv("TARVOLIN_SOAK") && std::string(std::getenv("TARVOLIN_SOAK")) == "full" ? 20 : 1;
    Program program;
    ASSERT_TRUE(program.Start());
    HWND calculator = program.Calculator(), usage = nullptr;
    const auto send = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {  // handled when it returns
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    };
    const auto press = [&](int id) {
        return send(calculator, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(calculator, id)));
    };
    const wchar_t* const workday[] = {L"8", L"0", L"0", L"17", L"30", L"0", L"", L"0"};
    for (int id = kText1; id <= kText8; ++id)
        ASSERT_TRUE(send(GetDlgItem(calculator, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(workday[id - kText1])));
    PROCESS_MEMORY_COUNTERS memory{};
    SIZE_T warm = 0, kib = 0;
    for (int share : {20, 1}) {  // a twentieth to warm up, then all
        for (int i = 0; i < 500 * scale / share; ++i) ASSERT_TRUE(press(kCommand1)) << "compute press " << i;
        for (int i = 0; i < 100 * scale / share; ++i) {  // each painted, as in front of a person
            ASSERT_TRUE(press(kCommand2) && (usage = program.Usage()) && UpdateWindow(usage) &&
                        send(usage, WM_CLOSE, 0, 0) && !IsWindow(usage)) << "usage window " << i;
        }
        for (int i = 0; i < 1000 * scale / share; ++i) ASSERT_TRUE(send(calculator, WM_TIMER, 1, 0)) << "tick " << i;
        ASSERT_TRUE(GetProcessMemoryInfo(program.Process(), &memory, sizeof memory));
        kib = memory.WorkingSetSize / 1024;
        std::printf("[soak] %d presses, %d usage windows, %d ticks: working set %zu KiB\n", 500 * scale / share,
                    100 * scale / share, 1000 * scale / share, kib);
        warm = warm ? warm : kib;
    }
    EXPECT_LT(kib, warm + 2048) << "the working set grew by over 2 MiB";
    EXPECT_EQ(TextOf(GetDlgItem(calculator, kText7)), L"570");
    EXPECT_NE(TextOf(GetDlgItem(calculator, kLabel7)), L"") << "the clock line is blank";
}

}  // namespace
}  // namespace e2e

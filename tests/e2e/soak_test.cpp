// Volume on one program: the compute button, the usage window and the clock
// tick, thousands of times over. Its memory and handle counts must level off
// after a warm-up and it must keep answering.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <memory>

#include "calculator/calculator_layout.h"
#include "harness.h"

namespace tarvolin::e2e {
namespace {

constexpr wchar_t kUsageClass[] = L"TarvolinUsage";
constexpr UINT_PTR kClockTimer = 1;
constexpr SIZE_T kWorkingSetSlack = 2 * 1024 * 1024;
constexpr DWORD kHandleSlack = 8;

// Sends and waits until the program has handled the message.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

struct Figures {
    SIZE_T workingSet = 0;
    SIZE_T privateBytes = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

// Wine's GetGuiResources always answers 0, so there the handle checks pass
// trivially; on Windows they count.
Figures Measure(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    Figures f;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        f.workingSet = counters.WorkingSetSize;
        f.privateBytes = counters.PagefileUsage;
    }
    f.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    f.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    return f;
}

// Under Wine on a display without a window manager, hiding a managed window
// waits two seconds for the manager's answer that never comes: 2,000 usage
// windows would take over an hour. For the soak, Wine's per-program setting
// makes the program's windows unmanaged. Windows is left alone.
class UnmanagedUnderWine {
public:
    UnmanagedUnderWine() {
        if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return;
        HKEY key = nullptr;
        hadProgramKey_ = RegOpenKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (key) RegCloseKey(key);
        DWORD size = sizeof saved_;
        hadValue_ = RegGetValueW(HKEY_CURRENT_USER, kDriverKey, kValue, RRF_RT_REG_SZ, nullptr, saved_, &size) ==
                    ERROR_SUCCESS;
        active_ = RegSetKeyValueW(HKEY_CURRENT_USER, kDriverKey, kValue, REG_SZ, L"N", sizeof L"N") == ERROR_SUCCESS;
    }
    ~UnmanagedUnderWine() {
        if (!active_) return;
        if (!hadProgramKey_) {
            RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
        } else if (hadValue_) {
            RegSetKeyValueW(HKEY_CURRENT_USER, kDriverKey, kValue, REG_SZ, saved_,
                            static_cast<DWORD>((wcslen(saved_) + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kDriverKey, kValue);
        }
    }
    UnmanagedUnderWine(const UnmanagedUnderWine&) = delete;
    UnmanagedUnderWine& operator=(const UnmanagedUnderWine&) = delete;

private:
    static constexpr wchar_t kProgramKey[] = L"Software\\Wine\\AppDefaults\\tarvolin.exe";
    static constexpr wchar_t kDriverKey[] = L"Software\\Wine\\AppDefaults\\tarvolin.exe\\X11 Driver";
    static constexpr wchar_t kValue[] = L"Managed";
    bool active_ = false;
    bool hadProgramKey_ = false;
    bool hadValue_ = false;
    wchar_t saved_[16] = {};
};

void Print(const char* when, const Figures& f) {
    std::printf("[soak] %s: working set %zu KiB, private %zu KiB, GDI objects %lu, USER objects %lu\n", when,
                f.workingSet / 1024, f.privateBytes / 1024, static_cast<unsigned long>(f.gdiObjects),
                static_cast<unsigned long>(f.userObjects));
}

TEST(Soak, ComputeUsageWindowAndClockStayLevel) {
    const UnmanagedUnderWine unmanaged;
    Program program;
    ASSERT_TRUE(program.Start()) << "tarvolin.exe showed no window";
    HWND calculator = program.Window();
    const std::unique_ptr<void, decltype(&CloseHandle)> process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.Id()), &CloseHandle);
    ASSERT_NE(process, nullptr);

    const struct {
        int box;
        const wchar_t* text;
    } inputs[] = {{kText1, L"8"}, {kText2, L"0"}, {kText3, L"0"}, {kText4, L"17"},
                  {kText5, L"30"}, {kText6, L"0"}, {kText8, L"0"}, {kText7, L""}};
    for (const auto& input : inputs) ASSERT_TRUE(SetText(program.Control(input.box), input.text));

    HWND command1 = program.Control(kCommand1);
    HWND command2 = program.Control(kCommand2);
    using testing::AssertionFailure;
    using testing::AssertionSuccess;
    // Each usage window paints before it closes, as it would in front of a
    // person (under Wine, a window closed before its first paint now and then
    // leaves its 330 KiB drawing surface behind). The calculator paints during
    // the warm-up, so that its texts' font data is in the working set.
    const struct Load {
        const char* name;
        int warmUp;
        int total;
        std::function<testing::AssertionResult(bool warmUp)> once;
    } loads[] = {
        {"compute presses", 200, 10'000,
         [&](bool warmUp) {
             if (!Send(calculator, WM_COMMAND, MAKEWPARAM(kCommand1, BN_CLICKED), reinterpret_cast<LPARAM>(command1)))
                 return AssertionFailure() << "no answer to the compute button";
             if (warmUp) UpdateWindow(calculator);
             return AssertionSuccess();
         }},
        {"usage window cycles", 50, 2'000,
         [&](bool) {
             if (!Send(calculator, WM_COMMAND, MAKEWPARAM(kCommand2, BN_CLICKED), reinterpret_cast<LPARAM>(command2)))
                 return AssertionFailure() << "no answer to the usage button";
             HWND usage = FindTopLevel(program.Id(), kUsageClass);
             if (!usage) return AssertionFailure() << "no usage window";
             UpdateWindow(usage);  // sent: the window has painted when it returns
             if (!Send(usage, WM_CLOSE, 0, 0)) return AssertionFailure() << "no answer to WM_CLOSE";
             if (IsWindow(usage)) return AssertionFailure() << "the usage window stayed";
             return AssertionSuccess();
         }},
        {"clock ticks", 1'000, 20'000,
         [&](bool) {
             if (Send(calculator, WM_TIMER, kClockTimer, 0)) return AssertionSuccess();
             return AssertionFailure() << "no answer to the clock tick";
         }},
    };

    const auto run = [&](bool warmUp) {
        for (const Load& load : loads) {
            const int from = warmUp ? 0 : load.warmUp;
            const int to = warmUp ? load.warmUp : load.total;
            const auto start = std::chrono::steady_clock::now();
            for (int i = from; i < to; ++i) {
                const testing::AssertionResult done = load.once(warmUp);
                ASSERT_TRUE(done) << load.name << ", number " << i + 1;
            }
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            const Figures f = Measure(process.get());
            std::printf("[soak] %d %s in %.1f s; then working set %zu KiB, private %zu KiB\n", to - from, load.name,
                        took.count(), f.workingSet / 1024, f.privateBytes / 1024);
            ASSERT_TRUE(program.Running()) << "the program ended after " << load.name;
        }
    };

    const auto start = std::chrono::steady_clock::now();
    run(true);
    if (HasFatalFailure()) return;
    const Figures warm = Measure(process.get());
    Print("after the warm-up", warm);
    run(false);
    if (HasFatalFailure()) return;
    const Figures end = Measure(process.get());
    Print("at the end", end);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("[soak] all in %.1f s\n", took.count());
    std::fflush(stdout);

    EXPECT_TRUE(program.Running());
    EXPECT_TRUE(Sync(calculator)) << "the program does not answer";
    EXPECT_EQ(TextOf(program.Control(kText7)), L"570") << "the compute button stopped computing";
    EXPECT_NE(TextOf(program.Control(kLabel7)), L"") << "the clock line stayed blank";
    EXPECT_EQ(FindTopLevel(program.Id(), kUsageClass), nullptr) << "a usage window is left over";
    EXPECT_GT(warm.workingSet, 0u) << "no working set figure";
    EXPECT_LT(end.workingSet, warm.workingSet + kWorkingSetSlack)
        << "the working set grew from " << warm.workingSet << " to " << end.workingSet << " bytes";
    EXPECT_LE(end.gdiObjects, warm.gdiObjects + kHandleSlack);
    EXPECT_LE(end.userObjects, warm.userObjects + kHandleSlack);
}

}  // namespace
}  // namespace tarvolin::e2e

// Both windows against their approved pictures (docs/*.png) as they start at
// 96 and 144 DPI, and after each change while they run.
#include "calculator/calculator_layout.h"
#include "harness.h"
#include "usage/about_layout.h"

namespace e2e {
namespace {

using namespace tarvolin;

// The windows' places, their client areas' corners in the pictures (none: a
// client area), and the clock's glyphs.
struct Look {
    const wchar_t* name;
    DWORD dpi;
    POINT calculator, usage, calculatorClient, usageClient;
    RECT clock;
};
const Look kLooks[] = {{L"", 96, {473, 377}, {353, 260}, {4, 23}, {3, 22}, {120, 211, 321, 225}},
                       {L"-144", 144, {391, 310}, {531, 392}, {5, 33}, {3, 31}, {179, 315, 481, 336}},
                       {L"-contrast", 96, {}, {}, {}, {}, {116, 188, 317, 202}}};
// After a change, the client area: Wine keeps the frame a program started with.
void Expect(HWND window, bool usage, const Look& look, const wchar_t* change = L"") {
    const std::wstring name = (usage ? L"usage" : L"calculator") + std::wstring(look.name);
    POINT at = usage ? look.usage : look.calculator,
          client = usage ? look.usageClient : look.calculatorClient;
    if (*change || !at.x)
        ClientToScreen(window, &(at = {}));
    else
        client = {};
    ExpectApproved(name, at, client, usage ? RECT{} : look.clock, name + change);
}

// By the agent (agent.cpp), inside the program.
bool Ask(const Program& program, const wchar_t* what, HWND window, WPARAM wParam, LPARAM lParam) {
    static HMODULE agent = LoadLibraryW(L"tarvolin_test_agent.dll");
    const auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(agent, "Agent")));
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, proc, agent, program.info.dwThreadId);
    const bool done =
        hook && SendMessageTimeoutW(window, RegisterWindowMessageW(what), wParam, lParam, 0, 5000, 0);
    return UnhookWindowsHookEx(hook) && done;
}

// Both windows moved to 144 DPI and back, then the dark theme on and off (pass
// or fail: Wine keeps it for the programs that start later).
void ExpectChanges(const Program& program, HWND window, bool usage) {
    const auto move = [&](int to, int from) {
        for (HWND each : {program.Calculator(), program.Usage()})
            ASSERT_TRUE(Ask(program, L"TarvolinTestDpi", each, to, from));
    };
    const auto theme = [&](bool dark) { ASSERT_TRUE(Ask(program, L"TarvolinTestTheme", window, dark, 0)); };
    move(144, 96);
    Expect(window, usage, kLooks[1], L".moved");
    move(96, 144);
    Expect(window, usage, kLooks[0], L".moved-back");
    {
        const struct Off {
            std::function<void()> off;
            ~Off() { off(); }
        } off{[&] { theme(false); }};
        theme(true);
        Expect(window, usage, kLooks[2]);
    }
    Expect(window, usage, kLooks[0], L".switched-off");
}

TEST(Pictures, AsApproved) {
    if (!OnWine() || !MayChangeSettings()) GTEST_SKIP() << "Wine's, changing settings";
    for (const Look& look : {kLooks[0], kLooks[1]}) {
        const Setting dpi(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &look.dpi,
                          4);
        Program program;
        ASSERT_TRUE(program.Start());
        // Computed: the focus on Command1, where no caret shows.
        Press("8<Tab>0<Tab>0<Tab>17<Tab>30<Tab>0<Tab> ");
        ASSERT_TRUE(WaitFor([&] { return TextOf(program.Control(kText7)) == "570"; }));
        Expect(program.Calculator(), false, look);
        ASSERT_TRUE(Perform(program, {kCommand1, "~<Tab><Tab><Tab> "}) && Perform(program, {kCmdOK, "~"}));
        Expect(program.Usage(), true, look);
        if (look.dpi != 96) continue;
        ExpectChanges(program, program.Usage(), true);
        ASSERT_TRUE(Perform(program, {kLabel6}) &&
                    Perform(program, {kCommand2, "~<Shift+Tab><Shift+Tab><Shift+Tab>"}));
        ExpectChanges(program, program.Calculator(), false);
    }
}

}  // namespace
}  // namespace e2e

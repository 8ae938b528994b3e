// Both windows against their approved pictures (docs/*.png): as they start at
// 96 and 144 DPI, the calculator also with the focus in a box; and while they
// run, after a move to a screen of another DPI and back, and in a contrast
// theme switched on and off.
#include "rows.h"
#include "settings.h"

namespace e2e {
namespace {

using namespace tarvolin;

// One approved picture of a window.
struct WindowLook {
    const wchar_t* picture;
    // The window's top-left corner on the screen as it starts.
    POINT startsAt;
    // The client area's top-left corner in the picture.
    POINT clientCorner;
    // In the picture, left out: the clock line's glyphs.
    std::vector<RECT> moving;
};

// A window's approved pictures; in a contrast theme only the client area.
struct Looks {
    WindowLook at96;
    WindowLook at144;
    WindowLook inContrast;
};

const Looks kCalculator = {{L"calculator", {473, 377}, {4, 23}, {{120, 211, 321, 225}}},
                           {L"calculator-144", {391, 310}, {5, 33}, {{179, 315, 481, 336}}},
                           {L"calculator-contrast", {0, 0}, {0, 0}, {{116, 188, 317, 202}}}};
const Looks kUsage = {{L"usage", {353, 260}, {3, 22}, {}},
                      {L"usage-144", {531, 392}, {3, 31}, {}},
                      {L"usage-contrast", {0, 0}, {0, 0}, {}}};
// The times typed, the focus still in Text6: Command1 without the default
// button's border, which a focused button wears anyway. The caret blinks: a
// picture taken while it is off is taken again.
const WindowLook kCalculatorTyping = {L"calculator-typing", {473, 377}, {4, 23}, {{120, 211, 321, 225}}};

// The pictures are Wine's, and taken at a DPI the tests set.
class Pictures : public testing::Test {
protected:
    void SetUp() override {
        if (!OnWine()) GTEST_SKIP() << "the approved pictures are Wine's rendering";
        if (!MayChangeSettings()) GTEST_SKIP() << "the pictures would change this machine's DPI";
    }
};

// The whole window, frame and all, at its place on the screen.
void ExpectAsItStarts(const WindowLook& look) {
    ExpectApproved(look.picture, look.startsAt, {0, 0}, look.moving);
}

// The client area wherever the window now is: Wine keeps the frame a window
// started with, whatever changes after.
void ExpectClientArea(HWND window, const WindowLook& look, const wchar_t* seenSuffix) {
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    ExpectApproved(look.picture, corner, look.clientCorner, look.moving,
                   look.picture + std::wstring(seenSuffix));
}

// The program started at that DPI; the times of the pictures, 8:00:00 to
// 17:30:00, typed and computed, Tab walking the boxes; the usage window
// opened from Command2, three tabs on, and in front. The focus is on a button
// in each picture, where no caret blinks.
void ExpectBothAsTheyStart(DWORD dpi, const WindowLook& calculator, const WindowLook& usage) {
    const RegistryValue setting(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", dpi);
    ASSERT_TRUE(setting.Changed()) << "the screen's DPI could not be set";
    Program program;
    ASSERT_TRUE(program.Start()) << "the calculator never became ready for input";
    Press("8<Tab>0<Tab>0<Tab>17<Tab>30<Tab>0");
    ASSERT_TRUE(WaitFor([&] { return program.Focus() == program.Control(kText6); }));
    if (dpi == 96) ExpectAsItStarts(kCalculatorTyping);
    Press("<Tab> ");
    ASSERT_TRUE(WaitFor([&] { return TextOf(program.Control(kText7)) == "570"; }));
    ExpectAsItStarts(calculator);
    ASSERT_TRUE(Perform(program, {kFocused, kCommand1, "<Tab><Tab><Tab> "}));
    ASSERT_TRUE(Perform(program, {kFocused, kCmdOK}));
    ExpectAsItStarts(usage);
}

TEST_F(Pictures, AsTheyStartAt96Dpi) { ExpectBothAsTheyStart(96, kCalculator.at96, kUsage.at96); }

TEST_F(Pictures, AsTheyStartAt144Dpi) { ExpectBothAsTheyStart(144, kCalculator.at144, kUsage.at144); }

// Asks the agent (agent.cpp) to do inside the program what Windows would do:
// Wine neither moves another process's windows to another DPI nor changes
// its colours. A hook on the program's thread loads the agent there, and the
// message names the request.
bool AskAgent(const Program& program, const wchar_t* request, HWND window, WPARAM wParam, LPARAM lParam) {
    static HMODULE agent = LoadLibraryW(L"tarvolin_test_agent.dll");
    const auto hookProc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(agent, "Agent")));
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, hookProc, agent, program.ThreadId());
    if (!hook) return false;
    const UINT message = RegisterWindowMessageW(request);
    const LRESULT sent = SendMessageTimeoutW(window, message, wParam, lParam, 0, 5000, nullptr);
    UnhookWindowsHookEx(hook);
    return sent != 0;
}

// Both windows, as they share the screen.
bool MoveBothWindows(const Program& program, int fromDpi, int toDpi) {
    for (HWND window : {program.Calculator(), program.Usage()})
        if (!AskAgent(program, L"TarvolinTestDpi", window, toDpi, fromDpi)) return false;
    return true;
}

void ExpectChangesFollowed(const Program& program, HWND window, const Looks& looks) {
    ASSERT_TRUE(MoveBothWindows(program, 96, 144)) << "the agent did not move the windows";
    ExpectClientArea(window, looks.at144, L".moved");
    ASSERT_TRUE(MoveBothWindows(program, 144, 96)) << "the agent did not move the windows back";
    ExpectClientArea(window, looks.at96, L".moved-back");
    ASSERT_TRUE(AskAgent(program, L"TarvolinTestTheme", window, TRUE, 0)) << "the theme was not switched on";
    ExpectClientArea(window, looks.inContrast, L"");
    // Off before anything can stop the test: Wine keeps the colours for the
    // programs that start after.
    ASSERT_TRUE(AskAgent(program, L"TarvolinTestTheme", window, FALSE, 0))
        << "the theme was not switched off";
    ExpectClientArea(window, looks.at96, L".switched-off");
}

// Each window in front in turn, the focus on the button it has in its
// pictures.
TEST_F(Pictures, AfterAMoveAndATheme) {
    const RegistryValue dpi(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", DWORD(96));
    ASSERT_TRUE(dpi.Changed()) << "the screen's DPI could not be set";
    Program program;
    ASSERT_TRUE(program.Start()) << "the calculator never became ready for input";
    Press("8<Tab>0<Tab>0<Tab>17<Tab>30<Tab>0<Tab> ");
    ASSERT_TRUE(Perform(program, {kFocused, kCommand1, "<Tab><Tab><Tab> "}));
    ASSERT_TRUE(Perform(program, {kFocused, kCmdOK}));
    ASSERT_NO_FATAL_FAILURE(ExpectChangesFollowed(program, program.Usage(), kUsage));
    // A click on a label brings the calculator to the front with the focus
    // where it was, on Command2; Shift+Tab walks back to Command1.
    ASSERT_TRUE(Perform(program, {kClick, kLabel6}));
    ASSERT_TRUE(Perform(program, {kFocused, kCommand2, "<Shift+Tab><Shift+Tab><Shift+Tab>"}));
    ASSERT_NO_FATAL_FAILURE(ExpectChangesFollowed(program, program.Calculator(), kCalculator));
}

}  // namespace
}  // namespace e2e

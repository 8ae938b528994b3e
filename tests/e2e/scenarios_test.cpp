// What a person types, pastes and clicks, and the state afterwards; the clock
// line, blank until its first tick, then each new second within 625 ms.
#include <list>

#include "calculator/calculator_layout.h"
#include "calculator/clock_line.h"
#include "harness.h"
#include "usage/about_layout.h"

namespace e2e {
namespace {

using namespace tarvolin;

// In System32, which a 32-bit program sees only with redirection off. A command
// line split at the blank would start the trap.
const std::wstring kTools = [] {
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetSystemDirectoryW(path, MAX_PATH)) + L"\\tarvolin\\";
}();
const std::wstring kWith = kTools + L"with 工具", kTool = kWith + L"\\MSINFO32.EXE",
                   kWithout = kTools + L"without tool", kMissing = kWithout + L"\\MSINFO32.EXE",
                   kTrap = kTools + L"with.exe";

void Tools(bool plant) {
    void* redirection = nullptr;
    const BOOL off = Wow64DisableWow64FsRedirection(&redirection);
    for (auto& folder : {kTools, kWith}) plant ? CreateDirectoryW(folder.c_str(), 0) : 0;
    for (auto& copy : {kTool, kTrap})
        plant ? CopyFileW(L"tarvolin_test_standin.exe", copy.c_str(), 0) : DeleteFileW(copy.c_str());
    for (auto& folder : {kWith, kTools}) plant ? 0 : RemoveDirectoryW(folder.c_str());
    if (off) Wow64RevertWow64FsRedirection(redirection);
}

// Text1..Text8, the focus, a message box (the rest is its picture), the usage
// window and the tools started; or how the program ended.
std::string State(const Program& program) {
    DWORD exit = 0;
    if (GetExitCodeProcess(program.info.hProcess, &exit) && exit != STILL_ACTIVE)
        return "ended with " + std::to_string(exit);
    HWND calculator = program.Calculator(), usage = program.Usage(), message = program.Message();
    HWND focus = ThreadOf(usage ? usage : calculator).hwndFocus;
    const auto topmost = [](HWND window) {
        return GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST ? "" : " not topmost";
    };
    std::string state, name = "OK";
    for (int id = kText1; id <= kText8; ++id)
        state += TextOf(GetDlgItem(calculator, id)) + (id < kText8 ? "|" : topmost(calculator));
    for (const WindowLayout* layout : {&CalculatorLayout(), &AboutLayout()})
        for (const ControlEntry* c = layout->controls; c < layout->controls + layout->controlCount; ++c)
            if (c->id == GetDlgCtrlID(focus) && GetParent(focus) != message) name = c->name;
    state += ", focus " + name;
    if (message)
        state +=
            GetWindow(message, GW_OWNER) == (usage ? usage : calculator) ? ", message" : ", lone message";
    if (usage) state += ", usage" + std::string(topmost(usage));
    for (auto [path, name] : {std::pair{kTool, ", tool"}, {kTrap, ", trap"}})
        if (FindWindowW(L"Static", path.c_str())) state += name;
    return state;
}

struct Scenario {
    const char* name;
    std::vector<Step> steps;
    std::string state;
    const wchar_t* message = nullptr;
    const std::wstring *path = nullptr, *folder = nullptr;
};

void ExpectState(const Program& program, const wchar_t* message, const std::string& expected) {
    std::string state;
    EXPECT_TRUE(WaitFor([&] { return (state = State(program)) == expected; })) << state;
    // Still so once what came before, such as a quit, is handled.
    for (HWND window : {program.Usage(), program.Calculator(), program.Usage()})
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_EQ(State(program), expected);
    RECT box{};
    if (message && OnWine() && GetWindowRect(program.Message(), &box))
        ExpectApproved(message, {box.left, box.top});
}

void Play(const Scenario& s, bool registry = false) {
    SCOPED_TRACE(s.name);
    std::list<Setting> values;
    for (auto [key, name, text] : {std::tuple{L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH", s.path},
                                   {L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO", s.folder}})
        if (registry) {
            values.emplace_back(HKEY_LOCAL_MACHINE, key, name, REG_SZ, text ? text->c_str() : nullptr);
            ASSERT_TRUE(values.back().done) << "the registry is read-only";
        }
    Program program;
    ASSERT_TRUE(program.Start()) << "not in front";
    for (const Step& step : s.steps) {
        ASSERT_TRUE(Perform(program, step)) << "step " << (&step - &s.steps[0] + 1) << " not ready";
        if (step.state) ExpectState(program, s.message, step.state);
    }
    ExpectState(program, s.message, s.state);
}

TEST(Scenarios, Rows) {
    // clang-format off
    const Scenario rows[] = {
        // Digit boxes take two digits and Backspace alone; Text7 takes all.
        {"TypingEveryBoxAndComputing", {{kText7, "12<Shift+Home><Ctrl+C>"}, {kText1, "a-123"}, {kText2, "b.1<Backspace>105"}, {kText3, "c<Enter>205"},
         {kText4, "d<Ctrl+V>135"}, {kText5, "e<Ctrl+C><Ctrl+X><Ctrl+Z>405"}, {kText6, "f<Esc>505"},
         {kText8, "<End><Backspace>g12345", "12|10|20|13|40|50|12|1234, focus Text8"}, {kCommand1},
         {kText7, "<End>ab-1. 5<Enter><Esc><Ctrl+V>"}}, "12|10|20|13|40|50|1777050.5ab-1. 512|1234, focus Text7"},
        {"PastesKeepTheLimitNotTheFilter", {{kText7, "-5x<Shift+Home><Ctrl+C>"}, {kText1, "<Shift+Insert>"}, {kCommand1}}, "-5||||||300|0, focus Command1"},
        {"AStartHourOf24IsResetAnEndHourOf24Stays", {{kText1, "24"}, {kText4, "1"}, {kText7, "x"},
         {kCommand1, "", "0|||1|||x|0, focus OK, message"}, {IDOK, "~<Enter>", "0|||1|||x|0, focus Command1"},
         {kText4, "<End><Backspace>24"}, {kCommand1, "", "0|||24|||x|0, focus OK, message"}, {IDOK, "~<Enter>"}},
         "0|||24|||x|0, focus Command1", L"range-message"},
        {"UsageWindowClosedByOKOrEnter", {{kCommand2}, {kCommand2},
         {kCmdOK, "~<Tab><Tab><Tab><Tab>", "|||||||0, focus picIcon, usage"}, {kCmdOK, "", "|||||||0, focus Command2"},
         {kCommand2}, {kCmdOK, "~<Enter>"}}, "|||||||0, focus Command2"},
        {"EscapeOnTheLastWindowEndsTheProgram", {{kCommand2}, {kText3, "<Alt+F4>"}, {kCmdOK, "~<Esc>"}},
         "ended with 0"},
    };
    // clang-format on
    for (const Scenario& row : rows) Play(row);
}

TEST(Launcher, Rows) {
    if (!MayChangeSettings()) GTEST_SKIP() << "the rows would change this machine's registry";
    const std::string started = "|||||||0, focus cmdSysInfo, usage, tool",
                      failed = "|||||||0, focus OK, message, usage";
    const Step open{kCommand2}, shown{kCmdOK, "~"}, press{kCmdSysInfo};
    // clang-format off
    const Scenario rows[] = {
        // Enter presses the focused button.
        {"TheToolTheFirstValueNames", {open, {kCmdOK, "~<Tab><Tab><Enter>"}}, started, nullptr, &kTool, &kWithout},
        {"TheToolInTheFolderOfTheSecondValue", {open, shown, press}, started, nullptr, nullptr, &kWith},
        {"NoFolderAfterAMissingFirstFile", {open, shown, press}, failed, nullptr, &kMissing, &kWith},
        {"AFolderWithoutTheTool", {open, shown, press}, failed, L"unavailable-message", nullptr, &kWithout},
    };
    // clang-format on
    Tools(true);
    for (const Scenario& row : rows) Play(row, true);
    Tools(false);
}

std::string ClockLine() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return tarvolin::ClockLine({t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond});
}

TEST(Clock, BlankThenTheLocalTime) {
    Program program;
    HWND clock = nullptr;
    ASSERT_TRUE(program.Start(false));
    ASSERT_TRUE(WaitFor([&] { return (clock = GetDlgItem(program.Calculator(), kLabel7)); }));
    EXPECT_EQ(TextOf(clock), "") << "before the first tick";
    const auto shown = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitFor([&] { return TextOf(clock) != ""; }));
    EXPECT_LT(std::chrono::steady_clock::now() - shown, 900ms) << "to the first tick";
    for (std::string now; std::chrono::steady_clock::now() < shown + 4s; Sleep(100))
        EXPECT_TRUE(WaitFor([&] { return TextOf(clock) == (now = ClockLine()); }, 625ms)) << now;
}

}  // namespace
}  // namespace e2e

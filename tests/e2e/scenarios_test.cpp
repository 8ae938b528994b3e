// What a person types, pastes and clicks, and the state afterwards.
#include <list>

#include "calculator/calculator_layout.h"
#include "harness.h"
#include "usage/about_layout.h"

namespace e2e {
namespace {

using namespace tarvolin;

// In System32 as 64-bit Windows has it, where a 32-bit program looks only with
// file-system redirection off. A command line split at the blank of
// "with 工具" would start the trap.
const std::wstring kTools = [] {
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetSystemDirectoryW(path, MAX_PATH)) + L"\\tarvolin\\";
}();
const std::wstring kWith = kTools + L"with 工具", kTool = kWith + L"\\MSINFO32.EXE",
                   kWithout = kTools + L"without tool", kMissing = kWithout + L"\\MSINFO32.EXE",
                   kTrap = kTools + L"with.exe";

// Plants the stand-ins there, or takes them away.
void Tools(bool plant) {
    void* redirection = nullptr;
    const BOOL off = Wow64DisableWow64FsRedirection(&redirection);
    const std::wstring standin = HereFolder() + L"tarvolin_test_standin.exe";
    if (plant) {
        for (auto& folder : {kTools, kWith}) CreateDirectoryW(folder.c_str(), 0);
        for (auto& copy : {kTool, kTrap}) CopyFileW(standin.c_str(), copy.c_str(), 0);
    } else {
        for (auto& copy : {kTool, kTrap}) DeleteFileW(copy.c_str());
        for (auto& folder : {kWith, kTools}) RemoveDirectoryW(folder.c_str());
    }
    if (off) Wow64RevertWow64FsRedirection(redirection);
}

// Text1..Text8, the focus, the message box, the usage window and the tools
// started; or how the program ended.
std::wstring State(const Program& program) {
    DWORD exit = 0;
    if (GetExitCodeProcess(program.Process(), &exit) && exit != STILL_ACTIVE)
        return L"ended with " + std::to_wstring(exit);
    int usages = 0;
    HWND calculator = program.Calculator(), usage = program.Usage(&usages), message = program.Message();
    const auto topmost = [](HWND window) {
        return GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST ? L"" : L" not topmost";
    };
    std::wstring state;
    for (int id = kText1; id <= kText8; ++id)
        state += TextOf(GetDlgItem(calculator, id)) + (id < kText8 ? L"|" : topmost(calculator));
    state += L", focus " + std::to_wstring(GetDlgCtrlID(ThreadOf(usage ? usage : calculator).hwndFocus));
    if (message) {
        state += L", " + TextOf(message) + L": " + TextOf(GetDlgItem(message, 0xFFFF));
        if (GetWindow(message, GW_OWNER) != (usage ? usage : calculator)) state += L" not over its window";
        if (GetDlgItem(message, IDCANCEL)) state += L" and Cancel";
    }
    if (usage) state += (usages > 1 ? L", usage windows" : L", usage") + std::wstring(topmost(usage));
    if (usage && GetWindow(usage, GW_OWNER)) state += L" owned";
    for (auto [path, name] : {std::pair{kTool, L", tool"}, {kTrap, L", trap"}})
        if (FindWindowW(L"Static", path.c_str())) state += name;
    return state;
}

// Clicks the control and presses the keys; with "^" first, pastes the rest;
// with "~", waits for its focus instead of clicking.
struct Step {
    int control;
    std::string keys;
};
struct Scenario {
    const char* name;
    std::vector<Step> steps;
    std::wstring state;
    const std::wstring *path = nullptr, *folder = nullptr;
};

bool Perform(const Program& program, const Step& step) {
    const char how = step.keys.empty() ? 0 : step.keys[0];
    HWND control = nullptr;
    if (!WaitFor([&] {
            return (control = program.Control(step.control)) && IsWindowVisible(control) &&
                   (how == '~' || Click(control));
        }))
        return false;
    // Keys go to an edit box, or to a control waited for, once it has the focus.
    const bool edit = SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL;
    if ((how == '~' || edit) && !WaitFor([&] {
            return ThreadOf(control).hwndFocus == control &&
                   GetForegroundWindow() == GetAncestor(control, GA_ROOT);
        }))
        return false;
    if (how == '^' && !Copy(step.keys.substr(1))) return false;
    Press(how == '^' ? "I" : step.keys.substr(how == '~'));
    return true;
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
    ASSERT_TRUE(program.Start()) << "no calculator in front, the focus in Text1";
    ASSERT_TRUE(Copy("12"));  // what a Ctrl+V let through would paste
    for (const Step& step : s.steps)
        ASSERT_TRUE(Perform(program, step))
            << "step " << (&step - &s.steps[0] + 1) << ": " << step.control << " not ready";
    std::wstring state;
    EXPECT_TRUE(WaitFor([&] { return (state = State(program)) == s.state; })) << state;
    // Still so once the program has handled what came before, such as a quit.
    for (HWND window : {program.Usage(), program.Calculator(), program.Usage()})
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_EQ(State(program), s.state);
}

TEST(Scenarios, Rows) {
    // clang-format off
    const Scenario rows[] = {
        // The digit boxes take two digits and Backspace alone; Ctrl+V, C, X and Z do nothing.
        {"TypingEveryBoxAndComputing", {{kText1, "a-123"}, {kText2, "b.1\b105"}, {kText3, "c\r205"}, {kText4, "d\026135"},
         {kText5, "e\003\030\032405"}, {kText6, "f\033505"}, {kText8, "E\bg12345"}, {kCommand1}, {kText7, "Eab-1. 5\r\033\026"}},
         L"12|10|20|13|40|50|1777050.5ab-1. 512|1234, focus 117"},
        {"TabWalksTheBoxesAndButtons", {{kText1, "~1T2T3T4T5T6TT7T8TT9SS0"}}, L"9|2|3|4|5|6|7|0, focus 118"},
        {"PastedTextKeepsTheLimitButNotTheFilter", {{kText1, "^-5😀"}, {kCommand1}}, L"-5||||||300|0, focus 121"},
        {"AStartHourOf24IsResetAndReported", {{kText1, "24"}, {kText4, "1"}, {kText7, "x"}, {kCommand1}},
         L"0|||1|||x|0, focus 1, 提示: 输入时间范围错误！"},
        {"AnEndHourOf24StaysAndEnterClosesTheMessage", {{kText4, "24"}, {kText7, "x"}, {kCommand1}, {IDOK, "~\r"}},
         L"|||24|||x|0, focus 121"},
        {"TwoPressesOneUsageWindowWhereTabWalks",
         {{kCommand2}, {kCommand2}, {kCmdOK, "~TTTT"}}, L"|||||||0, focus 201, usage"},
        {"OKClosesTheUsageWindow", {{kCommand2}, {kCmdOK, "~"}, {kCmdOK}}, L"|||||||0, focus 122"},
        {"EnterClosesTheUsageWindow", {{kCommand2}, {kCmdOK, "~\r"}}, L"|||||||0, focus 122"},
        {"ClosingTheCalculatorEndsTheProgram", {{kText1, "~Q"}}, L"ended with 0"},
        {"EscapeOnTheUsageWindowLeftEndsTheProgram", {{kCommand2}, {kText3, "Q"}, {kLblTitle, "\033"}},
         L"ended with 0"},
    };
    // clang-format on
    for (const Scenario& row : rows) Play(row);
}

TEST(Launcher, Rows) {
    if (!MayChangeSettings()) GTEST_SKIP() << "the rows would change this machine's registry";
    const std::wstring started = L"|||||||0, focus 206, usage, tool",
                       failed = L"|||||||0, focus 1, 时差计算器: 此时系统信息不可用, usage";
    const Step open{kCommand2}, shown{kCmdOK, "~"}, press{kCmdSysInfo};
    // clang-format off
    const Scenario rows[] = {
        // Enter presses the focused button.
        {"TheToolTheFirstValueNames", {open, {kCmdOK, "~TT\r"}}, started, &kTool, &kWithout},
        {"AMissingFirstFileIsNotLookedForInTheFolder", {open, shown, press}, failed, &kMissing, &kWith},
        {"TheToolInTheFolderOfTheSecondValue", {open, shown, press}, started, nullptr, &kWith},
        {"AFolderWithoutTheTool", {open, shown, press}, failed, nullptr, &kWithout},
    };
    // clang-format on
    Tools(true);
    for (const Scenario& row : rows) Play(row, true);
    Tools(false);
}

}  // namespace
}  // namespace e2e

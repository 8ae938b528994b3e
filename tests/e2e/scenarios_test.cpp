// What a person types, pastes and clicks, and the program's state afterwards:
// each path through the windows once, each row on a program of its own. The
// arithmetic and the reading of numbers are the unit tests' and fuzz targets'.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "calculator/calculator_layout.h"
#include "harness.h"
#include "usage/about_layout.h"

namespace e2e {
namespace {

using namespace tarvolin;

// Where the stand-in tool is and is not. A command line split at the blank
// of "with 工具" would start the trap instead. System32 as 64-bit Windows has
// it: a 32-bit program that looks there sees SysWOW64 unless it asks not to.
const std::wstring kTools = HereFolder() + L"tools", kTrap = kTools + L"\\with.exe";
const std::wstring kWithTool = kTools + L"\\with 工具", kTool = kWithTool + L"\\MSINFO32.EXE";
const std::wstring kWithoutTool = kTools + L"\\without tool", kMissing = kWithoutTool + L"\\MSINFO32.EXE";
const std::wstring kSystemTools = L"C:\\windows\\system32\\tarvolin test",
                   kSystemTool = kSystemTools + L"\\MSINFO32.EXE";

// Puts the stand-in where the rows' values point, or takes it away again,
// in the system's own folders from the 32-bit test program too.
void Plant(bool there) {
    const std::wstring folders[] = {kTools, kWithTool, kWithoutTool, kSystemTools},
                       copies[] = {kTool, kTrap, kSystemTool};
    void* redirection = nullptr;
    const BOOL native = Wow64DisableWow64FsRedirection(&redirection);
    for (const std::wstring& folder : folders)
        if (there) CreateDirectoryW(folder.c_str(), nullptr);
    for (const std::wstring& copy : copies)
        there ? CopyFileW((HereFolder() + L"tarvolin_test_standin.exe").c_str(), copy.c_str(), FALSE)
              : DeleteFileW(copy.c_str());
    for (int i = 3; !there && i >= 0; --i) RemoveDirectoryW(folders[i].c_str());
    if (native) Wow64RevertWow64FsRedirection(redirection);
}
struct Tools {
    Tools() { Plant(true); }
    ~Tools() { Plant(false); }
};

// The state in a line: Text1..Text8, the id of the control with the focus, the
// message box ("title: text"), the usage window and the tools started; or how
// the program ended.
std::wstring State(const Program& program) {
    DWORD exit = 0;
    if (GetExitCodeProcess(program.Process(), &exit) && exit != STILL_ACTIVE)
        return L"ended with " + std::to_wstring(exit);
    int usages = 0;
    HWND calculator = program.Calculator(), usage = program.Usage(&usages), message = program.Message();
    std::wstring state = IsWindow(calculator) ? L"" : L"no calculator";
    for (int id = kText1; IsWindow(calculator) && id <= kText8; ++id)
        state += TextOf(GetDlgItem(calculator, id)) + (id < kText8 ? L"|" : L"");
    state += L", focus " + std::to_wstring(GetDlgCtrlID(ThreadOf(usage ? usage : calculator).hwndFocus));
    if (message) {  // over its window, with OK alone
        HWND ok = GetDlgItem(message, IDOK);
        state += L", " + TextOf(message) + L": " + TextOf(GetDlgItem(message, 0xFFFF));
        if (GetWindow(message, GW_OWNER) != (usage ? usage : calculator)) state += L" not over its window";
        if (FindWindowExW(message, nullptr, L"Button", nullptr) != ok ||
            FindWindowExW(message, ok, L"Button", nullptr))
            state += L" not with OK alone";
    }
    if (usage) {  // one, in front but for its message, topmost, without owner, not modal
        state += usages > 1 ? L", usage windows" : L", usage";
        if (!(GetWindowLongW(usage, GWL_EXSTYLE) & WS_EX_TOPMOST)) state += L" not topmost";
        if (GetWindow(usage, GW_OWNER) || (IsWindow(calculator) && !IsWindowEnabled(calculator)))
            state += L" owned";
        if (GetForegroundWindow() != (message ? message : usage)) state += L" behind";
    }
    for (auto [path, name] :
         {std::pair{&kTool, L", tool"}, {&kSystemTool, L", system tool"}, {&kTrap, L", trap"}})
        if (FindWindowW(L"Static", path->c_str())) state += name;
    return state;
}

// Click the control, or wait for its focus; then press the keys, or paste them.
enum How { kClick, kFocused, kPaste };
struct Step {
    int control;
    std::string keys = "";  // as Press takes them, or UTF-8 to paste
    How how = kClick;
};
struct Scenario {
    const char* name;
    std::vector<Step> steps;
    std::wstring state;
    bool registry = false;  // sets the system-information values (null: none)
    const wchar_t *path = nullptr, *folder = nullptr;
};
void PrintTo(const Scenario& s, std::ostream* out) { *out << s.name; }

const Scenario kRows[] = {
    // Each digit box refuses what is no digit, Enter, Escape and Ctrl+V, C, X
    // and Z, keeps to its limit, and edits with Backspace, Home, Left and Delete.
    {"TypingEveryBoxAndComputing",
     {{kText1, "a-123"},
      {kText2, "b.1\b10"},
      {kText3, "c\r0H2"},
      {kText4,
       "d\x16"
       "3L1"},
      {kText5,
       "e\x03\x18\x1a"
       "40"},
      {kText6,
       "f\x1b"
       "50HD5"},
      {kText8, "E\bg12345"},
      {kCommand1}},
     L"12|10|20|13|40|50|1777050.5|1234, focus 121"},
    {"TheResultBoxTakesAnyTextEnterAndEscapeDoNothing",
     {{kText7, "ab-1. 5\r\x1b\x16"}},
     L"||||||ab-1. 512|0, focus 117"},
    {"TabWalksTheBoxesAndButtons",
     {{kText1, "1T2T3T4T5T6TT7T8TT9SS0", kFocused}},
     L"9|2|3|4|5|6|7|0, focus 118"},
    {"PastedTextKeepsTheLimitButNotTheFilter",
     {{kText1}, {kText1, "-5😀", kPaste}, {kCommand1}},
     L"-5||||||300|0, focus 121"},
    {"AStartHourOf24IsResetAndReported",
     {{kText1, "24"}, {kText4, "1"}, {kText7, "x"}, {kCommand1}},
     L"0|||1|||x|0, focus 1, 提示: 输入时间范围错误！"},
    {"AnEndHourOf24StaysAndEnterClosesTheMessage",
     {{kText4, "24"}, {kText7, "x"}, {kCommand1}, {IDOK, "\r", kFocused}},
     L"|||24|||x|0, focus 121"},
    {"ASecondPressShowsTheOneUsageWindow", {{kCommand2}, {kCommand2}}, L"|||||||0, focus 1, usage"},
    {"OKClosesTheUsageWindow", {{kCommand2}, {kCmdOK}}, L"|||||||0, focus 122"},
    {"EnterClosesTheUsageWindow", {{kCommand2}, {kCmdOK, "\r", kFocused}}, L"|||||||0, focus 122"},
    {"EscapeClosesTheUsageWindow", {{kCommand2}, {kCmdOK, "\x1b", kFocused}}, L"|||||||0, focus 122"},
    {"TabWalksOKThePictureAndSystemInformation",
     {{kCommand2}, {kCmdOK, "TTTT", kFocused}},
     L"|||||||0, focus 201, usage"},
    {"ClosingTheCalculatorEndsTheProgram", {{kText1, "Q", kFocused}}, L"ended with 0"},
    {"TheUsageWindowOutlivesTheCalculator", {{kCommand2}, {kText3, "Q"}}, L"no calculator, focus 1, usage"},
    {"ClosingTheUsageWindowLastEndsTheProgram", {{kCommand2}, {kText3, "Q"}, {kCmdOK}}, L"ended with 0"},
};

// The usage window opened and its system-information button pressed.
Scenario SysInfo(const char* name, const std::wstring* path, const std::wstring* folder,
                 const wchar_t* started, Step press = {kCmdSysInfo}) {
    return {name,
            {{kCommand2}, press},
            started ? L"|||||||0, focus 206, usage, " + std::wstring(started)
                    : L"|||||||0, focus 1, 时差计算器: 此时系统信息不可用, usage",
            true,
            path ? path->c_str() : nullptr,
            folder ? folder->c_str() : nullptr};
}
const Scenario kLauncherRows[] = {
    SysInfo("TheToolTheFirstValueNames", &kTool, &kWithoutTool, L"tool"),
    SysInfo("AltSPressesSystemInformation", &kTool, nullptr, L"tool", {kCmdOK, "As", kFocused}),
    SysInfo("EnterPressesSystemInformationWhenItHasTheFocus", &kTool, nullptr, L"tool",
            {kCmdOK, "TT\r", kFocused}),
    SysInfo("AMissingFileInTheFirstValueIsNotLookedForInTheFolder", &kMissing, &kWithTool, nullptr),
    SysInfo("TheToolInTheFolderOfTheSecondValue", nullptr, &kWithTool, L"tool"),
    SysInfo("TheToolInTheSystemsOwnFolder", nullptr, &kSystemTools, L"system tool"),
    SysInfo("AFolderWithoutTheTool", nullptr, &kWithoutTool, nullptr),
    SysInfo("NeitherValue", nullptr, nullptr, nullptr),
};

testing::AssertionResult Perform(const Program& program, const Step& step) {
    HWND control = nullptr;
    wchar_t kind[8] = {};
    if (!WaitFor([&] { return (control = program.Control(step.control)) && IsWindowVisible(control); }))
        return testing::AssertionFailure() << "no control " << step.control;
    GetClassNameW(control, kind, 8);
    if (step.how != kFocused &&
        !WaitFor([&] { return Click(control); }))  // a message box may still be leaving
        return testing::AssertionFailure() << step.control << " is covered";
    // Keys go to the window in front, to its focus.
    if ((step.how == kFocused || !lstrcmpiW(kind, L"Edit")) && !WaitFor([&] {
            return ThreadOf(control).hwndFocus == control &&
                   GetForegroundWindow() == GetAncestor(control, GA_ROOT);
        }))
        return testing::AssertionFailure() << step.control << " has no focus";
    if (step.how != kPaste) Press(step.keys);
    if (step.how == kPaste && !Paste(program, control, step.keys))
        return testing::AssertionFailure() << "no paste";
    return testing::AssertionSuccess();
}

class Scenarios : public testing::TestWithParam<Scenario> {};

TEST_P(Scenarios, Run) {
    const Scenario& s = GetParam();
    std::optional<Tools> tools;
    std::optional<Setting> path, folder;
    if (s.registry) {
        if (!MayChangeSettings()) GTEST_SKIP() << "the row would change this machine's registry";
        tools.emplace();
        const auto size = [](const wchar_t* text) { return text ? DWORD(wcslen(text) + 1) * 2 : 0; };
        path.emplace(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH", REG_SZ,
                     s.path, size(s.path));
        folder.emplace(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO", REG_SZ,
                       s.folder, size(s.folder));
        if (!path->done || !folder->done) GTEST_SKIP() << "the registry cannot be written here";
    }
    Program program;
    ASSERT_TRUE(program.Start()) << "no calculator in front with the focus in Text1";
    ASSERT_TRUE(Paste(program, nullptr, "12"));  // what a Ctrl+V that gets through would paste
    for (const Step& step : s.steps)
        ASSERT_TRUE(Perform(program, step)) << "step " << (&step - &s.steps[0] + 1);
    std::wstring state;
    EXPECT_TRUE(WaitFor([&] { return (state = State(program)) == s.state; })) << Utf8(state);
    // Still so once the program has handled what came before, such as a quit.
    for (HWND window : {program.Usage(), program.Calculator(), program.Usage()}) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    }
    EXPECT_EQ(Utf8(State(program)), Utf8(s.state));
}

const auto kName = [](const testing::TestParamInfo<Scenario>& row) { return row.param.name; };
INSTANTIATE_TEST_SUITE_P(Rows, Scenarios, testing::ValuesIn(kRows), kName);
INSTANTIATE_TEST_SUITE_P(Launcher, Scenarios, testing::ValuesIn(kLauncherRows), kName);

}  // namespace
}  // namespace e2e

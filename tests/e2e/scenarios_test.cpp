// What a person types, pastes and clicks, and what the boxes, the message box
// and the windows show afterwards. Every row starts a program of its own.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "calculator/calculator_layout.h"
#include "harness.h"
#include "usage/about_layout.h"

namespace e2e {
namespace {

using namespace tarvolin;

// Click the control, or wait for its focus; then press the keys, or paste them.
enum How { kClick, kFocused, kPaste };
struct Step {
    int control;
    std::wstring keys = L"";
    How how = kClick;
};
enum Message { kNoMessage, kRangeError, kUnavailable };
struct Scenario {
    const char* name;
    std::vector<Step> steps;
    const wchar_t*
        boxes;  // Text1..Text8 afterwards, '|' between; "": the calculator closed; null: the program ended
    Message message = kNoMessage;  // the message box open afterwards
    bool usage = false;            // the usage window open and in front afterwards
    int focus = 0;                 // the control with the focus afterwards, 0: not checked
    const wchar_t *path = nullptr, *folder = nullptr;  // the system-information values (null: none)
    bool toolStarts = false;
};
void PrintTo(const Scenario& s, std::ostream* out) { *out << s.name; }

// Typed from Text1 on with Tab between the boxes, then the compute button.
Scenario Computed(const char* name, const wchar_t* keys, const wchar_t* boxes, Message message = kNoMessage) {
    return {name, {{kText1, keys, kFocused}, {kCommand1}}, boxes, message};
}
// The text pasted into `box` (Text8 emptied first), then the compute button.
Scenario Pasted(const char* name, int box, const std::wstring& text, const wchar_t* boxes,
                Message message = kNoMessage) {
    return {name, {{box, box == kText8 ? L"⇲\b" : L""}, {box, text, kPaste}, {kCommand1}}, boxes, message};
}
// Where the stand-in tool is and is not. A command line split at the blank
// of "with tool" would start the trap instead.
const std::wstring kTools = HereFolder() + L"tools", kTrap = kTools + L"\\with.exe";
const std::wstring kWithTool = kTools + L"\\with tool", kTool = kWithTool + L"\\MSINFO32.EXE";
const std::wstring kWithoutTool = kTools + L"\\without tool", kMissing = kWithoutTool + L"\\MSINFO32.EXE";
// The usage window opened and its system-information button pressed.
Scenario SysInfo(const char* name, const std::wstring* path, const std::wstring* folder, bool starts,
                 Step press = {kCmdSysInfo}) {
    return {name,
            {{kCommand2}, press},
            L"|||||||0",
            starts ? kNoMessage : kUnavailable,
            true,
            0,
            path ? path->c_str() : nullptr,
            folder ? folder->c_str() : nullptr,
            starts};
}

const Scenario kScenarios[] = {
    {"TypedNonDigitsAreRefusedInEveryDigitBox",
     {{kText1, L"a-1"},
      {kText2, L"b. 2"},
      {kText3, L"c\r3"},
      {kText4,
       L"d\x1b"
       L"4"},
      {kText5,
       L"e\x16"
       L"5"},
      {kText6,
       L"f\x03\x18\x1a"
       L"6"},
      {kText8, L"⇲\bg7"}},
     L"1|2|3|4|5|6||7"},
    {"AThirdDigitAndAFifthAreRefused", {{kText1, L"123"}, {kText8, L"⇲\b12345"}}, L"12|||||||1234"},
    {"EditingKeysWork",
     {{kText2, L"12⇱⌦"}, {kText3, L"12←\b"}, {kText4, L"1⇱2"}, {kText5, L"12⇱⇲\b"}},
     L"|2|2|21|1|||0"},
    {"TheResultBoxTakesAnyText", {{kText7, L"ab-1. 5\x16"}}, L"||||||ab-1. 512|0"},
    {"EnterAndEscapePressNothingInTheCalculator",
     {{kText7,
       L"1\r\x1b"
       L"2"}},
     L"||||||12|0",
     kNoMessage,
     false,
     kText7},
    {"TabWalksTheBoxesAndButtonsFromText1",
     {{kText1, L"1⇥2⇥3⇥4⇥5⇥6⇥⇥7⇥8⇥⇥9⇤⇤0", kFocused}},
     L"9|2|3|4|5|6|7|0",
     kNoMessage,
     false,
     kText8},

    Computed("SameDay", L"8⇥0⇥0⇥17⇥30⇥0", L"8|0|0|17|30|0|570|0"),
    Computed("PastMidnightWithAnIntervalOfOne", L"23⇥0⇥0⇥1⇥0⇥0⇥⇥⇥1", L"23|0|0|1|0|0|120|1"),
    Computed("ManyDaysBeyondSixteenBits", L"5⇥0⇥0⇥6⇥0⇥0⇥⇥⇥1366", L"5|0|0|6|0|0|1967100|1366"),
    Computed("EarlierMinutesInTheSameHourAreNegative", L"10⇥30⇥0⇥10⇥10⇥0", L"10|30|0|10|10|0|-20|0"),
    Computed("AllBoxesEmptyIsZero", L"⇥⇥⇥⇥⇥⇥⇥⇥\b", L"||||||0|"),
    Computed("StartHour24IsReportedAndReset", L"24⇥⇥⇥1⇥⇥⇥⇥x", L"0|||1|||x|0", kRangeError),
    {"EndHour24IsReportedAndKeptAndTheResultTooOnceTheMessageCloses",  // "x" stands in for a result
     {{kText1, L"1⇥⇥⇥24⇥⇥⇥⇥x", kFocused}, {kCommand1}, {IDOK, L"\r", kFocused}},
     L"1|||24|||x|0"},
    Computed("Minute60IsReported", L"⇥60⇥⇥⇥⇥⇥⇥x", L"|60|||||x|0", kRangeError),
    {"EnterClosesTheMessageAndTheNextPressComputes",
     {{kText1, L"24"}, {kText4, L"1"}, {kCommand1}, {IDOK, L"\r", kFocused}, {kCommand1}},
     L"0|||1|||60|0"},

    // Pasting is not typing: the length limits hold, the digit filter does not.
    Pasted("PastedPastTheLengthOfText1", kText1, L"12345", L"12||||||720|0"),
    Pasted("PastedMinusSign", kText1, L"-5", L"-5||||||300|0"),
    Pasted("PastedFullWidthDigits", kText1, L"１２", L"１２||||||0|0"),
    Pasted("PastedBeyondTheBasicPlane", kText1, L"😀𝟙", L"😀||||||0|0"),
    Pasted("PastedControlCharacters", kText1, L"\t1\x01\x7f", L"\t1||||||1380|0"),
    Pasted("PastedExponent", kText2, L"1e", L"|1e|||||-1|0"),
    Pasted("PastedBareFraction", kText6, L".5", L"|||||.5|0.00833333333333333|0"),
    Pasted("PastedPastTheLengthOfText8", kText8, L"12345", L"||||||1776960|1234"),
    Pasted("PastedNegativeFractionOfADay", kText8, L"-1.5", L"||||||-1440|-1.5"),
    Pasted("PastedLongestInterval", kText8, L"99999999", L"||||||14398560|9999"),
    Pasted("PastedTwentyThousandDigitsIntoTheResult", kText7, std::wstring(20000, L'9'), L"||||||0|0"),
    Pasted(
        "PastedHundredThousandCharactersIntoText1", kText1,
        [] {
            std::wstring text;
            while (text.size() < 100000) text += L"24a-😀.\t\x01１";
            return text;
        }(),
        L"0|||||||0", kRangeError),

    {"TheUsageButtonOpensTheUsageWindow", {{kCommand2}}, L"|||||||0", kNoMessage, true, kCmdOK},
    {"ASecondPressShowsTheSameWindow", {{kCommand2}, {kCommand2}}, L"|||||||0", kNoMessage, true},
    {"OKClosesTheUsageWindow", {{kCommand2}, {kCmdOK}}, L"|||||||0"},
    {"EnterClosesTheUsageWindow", {{kCommand2}, {kCmdOK, L"\r", kFocused}}, L"|||||||0"},
    {"EscapeClosesTheUsageWindow", {{kCommand2}, {kCmdOK, L"\x1b", kFocused}}, L"|||||||0"},
    {"TheUsageWindowOpensAgain", {{kCommand2}, {kCmdOK}, {kCommand2}}, L"|||||||0", kNoMessage, true},
    {"TabWalksOKThePictureAndSystemInformation",
     {{kCommand2}, {kCmdOK, L"⇥⇥⇥⇥", kFocused}},
     L"|||||||0",
     kNoMessage,
     true,
     kPicIcon},

    SysInfo("TheToolTheFirstValueNames", &kTool, &kWithoutTool, true),
    SysInfo("AltSPressesSystemInformation", &kTool, nullptr, true, {kCmdOK, L"⌥s", kFocused}),
    SysInfo("EnterPressesSystemInformationWhenItHasTheFocus", &kTool, nullptr, true,
            {kCmdOK, L"⇥⇥\r", kFocused}),
    SysInfo("AMissingFileInTheFirstValueIsNotLookedForInTheFolder", &kMissing, &kWithTool, false),
    SysInfo("TheToolInTheFolderOfTheSecondValue", nullptr, &kWithTool, true),
    SysInfo("AFolderWithoutTheTool", nullptr, &kWithoutTool, false),
    SysInfo("NeitherValue", nullptr, nullptr, false),

    {"ClosingTheCalculatorEndsTheProgram", {{kText1, L"⌧", kFocused}}, nullptr},
    {"TheUsageWindowOutlivesTheCalculator", {{kCommand2}, {kText3, L"⌧"}}, L"", kNoMessage, true},
    {"ClosingTheUsageWindowLastEndsTheProgram", {{kCommand2}, {kText3, L"⌧"}, {kCmdOK}}, nullptr},
};

// The rows' registry values, and the machine's own again afterwards.
const wchar_t* const kValues[2][2] = {{L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH"},
                                      {L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO"}};
bool SetValue(int value, const wchar_t* text) {
    const auto [key, name] = kValues[value];
    if (!text) return RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key, name) != ERROR_ACCESS_DENIED;
    return !RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, name, REG_SZ, text,
                            (wcslen(text) + 1) * sizeof(wchar_t));
}
class Scenarios : public testing::TestWithParam<Scenario> {
protected:
    static inline wchar_t saved_[2][MAX_PATH];
    static inline LSTATUS none_[2];
    static void SetUpTestSuite() {
        for (int value : {0, 1}) {
            DWORD size = sizeof saved_[value];
            none_[value] = RegGetValueW(HKEY_LOCAL_MACHINE, kValues[value][0], kValues[value][1],
                                        RRF_RT_REG_SZ, nullptr, saved_[value], &size);
        }
        // Copies of this program stand in for the tool: they wait to be found.
        for (const std::wstring& folder : {kTools, kWithTool, kWithoutTool})
            CreateDirectoryW(folder.c_str(), nullptr);
        for (const std::wstring& copy : {kTool, kTrap})
            CopyFileW((HereFolder() + L"tarvolin_e2e_tests.exe").c_str(), copy.c_str(), FALSE);
    }
    static void TearDownTestSuite() {
        for (int value : {0, 1}) SetValue(value, none_[value] ? nullptr : saved_[value]);
    }
};

std::vector<std::wstring> EndStarted(const Program& program) {
    std::vector<std::wstring> started;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        HANDLE child =
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
        wchar_t path[MAX_PATH];
        DWORD size = MAX_PATH;
        if (entry.th32ParentProcessID == program.Id() && QueryFullProcessImageNameW(child, 0, path, &size) &&
            !wcsncmp(path, kTools.c_str(), kTools.size()) && TerminateProcess(child, 0))
            started.emplace_back(path);
        CloseHandle(child);
    }
    CloseHandle(snapshot);
    return started;
}

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
            return FocusOf(control) == control && GetForegroundWindow() == GetAncestor(control, GA_ROOT);
        }))
        return testing::AssertionFailure()
               << step.control << " has no focus, " << GetDlgCtrlID(FocusOf(control)) << " has";
    if (step.how != kPaste) Press(step.keys);
    return step.how != kPaste || Paste(program, control, step.keys)
               ? testing::AssertionSuccess()
               : testing::AssertionFailure() << "no paste";
}

TEST_P(Scenarios, Run) {
    const Scenario& s = GetParam();
    if (!SetValue(0, s.path) || !SetValue(1, s.folder)) GTEST_SKIP() << "the registry cannot be written";
    Program program;
    ASSERT_TRUE(program.Start()) << "no calculator in front with the focus in Text1";
    ASSERT_TRUE(Paste(program, nullptr, L"12"));
    for (const Step& step : s.steps)
        ASSERT_TRUE(Perform(program, step)) << "step " << (&step - &s.steps[0] + 1);
    DWORD exitCode = 1;
    if (!s.boxes) {
        EXPECT_TRUE(!WaitForSingleObject(program.Process(), 15000) &&
                    GetExitCodeProcess(program.Process(), &exitCode));
        EXPECT_EQ(exitCode, 0u) << "the program did not end by itself";
        return;
    }
    std::wstring boxes;
    EXPECT_TRUE(WaitFor([&] {
        if (!*s.boxes) return !IsWindow(program.Calculator());
        boxes.clear();
        for (int id = kText1; id <= kText8; ++id)
            boxes += TextOf(program.Control(id)) + (id < kText8 ? L"|" : L"");
        return boxes == s.boxes;
    })) << "the boxes show "
        << Utf8(boxes) << "\n          expected " << Utf8(s.boxes);

    const wchar_t* const kMessages[] = {L"", L"提示: 输入时间范围错误！", L"时差计算器: 此时系统信息不可用"};
    HWND message = nullptr;
    if (s.message) {  // over its window, with OK alone
        ASSERT_TRUE(WaitFor([&] { return (message = program.Message()); })) << "no message box";
        HWND ok = FindWindowExW(message, nullptr, L"Button", nullptr);
        EXPECT_EQ(TextOf(message) + L": " + TextOf(GetDlgItem(message, 0xFFFF)), kMessages[s.message]);
        EXPECT_EQ(GetWindow(message, GW_OWNER),
                  s.message == kRangeError ? program.Calculator() : program.Usage());
        EXPECT_TRUE(ok == GetDlgItem(message, IDOK) && !FindWindowExW(message, ok, L"Button", nullptr));
    } else if (HWND stray = program.Message()) {
        ADD_FAILURE() << "a message box says " << Utf8(TextOf(GetDlgItem(stray, 0xFFFF)));
    }
    int usages = 0;
    if (s.usage) {  // one, in front but for its message, topmost, without owner, not modal
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == (message ? message : program.Usage()); }));
        HWND usage = program.Usage(&usages);
        EXPECT_TRUE(usages == 1 && GetWindowLongW(usage, GWL_EXSTYLE) & WS_EX_TOPMOST &&
                    !GetWindow(usage, GW_OWNER));
        EXPECT_TRUE(!*s.boxes || IsWindowEnabled(program.Calculator()));
    }
    EXPECT_TRUE(s.usage || WaitFor([&] { return !program.Usage(); })) << "a usage window is open";
    EXPECT_TRUE(!s.focus || WaitFor([&] {
        return FocusOf(program.Calculator()) == program.Control(s.focus);
    })) << GetDlgCtrlID(FocusOf(program.Calculator()))
        << " has the focus";
    std::vector<std::wstring> started;
    const auto collect = [&] { return !(started = EndStarted(program)).empty(); };
    s.toolStarts ? WaitFor(collect) : collect();
    EXPECT_EQ(started, s.toolStarts ? std::vector<std::wstring>{kTool} : std::vector<std::wstring>{});
    EXPECT_EQ(WaitForSingleObject(program.Process(), 0), WAIT_TIMEOUT) << "the program has ended";
}

INSTANTIATE_TEST_SUITE_P(Rows, Scenarios, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& row) { return row.param.name; });

// The soak: one program through the rows' compute press, the usage window's
// opening and closing and the clock's tick, thousands of times, driven by
// messages for speed. It keeps answering, and after a warm-up its working set
// grows by less than 2 MiB. TARVOLIN_SOAK=full runs 10,000 presses, 2,000
// usage windows and 20,000 ticks; the tests, a twentieth of that.
TEST(Soak, ComputeUsageWindowAndClockStayLevel) {
    const int scale =
        std::getenv("TARVOLIN_SOAK") && std::getenv("TARVOLIN_SOAK") == std::string("full") ? 20 : 1;
    Program program;
    ASSERT_TRUE(program.Start());
    HWND calculator = program.Calculator(), usage = nullptr;
    const auto send = [](HWND window, UINT message, WPARAM wParam,
                         LPARAM lParam) {  // handled when it returns
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    };
    const auto press = [&](int id) {
        return send(calculator, WM_COMMAND, id, LPARAM(GetDlgItem(calculator, id)));
    };
    const wchar_t* const workday[] = {L"8", L"0", L"0", L"17", L"30", L"0", L"", L"0"};
    for (int id = kText1; id <= kText8; ++id)
        ASSERT_TRUE(send(GetDlgItem(calculator, id), WM_SETTEXT, 0, LPARAM(workday[id - kText1])));
    PROCESS_MEMORY_COUNTERS memory{};
    SIZE_T warm = 0;
    for (int share : {20, 1}) {  // a twentieth to warm up, then all
        for (int i = 0; i < 500 * scale / share; ++i) ASSERT_TRUE(press(kCommand1)) << "compute press " << i;
        for (int i = 0; i < 100 * scale / share; ++i) {  // each painted, as in front of a person
            ASSERT_TRUE(press(kCommand2) && (usage = program.Usage()) && UpdateWindow(usage) &&
                        send(usage, WM_CLOSE, 0, 0) && !IsWindow(usage))
                << "usage window " << i;
        }
        for (int i = 0; i < 1000 * scale / share; ++i)
            ASSERT_TRUE(send(calculator, WM_TIMER, 1, 0)) << "tick " << i;
        ASSERT_TRUE(GetProcessMemoryInfo(program.Process(), &memory, sizeof memory));
        std::printf("[soak] %d compute presses, %d usage windows, %d ticks: working set %zu KiB\n",
                    500 * scale / share, 100 * scale / share, 1000 * scale / share,
                    memory.WorkingSetSize / 1024);
        warm = warm ? warm : memory.WorkingSetSize;
    }
    EXPECT_LT(memory.WorkingSetSize, warm + (2 << 20)) << "the working set grew by over 2 MiB";
    EXPECT_EQ(TextOf(GetDlgItem(calculator, kText7)), L"570");
    EXPECT_NE(TextOf(GetDlgItem(calculator, kLabel7)), L"") << "the clock line is blank";
}

}  // namespace
}  // namespace e2e

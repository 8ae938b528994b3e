// Rows: stories of what a person does with the program, step by step, and
// what it then shows, in words. Each row starts a program of its own.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/calculator_layout.h"
#include "calculator/clock_line.h"
#include "input.h"
#include "pictures.h"
#include "program.h"
#include "usage/about_layout.h"

namespace e2e {

// How a step gets to its control: by a click, or by waiting until the
// control has the focus (in a window that has just opened, or where the keys
// before moved it).
enum Reach { kClick, kFocused };

// A person's next action: get to a control, type keys into it (none by
// default) and, where the row checks it, the state right after.
struct Step {
    Reach reach;
    int control;
    std::string keys = "";
    std::string state = "";
};

// A row: its steps from a program just started, and the state at the end. A
// message box that shows on the way is compared with `messagePicture`.
struct Row {
    const char* name;
    std::vector<Step> steps;
    std::string state;
    const wchar_t* messagePicture = nullptr;
};

// A control by the name its window's layout table gives it.
inline std::string ControlName(const tarvolin::WindowLayout& layout, int id) {
    for (std::size_t i = 0; i < layout.controlCount; ++i)
        if (layout.controls[i].id == id) return layout.controls[i].name;
    return "an unnamed control";
}

// The control with the focus, by its name.
inline std::string FocusName(const Program& program) {
    HWND focus = program.Focus();
    if (!focus) return "nothing";
    HWND window = GetParent(focus);
    if (window == program.Message() && GetDlgCtrlID(focus) == IDOK) return "OK";
    if (window == program.Calculator()) return ControlName(tarvolin::CalculatorLayout(), GetDlgCtrlID(focus));
    if (window == program.Usage()) return ControlName(tarvolin::AboutLayout(), GetDlgCtrlID(focus));
    return "an unnamed control";
}

inline bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// What a person sees of the program, in words: each box that holds text, by
// name, with what it holds; the control with the focus ("OK" in a message box,
// "nothing" when none of the program's has it); a message box, and whether
// it has an owner (the window it was raised from, which it keeps disabled);
// the usage window; each stand-in for the system-information tool that runs
// (standin.cpp), by its file name, and whether its window shows in front (not
// minimised); a window that is not topmost. Or how the program ended:
//   "Text1 12, Text8 0, focus OK, message, usage"
inline std::string State(const Program& program) {
    const std::optional<DWORD> exitCode = program.ExitCode();
    if (exitCode) return "ended with " + std::to_string(*exitCode);
    std::string state;
    HWND calculator = program.Calculator();
    if (calculator) {
        for (int box = tarvolin::kText1; box <= tarvolin::kText8; ++box) {
            const std::string text = TextOf(GetDlgItem(calculator, box));
            if (!text.empty()) state += ControlName(tarvolin::CalculatorLayout(), box) + " " + text + ", ";
        }
        if (!IsTopmost(calculator)) state += "calculator not topmost, ";
    }
    state += "focus " + FocusName(program);
    HWND message = program.Message();
    if (message && GetWindow(message, GW_OWNER)) state += ", message";
    if (message && !GetWindow(message, GW_OWNER)) state += ", message without owner";
    HWND usage = program.Usage();
    if (usage) state += IsTopmost(usage) ? ", usage" : ", usage not topmost";
    HWND tool = nullptr;
    while ((tool = FindWindowExW(nullptr, tool, L"TarvolinTestTool", nullptr)) != nullptr) {
        const std::string path = TextOf(tool);
        state += ", started " + path.substr(path.rfind('\\') + 1);
        if (GetForegroundWindow() == tool && !IsIconic(tool)) state += " in front";
    }
    return state;
}

// The local time, as the clock line at the calculator's foot shows it.
inline std::string LocalClockLine() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return tarvolin::ClockLine({t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond});
}

// Returns once the clock line has shown the next second of the local time,
// which it must within 625 ms: its clock ticks twice a second, the first
// time half a second after the window is made, when the line is still blank.
// Windows hands a window its timer only when no message, quit or input waits
// for its thread, so by then the program has handled all that was queued
// before.
inline void ExpectClockTick(HWND clock) {
    EXPECT_TRUE(WaitFor([&] { return !TextOf(clock).empty(); })) << "the clock line never appeared";
    const std::string shown = TextOf(clock);
    WaitFor([&] { return LocalClockLine() != shown; }, 2s);
    const std::string next = LocalClockLine();
    EXPECT_TRUE(WaitFor([&] { return TextOf(clock) == next; }, 625ms))
        << "the clock line never showed " << next;
}

// The state reached within the deadline, and still the same after the
// clock's next tick, once the program has handled what came before (a quit
// it posted, keys still queued). With the calculator closed there is no
// clock to wait for.
inline void ExpectState(const Program& program, const std::string& expected, const wchar_t* messagePicture) {
    std::string state;
    WaitFor([&] {
        state = State(program);
        return state == expected;
    });
    ASSERT_EQ(state, expected);
    HWND clock = GetDlgItem(program.Calculator(), tarvolin::kLabel7);
    if (clock) ExpectClockTick(clock);
    EXPECT_EQ(State(program), expected) << "once the program handled what was queued before";
    RECT box{};
    if (messagePicture && OnWine() && GetWindowRect(program.Message(), &box))
        ExpectApproved(messagePicture, {box.left, box.top});
}

// Does the step; false when its control never shows, cannot be clicked, or
// never takes the focus.
inline bool Perform(const Program& program, const Step& step) {
    HWND control = nullptr;
    const bool shows = WaitFor([&] {
        control = program.Control(step.control);
        return control && IsWindowVisible(control);
    });
    if (!shows) return false;
    if (step.reach == kClick && !WaitFor([&] { return Click(control); })) return false;
    if (step.reach == kClick && step.keys.empty()) return true;
    // Keys go to the window in front, and there to the focus.
    const bool focused = WaitFor(
        [&] { return program.Focus() == control && GetForegroundWindow() == GetAncestor(control, GA_ROOT); });
    return focused && Press(step.keys);
}

inline void Play(const Row& row) {
    SCOPED_TRACE(row.name);
    Program program;
    ASSERT_TRUE(program.Start()) << "the calculator never became ready for input";
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
        const Step& step = row.steps[i];
        ASSERT_TRUE(Perform(program, step)) << "step " << i + 1 << " could not be done";
        if (step.state.empty()) continue;
        ASSERT_NO_FATAL_FAILURE(ExpectState(program, step.state, row.messagePicture));
    }
    ExpectState(program, row.state, row.messagePicture);
}

}  // namespace e2e

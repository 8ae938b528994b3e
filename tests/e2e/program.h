// The program under test: one tarvolin.exe, started from the tests' folder,
// and what can be read of its windows from outside, as a screen reader would.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "calculator/calculator_layout.h"

namespace e2e {

using namespace std::chrono_literals;

// Asks the condition every 10 ms until it holds (true) or the limit has
// passed (false). The tests wait for what they look for with this, never for
// a fixed time: a window shows a moment after the program made it, under Wine
// later still.
inline bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 15s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(10);
    }
    return true;
}

// The window's text in UTF-8, asked of the window itself; "?" when it does
// not answer within 5 s.
inline std::string TextOf(HWND window) {
    wchar_t text[512] = L"?";
    SendMessageTimeoutW(window, WM_GETTEXT, 512, LPARAM(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    char utf8[1536];
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return std::string(utf8, length - 1);
}

// One tarvolin.exe in a job object: whatever it starts (the system-information
// tool) ends with it when this goes, and, as the job ends when its last
// handle is closed, also when the test program itself crashes.
class Program {
public:
    Program() {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    // Ends its processes and waits up to 15 s for them to go: the next test
    // starts on a screen without their windows.
    ~Program() {
        TerminateJobObject(job_, 1);
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
        const auto kind = JobObjectBasicAccountingInformation;
        WaitFor([&] {
            return !QueryInformationJobObject(job_, kind, &accounting, sizeof accounting, nullptr) ||
                   !accounting.ActiveProcesses;
        });
        CloseHandle(job_);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program, suspended until it is in the job so that nothing it
    // starts escapes, and returns once a person could type into it: the
    // calculator in front, the focus in Text1, the program waiting for input.
    // (Wine lets go of a held Alt when it first reads the focus from X.)
    bool Start() {
        wchar_t command[] = L"tarvolin.exe";
        STARTUPINFOW startup{sizeof startup};
        const bool started = CreateProcessW(command, command, nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                            nullptr, nullptr, &startup, &process_) &&
                             AssignProcessToJobObject(job_, process_.hProcess) &&
                             ResumeThread(process_.hThread) != DWORD(-1);
        const bool inFront = started && WaitFor([&] {
                                 HWND calculator = Calculator();
                                 return calculator && GetForegroundWindow() == calculator &&
                                        Focus() == GetDlgItem(calculator, tarvolin::kText1);
                             });
        return inFront && WaitForInputIdle(process_.hProcess, 15000) == 0;
    }

    // The program's window of that class that shows, or null.
    HWND Shown(const wchar_t* className) const {
        HWND window = nullptr;
        DWORD process = 0;
        while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
            GetWindowThreadProcessId(window, &process);
            if (process == process_.dwProcessId && IsWindowVisible(window)) return window;
        }
        return nullptr;
    }
    HWND Calculator() const { return Shown(L"TarvolinCalculator"); }
    HWND Usage() const { return Shown(L"TarvolinUsage"); }
    // A message box is of the dialog class.
    HWND Message() const { return Shown(L"#32770"); }

    // The control with that id in the message box, else in the usage window,
    // else in the calculator: IDOK is the message box's OK and also cmdOK.
    HWND Control(int id) const {
        for (HWND window : {Message(), Usage(), Calculator()})
            if (HWND control = GetDlgItem(window, id)) return control;
        return nullptr;
    }

    // The control that has the keyboard focus, in whichever of its windows.
    HWND Focus() const {
        GUITHREADINFO thread{sizeof thread};
        GetGUIThreadInfo(process_.dwThreadId, &thread);
        return thread.hwndFocus;
    }

    // The exit code, once the program has ended.
    std::optional<DWORD> ExitCode() const {
        DWORD code = STILL_ACTIVE;
        if (GetExitCodeProcess(process_.hProcess, &code) && code != STILL_ACTIVE) return code;
        return std::nullopt;
    }

private:
    HANDLE job_ = CreateJobObjectW(nullptr, nullptr);
    PROCESS_INFORMATION process_{};
};

}  // namespace e2e

// Driving tarvolin.exe (in the current folder) as a person would. Every wait
// polls against a deadline.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

inline bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 15s) {
    for (const auto end = std::chrono::steady_clock::now() + limit; !condition(); Sleep(10))
        if (std::chrono::steady_clock::now() > end) return false;
    return true;
}

inline std::string TextOf(HWND window) {
    wchar_t text[512] = L"?";
    char utf8[1536];
    SendMessageTimeoutW(window, WM_GETTEXT, 512, LPARAM(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return std::string(utf8, WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, 0, 0) - 1);
}

inline GUITHREADINFO ThreadOf(HWND window) {
    GUITHREADINFO thread{sizeof thread};
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    return thread;
}

// Settings change where ctest allows it: in the tests' Wine prefix.
inline bool MayChangeSettings() { return getenv("TARVOLIN_TESTS_CHANGE_SETTINGS") == std::string("1"); }
inline bool OnWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"); }

// The screen from `at` against docs/<picture>.png, or its client area from
// `client`, but for `mask`; what it saw to pictures/<seen>.png.
void ExpectApproved(const std::wstring& picture, POINT at, POINT client = {}, RECT mask = {},
                    std::wstring seen = L"");

// One tarvolin.exe in a job: what it started ends with it.
class Program {
public:
    Program() {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limit{};
        limit.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limit, sizeof limit);
    }
    ~Program() {
        TerminateJobObject(job_, 1);
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION job{};
        WaitFor([&] {
            return !QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &job, sizeof job,
                                              0) ||
                   !job.ActiveProcesses;
        });
        for (HANDLE handle : {job_, info.hProcess, info.hThread}) CloseHandle(handle);
    }
    // Started, then in front, the focus in Text1, and idle: Wine lets go of a
    // held Alt when it first reads the focus from X.
    bool Start(bool waitForFocus = true) {
        wchar_t command[] = L"tarvolin.exe";
        STARTUPINFOW startup{sizeof startup};
        const auto ready = [&] {
            HWND window = Calculator();
            return GetForegroundWindow() == window && ThreadOf(window).hwndFocus == GetDlgItem(window, 111);
        };
        return CreateProcessW(command, command, 0, 0, 0, CREATE_SUSPENDED, 0, 0, &startup, &info) &&
               AssignProcessToJobObject(job_, info.hProcess) && ResumeThread(info.hThread) != DWORD(-1) &&
               (!waitForFocus || (WaitFor(ready) && !WaitForInputIdle(info.hProcess, 15000)));
    }
    HWND Calculator() const { return TopLevel(L"TarvolinCalculator"); }
    HWND Usage() const { return TopLevel(L"TarvolinUsage"); }
    HWND Message() const { return TopLevel(L"#32770"); }
    HWND Control(int id) const {
        for (HWND window : {Message(), Usage(), Calculator()})
            if (HWND control = GetDlgItem(window, id)) return control;
        return nullptr;
    }
    HWND TopLevel(const wchar_t* className) const {
        HWND found = nullptr;
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == info.dwProcessId && IsWindowVisible(window)) found = window;
        }
        return found;
    }
    PROCESS_INFORMATION info{};

private:
    HANDLE job_ = CreateJobObjectW(nullptr, nullptr);
};

// A registry value set (null: removed) and put back exactly, in the native view.
class Setting {
public:
    Setting(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size = 0)
        : name_(name) {
        if (type == REG_SZ && data) size = 2 * DWORD(wcslen(static_cast<const wchar_t*>(data)) + 1);
        RegCreateKeyExW(root, key, 0, 0, 0, KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY, 0, &key_, 0);
        was_ = !RegQueryValueExW(key_, name, 0, &type_, 0, &size_);
        data_.resize(size_);
        RegQueryValueExW(key_, name, 0, &type_, data_.data(), &size_);
        const LSTATUS status =
            data ? RegSetValueExW(key_, name, 0, type, (const BYTE*)data, size) : RegDeleteValueW(key_, name);
        done = key_ && (!status || (!data && status == ERROR_FILE_NOT_FOUND));
    }
    ~Setting() {
        was_ ? RegSetValueExW(key_, name_.c_str(), 0, type_, data_.data(), size_)
             : RegDeleteValueW(key_, name_.c_str());
        RegCloseKey(key_);
    }
    bool done = false;

private:
    HKEY key_ = nullptr;
    std::wstring name_;
    DWORD type_ = 0, size_ = 0;
    bool was_ = false;
    std::vector<BYTE> data_;
};

// Types the text; keys by name in angle brackets: <Tab>, <Shift+Tab>, <Ctrl+V>.
inline void Press(const std::string& keys) {
    // clang-format off
    static const std::map<std::string, int> kNamed = {{"Shift", 0x100}, {"Ctrl", 0x200}, {"Alt", 0x400},
        {"Tab", VK_TAB}, {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}, {"Backspace", VK_BACK}, {"End", VK_END},
        {"Home", VK_HOME}, {"Insert", VK_INSERT}, {"F4", VK_F4}};
    // clang-format on
    std::vector<INPUT> inputs;
    for (size_t i = 0; i < keys.size(); ++i) {
        int key = VkKeyScanA(keys[i]);
        if (keys[i] == '<') {
            const size_t end = keys.find('>', i);
            std::istringstream names(keys.substr(i + 1, end - i - 1));
            key = 0, i = end;
            for (std::string name; std::getline(names, name, '+');)
                key |= kNamed.count(name) ? kNamed.at(name) : VkKeyScanA(char(tolower(name[0]))) & 0xFF;
        }
        for (DWORD up : {0, KEYEVENTF_KEYUP})
            for (int k : {key & 0x100 ? VK_SHIFT : 0, key & 0x200 ? VK_CONTROL : 0, key & 0x400 ? VK_MENU : 0,
                          key & 0xFF}) {
                INPUT input{INPUT_KEYBOARD};
                input.ki = {WORD(k), 0, up};
                if (k) inputs.push_back(input);
            }
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

// At its middle, unless something covers it there.
inline bool Click(HWND window) {
    WaitFor([&] { return !ThreadOf(window).hwndCapture; });  // a pressed button would take it
    RECT r{};
    GetWindowRect(window, &r);
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    // Each event carries the place, which a late pointer event can move.
    INPUT inputs[2] = {{INPUT_MOUSE}, {INPUT_MOUSE}};
    for (DWORD button : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
        inputs[button == MOUSEEVENTF_LEFTUP].mi = {(2 * middle.x + 1) * 32768 / GetSystemMetrics(SM_CXSCREEN),
                                                   (2 * middle.y + 1) * 32768 / GetSystemMetrics(SM_CYSCREEN),
                                                   0, button | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE};
    return WindowFromPoint(middle) == window && SendInput(2, inputs, sizeof(INPUT)) == 2;
}

// Clicks the control, or with "~" waits for its focus, and presses the keys;
// then the state, if given.
struct Step {
    int control;
    std::string keys;
    const char* state = nullptr;
};

inline bool Perform(const Program& program, const Step& step) {
    const bool wait = !step.keys.empty() && step.keys[0] == '~';
    HWND control = nullptr;
    if (!WaitFor([&] {
            return (control = program.Control(step.control)) && IsWindowVisible(control) &&
                   (wait || Click(control));
        }))
        return false;
    if (!step.keys.empty() && !WaitFor([&] {
            return ThreadOf(control).hwndFocus == control &&
                   GetForegroundWindow() == GetAncestor(control, GA_ROOT);
        }))
        return false;
    Press(step.keys.substr(wait));
    return true;
}

}  // namespace e2e

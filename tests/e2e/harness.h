// Driving tarvolin.exe from outside as a person would: start it, click, type,
// paste from a box's menu, and read back what its windows show. Every wait
// polls a condition against a deadline.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace e2e {

using namespace std::chrono_literals;

// Long enough for Wine on a loaded machine; a wait that is met returns at once.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 15s);
std::wstring TextOf(HWND window);
std::string Utf8(const std::wstring& text);
// This test program's folder, with a backslash at the end.
std::wstring HereFolder();
// The control that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);

// One tarvolin.exe, ended with the object.
class Program {
public:
    ~Program();
    // True once its calculator window is in front with the focus in Text1.
    bool Start();
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }
    std::chrono::steady_clock::time_point Started() const { return started_; }
    HWND Calculator() const { return calculator_; }
    HWND Usage() const { return TopLevel(L"TarvolinUsage"); }
    HWND Message() const { return TopLevel(L"#32770"); }
    // The control in the message box, the usage window or the calculator.
    HWND Control(int id) const;
    // The program's visible top-level windows of that class: the last one,
    // and how many in `count`.
    HWND TopLevel(const wchar_t* className, int* count = nullptr) const;

private:
    PROCESS_INFORMATION info_{};
    std::chrono::steady_clock::time_point started_;
    HWND calculator_ = nullptr;
};

// Presses keys as they are written: digits, lower-case letters, '-', '.' and
// ' ' type themselves; '\b' Backspace, '⇥' Tab, '⇤' Shift+Tab, '\r' Enter,
// '\x1b' Escape, '⇱' Home, '⇲' End, '←' Left, '⌦' Delete, '⌧' Alt+F4, another
// control character Ctrl with its letter ('\x16' Ctrl+V); '⌥' holds Alt for
// the key after it.
void Press(const std::wstring& keys);
// A mouse click at the middle of the window.
void Click(HWND window, bool right = false);
// Puts the text on the clipboard; given a box, right-clicks it and chooses
// Paste from its menu.
bool Paste(const Program& program, HWND box, const std::wstring& text);

}  // namespace e2e

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

// Long enough for a loaded machine; a wait that is met returns at once.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 15s);
std::wstring TextOf(HWND window);
std::string Utf8(const std::wstring& text);
std::wstring HereFolder();  // this test program's, ending in a backslash
HWND FocusOf(HWND window);  // the control with the keyboard focus in the window's thread

class Program {  // one tarvolin.exe, ended with the object
public:
    ~Program();
    bool Start();  // true once its calculator is in front with the focus in Text1
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }
    HWND Calculator() const { return calculator_; }
    HWND Usage(int* count = nullptr) const { return TopLevel(L"TarvolinUsage", count); }
    HWND Message() const { return TopLevel(L"#32770"); }
    HWND Control(int id) const;  // in the message box, the usage window or the calculator
    // The program's last visible top-level window of the class, and how many.
    HWND TopLevel(const wchar_t* className, int* count = nullptr) const;

private:
    PROCESS_INFORMATION info_{};
    HWND calculator_ = nullptr;
};

// Presses keys as they are written: digits, lower-case letters, '-', '.' and
// ' ' type themselves; '\b' Backspace, '⇥' Tab, '⇤' Shift+Tab, '\r' Enter,
// '\x1b' Escape, '⇱' Home, '⇲' End, '←' Left, '⌦' Delete, '⌧' Alt+F4, another
// control character Ctrl with its letter ('\x16' Ctrl+V); '⌥' holds Alt for
// the key after it.
void Press(const std::wstring& keys);
bool Click(HWND window, bool right = false);  // at the middle of the window, unless it is covered there
// Puts the text on the clipboard; given a box, chooses Paste from its menu.
bool Paste(const Program& program, HWND box, const std::wstring& text);

}  // namespace e2e

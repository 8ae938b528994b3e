// Driving tarvolin.exe as a person would. Every wait polls against a deadline.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

inline bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 15s) {
    for (const auto end = std::chrono::steady_clock::now() + limit; !condition(); Sleep(10))
        if (std::chrono::steady_clock::now() > end) return false;
    return true;
}

inline std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"?";
    SendMessageTimeoutW(window, WM_GETTEXT, 512, LPARAM(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

inline std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    out.resize(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], int(out.size()), 0, 0));
    return out;
}

inline std::wstring HereFolder() {
    wchar_t path[MAX_PATH];
    const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return self.substr(0, self.rfind(L'\\') + 1);
}

inline GUITHREADINFO ThreadOf(HWND window) {
    GUITHREADINFO thread{sizeof thread};
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    return thread;
}

// Settings change only where ctest allows it: in the tests' own Wine prefix.
inline bool MayChangeSettings() { return getenv("TARVOLIN_TESTS_CHANGE_SETTINGS") == std::string("1"); }

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
        for (HANDLE handle : {job_, info_.hProcess, info_.hThread}) CloseHandle(handle);
    }
    // True once the calculator is in front, the focus in Text1, and idle: Wine
    // lets go of a held Alt when it first reads the window's focus from X.
    bool Start(bool waitForFocus = true) {
        std::wstring path = HereFolder() + L"tarvolin.exe", command = L"\"" + path + L"\"";
        STARTUPINFOW startup{sizeof startup};
        const auto ready = [this] {
            calculator_ = TopLevel(L"TarvolinCalculator");
            return calculator_ && GetForegroundWindow() == calculator_ &&
                   ThreadOf(calculator_).hwndFocus == Control(111);
        };
        return CreateProcessW(path.c_str(), &command[0], 0, 0, 0, CREATE_SUSPENDED, 0, 0, &startup, &info_) &&
               AssignProcessToJobObject(job_, info_.hProcess) && ResumeThread(info_.hThread) != DWORD(-1) &&
               (!waitForFocus || (WaitFor(ready) && !WaitForInputIdle(info_.hProcess, 15000)));
    }
    HANDLE Process() const { return info_.hProcess; }
    HWND Calculator() const { return calculator_; }
    HWND Usage(int* count = nullptr) const { return TopLevel(L"TarvolinUsage", count); }
    HWND Message() const { return TopLevel(L"#32770"); }
    HWND Control(int id) const {
        for (HWND window : {Message(), Usage(), calculator_})
            if (HWND control = GetDlgItem(window, id)) return control;
        return nullptr;
    }
    HWND TopLevel(const wchar_t* className, int* count = nullptr) const {
        HWND found = nullptr;
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != info_.dwProcessId || !IsWindowVisible(window)) continue;
            found = window;
            if (count) ++*count;
        }
        return found;
    }

private:
    HANDLE job_ = CreateJobObjectW(nullptr, nullptr);
    PROCESS_INFORMATION info_{};
    HWND calculator_ = nullptr;
};

// A registry value set (null: removed) and put back exactly, in the native
// view that 64-bit Windows reads.
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

// Characters type themselves ('\026' is Ctrl+V); T Tab, S Shift+Tab, E End,
// I Shift+Insert, Q Alt+F4.
inline void Press(const std::string& keys) {
    static const std::string kNamed = "TSEIQ";
    static const int kNamedKeys[] = {VK_TAB, 0x100 | VK_TAB, VK_END, 0x100 | VK_INSERT, 0x400 | VK_F4};
    std::vector<INPUT> inputs;
    const auto add = [&](int key, DWORD up) {
        INPUT input{INPUT_KEYBOARD};
        input.ki = {WORD(key), 0, up};
        if (key) inputs.push_back(input);
    };
    for (char c : keys) {
        const size_t named = kNamed.find(c);
        const int key = named != kNamed.npos ? kNamedKeys[named] : VkKeyScanA(c);  // and its modifiers
        if (key < 0) ADD_FAILURE() << "no key for " << int(c);
        for (DWORD up : {0, KEYEVENTF_KEYUP})
            for (int k : {key & 0x100 ? VK_SHIFT : 0, key & 0x200 ? VK_CONTROL : 0, key & 0x400 ? VK_MENU : 0,
                          key & 0xFF})
                add(k, up);
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

// At the window's middle, unless something covers it there.
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

// Puts the text (UTF-8) on the clipboard.
inline bool Copy(const std::string& utf8) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, utf8.size() * 2 + 2);
    auto* text = static_cast<wchar_t*>(GlobalLock(memory));
    text[MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text, int(utf8.size()))] = 0;
    GlobalUnlock(memory);
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; })) return false;
    const bool stored = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
    return CloseClipboard() && stored;
}

}  // namespace e2e

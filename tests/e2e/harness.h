// Driving tarvolin.exe from outside as a person would: start it, click, type,
// paste from a box's menu, and read back its windows, on the screen too. Every
// wait polls a condition against a deadline.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// Long enough for a loaded machine; a wait that is met returns at once.
inline bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 15s) {
    for (const auto end = std::chrono::steady_clock::now() + limit; !condition(); Sleep(10))
        if (std::chrono::steady_clock::now() > end) return false;
    return true;
}

// Through a message with a time limit: the program may be busy or gone.
inline std::wstring TextOf(HWND window) {
    wchar_t text[512];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 512, LPARAM(text), SMTO_ABORTIFHUNG, 5000, &length))
        return L"?";
    return std::wstring(text, length);
}

inline std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    out.resize(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), int(out.size()), 0, 0));
    return out;
}

inline std::wstring HereFolder() {  // this test program's, with a backslash
    wchar_t path[MAX_PATH];
    const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of(L'\\') + 1);
}

inline GUITHREADINFO ThreadOf(HWND window) {  // its focus, capture and menu
    GUITHREADINFO thread{sizeof thread};
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    return thread;
}

// Tests change this machine's settings (registry values, the DPI, the
// session's colours) only with TARVOLIN_TESTS_CHANGE_SETTINGS=1, which ctest
// sets for Wine's prefix of the tests' own, and put them back afterwards.
inline bool MayChangeSettings() {
    const char* allowed = std::getenv("TARVOLIN_TESTS_CHANGE_SETTINGS");
    return allowed && !std::strcmp(allowed, "1");
}

// One tarvolin.exe in a job: what it started ends with it, before the next
// test starts it again.
class Program {
public:
    Program() {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limit{};
        limit.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limit, sizeof limit);
    }
    ~Program() {
        if (agent_) UnhookWindowsHookEx(agent_);
        TerminateJobObject(job_, 1);
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION job{};
        WaitFor([&] {
            return !QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &job, sizeof job,
                                              0) ||
                   !job.ActiveProcesses;
        });
        for (HANDLE handle : {job_, info_.hProcess, info_.hThread}) CloseHandle(handle);
    }
    // True once the calculator is in front with the focus in Text1, or at once.
    bool Start(bool waitForFocus = true) {
        const std::wstring path = HereFolder() + L"tarvolin.exe";
        std::wstring command = L"\"" + path + L"\"";
        STARTUPINFOW startup{sizeof startup};
        if (!CreateProcessW(path.c_str(), command.data(), 0, 0, 0, CREATE_SUSPENDED, 0, 0, &startup,
                            &info_) ||
            !AssignProcessToJobObject(job_, info_.hProcess) || ResumeThread(info_.hThread) == DWORD(-1))
            return false;
        return !waitForFocus || WaitFor([this] {
            calculator_ = TopLevel(L"TarvolinCalculator");
            return calculator_ && GetForegroundWindow() == calculator_ &&
                   ThreadOf(calculator_).hwndFocus == Control(111);
        });
    }
    HANDLE Process() const { return info_.hProcess; }
    HWND Calculator() const { return calculator_; }
    HWND Usage(int* count = nullptr) const { return TopLevel(L"TarvolinUsage", count); }
    HWND Message() const { return TopLevel(L"#32770"); }
    HWND Control(int id) const {  // in the message box, the usage window or the calculator
        for (HWND window : {Message(), Usage(), calculator_})
            if (HWND control = window ? GetDlgItem(window, id) : nullptr) return control;
        return nullptr;
    }
    // The program's last visible top-level window of the class, and how many.
    HWND TopLevel(const wchar_t* className, int* count = nullptr) const {
        HWND found = nullptr;
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != info_.dwProcessId || !IsWindowVisible(window)) continue;
            if (count) ++*count;
            found = window;
        }
        return found;
    }
    // Sends the message with a copy of `data` in the program's memory as its
    // lParam, and copies back what the program left there.
    bool Exchange(HWND window, UINT message, WPARAM wParam, void* data, size_t size) const {
        void* there = VirtualAllocEx(info_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        DWORD_PTR result = 0;
        const bool done = there && WriteProcessMemory(info_.hProcess, there, data, size, nullptr) &&
                          SendMessageTimeoutW(window, message, wParam, LPARAM(there), 0, 5000, &result) &&
                          ReadProcessMemory(info_.hProcess, there, data, size, nullptr);
        VirtualFreeEx(info_.hProcess, there, 0, MEM_RELEASE);
        return done;
    }
    // Asks the agent inside the program (agent.cpp): 0 a control's font, 1 to set the system's colours.
    bool Ask(HWND control, int question, void* data, size_t size) {
        static const HMODULE agent = LoadLibraryW((HereFolder() + L"tarvolin_test_agent.dll").c_str());
        const auto hook =
            reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(agent, "AgentHook")));
        if (!agent_ && hook)
            agent_ = SetWindowsHookExW(WH_CALLWNDPROC, hook, agent, GetThreadId(info_.hThread));
        return agent_ &&
               Exchange(control, RegisterWindowMessageW(L"TarvolinTestAgent"), question, data, size);
    }

private:
    HANDLE job_ = CreateJobObjectW(nullptr, nullptr);
    PROCESS_INFORMATION info_{};
    HWND calculator_ = nullptr;
    HHOOK agent_ = nullptr;
};

// A registry value set for one test (null data: removed) and put back exactly
// as it was afterwards, any type and length, its key removed if it was new.
// In the system's native view, where 64-bit Windows keeps its own settings,
// from the 32-bit test program too.
class Setting {
public:
    Setting(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size)
        : root_(root), path_(key), name_(name) {
        if (RegCreateKeyExW(root, key, 0, 0, 0, KEY_QUERY_VALUE | KEY_SET_VALUE | kNative, 0, &key_, &made_))
            return;
        was_ = RegQueryValueExW(key_, name, nullptr, &type_, nullptr, &size_);
        data_.resize(size_);
        if (!was_) was_ = RegQueryValueExW(key_, name, nullptr, &type_, data_.data(), &size_);
        const LSTATUS status = data
                                   ? RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size)
                                   : RegDeleteValueW(key_, name);
        done = !status || (!data && status == ERROR_FILE_NOT_FOUND);
    }
    ~Setting() {
        if (!key_) return;
        if (was_) RegDeleteValueW(key_, name_.c_str());
        if (!was_) RegSetValueExW(key_, name_.c_str(), 0, type_, data_.data(), size_);
        RegCloseKey(key_);
        if (made_ == REG_CREATED_NEW_KEY) RegDeleteKeyExW(root_, path_.c_str(), kNative, 0);
    }
    bool done = false;

private:
    static constexpr REGSAM kNative = KEY_WOW64_64KEY;
    HKEY root_, key_ = nullptr;
    std::wstring path_, name_;
    DWORD type_ = 0, made_ = 0, size_ = 0;
    LSTATUS was_ = 0;
    std::vector<BYTE> data_;
};

// The client area of a window as the screen shows it.
struct Shot {
    explicit Shot(HWND window) {
        RECT r{};
        GetClientRect(window, &r);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        width = r.right - r.left;
        height = r.bottom - r.top;
        BITMAPINFOHEADER format{sizeof format, width, -height, 1, 32};  // top down
        void* bits = nullptr;
        HDC screen = GetDC(nullptr), copy = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateDIBSection(copy, reinterpret_cast<BITMAPINFO*>(&format), 0, &bits, 0, 0);
        const HGDIOBJ previous = SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        for (auto* bgr = static_cast<const BYTE*>(bits); bits && pixels.size() < size_t(width * height);
             bgr += 4)
            pixels.push_back(RGB(bgr[2], bgr[1], bgr[0]));
        DeleteObject(SelectObject(copy, previous));
        DeleteDC(copy);
        ReleaseDC(nullptr, screen);
    }
    COLORREF At(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height ? pixels[size_t(y) * width + x] : CLR_INVALID;
    }
    int Count(RECT r, COLORREF colour) const {  // pixels of that colour in r
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
        return n;
    }
    int width, height;
    std::vector<COLORREF> pixels;
};

// Presses keys as written: lower-case letters, digits, '-', '.' and ' ' type
// themselves; T Tab, S Shift+Tab, H Home, E End, L Left, D Delete, Q Alt+F4,
// A holds Alt for the next key; '\b' Backspace, '\r' Enter, '\x1b' Escape, and
// another control character is Ctrl with its letter ('\x16' Ctrl+V).
inline void Press(const std::string& keys) {
    const char* const kWritten = "-.\b\r\x1bTSHELDQ";
    const WORD kKeys[] = {VK_OEM_MINUS, VK_OEM_PERIOD, VK_BACK, VK_RETURN, VK_ESCAPE, VK_TAB,
                          VK_TAB,       VK_HOME,       VK_END,  VK_LEFT,   VK_DELETE, VK_F4};
    std::vector<INPUT> inputs;
    const auto add = [&](WORD key, DWORD up) {
        INPUT input{INPUT_KEYBOARD};
        input.ki.wVk = key;
        input.ki.dwFlags = up;
        if (key) inputs.push_back(input);
    };
    for (size_t i = 0; i < keys.size(); ++i) {
        const bool alt = keys[i] == 'A' && ++i < keys.size();
        const char c = keys[i], *special = c ? std::strchr(kWritten, c) : nullptr;
        WORD key = std::islower(c) ? c - 'a' + 'A' : std::isdigit(c) || c == ' ' ? c : 0;
        WORD modifier = alt || c == 'Q' ? VK_MENU : c == 'S' ? VK_SHIFT : 0;
        if (special) key = kKeys[special - kWritten];
        if (!special && c > 0 && c <= 26) {  // Ctrl with its letter
            key = 'A' + c - 1;
            modifier = VK_CONTROL;
        }
        if (!key) ADD_FAILURE() << "no key for " << int(c);
        add(modifier, 0);
        add(key, 0);
        add(key, KEYEVENTF_KEYUP);
        add(modifier, KEYEVENTF_KEYUP);
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

// At the middle of the window, unless something covers it there.
inline bool Click(HWND window, bool right = false) {
    // A window that holds the mouse (a button being pressed, a menu on its way
    // out) would take the click instead.
    WaitFor([&] { return !ThreadOf(window).hwndCapture && !(ThreadOf(window).flags & GUI_INMENUMODE); });
    RECT r{};
    GetWindowRect(window, &r);
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (WindowFromPoint(middle) != window) return false;
    // Each event carries the place: under load a late pointer event from the X
    // server can move the cursor between them. Aimed at the pixel's middle.
    const LONG x = (2 * middle.x + 1) * 32768 / GetSystemMetrics(SM_CXSCREEN);
    const LONG y = (2 * middle.y + 1) * 32768 / GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[2] = {{INPUT_MOUSE}, {INPUT_MOUSE}};
    for (INPUT& input : inputs) input.mi = {x, y, 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0};
    inputs[0].mi.dwFlags |= right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags |= right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

// Puts the text (UTF-8) on the clipboard; given a box, chooses Paste from its menu.
inline bool Paste(const Program& program, HWND box, const std::string& utf8) {
    std::wstring text(utf8.size(), L'\0');
    text.resize(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), int(text.size())));
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; })) return false;
    const bool stored = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    if (!stored || !box) return stored;
    if (!Click(box, true) || !WaitFor([&] { return program.TopLevel(L"#32768"); })) return false;
    Press("p");
    return WaitFor([&] { return !program.TopLevel(L"#32768"); });
}

}  // namespace e2e

#include "harness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "calculator/calculator_layout.h"

namespace e2e {
namespace {

GUITHREADINFO ThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(10);
    }
    return true;
}

// Through messages with a time limit: the program may be busy or gone.
std::wstring TextOf(HWND window) {
    wchar_t text[512];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                             &length))
        return L"<no answer>";
    return std::wstring(text, length);
}

std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                   static_cast<int>(out.size()), nullptr, nullptr));
    return out;
}

std::wstring HereFolder() {
    wchar_t path[MAX_PATH];
    const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of(L'\\') + 1);
}

HWND FocusOf(HWND window) { return ThreadOf(window).hwndFocus; }

Program::~Program() {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 10000);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool Program::Start() {
    const std::wstring path = HereFolder() + L"tarvolin.exe";
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info_) &&
           WaitFor([this] {
               calculator_ = TopLevel(L"TarvolinCalculator");
               return calculator_ && GetForegroundWindow() == calculator_ &&
                      FocusOf(calculator_) == Control(tarvolin::kText1);
           });
}

HWND Program::Control(int id) const {
    for (HWND window : {Message(), Usage(), calculator_})
        if (HWND control = window ? GetDlgItem(window, id) : nullptr) return control;
    return nullptr;
}

HWND Program::TopLevel(const wchar_t* className, int* count) const {
    HWND found = nullptr;
    int n = 0;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == info_.dwProcessId && IsWindowVisible(window)) found = window, ++n;
    }
    if (count) *count = n;
    return found;
}

void Press(const std::wstring& keys) {
    const struct {
        wchar_t written;
        WORD key, modifier;
    } kKeys[] = {{L'-', VK_OEM_MINUS, 0}, {L'.', VK_OEM_PERIOD, 0}, {L'\b', VK_BACK, 0},
                 {L'⇥', VK_TAB, 0},       {L'⇤', VK_TAB, VK_SHIFT}, {L'\r', VK_RETURN, 0},
                 {L'\x1b', VK_ESCAPE, 0}, {L'⇱', VK_HOME, 0},       {L'⇲', VK_END, 0},
                 {L'←', VK_LEFT, 0},      {L'⌦', VK_DELETE, 0},     {L'⌧', VK_F4, VK_MENU}};
    std::vector<INPUT> inputs;
    const auto add = [&](WORD key, DWORD up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up;
        inputs.push_back(input);
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const bool alt = keys[i] == L'⌥' && ++i < keys.size();
        const wchar_t c = keys[i];
        WORD key = 0, modifier = 0;
        if (c >= L'a' && c <= L'z') key = static_cast<WORD>(c - L'a' + 'A');
        if ((c >= L'0' && c <= L'9') || c == L' ') key = c;
        if (c >= 1 && c <= 26) key = static_cast<WORD>('A' + c - 1), modifier = VK_CONTROL;
        for (const auto& k : kKeys)
            if (k.written == c) key = k.key, modifier = k.modifier;
        if (!key) ADD_FAILURE() << "no key for U+" << std::hex << static_cast<int>(c);
        if (alt) modifier = VK_MENU;
        if (modifier) add(modifier, 0);
        add(key, 0);
        add(key, KEYEVENTF_KEYUP);
        if (modifier) add(modifier, KEYEVENTF_KEYUP);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool Click(HWND window, bool right) {
    // A window that holds the mouse (a button being pressed, a menu on its way
    // out) would take the click instead.
    WaitFor([&] { return !ThreadOf(window).hwndCapture && !(ThreadOf(window).flags & GUI_INMENUMODE); });
    RECT r{};
    GetWindowRect(window, &r);
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (WindowFromPoint(middle) != window) return false;  // covered there: the click would land elsewhere
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        // Each event carries the place: under load a late pointer event from
        // the X server can move the cursor between them. 0..65535 across the
        // screen, aimed at the middle of the pixel.
        input.type = INPUT_MOUSE;
        input.mi.dx = (2 * middle.x + 1) * 32768 / GetSystemMetrics(SM_CXSCREEN);
        input.mi.dy = (2 * middle.y + 1) * 32768 / GetSystemMetrics(SM_CYSCREEN);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    inputs[0].mi.dwFlags |= right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags |= right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

bool Paste(const Program& program, HWND box, const std::wstring& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; })) return false;
    const bool stored = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    if (!stored || !box) return stored;
    if (!Click(box, true) || !WaitFor([&] { return program.TopLevel(L"#32768"); })) return false;
    Press(L"p");
    return WaitFor([&] { return !program.TopLevel(L"#32768"); });
}

}  // namespace e2e

// The test program, aware of the DPI so that it reads other programs' windows
// in physical pixels. A copy under another name stands in for the
// system-information tool: it waits until the test that started it ends it.
int main(int argc, char** argv) {
    const std::wstring self = e2e::HereFolder();
    wchar_t path[MAX_PATH];
    if (std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH)) != self + L"tarvolin_e2e_tests.exe")
        return Sleep(60000), 0;
    SetProcessDPIAware();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "harness.h"

#include <cstring>
#include <thread>

namespace tarvolin::e2e {
namespace {

constexpr UINT kMessageTimeoutMs = 5000;

bool IsNavigationKey(WORD key) {
    switch (key) {
        case VK_HOME: case VK_END: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        case VK_DELETE: case VK_INSERT: case VK_PRIOR: case VK_NEXT:
            return true;
    }
    return false;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsNavigationKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return input;
}

// 0..65535 across the primary screen, aimed at the middle of the pixel.
LONG Normalised(int pixel, int screenSize) {
    return static_cast<LONG>((2LL * pixel + 1) * 65536 / (2LL * screenSize));
}

WORD KeyFor(wchar_t c) {
    if ((c >= L'0' && c <= L'9')) return static_cast<WORD>(c);
    if (c >= L'a' && c <= L'z') return static_cast<WORD>(c - L'a' + 'A');
    switch (c) {
        case L'-': return VK_OEM_MINUS;
        case L'.': return VK_OEM_PERIOD;
        case L' ': return VK_SPACE;
    }
    return 0;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        Sleep(10);
    }
}

std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + L"tarvolin.exe";
}

// --- Program -----------------------------------------------------------------

bool Program::Start() {
    Kill();
    const std::wstring path = ProgramPath();
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info_)) {
        info_ = {};
        return false;
    }
    WaitFor([this] {
        window_ = FindTopLevel(Id(), kCalculatorClass);
        return window_ != nullptr || !Running();
    });
    return window_ != nullptr;
}

void Program::Kill() {
    if (info_.hProcess) {
        if (Running()) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, static_cast<DWORD>(kWaitLimit.count()));
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
    info_ = {};
    window_ = nullptr;
}

bool Program::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(std::chrono::milliseconds limit, DWORD* exitCode) {
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
        return false;
    if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

// --- windows and texts ---------------------------------------------------------

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
    struct Search {
        DWORD processId;
        const wchar_t* className;
        std::vector<HWND> found;
    } search{processId, className, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (owner == s.processId && IsWindowVisible(window) && std::wcscmp(name, s.className) == 0)
                s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(DWORD processId, const wchar_t* className, const std::wstring* caption) {
    for (HWND window : TopLevelWindows(processId, className))
        if (!caption || TextOf(window) == *caption) return window;
    return nullptr;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kMessageTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

bool SetText(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                               kMessageTimeoutMs, &result) &&
           result == TRUE;
}

bool Sync(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result) != 0;
}

// --- keyboard and mouse ------------------------------------------------------

std::vector<Stroke> Typing(std::wstring_view text) {
    std::vector<Stroke> strokes;
    for (wchar_t c : text) strokes.push_back({KeyFor(c)});
    return strokes;
}

void Press(const std::vector<Stroke>& strokes) {
    std::vector<INPUT> inputs;
    for (const Stroke& s : strokes) {
        if (s.modifier) inputs.push_back(KeyInput(s.modifier, false));
        inputs.push_back(KeyInput(s.key, false));
        inputs.push_back(KeyInput(s.key, true));
        if (s.modifier) inputs.push_back(KeyInput(s.modifier, true));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Press(std::initializer_list<Stroke> strokes) { Press(std::vector<Stroke>(strokes)); }

void Type(std::wstring_view text) { Press(Typing(text)); }

void Click(HWND window, Button button) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const LONG x = Normalised((r.left + r.right) / 2, width);
    const LONG y = Normalised((r.top + r.bottom) / 2, height);
    const bool left = button == Button::Left;
    INPUT inputs[] = {
        MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y),
        MouseInput(left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
        MouseInput(left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP),
    };
    SendInput(static_cast<UINT>(std::size(inputs)), inputs, sizeof(INPUT));
}

bool BringToFront(HWND topLevel) {
    return WaitFor([topLevel] {
        if (GetForegroundWindow() == topLevel) return true;
        SetForegroundWindow(topLevel);
        return false;
    });
}

HWND FocusedWindow(HWND topLevel) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(topLevel, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool ClickToFocus(HWND control) {
    HWND topLevel = GetAncestor(control, GA_ROOT);
    if (!BringToFront(topLevel)) return false;
    Click(control);
    return WaitFor([&] { return FocusedWindow(topLevel) == control; }, kInputLimit);
}

bool SetClipboardText(const std::wstring& text) {
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; })) return false;
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool stored = false;
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        stored = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!stored) GlobalFree(memory);
    }
    CloseClipboard();
    return stored;
}

// --- message boxes -----------------------------------------------------------

bool PasteFromContextMenu(DWORD processId, HWND box) {
    Click(box, Button::Right);
    if (!WaitFor([&] { return !TopLevelWindows(processId, kPopupMenuClass).empty(); })) return false;
    Press({{'P'}});
    return WaitFor([&] { return TopLevelWindows(processId, kPopupMenuClass).empty(); });
}

std::string Utf8(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

std::wstring Wide(std::string_view text) {
    const int size = static_cast<int>(text.size());
    std::wstring out(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), static_cast<int>(out.size()));
    return out;
}

testing::AssertionResult Shows(HWND window, const std::wstring& expected, std::chrono::milliseconds limit) {
    std::wstring seen;
    if (WaitFor([&] { return (seen = TextOf(window)) == expected; }, limit)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "control " << GetDlgCtrlID(window) << " shows \"" << Utf8(seen)
                                       << "\", expected \"" << Utf8(expected) << "\"";
}

std::wstring MessageBoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

HWND FindMessageBox(DWORD processId, const std::wstring& caption, const std::wstring& text) {
    for (HWND box : TopLevelWindows(processId, kDialogClass))
        if (TextOf(box) == caption && MessageBoxText(box) == text) return box;
    return nullptr;
}

void CloseStrayWindows(DWORD processId) {
    for (HWND menu : TopLevelWindows(processId, kPopupMenuClass)) {
        // The menu's owner ends its tracking on WM_CANCELMODE.
        if (HWND owner = GetWindow(menu, GW_OWNER)) PostMessageW(owner, WM_CANCELMODE, 0, 0);
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    for (HWND dialog : TopLevelWindows(processId, kDialogClass)) PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    WaitFor([processId] {
        return TopLevelWindows(processId, kPopupMenuClass).empty() && TopLevelWindows(processId, kDialogClass).empty();
    });
}

}  // namespace tarvolin::e2e

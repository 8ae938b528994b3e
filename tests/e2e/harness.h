// Driving tarvolin.exe from outside, as a person at the keyboard and mouse
// would: start it, find its windows and controls, type, click, read texts.
// Everything that waits polls a condition against a deadline.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tarvolin::e2e {

using namespace std::chrono_literals;

// Long enough for Wine on a busy machine; a passing wait returns at once.
// Starting a program or a window may take seconds.
constexpr std::chrono::milliseconds kWaitLimit = 10s;
// For what a keystroke or a click brings about: under Wine a tenth of a
// second when the machine is idle, seconds when it is loaded.
constexpr std::chrono::milliseconds kInputLimit = 6s;

// Polls `condition` every few milliseconds until it holds or `limit` has
// passed; returns whether it held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = kWaitLimit);

// tarvolin.exe in the folder of this test program.
std::wstring ProgramPath();

inline constexpr wchar_t kCalculatorClass[] = L"TarvolinCalculator";
inline constexpr wchar_t kDialogClass[] = L"#32770";
inline constexpr wchar_t kPopupMenuClass[] = L"#32768";

// One running tarvolin.exe. Killed when the object goes, if still running.
class Program {
public:
    Program() = default;
    ~Program() { Kill(); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program and waits until its calculator window is visible.
    bool Start();
    void Kill();
    bool Running() const;
    // Waits for the process to end on its own; its exit code goes to `exitCode`.
    bool WaitForExit(std::chrono::milliseconds limit, DWORD* exitCode = nullptr);

    DWORD Id() const { return info_.dwProcessId; }
    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }

private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

// Visible top-level windows of a process with that class (and caption).
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className);
HWND FindTopLevel(DWORD processId, const wchar_t* className, const std::wstring* caption = nullptr);

// UTF-16 and UTF-8, converted as the program converts box texts (a lone
// surrogate becomes U+FFFD).
std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view text);

// Waits until the window shows `expected`; says what it shows otherwise.
testing::AssertionResult Shows(HWND window, const std::wstring& expected,
                               std::chrono::milliseconds limit = kInputLimit);

// Texts of another process's windows, through messages.
std::wstring TextOf(HWND window);
bool SetText(HWND window, const std::wstring& text);
// Returns once the window's thread has handled everything sent to it before.
bool Sync(HWND window);

// Keyboard, through SendInput: it goes to the focused control of the
// foreground window.
struct Stroke {
    WORD key;           // virtual-key code
    WORD modifier = 0;  // held while `key` is pressed: VK_CONTROL, VK_SHIFT
};
// Strokes that type `text`: digits, lower-case letters, '-', '.', ' '.
std::vector<Stroke> Typing(std::wstring_view text);
void Press(const std::vector<Stroke>& strokes);
void Press(std::initializer_list<Stroke> strokes);
void Type(std::wstring_view text);

// Mouse, through SendInput, at the centre of the window.
enum class Button { Left, Right };
void Click(HWND window, Button button = Button::Left);

// Makes the top-level window the foreground one and waits for it.
bool BringToFront(HWND topLevel);
// The control that has the keyboard focus in the thread of `topLevel`.
HWND FocusedWindow(HWND topLevel);
// Brings the control's window to the front, clicks the control and waits
// until it has the focus.
bool ClickToFocus(HWND control);

bool SetClipboardText(const std::wstring& text);

// Right-clicks the edit box and chooses Paste from its context menu; false
// when the menu did not come or did not go.
bool PasteFromContextMenu(DWORD processId, HWND box);

// A message box of the process with this caption and text, or null.
HWND FindMessageBox(DWORD processId, const std::wstring& caption, const std::wstring& text);
// The text of a message box (its static control 0xFFFF).
std::wstring MessageBoxText(HWND box);
// Closes every dialog and popup menu the process has open.
void CloseStrayWindows(DWORD processId);

// One program for all the tests of a suite: each test starts with nothing
// else of the program open and its window in front.
class SharedProgramTest : public testing::Test {
protected:
    static void TearDownTestSuite() { Shared().Kill(); }

    void SetUp() override {
        if (!Shared().Running()) {
            ASSERT_TRUE(Shared().Start()) << "tarvolin.exe showed no window";
        }
        CloseStrayWindows(Shared().Id());
        ASSERT_TRUE(BringToFront(Window()));
    }

    static Program& Shared() {
        static Program program;
        return program;
    }
    HWND Window() const { return Shared().Window(); }
    HWND Box(int id) const { return Shared().Control(id); }
};

}  // namespace tarvolin::e2e

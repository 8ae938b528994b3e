// The calculator window driven from outside: keystrokes into its boxes,
// clicks on its buttons, and what a person would then see.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/calculator_layout.h"
#include "usage/about_layout.h"
#include "harness.h"

namespace tarvolin::e2e {
namespace {

const std::wstring kCaption = L"24小时制 Tarvolin";
const std::wstring kRangeCaption = L"提示";
const std::wstring kRangeText = L"输入时间范围错误！";

// The boxes that take only typed digits.
constexpr int kDigitBoxes[] = {kText1, kText2, kText3, kText4, kText5, kText6, kText8};
constexpr int kAllBoxes[] = {kText1, kText2, kText3, kText4, kText5, kText6, kText7, kText8};

const char* NameOf(int id) {
    const WindowLayout& layout = CalculatorLayout();
    for (std::size_t i = 0; i < layout.controlCount; ++i)
        if (layout.controls[i].id == id) return layout.controls[i].name;
    return "?";
}

testing::AssertionResult HasFocus(HWND topLevel, int id) {
    if (WaitFor([&] { return FocusedWindow(topLevel) == GetDlgItem(topLevel, id); }, kInputLimit))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the focus is on " << NameOf(GetDlgCtrlID(FocusedWindow(topLevel)))
                                       << ", expected " << NameOf(id);
}

// Compares a window's client size and its controls' rectangles, in its
// client coordinates, with the layout table's at that DPI; the picture takes
// the size of its 32 x 32 picture at that DPI.
void ExpectControlRects(HWND window, const WindowLayout& layout, int dpi) {
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        const ControlEntry& entry = layout.controls[i];
        SCOPED_TRACE(entry.name);
        HWND control = GetDlgItem(window, entry.id);
        ASSERT_NE(control, nullptr);
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        PixelRect want = ToPixels(entry.rect, dpi);
        if (entry.kind == ControlKind::Picture) want.width = want.height = MulDiv(32, dpi, 96);
        EXPECT_EQ(r.left, want.left);
        EXPECT_EQ(r.top, want.top);
        EXPECT_EQ(r.right - r.left, want.width);
        EXPECT_EQ(r.bottom - r.top, want.height);
    }
}

void ExpectLayout(HWND window, const WindowLayout& layout, int dpi) {
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, TwipsToPixels(layout.clientWidthTwips, dpi)) << "client width";
    EXPECT_EQ(client.bottom, TwipsToPixels(layout.clientHeightTwips, dpi)) << "client height";
    ExpectControlRects(window, layout, dpi);
}

void ExpectLayout(HWND window, int dpi) { ExpectLayout(window, CalculatorLayout(), dpi); }

// The one-line captions of labels and buttons fit their controls in the
// font the layout names at that DPI. "使用说明" wraps onto two lines by design.
void ExpectCaptionsFit(HWND window, int dpi) {
    const WindowLayout& layout = CalculatorLayout();
    HDC dc = GetDC(nullptr);
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        const ControlEntry& entry = layout.controls[i];
        if (entry.kind != ControlKind::Label && entry.kind != ControlKind::Button) continue;
        SCOPED_TRACE(entry.name);
        HWND control = GetDlgItem(window, entry.id);
        std::wstring text = TextOf(control);
        int lines = 1;
        if (entry.id == kCommand2) {
            text.resize(text.size() / 2);
            lines = 2;
        }
        LOGFONTW font{};
        font.lfHeight = -FontPixelHeight(entry.fontCentipoints, dpi);
        font.lfCharSet = GB2312_CHARSET;
        lstrcpyW(font.lfFaceName, L"宋体");
        HFONT handle = CreateFontIndirectW(&font);
        HGDIOBJ previous = SelectObject(dc, handle);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        // Upright glyphs fill the em; the leading below them may be cut.
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        extent.cy = metrics.tmHeight - metrics.tmInternalLeading;
        SelectObject(dc, previous);
        DeleteObject(handle);
        RECT r{};
        GetClientRect(control, &r);
        const int margin = entry.kind == ControlKind::Button ? 4 : 0;  // the button's edge
        EXPECT_LE(extent.cx, r.right - margin) << "\"" << Utf8(text) << "\" is cut off";
        EXPECT_LE(extent.cy * lines, r.bottom) << "\"" << Utf8(text) << "\" is cut off";
    }
    ReleaseDC(nullptr, dc);
}

// One program for all the tests of a suite: each test starts from empty
// boxes (Text8 at its "0"), nothing else open, the window in front.
class CalculatorTest : public SharedProgramTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SharedProgramTest::SetUp());
        for (int id : kAllBoxes) ASSERT_TRUE(SetText(Box(id), id == kText8 ? L"0" : L""));
    }

    // Clicks into the box and types `text` there.
    testing::AssertionResult TypeInto(int id, const std::wstring& text) {
        if (!ClickToFocus(Box(id))) return testing::AssertionFailure() << NameOf(id) << " took no focus";
        Type(text);
        return Shows(Box(id), text);
    }

    // Fills Text1..Text6 and Text8 by typing; empty texts leave a box empty.
    testing::AssertionResult Fill(const std::vector<std::wstring>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (!SetText(Box(kDigitBoxes[i]), L"")) return testing::AssertionFailure() << "cannot clear a box";
            if (texts[i].empty()) continue;
            if (auto typed = TypeInto(kDigitBoxes[i], texts[i]); !typed) return typed;
        }
        return testing::AssertionSuccess();
    }
};

class DigitBoxes : public CalculatorTest {};

// Every typed character but a digit is refused; keys without a character
// still edit. A refused key is followed by a "7", which shows only once the
// keys before it have been handled.
TEST_F(DigitBoxes, RefuseTypedNonDigitsAndKeepTheEditingKeys) {
    ASSERT_TRUE(SetClipboardText(L"12"));
    const struct {
        const char* name;
        std::vector<Stroke> strokes;
        const wchar_t* shown;
    } cases[] = {
        {"letters", {{'A'}, {'B'}, {'7'}}, L"7"},
        {"minus", {{VK_OEM_MINUS}, {'7'}}, L"7"},
        {"period", {{VK_OEM_PERIOD}, {'7'}}, L"7"},
        {"space", {{VK_SPACE}, {'7'}}, L"7"},
        {"Enter", {{VK_RETURN}, {'7'}}, L"7"},
        {"Escape", {{VK_ESCAPE}, {'7'}}, L"7"},
        {"Ctrl+V", {{'V', VK_CONTROL}, {'7'}}, L"7"},
        {"Home, Delete", {{'1'}, {'2'}, {VK_HOME}, {VK_DELETE}}, L"2"},
        {"Left, Backspace", {{'1'}, {'2'}, {VK_LEFT}, {VK_BACK}}, L"2"},
        {"Home, digit", {{'1'}, {VK_HOME}, {'2'}}, L"21"},
        {"Home, End, Backspace", {{'1'}, {'2'}, {VK_HOME}, {VK_END}, {VK_BACK}}, L"1"},
        {"Shift+Home, digit", {{'1'}, {'2'}, {VK_HOME, VK_SHIFT}, {'3'}}, L"3"},
    };
    for (int id : kDigitBoxes) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(NameOf(id)) + ", " + c.name);
            ASSERT_TRUE(SetText(Box(id), L""));
            ASSERT_TRUE(ClickToFocus(Box(id)));
            Press(c.strokes);
            EXPECT_TRUE(Shows(Box(id), c.shown));
        }
    }
}

TEST_F(DigitBoxes, TakeDigitsUpToTheirLengthAndBackspace) {
    for (int id : kDigitBoxes) {
        SCOPED_TRACE(NameOf(id));
        const std::wstring full = id == kText8 ? L"1234" : L"12";
        ASSERT_TRUE(SetText(Box(id), L""));
        ASSERT_TRUE(ClickToFocus(Box(id)));
        Type(full + L"9");
        EXPECT_TRUE(Shows(Box(id), full));
        Press({{VK_BACK}});
        EXPECT_TRUE(Shows(Box(id), full.substr(0, full.size() - 1)));
    }
}


// Pasting is not typing: the length limit holds, the digit filter does not.
TEST_F(DigitBoxes, PasteFromTheContextMenuWithinTheLength) {
    const struct {
        const char* name;
        int id;
        const wchar_t* clipboard;
        const wchar_t* shown;
    } cases[] = {
        {"too long for Text1", kText1, L"12345", L"12"},
        {"too long for Text8", kText8, L"12345", L"1234"},
        {"not digits into Text3", kText3, L"a1", L"a1"},
        {"not digits into Text8", kText8, L"-1.5", L"-1.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SetText(Box(c.id), L""));
        ASSERT_TRUE(SetClipboardText(c.clipboard));
        ASSERT_TRUE(ClickToFocus(Box(c.id)));
        EXPECT_TRUE(PasteFromContextMenu(Shared().Id(), Box(c.id))) << "the context menu did not paste";
        EXPECT_TRUE(Shows(Box(c.id), c.shown));
    }
}

TEST_F(DigitBoxes, ResultBoxTakesAnyText) {
    ASSERT_TRUE(SetClipboardText(L"xy"));
    ASSERT_TRUE(TypeInto(kText7, L"ab-1. 5"));
    Press({{'V', VK_CONTROL}});
    EXPECT_TRUE(Shows(Box(kText7), L"ab-1. 5xy"));
}

class Compute : public CalculatorTest {};

TEST_F(Compute, ShowsTheMinutesBetweenTheTimes) {
    wchar_t separator[8] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    const struct {
        const char* name;
        std::vector<std::wstring> fields;  // Text1..Text6, Text8
        std::wstring minutes;              // with '.' for the decimal separator
    } cases[] = {
        {"same day", {L"8", L"0", L"0", L"17", L"30", L"0", L"0"}, L"570"},
        {"past midnight", {L"23", L"0", L"0", L"1", L"0", L"0", L"1"}, L"120"},
        {"half a minute", {L"10", L"0", L"0", L"10", L"0", L"30", L"0"}, L"0.5"},
        {"many days", {L"5", L"0", L"0", L"6", L"0", L"0", L"1366"}, L"1967100"},
        {"one second", {L"23", L"59", L"59", L"0", L"0", L"0", L"0"}, L"0.0166666666666667"},
        {"end before start", {L"10", L"30", L"0", L"10", L"10", L"0", L"0"}, L"-20"},
        {"all empty", {L"", L"", L"", L"", L"", L"", L""}, L"0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Fill(c.fields));
        ASSERT_TRUE(SetText(Box(kText7), L"?"));
        ASSERT_TRUE(BringToFront(Window()));
        Click(Box(kCommand1));
        std::wstring expected = c.minutes;
        if (const auto dot = expected.find(L'.'); dot != std::wstring::npos) expected.replace(dot, 1, separator);
        EXPECT_TRUE(Shows(Box(kText7), expected));
    }
}

TEST_F(Compute, ReportsTimesOutsideTheClock) {
    const struct {
        const char* name;
        std::vector<std::wstring> fields;  // Text1..Text6, Text8
        int box;                           // and what it shows after the message
        const wchar_t* shown;
    } cases[] = {
        {"start hour 24", {L"24", L"0", L"0", L"1", L"0", L"0", L"0"}, kText1, L"0"},
        {"end hour 24", {L"1", L"0", L"0", L"24", L"0", L"0", L"0"}, kText4, L"24"},
        {"start minute 60", {L"10", L"60", L"0", L"11", L"0", L"0", L"0"}, kText1, L"10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Fill(c.fields));
        ASSERT_TRUE(SetText(Box(kText7), L"marker"));
        ASSERT_TRUE(BringToFront(Window()));
        Click(Box(kCommand1));

        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(Shared().Id(), kRangeCaption, kRangeText)); }))
            << "no message box";
        EXPECT_EQ(GetWindow(box, GW_OWNER), Window()) << "the message box is not owned by the calculator";
        EXPECT_FALSE(IsWindowEnabled(Window())) << "the calculator still takes input";
        int buttons = 0;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[16] = {};
            GetClassNameW(child, name, 16);
            if (lstrcmpiW(name, L"Button") == 0 && IsWindowVisible(child)) ++buttons;
        }
        EXPECT_EQ(buttons, 1);
        EXPECT_NE(GetDlgItem(box, IDOK), nullptr);

        ASSERT_TRUE(BringToFront(box));
        Press({{VK_RETURN}});
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "Enter left the message box open";
        EXPECT_TRUE(IsWindowEnabled(Window()));
        EXPECT_TRUE(Shows(Box(c.box), c.shown));
        EXPECT_EQ(TextOf(Box(kText7)), L"marker");
    }
}

class CalculatorWindow : public CalculatorTest {};

TEST_F(CalculatorWindow, IsATopmostCentredFixedSizeWindow) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 96) << "the test prefix must be at 96 DPI";

    HWND window = Window();
    EXPECT_EQ(TextOf(window), kCaption);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);

    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 325);
    EXPECT_EQ(client.bottom, 243);

    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1.0);
    EXPECT_NEAR((outer.top + outer.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1.0);
}

TEST_F(CalculatorWindow, PlacesEveryControlFromTheLayout) { ExpectLayout(Window(), 96); }

TEST_F(CalculatorWindow, TabWalksTheControlsInOrder) {
    const int order[] = {kText1, kText2, kText3, kText4,  kText5,    kText6,
                         kCommand1, kText7, kText8, kCommand2, kText1};
    ASSERT_TRUE(ClickToFocus(Box(kText1)));
    for (std::size_t i = 1; i < std::size(order); ++i) {
        Press({{VK_TAB}});
        EXPECT_TRUE(HasFocus(Window(), order[i])) << "Tab from " << NameOf(order[i - 1]);
    }
    for (std::size_t i = std::size(order) - 1; i > 0; --i) {
        Press({{VK_TAB, VK_SHIFT}});
        EXPECT_TRUE(HasFocus(Window(), order[i - 1])) << "Shift+Tab from " << NameOf(order[i]);
    }
}

// A fresh program each.
TEST(ProgramLifetime, StartsWithTheFocusInText1) {
    Program program;
    ASSERT_TRUE(program.Start());
    EXPECT_TRUE(HasFocus(program.Window(), kText1));
}

TEST(ProgramLifetime, EndsWhenTheWindowCloses) {
    Program program;
    ASSERT_TRUE(program.Start());
    PostMessageW(program.Window(), WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(program.WaitForExit(5s, &exitCode)) << "still running";
    EXPECT_EQ(exitCode, 0u);
}

// The DPI comes from the registry when a program starts (Wine reads it anew
// for every process); the value is put back however the test ends.
// The program started at another screen DPI (LogPixels of the prefix): every
// rectangle and font size follows it.
class HighDpi : public testing::TestWithParam<int> {
protected:
    static constexpr wchar_t kKey[] = L"Control Panel\\Desktop";
    static constexpr wchar_t kValue[] = L"LogPixels";

    void SetUp() override {
        DWORD size = sizeof saved_;
        hadValue_ = RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &saved_, &size) ==
                    ERROR_SUCCESS;
        ASSERT_TRUE(Store(static_cast<DWORD>(GetParam())));
    }
    void TearDown() override {
        program_.Kill();
        if (hadValue_) {
            EXPECT_TRUE(Store(saved_));
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
        }
    }
    static bool Store(DWORD dpi) {
        return RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &dpi, sizeof dpi) == ERROR_SUCCESS;
    }

    Program program_;
    DWORD saved_ = 0;
    bool hadValue_ = false;
};

TEST_P(HighDpi, ScalesBothWindowsAndTheirFonts) {
    const int dpi = GetParam();
    ASSERT_TRUE(program_.Start());
    ExpectLayout(program_.Window(), dpi);
    // The clock line is measured with its text in it.
    ASSERT_TRUE(WaitFor([&] { return !TextOf(program_.Control(kLabel7)).empty(); }));
    ExpectCaptionsFit(program_.Window(), dpi);

    ASSERT_TRUE(BringToFront(program_.Window()));
    Click(program_.Control(kCommand2));
    HWND usage = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (usage = FindTopLevel(program_.Id(), L"TarvolinUsage")) != nullptr; }));
    ExpectLayout(usage, AboutLayout(), dpi);
}

INSTANTIATE_TEST_SUITE_P(Dpi, HighDpi, testing::Values(120, 144, 192),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

// Moving to a screen of another DPI: the system sends WM_DPICHANGED with the
// rectangle the window should take (Wine never does, so the test sends it).
TEST(DpiChange, RelaysOutToTheNewDpiInTheSuggestedRectangle) {
    Program program;
    ASSERT_TRUE(program.Start());
    HWND window = program.Window();
    RECT outer{};
    GetWindowRect(window, &outer);
    const RECT suggested{outer.left, outer.top, outer.left + 700, outer.top + 520};

    // The message carries a pointer to the rectangle: it must point into the
    // program's own memory.
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, program.Id());
    ASSERT_NE(process, nullptr);
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    ASSERT_TRUE(WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr));
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);

    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_EQ(now.left, suggested.left);
    EXPECT_EQ(now.top, suggested.top);
    EXPECT_EQ(now.right, suggested.right);
    EXPECT_EQ(now.bottom, suggested.bottom);
    ExpectControlRects(window, CalculatorLayout(), 192);
}

}  // namespace
}  // namespace tarvolin::e2e

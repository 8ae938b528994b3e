// The windows as designed: captions, places, and each control's text,
// rectangle, font, length limit and the stop Tab goes on to, at 96 and 144 DPI
// and after a move to a screen of 192; the colours on the screen, the design's
// and a contrast theme's; the clock against the wall clock; the version block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calculator/calculator_layout.h"
#include "harness.h"
#include "usage/about_layout.h"

namespace e2e {
namespace {

using namespace tarvolin;

// Twips, in the focus order. Id 0 is the window (left -1: centred on the
// screen); a null text is not compared; a size 0 is the 32 x 32 picture's. The
// font is 宋体 in GB2312, in hundredths of a point; the limit the characters a
// box takes, -1 for a button or the picture, which take the focus too.
struct Control {
    int id;
    const wchar_t* text;
    int left, top, width, height, font, limit;
};
const Control kCalculator[] = {
    {0, L"24小时制 Tarvolin", -1, -1, 4875, 3645, 0, 0},
    {kLabel1, L"开始时间:", 300, 840, 1455, 375, 1500, 0},
    {kLabel2, L"结束时间:", 300, 1440, 1455, 375, 1500, 0},
    {kText1, L"", 1920, 840, 495, 375, 1425, 2},
    {kText2, L"", 2520, 840, 495, 375, 1425, 2},
    {kText3, L"", 3120, 840, 495, 375, 1425, 2},
    {kText4, L"", 1860, 1440, 495, 375, 1425, 2},
    {kText5, L"", 2520, 1440, 495, 375, 1425, 2},
    {kText6, L"", 3120, 1440, 495, 375, 1425, 2},
    {kCommand1, L"计算时长", 240, 2040, 1335, 375, 1425, -1},
    {kText7, L"", 1920, 2040, 1575, 375, 1425, 0x7FFFFFFE},
    {kLabel3, L"分钟", 3600, 2040, 735, 375, 1500, 0},
    {kLabel4, L" 小时  分钟    秒", 1920, 600, 1695, 255, 900, 0},
    {kLabel5, L"间隔天数", 1320, 120, 855, 255, 1050, 0},
    {kText8, L"0", 2400, 120, 495, 255, 1050, 4},
    {kCommand2, L"使用说明", 3840, 60, 735, 615, 1050, -1},
    {kLabel6, L"当前时间:", 240, 2760, 1395, 315, 1500, 0},
    {kLabel7, nullptr, 1740, 2820, 3015, 255, 900, 0},
};
const Control kUsage[] = {
    {0, L"关于 时差计算器", 5340, 4230, 4710, 3555, 0, 0},
    {kCmdOK, L"确定", 3120, 2580, 1500, 345, 900, -1},
    {kPicIcon, nullptr, 240, 240, 0, 0, 0, -1},
    {kCmdSysInfo, L"系统信息(&S)...", 3120, 3000, 1485, 345, 900, -1},
    {kLblDescription,
     L"应用程序描述:                                  "
     L"本程序用来计算时差.其中时间间隔默认为0,既没有超过24小时的"
     L"差值计算,超过24小时应改为相应的天数.添好开始及结束时间,按开始计算即可.",
     390, 1125, 3765, 1170, 900, 0},
    {kLblDisclaimer, nullptr, 255, 2625, 2670, 825, 900, 0},
    {kLblTitle, L"时差计算器", 1860, 240, 1905, 225, 900, 0},
    {kLblVersion, L"版本 1.0.2", 1020, 780, 3885, 225, 900, 0},
};

int Px(int twips, int dpi) { return twips < 0 ? twips : (twips * dpi + 720) / 1440; }

// A line a control, "id text left,top widthxheight font limit next", in pixels:
// as the window has it (given the program) or as designed.
template <size_t N>
std::string Layout(Program* program, HWND window, const Control (&controls)[N], int dpi) {
    std::string layout;
    for (const Control& c : controls) {
        HWND control = c.id ? GetDlgItem(window, c.id) : window;
        RECT r{};  // a control with its frame, in the client area; the client area, on the screen
        c.id ? GetWindowRect(control, &r) : GetClientRect(control, &r);
        MapWindowPoints(c.id ? nullptr : window, c.id ? window : nullptr, reinterpret_cast<POINT*>(&r), 2);
        r = {c.left < 0 ? -1 : r.left, c.top < 0 ? -1 : r.top, r.right - r.left, r.bottom - r.top};
        LOGFONTW font{};
        int limit = c.limit, next = 0;
        wchar_t kind[8] = {};
        const auto stop = [](const Control& d) { return d.limit != 0; };
        if (!program) {
            const int side = 32 * dpi / 96;
            r = {Px(c.left, dpi), Px(c.top, dpi), c.width ? Px(c.width, dpi) : side,
                 c.height ? Px(c.height, dpi) : side};
            font.lfHeight = -(c.font * dpi / 7200);  // the characters' height, rounded down to whole pixels
            font.lfWeight = c.font ? FW_NORMAL : 0;
            font.lfCharSet = c.font ? 134 : 0;  // GB2312
            lstrcpyW(font.lfFaceName, c.font ? L"宋体" : L"");
            const Control* after = std::find_if(&c + 1, controls + N, stop);
            next =
                !limit ? 0 : (after < controls + N ? after : std::find_if(controls, controls + N, stop))->id;
        } else if (c.id) {
            program->Ask(control, 0, &font, sizeof font);
            GetClassNameW(control, kind, 8);
            limit = !lstrcmpiW(kind, L"Edit") ? int(SendMessageW(control, EM_GETLIMITTEXT, 0, 0))
                                              : -!!(GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP);
            next = limit ? GetDlgCtrlID(GetNextDlgTabItem(window, control, FALSE)) : 0;
        }
        const std::wstring text = !c.text ? L"" : program ? TextOf(control) : c.text;
        char line[512];
        std::snprintf(line, sizeof line, "%d \"%s\" %ld,%ld %ldx%ld %s/%d/%ld/%ld %d %d\n", c.id,
                      Utf8(text).c_str(), r.left, r.top, r.right, r.bottom, Utf8(font.lfFaceName).c_str(),
                      font.lfCharSet, font.lfWeight, font.lfHeight, limit, next);
        layout += line;
    }
    return layout;
}

class Design : public testing::TestWithParam<int> {};

TEST_P(Design, AsDesigned) {
    const int dpi = GetParam();
    const DWORD value = dpi;
    std::optional<Setting> logPixels;  // Wine reads it when a program starts, Windows at sign-in
    if (UINT(dpi) != GetDpiForSystem()) {
        if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
            GTEST_SKIP() << "not at this DPI";
        if (!MayChangeSettings()) GTEST_SKIP() << "the test would change the screen's DPI";
        logPixels.emplace(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &value, 4);
    }
    Program program;
    ASSERT_TRUE(program.Start());
    HWND calculator = program.Calculator(), usage = nullptr;
    EXPECT_EQ(Layout(&program, calculator, kCalculator, dpi), Layout(nullptr, calculator, kCalculator, dpi));
    RECT outer{}, now{};
    GetWindowRect(calculator, &outer);
    EXPECT_NEAR(outer.left + outer.right, GetSystemMetrics(SM_CXSCREEN), 2) << "centred";
    EXPECT_NEAR(outer.top + outer.bottom, GetSystemMetrics(SM_CYSCREEN), 2) << "centred";
    const auto frame = [](HWND window) {
        return GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    };
    EXPECT_EQ(frame(calculator), WS_THICKFRAME | WS_MINIMIZEBOX);
    EXPECT_TRUE(GetWindowLongW(calculator, GWL_EXSTYLE) & WS_EX_TOPMOST);
    for (int opened : {1, 2}) {  // the same when it opens again
        if (usage) {
            ASSERT_TRUE(Click(GetDlgItem(usage, kCmdOK)) && WaitFor([&] { return !program.Usage(); }));
        }
        ASSERT_TRUE(Click(program.Control(kCommand2)) && WaitFor([&] { return (usage = program.Usage()); }));
        EXPECT_EQ(Layout(&program, usage, kUsage, dpi), Layout(nullptr, usage, kUsage, dpi)) << opened;
        EXPECT_EQ(TextOf(GetDlgItem(usage, kLblDisclaimer)).rfind(L"警告:" + std::wstring(30, L' '), 0), 0u);
        EXPECT_EQ(frame(usage), 0);
    }
    if (dpi != 96) return;
    // A move to a screen of 192 DPI: the system sends WM_DPICHANGED (Wine
    // never does) with the rectangle to take. The client area keeps its size.
    RECT suggested{outer.left, outer.top, outer.left + 700, outer.top + 520};
    ASSERT_TRUE(
        program.Exchange(calculator, WM_DPICHANGED, MAKEWPARAM(192, 192), &suggested, sizeof suggested));
    EXPECT_TRUE(GetWindowRect(calculator, &now) && EqualRect(&now, &suggested));
    const std::string seen = Layout(&program, calculator, kCalculator, 192);
    const std::string designed = Layout(nullptr, calculator, kCalculator, 192);
    EXPECT_EQ(seen.substr(seen.find('\n')), designed.substr(designed.find('\n')));
}

INSTANTIATE_TEST_SUITE_P(At, Design, testing::Values(96, 144), [](const testing::TestParamInfo<int>& dpi) {
    return std::to_string(dpi.param) + "dpi";
});

// The calculator's background and clock line, the face behind the other
// labels, the labels' text, the usage window's text, and its etched line.
struct Look {
    COLORREF back, face, text, usageText, shadow, light;
};

// What the windows show otherwise than `look`: each label has glyphs in its
// text colour and its background at its bottom right; the etched line, a
// shadow band (grey) over a light one (white) of twice its height, columns
// where the first starts, where the second does and at the window's edge.
std::string Unlike(const Program& program, const Look& look) {
    HWND calculator = program.Calculator(), usage = program.Usage();
    const Shot calc(calculator), about(usage);
    std::string wrong;
    const auto label = [&](const Shot& shot, HWND window, int id, COLORREF text, COLORREF back) {
        RECT r{};
        GetWindowRect(GetDlgItem(window, id), &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        r.right = std::min<LONG>(r.right, shot.width);  // the version's box runs past the edge
        if (shot.Count(r, text) < 3 || shot.At(r.right - 1, r.bottom - 1) != back)
            wrong += " " + std::to_string(id);
    };
    for (int id = kLabel1; id <= kLabel7; ++id)
        label(calc, calculator, id, look.text, id < kLabel7 ? look.face : look.back);
    for (int id : {kLblTitle, kLblVersion, kLblDescription, kLblDisclaimer})
        label(about, usage, id, look.usageText, look.face);
    if (calc.At(2, calc.height - 2) != look.back) wrong += " background";
    const int dpi = GetDpiForSystem(), top = Px(2445, dpi), middle = Px(2460, dpi), bottom = Px(2490, dpi);
    for (int x : {Px(90, dpi) - 1, Px(90, dpi), Px(105, dpi), about.width - 1}) {
        for (int y = top - 1; y <= bottom; ++y) {
            const bool inside = y >= top && y < bottom && x >= Px(90, dpi);
            const COLORREF want = !inside            ? look.face
                                  : y < middle       ? look.shadow
                                  : x < Px(105, dpi) ? look.face
                                                     : look.light;
            if (about.At(x, y) != want) wrong += " line " + std::to_string(x) + "," + std::to_string(y);
        }
    }
    return wrong;
}

// A dark contrast scheme switched on while both windows are open, and off
// again: both show the theme's colours at once, then the design's again.
TEST(Colours, TheDesignsAContrastThemesAndTheDesignsAgain) {
    Program program;
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(Click(program.Control(kCommand2)) && WaitFor([&] { return program.Usage(); }));
    // Both in sight: the usage window at the top left, the calculator at the bottom right.
    RECT r{};
    GetWindowRect(program.Calculator(), &r);
    SetWindowPos(program.Usage(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(program.Calculator(), nullptr, GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left),
                 GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const Look design{
        RGB(224, 224, 224), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), 0, 0x808080, 0xFFFFFF};
    std::string wrong;
    EXPECT_TRUE(WaitFor([&] { return (wrong = Unlike(program, design)).empty(); }))
        << "the design's:" << wrong;
    if (!MayChangeSettings()) GTEST_SKIP() << "a contrast theme would change the session's colours";
    struct {  // as the agent takes them
        int count, ids[8];
        COLORREF values[8];
    } dark{6,
           {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_3DSHADOW, COLOR_3DHILIGHT},
           {0, 0xFFFFFF, 0, 0xFFFFFF, 0x808000, 0x00FFFF}},
        saved = dark;
    for (int i = 0; i < 6; ++i) saved.values[i] = GetSysColor(saved.ids[i]);
    const auto use = [&](auto& colours) {
        return program.Ask(program.Calculator(), 1, &colours, sizeof colours);
    };
    const struct Restore {
        std::function<bool()> colours;
        ~Restore() { colours(); }
    } restore{[&] { return use(saved); }};
    ASSERT_TRUE(use(dark));
    const Look theme{0, 0, 0xFFFFFF, 0xFFFFFF, 0x808000, 0x00FFFF};
    EXPECT_TRUE(WaitFor([&] { return (wrong = Unlike(program, theme)).empty(); })) << "the theme's:" << wrong;
    ASSERT_TRUE(use(saved));
    EXPECT_TRUE(WaitFor([&] { return (wrong = Unlike(program, design)).empty(); }))
        << "the design's again:" << wrong;
}

// "2008年3月9日, 星期日 8:1:2" for the local time `back` seconds before `t`.
std::wstring ClockLine(SYSTEMTIME t, int back = 0) {
    FILETIME file;
    SystemTimeToFileTime(&t, &file);
    const ULONGLONG ticks =
        (ULONGLONG(file.dwHighDateTime) << 32 | file.dwLowDateTime) - back * 10'000'000ull;
    file = {DWORD(ticks), DWORD(ticks >> 32)};
    FileTimeToSystemTime(&file, &t);
    const auto n = [](int number) { return std::to_wstring(number); };
    return n(t.wYear) + L"年" + n(t.wMonth) + L"月" + n(t.wDay) + L"日, 星期" +
           L"日一二三四五六"[t.wDayOfWeek] + L" " + n(t.wHour) + L":" + n(t.wMinute) + L":" + n(t.wSecond);
}

// Blank until the timer's first tick, half a second after the window is made;
// then the wall clock, late by at most the half second between two ticks (and
// a quarter more for a loaded machine).
TEST(Clock, BlankUntilItsFirstTickThenTheWallClock) {
    Program program;
    HWND clock = nullptr;
    ASSERT_TRUE(program.Start(false));
    ASSERT_TRUE(
        WaitFor([&] { return (clock = GetDlgItem(FindWindowW(L"TarvolinCalculator", 0), kLabel7)); }));
    const auto made = std::chrono::steady_clock::now();
    wchar_t line[64] = L"";
    EXPECT_EQ(GetWindowTextW(clock, line, 64), 0) << Utf8(line) << " before the first tick";
    ASSERT_TRUE(WaitFor([&] { return GetWindowTextW(clock, line, 64) > 0; }));
    const auto first =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - made);
    EXPECT_TRUE(first > 400ms && first < 900ms) << "the first tick after " << first.count() << " ms";
    for (const auto end = std::chrono::steady_clock::now() + 3s; std::chrono::steady_clock::now() < end;
         Sleep(20)) {
        SYSTEMTIME before, after;
        GetLocalTime(&before);
        const std::wstring shown = TextOf(clock);
        GetLocalTime(&after);
        EXPECT_TRUE(shown == ClockLine(before) || shown == ClockLine(after) ||
                    (shown == ClockLine(before, 1) && before.wMilliseconds < 625))
            << Utf8(shown) << " at " << Utf8(ClockLine(before)) << "." << before.wMilliseconds;
    }
}

// Version 1.0.0.2, "1.00.0002", in Chinese (PRC) and Unicode.
TEST(ProgramFile, VersionBlock) {
    const std::wstring path = HereFolder() + L"tarvolin.exe";
    std::vector<char> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, DWORD(block.size()), block.data()));
    const auto value = [&](const std::wstring& query) {
        void* data = nullptr;
        UINT size = 0;
        return VerQueryValueW(block.data(), query.c_str(), &data, &size) ? static_cast<const DWORD*>(data)
                                                                         : nullptr;
    };
    const DWORD* fixed = value(L"\\");  // VS_FIXEDFILEINFO: file and product version from the third number on
    ASSERT_TRUE(fixed && value(L"\\VarFileInfo\\Translation"));
    EXPECT_EQ(std::vector<DWORD>(fixed + 2, fixed + 6), (std::vector<DWORD>{0x10000, 2, 0x10000, 2}));
    EXPECT_EQ(*value(L"\\VarFileInfo\\Translation"), 0x04B00804u);
    for (auto [name, text] : {std::pair{L"FileVersion", L"1.00.0002"},
                              {L"ProductVersion", L"1.00.0002"},
                              {L"FileDescription", L"本程序用来计算时间差值"},
                              {L"Comments", L"08-1-1"},
                              {L"ProductName", L"Tarvolin"}}) {
        const auto* shown =
            reinterpret_cast<const wchar_t*>(value(L"\\StringFileInfo\\080404B0\\" + std::wstring(name)));
        EXPECT_EQ(Utf8(shown ? shown : L"-"), Utf8(text)) << Utf8(name);
    }
}

}  // namespace
}  // namespace e2e

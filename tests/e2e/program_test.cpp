// The program as designed: both windows (captions, frames, colours, every
// control's text and rectangle, the clock line) at the screen's DPI and after
// a move to a screen of another, and the file's version block.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/calculator_layout.h"
#include "harness.h"
#include "usage/about_layout.h"

namespace e2e {
namespace {

using namespace tarvolin;

// In twips. Id 0 is the window's client area (where its left is -1, centred
// on the screen); a null text is not compared; a width of 0 is that of the
// 32 x 32 picture.
struct Control {
    int id;
    const wchar_t* text;
    int left, top, width, height;
};
const Control kCalculator[] = {
    {0, L"24小时制 Tarvolin", -1, -1, 4875, 3645},
    {kLabel5, L"间隔天数", 1320, 120, 855, 255},
    {kText8, L"0", 2400, 120, 495, 255},
    {kCommand2, L"使用说明", 3840, 60, 735, 615},
    {kLabel4, L" 小时  分钟    秒", 1920, 600, 1695, 255},
    {kLabel1, L"开始时间:", 300, 840, 1455, 375},
    {kText1, L"", 1920, 840, 495, 375},
    {kText2, L"", 2520, 840, 495, 375},
    {kText3, L"", 3120, 840, 495, 375},
    {kLabel2, L"结束时间:", 300, 1440, 1455, 375},
    {kText4, L"", 1860, 1440, 495, 375},
    {kText5, L"", 2520, 1440, 495, 375},
    {kText6, L"", 3120, 1440, 495, 375},
    {kCommand1, L"计算时长", 240, 2040, 1335, 375},
    {kText7, L"", 1920, 2040, 1575, 375},
    {kLabel3, L"分钟", 3600, 2040, 735, 375},
    {kLabel6, L"当前时间:", 240, 2760, 1395, 315},
    {kLabel7, nullptr, 1740, 2820, 3015, 255},
};
const Control kUsage[] = {
    {0, L"关于 时差计算器", 5340, 4230, 4710, 3555},
    {kPicIcon, nullptr, 240, 240, 0, 0},
    {kLblTitle, L"时差计算器", 1860, 240, 1905, 225},
    {kLblVersion, L"版本 1.0.2", 1020, 780, 3885, 225},
    {kLblDescription,
     L"应用程序描述:                                  "
     L"本程序用来计算时差.其中时间间隔默认为0,既没有超过24小时的差值"
     L"计算,超过24小时应改为相应的天数.添好开始及结束时间,按开始计算即可.",
     390, 1125, 3765, 1170},
    {kCmdOK, L"确定", 3120, 2580, 1500, 345},
    {kLblDisclaimer, nullptr, 255, 2625, 2670, 825},
    {kCmdSysInfo, L"系统信息(&S)...", 3120, 3000, 1485, 345},
};

int Px(int twips, int dpi) { return twips < 0 ? twips : (twips * dpi + 720) / 1440; }

// One line a control: "id text left,top width x height" in pixels, as the
// window has it or as designed.
template <size_t N>
std::string Layout(HWND window, const Control (&controls)[N], int dpi, bool designed) {
    std::string layout;
    for (const Control& c : controls) {
        HWND control = c.id ? GetDlgItem(window, c.id) : window;
        RECT r{};  // a control with its frame, in the window's client area; the window's client area on the
                   // screen
        c.id ? GetWindowRect(control, &r) : GetClientRect(control, &r);
        MapWindowPoints(c.id ? nullptr : window, c.id ? window : nullptr, reinterpret_cast<POINT*>(&r), 2);
        const int side = MulDiv(32, dpi, 96);
        r = designed
                ? RECT{Px(c.left, dpi), Px(c.top, dpi), c.width ? Px(c.width, dpi) : side,
                       c.height ? Px(c.height, dpi) : side}
                : RECT{c.left < 0 ? -1 : r.left, c.top < 0 ? -1 : r.top, r.right - r.left, r.bottom - r.top};
        const std::wstring text = !c.text ? L"" : designed ? c.text : TextOf(control);
        layout += std::to_string(c.id) + " \"" + Utf8(text) + "\" " + std::to_string(r.left) + "," +
                  std::to_string(r.top) + " " + std::to_string(r.right) + "x" + std::to_string(r.bottom) +
                  "\n";
    }
    return layout;
}

COLORREF PixelAt(HWND window, int x, int y) {
    POINT p{x, y};
    HDC screen = GetDC(nullptr);
    const COLORREF colour = ClientToScreen(window, &p) ? GetPixel(screen, p.x, p.y) : CLR_INVALID;
    return ReleaseDC(nullptr, screen), colour;
}

// The screen's DPI comes from the registry when a program starts.
bool SetDpi(DWORD dpi) {
    return !RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, 4);
}

TEST(Windows, AsDesignedAtTheScreensDpiAndAfterAMove) {
    const struct Restore {
        ~Restore() { SetDpi(96); }
    } restore;
    for (int dpi : {144, 96}) {
        SCOPED_TRACE(testing::Message() << dpi << " DPI");
        ASSERT_TRUE(SetDpi(dpi));
        Program program;
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(program.Start());
        HWND calculator = program.Calculator(), usage = nullptr, clock = program.Control(kLabel7);
        // The clock line is blank until the first tick, half a second after the start.
        const std::wstring first = TextOf(clock);
        EXPECT_TRUE(first.empty() || std::chrono::steady_clock::now() - start > 450ms) << Utf8(first);
        // Windows reads it at logon only, Wine at each start (and gives others' windows our DPI).
        if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") &&
            GetDpiForSystem() != UINT(dpi))
            continue;
        EXPECT_EQ(Layout(calculator, kCalculator, dpi, false), Layout(calculator, kCalculator, dpi, true));
        RECT outer{}, now{};
        GetWindowRect(calculator, &outer);
        EXPECT_NEAR(outer.left + outer.right, GetSystemMetrics(SM_CXSCREEN), 2) << "centred";
        EXPECT_NEAR(outer.top + outer.bottom, GetSystemMetrics(SM_CYSCREEN), 2) << "centred";
        EXPECT_EQ(GetWindowLongW(calculator, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
                  WS_THICKFRAME | WS_MINIMIZEBOX);
        EXPECT_TRUE(GetWindowLongW(calculator, GWL_EXSTYLE) & WS_EX_TOPMOST);
        // Where no glyph reaches: the right ends of the clock line and of "分钟".
        EXPECT_EQ(PixelAt(calculator, 2, 2), RGB(224, 224, 224)) << "the window's colour";
        EXPECT_EQ(PixelAt(calculator, Px(4755, dpi) - 2, Px(3075, dpi) - 2), RGB(224, 224, 224))
            << "the clock's";
        EXPECT_EQ(PixelAt(calculator, Px(4335, dpi) - 2, Px(2040, dpi) + 2), GetSysColor(COLOR_BTNFACE))
            << "a label's";
        // Then it shows the local date, weekday and time, no number with leading zeros.
        std::wstring shown, line;
        EXPECT_TRUE(WaitFor(
            [&] {  // the second may turn between the two reads: then again
                SYSTEMTIME t;
                GetLocalTime(&t);
                const auto n = [](int number) { return std::to_wstring(number); };
                line = n(t.wYear) + L"年" + n(t.wMonth) + L"月" + n(t.wDay) + L"日, 星期" +
                       L"日一二三四五六"[t.wDayOfWeek] + L" " + n(t.wHour) + L":" + n(t.wMinute) + L":" +
                       n(t.wSecond);
                return (shown = TextOf(clock)) == line;
            },
            3s))
            << "the clock line reads " << Utf8(shown) << " at " << Utf8(line);
        ASSERT_TRUE(Click(program.Control(kCommand2)));
        ASSERT_TRUE(WaitFor([&] { return (usage = program.Usage()); }));
        EXPECT_EQ(Layout(usage, kUsage, dpi, false), Layout(usage, kUsage, dpi, true));
        EXPECT_FALSE(GetWindowLongW(usage, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_EQ(TextOf(GetDlgItem(usage, kLblDisclaimer)).rfind(L"警告:" + std::wstring(30, L' '), 0), 0u);
        if (dpi != 96) continue;

        // A move to a screen of 192 DPI: the system sends WM_DPICHANGED (Wine
        // never does) with a pointer into the program's memory to the
        // rectangle to take. The client area keeps its size.
        const RECT suggested{outer.left, outer.top, outer.left + 700, outer.top + 520};
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, program.Id());
        void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
        ASSERT_TRUE(WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr));
        SendMessageW(calculator, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(remote));
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        EXPECT_TRUE(GetWindowRect(calculator, &now) && EqualRect(&now, &suggested));
        const std::string seen = Layout(calculator, kCalculator, 192, false),
                          designed = Layout(calculator, kCalculator, 192, true);
        EXPECT_EQ(seen.substr(seen.find('\n')), designed.substr(designed.find('\n')));
    }
}

TEST(ProgramFile, VersionBlock) {
    const std::wstring path = HereFolder() + L"tarvolin.exe";
    std::vector<char> block(GetFileVersionInfoSizeW(path.c_str(), nullptr) + 1);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    const auto value = [&](const std::wstring& query) {
        void* data = nullptr;
        UINT size = 0;
        return VerQueryValueW(block.data(), query.c_str(), &data, &size) ? data : nullptr;
    };
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value(L"\\"));
    const auto* language = static_cast<const WORD*>(value(L"\\VarFileInfo\\Translation"));
    ASSERT_TRUE(fixed && language);
    std::wstring seen =
        std::to_wstring(fixed->dwFileVersionMS) + L"," + std::to_wstring(fixed->dwFileVersionLS) + L" " +
        std::to_wstring(fixed->dwProductVersionMS) + L"," + std::to_wstring(fixed->dwProductVersionLS) +
        L" " + std::to_wstring(language[0]) + L"/" + std::to_wstring(language[1]);
    for (const wchar_t* name :
         {L"FileVersion", L"ProductVersion", L"FileDescription", L"Comments", L"ProductName"}) {
        const auto* text =
            static_cast<const wchar_t*>(value(std::wstring(L"\\StringFileInfo\\080404B0\\") + name));
        seen = seen + L"\n" + name + L"=" + (text ? text : L"<none>");
    }
    // 1.0.0.2 in Chinese (PRC), Unicode.
    EXPECT_EQ(Utf8(seen),
              "65536,2 65536,2 2052/1200\nFileVersion=1.00.0002\nProductVersion=1.00.0002\n"
              "FileDescription=本程序用来计算时间差值\nComments=08-1-1\nProductName=Tarvolin");
}

}  // namespace
}  // namespace e2e

// The clock line, blank until its first tick, then the local time at most a
// tick and a quarter late; the program file's version block.
#include "calculator/clock_line.h"
#include "harness.h"

namespace e2e {
namespace {

std::string ClockLine(int late = 0) {  // for the local time `late` milliseconds ago
    FILETIME now;
    SYSTEMTIME t;
    GetSystemTimeAsFileTime(&now);
    reinterpret_cast<ULARGE_INTEGER&>(now).QuadPart -= late * 10'000ull;
    FileTimeToLocalFileTime(&now, &now);
    FileTimeToSystemTime(&now, &t);
    return tarvolin::ClockLine({t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond});
}

TEST(Clock, BlankThenTheLocalTime) {
    Program program;
    HWND clock = nullptr;
    ASSERT_TRUE(program.Start(false));
    ASSERT_TRUE(WaitFor([&] { return (clock = GetDlgItem(program.TopLevel(L"TarvolinCalculator"), 107)); }));
    EXPECT_EQ(GetWindowTextLengthW(clock), 0) << "before the first tick";
    const auto shown = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitFor([&] { return GetWindowTextLengthW(clock) > 0; }));
    EXPECT_LT(std::chrono::steady_clock::now() - shown, 900ms) << "to the first tick";
    for (const auto end = shown + 4s; std::chrono::steady_clock::now() < end; Sleep(20)) {
        const std::string late = ClockLine(625), before = ClockLine(), shown = Utf8(TextOf(clock)),
                          after = ClockLine();
        EXPECT_TRUE(shown == late || shown == before || shown == after) << shown << " at " << before;
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
    const DWORD *fixed = value(L"\\"), *language = value(L"\\VarFileInfo\\Translation");
    ASSERT_TRUE(fixed && language);
    EXPECT_EQ(std::vector<DWORD>(fixed + 2, fixed + 6), (std::vector<DWORD>{0x10000, 2, 0x10000, 2}));
    EXPECT_EQ(*language, 0x04B00804u);
    for (auto [name, text] : {std::pair{L"FileVersion", L"1.00.0002"},
                              {L"ProductVersion", L"1.00.0002"},
                              {L"FileDescription", L"本程序用来计算时间差值"},
                              {L"Comments", L"08-1-1"},
                              {L"ProductName", L"Tarvolin"}}) {
        EXPECT_STREQ(
            reinterpret_cast<const wchar_t*>(value(L"\\StringFileInfo\\080404B0\\" + std::wstring(name))),
            text)
            << name;
    }
}

}  // namespace
}  // namespace e2e

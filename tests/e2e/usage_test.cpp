// The clock line, the usage window and the system-information button, driven
// from outside as a person would.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "calculator/calculator_layout.h"
#include "calculator/clock_line.h"
#include "harness.h"
#include "usage/about_layout.h"

namespace tarvolin::e2e {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kUsageClass[] = L"TarvolinUsage";
const std::wstring kUnavailable = L"此时系统信息不可用";
const std::wstring kTitle = L"时差计算器";

std::wstring ClockLineAt(const SYSTEMTIME& t) {
    return Wide(ClockLine({t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond}));
}

// The current local time's line and the previous second's.
std::vector<std::wstring> RecentClockLines() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME file;
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER ticks{{file.dwLowDateTime, file.dwHighDateTime}};
    ticks.QuadPart -= 10'000'000;  // one second
    file = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME before;
    FileTimeToSystemTime(&file, &before);
    return {ClockLineAt(now), ClockLineAt(before)};
}

constexpr wchar_t kToolLog[] = L"C:\\tarvolin e2e\\started.log";

// One program per test: these tests open and close windows of their own.
class UsageTest : public testing::Test {
protected:
    void SetUp() override {
        // The stand-in tool finds its log through the environment it inherits.
        SetEnvironmentVariableW(L"TARVOLIN_FAKE_TOOL_LOG", kToolLog);
        ASSERT_TRUE(program_.Start()) << "tarvolin.exe showed no window";
        ASSERT_TRUE(BringToFront(program_.Window()));
    }
    void TearDown() override { program_.Kill(); }

    HWND Usage() const { return FindTopLevel(program_.Id(), kUsageClass); }

    // Presses the usage button and waits for the one usage window in front.
    HWND OpenUsage() {
        BringToFront(program_.Window());
        Click(program_.Control(kCommand2));
        HWND usage = nullptr;
        WaitFor([&] {
            usage = Usage();
            return usage && GetForegroundWindow() == usage;
        });
        return usage;
    }

    void ExpectLoadedTexts(HWND usage) {
        EXPECT_TRUE(Shows(usage, L"关于 时差计算器")) << "caption";
        EXPECT_TRUE(Shows(GetDlgItem(usage, kLblTitle), kTitle)) << "title";
        EXPECT_TRUE(Shows(GetDlgItem(usage, kLblVersion), L"版本 1.0.2")) << "version";
        EXPECT_TRUE(Shows(GetDlgItem(usage, kCmdOK), L"确定"));
        EXPECT_TRUE(Shows(GetDlgItem(usage, kCmdSysInfo), L"系统信息(&S)..."));
        const WindowLayout& layout = AboutLayout();
        for (std::size_t i = 0; i < layout.controlCount; ++i) {
            if (layout.controls[i].id != kLblDescription && layout.controls[i].id != kLblDisclaimer) continue;
            EXPECT_TRUE(Shows(GetDlgItem(usage, layout.controls[i].id), Wide(layout.controls[i].text)))
                << layout.controls[i].name;
        }
    }

    Program program_;
};

TEST_F(UsageTest, ClockLineIsBlankAtFirstThenFollowsTheLocalTime) {
    HWND label = program_.Control(kLabel7);
    EXPECT_EQ(TextOf(label), L"") << "before the first tick";
    std::wstring seen;
    const bool current = WaitFor([&] {
        seen = TextOf(label);
        for (const std::wstring& line : RecentClockLines())
            if (seen == line) return true;
        return false;
    }, std::chrono::seconds(3));
    EXPECT_TRUE(current) << "the clock line reads \"" << Utf8(seen) << "\"";
}

TEST_F(UsageTest, UsageButtonShowsOneTopmostWindowWithItsTexts) {
    HWND usage = OpenUsage();
    ASSERT_NE(usage, nullptr) << "no usage window in front: usage window " << Usage() << ", foreground "
                              << GetForegroundWindow() << ", calculator " << program_.Window();
    ExpectLoadedTexts(usage);
    EXPECT_TRUE(GetWindowLongW(usage, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(usage, GW_OWNER), nullptr) << "the usage window has no owner";
    EXPECT_TRUE(IsWindowEnabled(program_.Window())) << "the usage window is not modal";

    const LONG style = GetWindowLongW(usage, GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) << "a fixed dialog frame";

    // Client area 4710 x 3555 twips with its corner at 5340, 4230 twips.
    RECT client{};
    GetClientRect(usage, &client);
    POINT corner{0, 0};
    ClientToScreen(usage, &corner);
    EXPECT_EQ(client.right, TwipsToPixels(4710, 96));
    EXPECT_EQ(client.bottom, TwipsToPixels(3555, 96));
    EXPECT_EQ(corner.x, TwipsToPixels(kAboutClientLeftTwips, 96));
    EXPECT_EQ(corner.y, TwipsToPixels(kAboutClientTopTwips, 96));

    // The picture box takes its 32 x 32 picture's size.
    RECT picture{};
    GetClientRect(GetDlgItem(usage, kPicIcon), &picture);
    EXPECT_EQ(picture.right, 32);
    EXPECT_EQ(picture.bottom, 32);

    // A second press shows the same window again, in front.
    ASSERT_TRUE(BringToFront(program_.Window()));
    EXPECT_EQ(OpenUsage(), usage);
    EXPECT_EQ(TopLevelWindows(program_.Id(), kUsageClass).size(), 1u);
}

TEST_F(UsageTest, FocusStartsOnOKAndTabWalksPictureThenSystemInformation) {
    HWND usage = OpenUsage();
    ASSERT_NE(usage, nullptr);
    const int order[] = {kCmdOK, kPicIcon, kCmdSysInfo, kCmdOK};
    for (std::size_t i = 0; i < std::size(order); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        EXPECT_TRUE(WaitFor([&] { return FocusedWindow(usage) == GetDlgItem(usage, order[i]); }));
        Press({{VK_TAB}});
    }
}

TEST_F(UsageTest, OKEnterAndEscapeCloseItAndItReopensTheSame) {
    const struct {
        const char* name;
        std::function<void(HWND)> close;
    } ways[] = {
        {"cmdOK", [](HWND usage) { Click(GetDlgItem(usage, kCmdOK)); }},
        {"Enter", [](HWND) { Press({{VK_RETURN}}); }},
        {"Escape", [](HWND) { Press({{VK_ESCAPE}}); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        HWND usage = OpenUsage();
        ASSERT_NE(usage, nullptr);
        ExpectLoadedTexts(usage);
        way.close(usage);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(usage); })) << "the usage window is still open";
        EXPECT_TRUE(program_.Running());
    }
}

TEST_F(UsageTest, ProgramEndsWhenItsLastWindowCloses) {
    HWND usage = OpenUsage();
    ASSERT_NE(usage, nullptr);
    PostMessageW(program_.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(program_.Window()); })) << "the calculator did not close";
    EXPECT_TRUE(IsWindowVisible(usage)) << "the usage window closed with the calculator";
    EXPECT_TRUE(program_.Running());

    PostMessageW(usage, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(program_.WaitForExit(std::chrono::seconds(10), &exitCode)) << "the program outlived its windows";
    EXPECT_EQ(exitCode, 0u);
}

// --- the system-information button -------------------------------------------

constexpr wchar_t kPathKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kPathValue[] = L"PATH";
constexpr wchar_t kFolderKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr wchar_t kFolderValue[] = L"MSINFO";

// A machine value that the test sets or deletes, put back as it was after.
class MachineValue {
public:
    MachineValue(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
        DWORD type = 0;
        DWORD size = sizeof saved_;
        if (RegGetValueW(HKEY_LOCAL_MACHINE, key_, name_, RRF_RT_ANY | RRF_NOEXPAND, &type, saved_, &size) ==
            ERROR_SUCCESS) {
            savedType_ = type;
            savedSize_ = size;
        }
    }
    ~MachineValue() {
        if (savedType_) {
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_, name_, *savedType_, saved_, savedSize_);
        } else {
            Delete();
        }
    }
    void Set(const std::optional<std::wstring>& text) {
        if (!text) return Delete();
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_, name_, REG_SZ, text->c_str(),
                        static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t)));
    }

private:
    void Delete() { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key_, name_); }
    const wchar_t* key_;
    const wchar_t* name_;
    BYTE saved_[2048];
    std::optional<DWORD> savedType_;
    DWORD savedSize_ = 0;
};

std::wstring FakeToolPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return (fs::path(self).parent_path() / L"fake_sysinfo.exe").wstring();
}

// Folders under C:\ with the fake tool planted where each case wants it. The
// first folder's name has a space, so "C:\tarvolin.exe" is what a command
// line split at the space would start: a trap that must never run.
struct ToolPlaces {
    const fs::path root = L"C:\\tarvolin e2e";
    const fs::path withTool = root / L"with tool";
    const fs::path withoutTool = root / L"without tool";
    const fs::path tool = withTool / L"MSINFO32.EXE";
    const fs::path trap = L"C:\\tarvolin.exe";
    const fs::path log = kToolLog;

    ToolPlaces() {
        fs::create_directories(withTool);
        fs::create_directories(withoutTool);
        fs::copy_file(FakeToolPath(), tool, fs::copy_options::overwrite_existing);
        fs::copy_file(FakeToolPath(), trap, fs::copy_options::overwrite_existing);
        fs::remove(log);
    }
    ~ToolPlaces() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
        fs::remove(trap, ignored);
    }
    std::vector<std::wstring> Started() const {
        std::vector<std::wstring> lines;
        std::ifstream in(log, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
        for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }
};

bool SamePath(const std::wstring& a, const fs::path& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

TEST_F(UsageTest, SystemInformationButtonStartsOnlyTheToolTheRegistryNames) {
    const ToolPlaces places;
    const std::wstring tool = places.tool.wstring();
    const std::wstring missing = (places.withoutTool / L"MSINFO32.EXE").wstring();
    const struct {
        const char* name;
        std::optional<std::wstring> path, folder;
        bool starts;  // the tool, or else the message
    } cases[] = {
        {"path names the tool", tool, places.withoutTool.wstring(), true},
        {"path names a missing file: the folder is not tried", missing, places.withTool.wstring(), false},
        {"path names a folder", places.withTool.wstring(), std::nullopt, false},
        {"path empty", L"", std::nullopt, false},
        {"no path, folder holds the tool", std::nullopt, places.withTool.wstring(), true},
        {"no path, folder without the tool", std::nullopt, places.withoutTool.wstring(), false},
        {"neither value", std::nullopt, std::nullopt, false},
    };
    MachineValue path(kPathKey, kPathValue);
    MachineValue folder(kFolderKey, kFolderValue);
    HWND usage = OpenUsage();
    ASSERT_NE(usage, nullptr);

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(places.log);
        path.Set(c.path);
        folder.Set(c.folder);
        ASSERT_TRUE(BringToFront(usage));
        Click(GetDlgItem(usage, kCmdSysInfo));
        if (c.starts) {
            ASSERT_TRUE(WaitFor([&] { return !places.Started().empty(); })) << "the tool did not start";
            ASSERT_TRUE(Sync(usage));
            EXPECT_EQ(FindMessageBox(program_.Id(), kTitle, kUnavailable), nullptr);
            const std::vector<std::wstring> started = places.Started();
            ASSERT_EQ(started.size(), 1u);
            EXPECT_TRUE(SamePath(started[0], places.tool)) << Utf8(started[0]);
        } else {
            HWND box = nullptr;
            ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(program_.Id(), kTitle, kUnavailable)); }))
                << "no message that system information is unavailable";
            EXPECT_EQ(GetWindow(box, GW_OWNER), usage) << "the message belongs to the usage window";
            EXPECT_TRUE(places.Started().empty()) << "something was started";
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
        }
    }
}

TEST_F(UsageTest, PathWithSpacesNeverStartsTheProgramBeforeTheSpace) {
    const ToolPlaces places;
    MachineValue path(kPathKey, kPathValue);
    MachineValue folder(kFolderKey, kFolderValue);
    path.Set(places.tool.wstring());
    folder.Set(std::nullopt);

    HWND usage = OpenUsage();
    ASSERT_NE(usage, nullptr);
    Press({{'S', VK_MENU}});  // Alt+S presses the system-information button
    ASSERT_TRUE(WaitFor([&] { return !places.Started().empty(); })) << "the tool did not start";
    for (const std::wstring& started : places.Started()) {
        EXPECT_FALSE(SamePath(started, places.trap)) << "the trap ran";
        EXPECT_TRUE(SamePath(started, places.tool)) << Utf8(started);
    }
}

}  // namespace
}  // namespace tarvolin::e2e

// The usage window's system-information button, with the two registry values
// that locate the tool in each arrangement. The fixture e2e.settings plants a
// stand-in for the tool (standin.cpp) in System32\tarvolin, as 64-bit Windows
// has the tool: a 32-bit program sees it there only with file-system
// redirection off (settings.cmake).
#include "rows.h"
#include "settings.h"

using namespace e2e;
using namespace tarvolin;

TEST(Launcher, Rows) {
    if (!MayChangeSettings()) GTEST_SKIP() << "the rows would change this machine's registry and System32";
    wchar_t system32[MAX_PATH];
    GetSystemDirectoryW(system32, MAX_PATH);
    const std::wstring tools = system32 + std::wstring(L"\\tarvolin\\");
    // A blank in the folder's name: a command line split there would start
    // the stand-in planted as with.exe.
    const std::wstring folderWithTool = tools + L"with 工具";
    const std::wstring tool = folderWithTool + L"\\MSINFO32.EXE";
    const std::wstring missingTool = tools + L"without tool\\MSINFO32.EXE";
    const std::wstring folderWithoutTool = tools + L"without tool";
    const Step open{kClick, kCommand2};
    const Step opened{kFocused, kCmdOK};
    const Step press{kClick, kCmdSysInfo};
    // The tool's window takes the focus from the program.
    const std::string started = "Text8 0, focus nothing, usage, started MSINFO32.EXE in front";
    const std::string unavailable = "Text8 0, focus OK, message, usage";
    // The tool's path, the folder it is in (null: no such value), and the story.
    const std::tuple<const wchar_t*, const wchar_t*, Row> rows[] = {
        // clang-format off
        // Enter presses the button with the focus.
        {tool.c_str(), folderWithoutTool.c_str(),
         {"TheToolTheFirstValueNames", {open, {kFocused, kCmdOK, "<Tab><Tab><Enter>"}}, started}},
        {nullptr, folderWithTool.c_str(), {"TheToolInTheFolderOfTheSecondValue", {open, opened, press}, started}},
        // A first value that names a missing file is the answer: the folder is
        // not tried.
        {missingTool.c_str(), folderWithTool.c_str(), {"NoFolderAfterAMissingFirstFile", {open, opened, press}, unavailable}},
        {nullptr, folderWithoutTool.c_str(),
         {"AFolderWithoutTheTool", {open, opened, press}, unavailable, L"unavailable-message"}},
        // clang-format on
    };
    for (const auto& [path, folder, story] : rows) {
        const bool set = SetRegistryValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                          L"PATH", REG_SZ, path) &&
                         SetRegistryValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location",
                                          L"MSINFO", REG_SZ, folder);
        ASSERT_TRUE(set) << "the registry is read-only";
        Play(story);
    }
}

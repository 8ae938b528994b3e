// The usage window's system-information button, with the two registry values
// that locate the tool in each arrangement. The fixture e2e.tools plants a
// stand-in for the tool (standin.cpp, standin_tools.cmake) in
// System32\tarvolin, as 64-bit Windows has the tool: a 32-bit program sees it
// there only with file-system redirection off.
#include "rows.h"
#include "settings.h"

namespace e2e {
namespace {

using namespace tarvolin;

std::wstring InTools(const wchar_t* path) {
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system, length) + L"\\tarvolin\\" + path;
}

// The values a row sets: the tool's path, and the folder it is in. Null: no
// such value.
struct LauncherRow {
    const wchar_t* path;
    const wchar_t* folder;
    Row row;
};

TEST(Launcher, Rows) {
    if (!MayChangeSettings()) GTEST_SKIP() << "the rows would change this machine's registry and System32";
    const std::wstring tool = InTools(L"with 工具\\MSINFO32.EXE");
    const std::wstring folderWithTool = InTools(L"with 工具");
    const std::wstring missingTool = InTools(L"without tool\\MSINFO32.EXE");
    const std::wstring folderWithoutTool = InTools(L"without tool");
    const Step open{kClick, kCommand2};
    const Step opened{kFocused, kCmdOK};
    const Step press{kClick, kCmdSysInfo};
    const std::string started = "Text8 0, focus nothing, usage, started MSINFO32.EXE in front";
    const std::string unavailable = "Text8 0, focus OK, message over usage, usage";
    // clang-format off
    const LauncherRow rows[] = {
        // Enter presses the button with the focus.
        {tool.c_str(), folderWithoutTool.c_str(),
         {"TheToolTheFirstValueNames", {open, {kFocused, kCmdOK, "<Tab><Tab><Enter>"}}, started}},
        {nullptr, folderWithTool.c_str(), {"TheToolInTheFolderOfTheSecondValue", {open, opened, press}, started}},
        // A first value that names a missing file is the answer: the folder is
        // not tried.
        {missingTool.c_str(), folderWithTool.c_str(), {"NoFolderAfterAMissingFirstFile", {open, opened, press}, unavailable}},
        {nullptr, folderWithoutTool.c_str(),
         {"AFolderWithoutTheTool", {open, opened, press}, unavailable, L"unavailable-message"}},
    };
    // clang-format on
    for (const LauncherRow& row : rows) {
        const RegistryValue path(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH",
                                 row.path);
        const RegistryValue folder(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location",
                                   L"MSINFO", row.folder);
        ASSERT_TRUE(path.Changed() && folder.Changed()) << "the registry is read-only";
        Play(row.row);
    }
}

}  // namespace
}  // namespace e2e

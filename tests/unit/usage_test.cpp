#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "usage/registry_value.h"
#include "usage/sys_info_launcher.h"

namespace tarvolin {
namespace {

std::vector<unsigned char> Utf16Bytes(const std::u16string& text, bool terminated) {
    std::vector<unsigned char> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    if (terminated) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

TEST(DecodeRegistryValue, DecodesByType) {
    const std::u16string path = u"C:\\Program Files\\系统\\MSINFO32.EXE";
    const struct {
        const char* name;
        std::uint32_t type;
        std::vector<unsigned char> bytes;
        std::u16string expected;  // the text starts as "old"
    } cases[] = {
        {"string with NUL", kRegistryString, Utf16Bytes(path, true), path},
        {"string without NUL", kRegistryString, Utf16Bytes(path, false), path},
        {"number, least significant byte first", kRegistryNumber, {3, 2, 1, 0}, u"66051"},
        {"number of three bytes", kRegistryNumber, {3, 2, 1}, u"66051"},
        {"number with all bits set", kRegistryNumber, {0xFF, 0xFF, 0xFF, 0xFF}, u"4294967295"},
        {"number's top bit is no sign", kRegistryNumber, {0, 0, 0, 0x80}, u"2147483648"},
        {"binary leaves the text", 3, {'a', 0, 'b', 0}, u"old"},
        {"multi-string leaves the text", 7, {'a', 0, 0, 0, 0, 0}, u"old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::u16string text = u"old";
        EXPECT_TRUE(DecodeRegistryValue(c.type, c.bytes.data(), c.bytes.size(), text));
        EXPECT_EQ(text, c.expected);
    }
}

TEST(DecodeRegistryValue, SizeLimit) {
    const std::vector<unsigned char> atLimit(kRegistryValueLimit, 'x');
    std::u16string text = u"old";
    EXPECT_TRUE(DecodeRegistryValue(kRegistryString, atLimit.data(), atLimit.size(), text));
    EXPECT_EQ(text.size(), kRegistryValueLimit / 2);

    const std::vector<unsigned char> tooLong(kRegistryValueLimit + 1, 'x');
    text = u"old";
    EXPECT_FALSE(DecodeRegistryValue(kRegistryString, tooLong.data(), tooLong.size(), text));
    EXPECT_TRUE(text.empty());
}

struct StoredValue {
    std::uint32_t type;
    std::vector<unsigned char> data;
};

StoredValue Text(const std::u16string& s) { return {kRegistryString, Utf16Bytes(s, true)}; }

// Values by key + "\\" + value name; a path is a file when it is in `files`.
struct FakePlatform : SysInfoPlatform {
    std::map<std::u16string, StoredValue> values;
    std::set<std::u16string> files;
    int reads = 0;
    std::vector<std::u16string> checked, started;

    bool ReadMachineValue(const std::u16string& key, const std::u16string& valueName, std::uint32_t& type,
                          std::vector<unsigned char>& data) override {
        ++reads;
        const auto found = values.find(key + u"\\" + valueName);
        if (found == values.end()) return false;
        type = found->second.type;
        data = found->second.data;
        return true;
    }
    bool FileExists(const std::u16string& path) override {
        checked.push_back(path);
        return files.count(path) > 0;
    }
    bool StartProgram(const std::u16string& path) override {
        started.push_back(path);
        return files.count(path) > 0;
    }
};

TEST(LaunchSysInfo, FindsAndStartsTheTool) {
    const std::u16string first = kSysInfoPathKey + u"\\" + kSysInfoPathValue;
    const std::u16string second = kSysInfoFolderKey + u"\\" + kSysInfoFolderValue;
    const std::u16string tool = u"C:\\Tools\\msinfo32.exe";
    const std::u16string folderTool = u"C:\\Shared\\MSINFO32.EXE";
    const StoredValue folder = Text(u"C:\\Shared");
    using Paths = std::vector<std::u16string>;
    const struct {
        const char* name;
        std::map<std::u16string, StoredValue> values;
        std::set<std::u16string> files;
        bool result;
        int reads;
        Paths checked, started;
    } cases[] = {
        {"first value present", {{first, Text(tool)}, {second, folder}}, {tool, folderTool}, true, 1, {}, {tool}},
        {"first value names a missing file", {{first, Text(tool)}, {second, folder}}, {folderTool}, false, 1, {},
         {tool}},
        {"tool in the second folder", {{second, folder}}, {folderTool}, true, 2, {folderTool}, {folderTool}},
        {"second folder without the tool", {{second, folder}}, {}, false, 2, {folderTool}, {}},
        {"both missing", {}, {}, false, 2, {}, {}},
        {"first value of another type", {{first, {3, {1, 2, 3, 4}}}, {second, folder}}, {folderTool}, false, 1, {},
         {}},
        {"second value empty", {{second, Text(u"")}}, {u"\\MSINFO32.EXE"}, false, 2, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        platform.values = c.values;
        platform.files = c.files;
        EXPECT_EQ(LaunchSysInfo(platform), c.result);
        EXPECT_EQ(platform.reads, c.reads);
        EXPECT_EQ(platform.checked, c.checked);
        EXPECT_EQ(platform.started, c.started);
    }
}

TEST(GetKeyValue, FailedReadEmptiesTheText) {
    FakePlatform platform;
    std::u16string keyVal = u"stale";
    EXPECT_FALSE(GetKeyValue(platform, kSysInfoPathKey, kSysInfoPathValue, keyVal));
    EXPECT_TRUE(keyVal.empty());
}

}  // namespace
}  // namespace tarvolin

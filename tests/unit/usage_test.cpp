// The search for the system-information tool, over a platform whose answers
// the test gives. (The fuzz target checks the registry bytes' decoding.)
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "usage/sys_info_launcher.h"

namespace tarvolin {
namespace {

std::vector<unsigned char> Utf16(const std::u16string& text) {
    std::vector<unsigned char> bytes;
    for (char16_t unit : text + u'\0') bytes.insert(bytes.end(), {static_cast<unsigned char>(unit), static_cast<unsigned char>(unit >> 8)});
    return bytes;
}

struct FakePlatform : SysInfoPlatform {
    std::map<std::u16string, std::pair<std::uint32_t, std::vector<unsigned char>>> values;  // by key\name
    std::vector<std::u16string> started;
    bool ReadMachineValue(const std::u16string& key, const std::u16string& name, std::uint32_t& type,
                          std::vector<unsigned char>& data) override {
        const auto found = values.find(key + u"\\" + name);
        if (found != values.end()) std::tie(type, data) = found->second;
        return found != values.end();
    }
    bool FileExists(const std::u16string& path) override { return path == u"\\MSINFO32.EXE" || path == u"C:\\Tools\\MSINFO32.EXE"; }
    bool StartProgram(const std::u16string& path) override {
        started.push_back(path);
        return true;
    }
};

// What the end-to-end tests cannot set up: values of other types, an empty
// folder (which would name the root of the current drive).
TEST(LaunchSysInfo, OnlyWhatTheValuesName) {
    const std::u16string first = kSysInfoPathKey + u"\\" + kSysInfoPathValue;
    const std::u16string second = kSysInfoFolderKey + u"\\" + kSysInfoFolderValue;
    const struct {
        const char* name;
        std::map<std::u16string, std::pair<std::uint32_t, std::vector<unsigned char>>> values;
        std::vector<std::u16string> started;
    } cases[] = {
        {"a first value of another type", {{first, {3, {1, 2}}}, {second, {1, Utf16(u"C:\\Tools")}}}, {}},
        {"an empty folder", {{second, {1, Utf16(u"")}}}, {}},
        {"a folder as a number", {{second, {4, {7, 0, 0, 0}}}}, {}},
        {"the folder as text", {{second, {1, Utf16(u"C:\\Tools")}}}, {u"C:\\Tools\\MSINFO32.EXE"}},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        platform.values = c.values;
        EXPECT_EQ(LaunchSysInfo(platform), !c.started.empty()) << c.name;
        EXPECT_EQ(platform.started, c.started) << c.name;
    }
    std::u16string keyVal = u"stale";
    EXPECT_FALSE(GetKeyValue(*std::make_unique<FakePlatform>(), kSysInfoPathKey, kSysInfoPathValue, keyVal));
    EXPECT_TRUE(keyVal.empty()) << "a failed read empties the text";
}

}  // namespace
}  // namespace tarvolin

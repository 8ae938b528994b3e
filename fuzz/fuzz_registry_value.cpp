// Registry bytes to text, and to what the system-information button starts:
// the two values it reads, each perhaps missing, of any type and any bytes,
// and whether the tool is in the folder the second one names.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "usage/registry_value.h"
#include "usage/sys_info_launcher.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Platform : tarvolin::SysInfoPlatform {
    std::map<std::u16string, std::pair<std::uint32_t, Bytes>> values;  // by key and name
    bool toolThere = false;
    std::u16string started;
    bool ReadMachineValue(const std::u16string& key, const std::u16string& name, std::uint32_t& type,
                          Bytes& data) override {
        const auto found = values.find(key + u"|" + name);
        if (found != values.end()) std::tie(type, data) = found->second;
        return found != values.end();
    }
    bool FileExists(const std::u16string&) override { return toolThere; }
    bool StartProgram(const std::u16string& path) override {
        started = path;
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzedDataProvider in(input, size);
    Platform platform;
    const std::u16string keys[2] = {u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH",
                                    u"SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO"};
    std::u16string texts[2];  // of the values read
    bool read[2];
    for (int i : {0, 1}) {
        // Mostly a string (1) or a number (4), sometimes any type.
        const auto type =
            in.ConsumeBool() ? in.ConsumeIntegral<std::uint32_t>() : in.PickValueInArray({1u, 4u});
        const Bytes data = in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange<std::size_t>(0, 1100));
        // A string's UTF-16 units up to its first NUL; a number's decimal, least significant byte first.
        std::uint32_t number = 0;
        for (std::size_t b = 0; type == 4 && b < data.size() && b < 4; ++b)
            number |= std::uint32_t{data[b]} << 8 * b;
        for (char digit : type == 4 ? std::to_string(number) : "") texts[i] += digit;
        for (std::size_t b = 0; type == 1 && b + 1 < data.size() && (data[b] || data[b + 1]); b += 2)
            texts[i] += static_cast<char16_t>(data[b] | data[b + 1] << 8);
        // Up to 1024 bytes are read; another type leaves the text as it was.
        std::u16string text = u"unchanged";
        const bool fits = data.size() <= 1024;
        FUZZ_CHECK(tarvolin::DecodeRegistryValue(type, data.data(), data.size(), text) == fits);
        FUZZ_CHECK(text == (!fits ? u"" : type == 1 || type == 4 ? texts[i] : u"unchanged"));
        if ((read[i] = in.ConsumeBool() && fits)) platform.values[keys[i]] = {type, data};
    }
    platform.toolThere = in.ConsumeBool();
    // The first value's text when it was read, else the tool in the folder the second names.
    const std::u16string expected = read[0] ? texts[0]
                                    : read[1] && !texts[1].empty() && platform.toolThere
                                        ? texts[1] + u"\\MSINFO32.EXE"
                                        : u"";
    FUZZ_CHECK(tarvolin::LaunchSysInfo(platform) == !expected.empty() && platform.started == expected);
    return 0;
}

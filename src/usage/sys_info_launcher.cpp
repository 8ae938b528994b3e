#include "usage/sys_info_launcher.h"

#include "usage/registry_value.h"

namespace tarvolin {

bool GetKeyValue(SysInfoPlatform& platform, const std::u16string& keyName, const std::u16string& valueName,
                 std::u16string& keyVal) {
    std::uint32_t type = 0;
    std::vector<unsigned char> data;
    if (!platform.ReadMachineValue(keyName, valueName, type, data)) {
        keyVal.clear();
        return false;
    }
    return DecodeRegistryValue(type, data.data(), data.size(), keyVal);
}

bool LaunchSysInfo(SysInfoPlatform& platform) {
    std::u16string path;
    if (!GetKeyValue(platform, kSysInfoPathKey, kSysInfoPathValue, path)) {
        // An empty folder would turn into a path at the root of the current drive.
        if (!GetKeyValue(platform, kSysInfoFolderKey, kSysInfoFolderValue, path) || path.empty())
            return false;
        path += kSysInfoProgram;
        if (!platform.FileExists(path)) return false;
    }
    // An empty path (a value of another type leaves it so) names no program.
    if (path.empty()) return false;
    return platform.StartProgram(path);
}

}  // namespace tarvolin

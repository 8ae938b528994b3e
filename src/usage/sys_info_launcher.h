// Finding and starting the system-information tool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvolin {

// What the launcher needs from the platform.
class SysInfoPlatform {
public:
    virtual ~SysInfoPlatform() = default;
    // Reads one value under HKEY_LOCAL_MACHINE for reading only, in the
    // system's native view. False when the key cannot be opened or the value
    // cannot be read whole.
    virtual bool ReadMachineValue(const std::u16string& key, const std::u16string& valueName,
                                  std::uint32_t& type, std::vector<unsigned char>& data) = 0;
    // True when `path` names an existing file (not a folder). This and the
    // start see the system's own folders, from a 32-bit program too.
    virtual bool FileExists(const std::u16string& path) = 0;
    // Starts exactly the program file `path`, in a normal window with focus,
    // without waiting for it. False when nothing was started.
    virtual bool StartProgram(const std::u16string& path) = 0;
};

inline const std::u16string kSysInfoPathKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline const std::u16string kSysInfoPathValue = u"PATH";
inline const std::u16string kSysInfoFolderKey = u"SOFTWARE\\Microsoft\\Shared Tools Location";
inline const std::u16string kSysInfoFolderValue = u"MSINFO";
inline const std::u16string kSysInfoProgram = u"\\MSINFO32.EXE";

// Reads one machine value as text. True when it was read; then `keyVal` holds
// its text (a value of another type leaves `keyVal` as it was). False when it
// was not, and then `keyVal` is empty.
bool GetKeyValue(SysInfoPlatform& platform, const std::u16string& keyName, const std::u16string& valueName,
                 std::u16string& keyVal);

// The tool's full path, from the first location, or else from the folder of
// the second when the tool is there. Starts it; false when it cannot be found
// or started (the caller tells the user that system information is
// unavailable).
bool LaunchSysInfo(SysInfoPlatform& platform);

}  // namespace tarvolin

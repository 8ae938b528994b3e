// The registry, file lookup and process start behind the system-information
// button.
#pragma once

#include "usage/sys_info_launcher.h"

namespace tarvolin {

class WinSysInfoPlatform : public SysInfoPlatform {
public:
    bool ReadMachineValue(const std::u16string& key, const std::u16string& valueName, std::uint32_t& type,
                          std::vector<unsigned char>& data) override;
    bool FileExists(const std::u16string& path) override;
    bool StartProgram(const std::u16string& path) override;
};

}  // namespace tarvolin

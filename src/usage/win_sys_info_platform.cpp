#include "usage/win_sys_info_platform.h"

#include <string>

#include "app/win32.h"
#include "usage/registry_value.h"

namespace tarvolin {
namespace {

// On Windows wchar_t is UTF-16, the same code units as char16_t.
std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

class RegistryKey {
public:
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// A 32-bit program on 64-bit Windows sees SysWOW64 where a path names
// System32: while one lives, this thread sees the system's own files, as a
// 64-bit program does. Elsewhere it changes nothing.
class NativeFileSystem {
public:
    NativeFileSystem() : off_(Wow64DisableWow64FsRedirection(&previous_) != FALSE) {}
    ~NativeFileSystem() {
        if (off_) Wow64RevertWow64FsRedirection(previous_);
    }

private:
    void* previous_ = nullptr;
    bool off_;
};

}  // namespace

bool WinSysInfoPlatform::ReadMachineValue(const std::u16string& key, const std::u16string& valueName,
                                          std::uint32_t& type, std::vector<unsigned char>& data) {
    // Read rights only: a standard user may read these keys but not write them.
    // The system's own view: the 32-bit program would otherwise read the
    // copy kept for 32-bit programs, where 64-bit Windows registers no tool.
    RegistryKey opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(key).c_str(), 0, KEY_READ | KEY_WOW64_64KEY, opened.Out()) !=
        ERROR_SUCCESS)
        return false;
    data.assign(kRegistryValueLimit, 0);
    DWORD valueType = 0;
    DWORD size = static_cast<DWORD>(data.size());
    // A value longer than the buffer fails with ERROR_MORE_DATA.
    if (RegQueryValueExW(opened.Get(), Wide(valueName).c_str(), nullptr, &valueType, data.data(), &size) !=
        ERROR_SUCCESS)
        return false;
    data.resize(size);
    type = valueType;
    return true;
}

bool WinSysInfoPlatform::FileExists(const std::u16string& path) {
    const NativeFileSystem native;
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinSysInfoPlatform::StartProgram(const std::u16string& path) {
    // The path is the application name, never parsed from a command line:
    // "C:\Program Files\…\tool.exe" can only start that file.
    const std::wstring application = Wide(path);
    std::wstring commandLine = L"\"" + application + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    {
        const NativeFileSystem native;
        if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
            return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace tarvolin

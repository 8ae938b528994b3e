// Settings of the machine that some tests change. The fixture e2e.settings
// (settings.cmake) keeps them before those tests and puts them back after.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

namespace e2e {

// Only where ctest says so (TARVOLIN_TESTS_CHANGE_SETTINGS=1), in the tests'
// own Wine prefix; elsewhere the tests that would are skipped.
inline bool MayChangeSettings() {
    const char* allowed = std::getenv("TARVOLIN_TESTS_CHANGE_SETTINGS");
    return allowed != nullptr && std::string(allowed) == "1";
}

// Sets a registry value, in the system's native view also from a 32-bit test
// program, or removes it when `data` is null. A string's size is its own,
// with its NUL. False when it cannot.
inline bool SetRegistryValue(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type, const void* data,
                             DWORD size = 0) {
    if (type == REG_SZ && data)
        size = DWORD(sizeof(wchar_t) * (wcslen(static_cast<const wchar_t*>(data)) + 1));
    HKEY opened = nullptr;
    const REGSAM access = KEY_SET_VALUE | KEY_WOW64_64KEY;
    if (RegCreateKeyExW(root, key, 0, nullptr, 0, access, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    LSTATUS status = ERROR_SUCCESS;
    if (data) {
        status = RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), size);
    } else {
        status = RegDeleteValueW(opened, name);
    }
    RegCloseKey(opened);
    return status == ERROR_SUCCESS || (!data && status == ERROR_FILE_NOT_FOUND);
}

}  // namespace e2e

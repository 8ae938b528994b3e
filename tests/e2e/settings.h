// Settings of the machine that some tests change, and put back.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace e2e {

// Only where ctest says so (TARVOLIN_TESTS_CHANGE_SETTINGS=1), in the tests'
// own Wine prefix; elsewhere the tests that would are skipped.
inline bool MayChangeSettings() {
    const char* allowed = std::getenv("TARVOLIN_TESTS_CHANGE_SETTINGS");
    return allowed != nullptr && std::string(allowed) == "1";
}

// A registry value, in the system's native view also from a 32-bit test
// program, changed while this lives and then put back exactly as it was: its
// type and bytes, or its absence.
class RegistryValue {
public:
    // A string, or no value at all when `text` is null.
    RegistryValue(HKEY root, const wchar_t* key, const wchar_t* name, const wchar_t* text)
        : RegistryValue(root, key, name) {
        if (text) {
            Set(REG_SZ, text, DWORD(sizeof(wchar_t) * (wcslen(text) + 1)));
        } else {
            changed_ = !existed_ || RegDeleteValueW(key_, name) == ERROR_SUCCESS;
        }
    }
    RegistryValue(HKEY root, const wchar_t* key, const wchar_t* name, DWORD number)
        : RegistryValue(root, key, name) {
        Set(REG_DWORD, &number, sizeof number);
    }
    ~RegistryValue() {
        if (existed_) {
            RegSetValueExW(key_, name_.c_str(), 0, type_, was_.data(), DWORD(was_.size()));
        } else {
            RegDeleteValueW(key_, name_.c_str());
        }
        RegCloseKey(key_);
    }
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

    // Whether the value was set, or removed, as asked.
    bool Changed() const { return changed_; }

private:
    // Opens the key and keeps what the value holds now.
    RegistryValue(HKEY root, const wchar_t* key, const wchar_t* name) : name_(name) {
        const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY;
        RegCreateKeyExW(root, key, 0, nullptr, 0, access, nullptr, &key_, nullptr);
        DWORD size = 0;
        existed_ = RegQueryValueExW(key_, name, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
        was_.resize(size);
        RegQueryValueExW(key_, name, nullptr, &type_, was_.data(), &size);
    }
    void Set(DWORD type, const void* data, DWORD size) {
        const auto* bytes = static_cast<const BYTE*>(data);
        changed_ = RegSetValueExW(key_, name_.c_str(), 0, type, bytes, size) == ERROR_SUCCESS;
    }

    HKEY key_ = nullptr;
    std::wstring name_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> was_;
    bool changed_ = false;
};

}  // namespace e2e

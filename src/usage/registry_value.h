// Turning the bytes of a registry value into text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvolin {

enum RegistryValueType : std::uint32_t {
    kRegistryString = 1,  // UTF-16LE text
    kRegistryNumber = 4,  // 32-bit number, least significant byte first
};

// The largest value data read; a longer value counts as not read.
constexpr std::size_t kRegistryValueLimit = 1024;

// Decodes `size` bytes of a value of type `type` into `text`:
// - a string ends at its first NUL, so a value stored with or without a
//   terminating NUL gives the same text;
// - a number becomes its unsigned decimal text (a final NUL byte is a zero
//   high byte; bytes beyond the fourth are ignored);
// - any other type leaves `text` as it was.
// Returns false, and empties `text`, when `size` exceeds kRegistryValueLimit.
bool DecodeRegistryValue(std::uint32_t type, const unsigned char* data, std::size_t size,
                         std::u16string& text);

}  // namespace tarvolin

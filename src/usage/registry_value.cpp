#include "usage/registry_value.h"

namespace tarvolin {
namespace {

std::u16string DecodeString(const unsigned char* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0) break;
        text += unit;
    }
    return text;
}

std::u16string DecodeNumber(const unsigned char* data, std::size_t size) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < size && i < 4; ++i) number |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

bool DecodeRegistryValue(std::uint32_t type, const unsigned char* data, std::size_t size,
                         std::u16string& text) {
    if (size > kRegistryValueLimit) {
        text.clear();
        return false;
    }
    if (type == kRegistryString)
        text = DecodeString(data, size);
    else if (type == kRegistryNumber)
        text = DecodeNumber(data, size);
    return true;
}

}  // namespace tarvolin

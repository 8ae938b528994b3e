// Registry bytes to text: four bytes of type (least significant first), then
// the value's data.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "usage/registry_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::uint32_t type = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    const unsigned char* value = data + 4;
    const std::size_t length = size - 4;
    std::u16string text = u"unchanged", expected;
    const bool read = tarvolin::DecodeRegistryValue(type, value, length, text);
    if (length > tarvolin::kRegistryValueLimit) {
        expected.clear();
    } else if (type == tarvolin::kRegistryNumber) {  // the first four bytes, least significant first
        std::uint32_t number = 0;
        for (std::size_t i = 0; i < length && i < 4; ++i) number |= static_cast<std::uint32_t>(value[i]) << 8 * i;
        for (char digit : std::to_string(number)) expected += digit;
    } else if (type == tarvolin::kRegistryString) {  // the units up to the first NUL
        for (std::size_t i = 0; i + 1 < length && (value[i] || value[i + 1]); i += 2) expected += value[i] | value[i + 1] << 8;
    } else {
        expected = u"unchanged";
    }
    FUZZ_CHECK(read == (length <= tarvolin::kRegistryValueLimit));
    FUZZ_CHECK(text == expected);
    return 0;
}

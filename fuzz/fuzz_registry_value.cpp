// A registry value: the first four bytes are the type (least significant
// first), the rest is the data, of any length.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "usage/registry_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::uint32_t type = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
                               static_cast<std::uint32_t>(data[2]) << 16 |
                               static_cast<std::uint32_t>(data[3]) << 24;
    const unsigned char* value = data + 4;
    const std::size_t valueSize = size - 4;

    const std::u16string before = u"unchanged";
    std::u16string text = before;
    const bool read = tarvolin::DecodeRegistryValue(type, value, valueSize, text);

    if (valueSize > tarvolin::kRegistryValueLimit) {
        FUZZ_CHECK(!read);
        FUZZ_CHECK(text.empty());
        return 0;
    }
    FUZZ_CHECK(read);

    if (type == tarvolin::kRegistryNumber) {
        FUZZ_CHECK(!text.empty() && text.size() <= 10);
        std::uint64_t number = 0;
        for (char16_t c : text) {
            FUZZ_CHECK(c >= u'0' && c <= u'9');
            number = number * 10 + static_cast<std::uint64_t>(c - u'0');
        }
        FUZZ_CHECK(number <= 4294967295u);
        FUZZ_CHECK(text.size() == 1 || text[0] != u'0');
        // The number is the first four bytes, least significant first.
        std::uint32_t expected = 0;
        for (std::size_t i = 0; i < valueSize && i < 4; ++i) expected |= static_cast<std::uint32_t>(value[i]) << (8 * i);
        FUZZ_CHECK(number == expected);
    } else if (type == tarvolin::kRegistryString) {
        FUZZ_CHECK(text.size() <= valueSize / 2);
        for (char16_t c : text) FUZZ_CHECK(c != 0);
        // Every unit is the data's, in order, up to the first NUL.
        for (std::size_t i = 0; i < text.size(); ++i)
            FUZZ_CHECK(text[i] == static_cast<char16_t>(value[2 * i] | value[2 * i + 1] << 8));
        if (2 * text.size() + 1 < valueSize)
            FUZZ_CHECK(value[2 * text.size()] == 0 && value[2 * text.size() + 1] == 0);
    } else {
        FUZZ_CHECK(text == before);
    }
    return 0;
}

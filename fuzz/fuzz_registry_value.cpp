// Registry bytes to text, of any type and any bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "usage/registry_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzedDataProvider in(input, size);
    // Mostly a string (1) or a number (4).
    const auto type = in.ConsumeBool() ? in.ConsumeIntegral<std::uint32_t>() : in.PickValueInArray({1u, 4u});
    const auto data = in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange<std::size_t>(0, 1100));
    // A string up to its first NUL; a number's decimal, least significant byte first.
    std::u16string expected;
    std::uint32_t number = 0;
    for (std::size_t b = 0; b < data.size() && b < 4; ++b) number |= std::uint32_t{data[b]} << 8 * b;
    for (std::size_t b = 0; type == 1 && b + 1 < data.size() && (data[b] || data[b + 1]); b += 2)
        expected += char16_t(data[b] | data[b + 1] << 8);
    for (char digit : type == 4 ? std::to_string(number) : "") expected += digit;
    // Up to 1024 bytes are read; another type leaves the text as it was.
    std::u16string text = u"unchanged";
    const bool fits = data.size() <= 1024;
    // A failed check aborts, and libFuzzer keeps the input.
    if (tarvolin::DecodeRegistryValue(type, data.data(), data.size(), text) != fits) std::abort();
    if (text != (!fits ? u"" : type == 1 || type == 4 ? expected : u"unchanged")) std::abort();
    return 0;
}

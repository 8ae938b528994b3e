// Registry bytes to text, of any type and any bytes: what the text must be.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "usage/registry_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzedDataProvider in(input, size);
    // Mostly a string (1) or a number (4).
    const auto type = in.ConsumeBool() ? in.ConsumeIntegral<std::uint32_t>() : in.PickValueInArray({1u, 4u});
    const auto data = in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange<std::size_t>(0, 1100));
    std::u16string text = u"-";
    const bool read = tarvolin::DecodeRegistryValue(type, data.data(), data.size(), text);
    const std::string digits(text.begin(), text.end());
    // Over 1024 bytes nothing is read; a string stops before its first NUL; a
    // number has 1 to 10 digits, its lowest byte first; another type leaves it.
    const bool holds = read == (data.size() <= 1024) && (read || text.empty()) &&
                       (!read || type != 1 || text.find(u'\0') == text.npos) &&
                       (!read || type != 4 ||
                        (digits.size() <= 10 && std::stoull(digits) % 256 == (data.empty() ? 0 : data[0]))) &&
                       (!read || type == 1 || type == 4 || text == u"-");
    if (!holds) std::abort();  // libFuzzer keeps the input
    return 0;
}

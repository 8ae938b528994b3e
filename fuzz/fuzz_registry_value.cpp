// Registry bytes to text, of any type and any bytes: what the text must be.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "usage/registry_value.h"

using namespace tarvolin;

// A number's text is plain decimal, and its value written back as four bytes,
// lowest first, gives the value's first four bytes (zeros for those it
// lacks): 01 02 03 04 reads 67305985.
bool IsTheNumberOf(const std::vector<unsigned char>& data, const std::u16string& text) {
    const std::string digits(text.begin(), text.end());
    const unsigned long long number = std::stoull(digits);
    bool same = digits == std::to_string(number) && number >> 32 == 0;
    for (std::size_t i = 0; i < 4; ++i)
        same = same && ((number >> (8 * i)) & 0xFF) == (i < data.size() ? data[i] : 0);
    return same;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzedDataProvider in(input, size);
    // Mostly a string or a number, sometimes any type.
    const bool anyType = in.ConsumeBool();
    const std::uint32_t type = anyType ? in.ConsumeIntegral<std::uint32_t>()
                                       : in.PickValueInArray({kRegistryString, kRegistryNumber});
    const auto data = in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange<std::size_t>(0, 1100));
    std::u16string text = u"-";
    const bool read = DecodeRegistryValue(type, data.data(), data.size(), text);
    // Nothing is read over 1024 bytes, and the text is then empty; a string
    // stops before its first NUL; another type leaves the text as it was.
    const bool holds = read == (data.size() <= kRegistryValueLimit) && (read || text.empty()) &&
                       (!read || type != kRegistryString || text.find(u'\0') == std::u16string::npos) &&
                       (!read || type != kRegistryNumber || IsTheNumberOf(data, text)) &&
                       (!read || type == kRegistryString || type == kRegistryNumber || text == u"-");
    // libFuzzer keeps the input that fails.
    if (!holds) std::abort();
    return 0;
}

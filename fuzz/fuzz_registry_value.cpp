// Registry bytes to text, of any type and any bytes: what the text must be.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "usage/registry_value.h"

namespace {

// libFuzzer keeps the input that fails a check.
void Check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    using namespace tarvolin;
    FuzzedDataProvider in(input, size);
    // Mostly a string or a number, sometimes any type.
    const bool anyType = in.ConsumeBool();
    std::uint32_t type = 0;
    if (anyType) {
        type = in.ConsumeIntegral<std::uint32_t>();
    } else {
        type = in.PickValueInArray({kRegistryString, kRegistryNumber});
    }
    const auto data = in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange<std::size_t>(0, 1100));
    std::u16string text = u"-";
    const bool read = DecodeRegistryValue(type, data.data(), data.size(), text);

    // Nothing is read over 1024 bytes, and then the text is empty.
    Check(read == (data.size() <= kRegistryValueLimit));
    if (!read) Check(text.empty());
    // A string stops before its first NUL.
    if (read && type == kRegistryString) Check(text.find(u'\0') == std::u16string::npos);
    // A number is its first four bytes, the lowest first (missing bytes are
    // zeros), in plain decimal: 01 02 03 04 is 67305985. Written back as four
    // bytes, it gives those bytes.
    if (read && type == kRegistryNumber) {
        const std::string digits(text.begin(), text.end());
        const unsigned long long number = std::stoull(digits);
        Check(digits == std::to_string(number));
        for (std::size_t i = 0; i < 4; ++i) {
            const unsigned byte = i < data.size() ? data[i] : 0;
            Check(((number >> (8 * i)) & 0xFF) == byte);
        }
        Check(number >> 32 == 0);
    }
    // Another type leaves the text as it was.
    if (read && type != kRegistryString && type != kRegistryNumber) Check(text == u"-");
    return 0;
}

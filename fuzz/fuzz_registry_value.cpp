// Registry bytes to text, of any type and any bytes: what the text must be.
// The types and the limit are written here as Windows and the program's
// design have them, not read from the program.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "usage/registry_value.h"

namespace {

constexpr std::uint32_t kString = 1;  // REG_SZ
constexpr std::uint32_t kNumber = 4;  // REG_DWORD
constexpr std::size_t kLimit = 1024;

// libFuzzer keeps the input that fails a check.
void Check(bool holds) {
    if (!holds) std::abort();
}

// A number is plain decimal, and its value written back as four bytes,
// lowest first, gives the data's first four (zeros for those it lacks):
// 01 02 03 04 reads 67305985.
bool IsTheNumberOf(const std::vector<unsigned char>& data, const std::u16string& text) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of(u"0123456789") != std::u16string::npos)
        return false;
    const unsigned long long number = std::stoull(std::string(text.begin(), text.end()));
    for (std::size_t i = 0; i < 4; ++i)
        if (((number >> (8 * i)) & 0xFF) != (i < data.size() ? data[i] : 0)) return false;
    return number >> 32 == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzedDataProvider in(input, size);
    // Half the time a string or a number, else any type.
    const bool anyType = in.ConsumeBool();
    const std::uint32_t type =
        anyType ? in.ConsumeIntegral<std::uint32_t>() : in.PickValueInArray({kString, kNumber});
    const auto data = in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange<std::size_t>(0, 1100));
    std::u16string text = u"-";
    const bool read = tarvolin::DecodeRegistryValue(type, data.data(), data.size(), text);
    // Nothing is read over 1024 bytes, and the text is then empty.
    Check(read == (data.size() <= kLimit));
    if (!read) Check(text.empty());
    // A string stops before its first NUL.
    if (read && type == kString) Check(text.find(u'\0') == std::u16string::npos);
    if (read && type == kNumber) Check(IsTheNumberOf(data, text));
    // Another type leaves the text as it was.
    if (read && type != kString && type != kNumber) Check(text == u"-");
    return 0;
}

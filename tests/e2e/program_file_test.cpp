// What tarvolin.exe says about itself: the version block that Explorer's
// properties page shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace tarvolin::e2e {
namespace {

class VersionBlock : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring path = ProgramPath();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "tarvolin.exe has no version block";
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block_.data()));
    }

    // The value at `query`, or null.
    void* Value(const std::wstring& query, UINT* length = nullptr) {
        void* value = nullptr;
        UINT size = 0;
        if (!VerQueryValueW(block_.data(), query.c_str(), &value, &size)) return nullptr;
        if (length) *length = size;
        return value;
    }

    std::vector<unsigned char> block_;
};

TEST_F(VersionBlock, NumbersAreOneZeroZeroTwo) {
    auto* fixed = static_cast<VS_FIXEDFILEINFO*>(Value(L"\\"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionBlock, ChinesePrcUnicodeTranslation) {
    UINT length = 0;
    auto* translation = static_cast<WORD*>(Value(L"\\VarFileInfo\\Translation", &length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 1200);
}

TEST_F(VersionBlock, StringsReadBackExactly) {
    const struct {
        const wchar_t* name;
        const wchar_t* text;
    } strings[] = {
        {L"FileVersion", L"1.00.0002"},
        {L"ProductVersion", L"1.00.0002"},
        {L"FileDescription", L"本程序用来计算时间差值"},
        {L"Comments", L"08-1-1"},
        {L"ProductName", L"Tarvolin"},
        {L"OriginalFilename", L"tarvolin.exe"},
    };
    for (const auto& s : strings) {
        SCOPED_TRACE(testing::Message() << "entry " << std::string(s.name, s.name + wcslen(s.name)));
        UINT length = 0;
        const auto* text = static_cast<const wchar_t*>(Value(std::wstring(L"\\StringFileInfo\\080404B0\\") + s.name, &length));
        ASSERT_NE(text, nullptr) << "missing";
        EXPECT_TRUE(std::wstring(text) == s.text) << "differs (garbled when the .rc is read in another code page)";
    }
}

}  // namespace
}  // namespace tarvolin::e2e

// The look: each window against a picture compared with the design and
// approved (docs/*.png), the calculator with 8:00:00 to 17:30:00 worked out,
// at 96 and 144 DPI and in a dark contrast scheme; the clock's glyphs masked.
// Captures go to <build>/pictures, with the differences in red beside them.
#include "harness.h"
// GDI+ reads and writes PNG, on Windows and Wine alike.
#include <objidl.h>
//
#include <gdiplus.h>

#include <list>

namespace e2e {
namespace {

using namespace Gdiplus;

struct Picture {
    const wchar_t* name;
    Rect screen, mask;  // the window's place; within it, what moves
};
struct Look {
    const char* name;
    DWORD dpi;
    bool dark;
    Picture calculator, usage;
};
void PrintTo(const Look& look, std::ostream* out) { *out << look.name; }
// clang-format off
const Look kLooks[] = {
    {"Standard96", 96, 0, {L"calculator", {473, 377, 333, 270}, {120, 211, 201, 14}}, {L"usage", {353, 260, 320, 262}}},
    {"Standard144", 144, 0, {L"calculator-144", {391, 310, 498, 403}, {179, 315, 302, 21}}, {L"usage-144", {531, 392, 477, 390}}},
    {"Contrast96", 96, 1, {L"calculator-contrast", {473, 377, 333, 270}, {120, 211, 201, 14}}, {L"usage-contrast", {353, 260, 320, 262}}},
};
// What the pictures show of Windows' "High Contrast Black".
const wchar_t* const kDark[][2] = {{L"ButtonFace", L"0 0 0"}, {L"ButtonText", L"255 255 255"}, {L"Window", L"0 0 0"},
    {L"WindowText", L"255 255 255"}, {L"ButtonShadow", L"128 128 128"}, {L"ButtonHilight", L"255 255 255"},
    {L"GrayText", L"63 242 63"}, {L"ActiveTitle", L"0 0 0"}, {L"TitleText", L"255 255 255"}, {L"ActiveBorder", L"255 255 255"}};
// clang-format on

std::unique_ptr<Bitmap> Capture(const Rect& r) {
    HDC screen = GetDC(nullptr), copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.Width, r.Height);
    SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, r.Width, r.Height, screen, r.X, r.Y, SRCCOPY);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    std::unique_ptr<Bitmap> shot(new Bitmap(bitmap, nullptr));  // a copy of its pixels
    DeleteObject(bitmap);
    return shot;
}

// The window at its place as approved, once it is painted.
void ExpectApproved(const Picture& picture) {
    static const CLSID kPng = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0, 0, 0xf8, 0x1e, 0xf3, 0x2e}};
    const std::wstring approved = TARVOLIN_APPROVED_PICTURES + std::wstring(picture.name) + L".png",
                       seen = HereFolder() + L"pictures\\" + picture.name,
                       difference = seen + L"-difference.png";
    Bitmap want(approved.c_str());
    std::unique_ptr<Bitmap> shot, marked;
    int unlike = 0;
    WaitFor(
        [&] {
            shot = Capture(picture.screen), marked = Capture(picture.screen), unlike = 0;
            for (int y = 0; y < picture.screen.Height; ++y)
                for (int x = 0; x < picture.screen.Width; ++x) {
                    Color got, expected;
                    shot->GetPixel(x, y, &got);
                    if (picture.mask.Contains(x, y) ||
                        (!want.GetPixel(x, y, &expected) && got.GetValue() == expected.GetValue()))
                        continue;
                    marked->SetPixel(x, y, Color::Red);
                    ++unlike;
                }
            return !unlike;
        },
        5s);
    CreateDirectoryW((HereFolder() + L"pictures").c_str(), nullptr);
    shot->Save((seen + L".png").c_str(), &kPng, nullptr);
    DeleteFileW(difference.c_str());
    if (unlike) marked->Save(difference.c_str(), &kPng, nullptr);
    EXPECT_EQ(unlike, 0) << "pixels unlike " << Utf8(approved) << ": seen " << Utf8(seen)
                         << ".png, in red in " << Utf8(difference);
}

class Pictures : public testing::TestWithParam<Look> {};

TEST_P(Pictures, AsApproved) {
    const Look& look = GetParam();
    if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "the pictures are Wine's; Windows draws other fonts";
    if ((look.dpi != 96 || look.dark) && !MayChangeSettings())
        GTEST_SKIP() << "it would change the DPI or colours";
    static ULONG_PTR gdiplus = 0;
    const GdiplusStartupInput startup;
    if (!gdiplus) GdiplusStartup(&gdiplus, &startup, nullptr);
    std::list<Setting> settings;  // which a program reads when it starts
    if (look.dpi != 96)
        settings.emplace_back(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD,
                              &look.dpi, 4);
    for (auto [name, colour] : kDark)
        if (look.dark)
            settings.emplace_back(HKEY_CURRENT_USER, L"Control Panel\\Colors", name, REG_SZ, colour,
                                  2 + 2 * wcslen(colour));
    Program program;
    ASSERT_TRUE(program.Start());
    Press("8T0T0T17T30T0T ");
    ASSERT_TRUE(WaitFor([&] { return GetWindowTextLengthW(program.Control(107)); }));  // the clock ticked
    ExpectApproved(look.calculator);
    Press("TTT ");
    ASSERT_TRUE(WaitFor([&] { return program.Usage() && GetForegroundWindow() == program.Usage(); }));
    ExpectApproved(look.usage);
}

INSTANTIATE_TEST_SUITE_P(Of, Pictures, testing::ValuesIn(kLooks),
                         [](const testing::TestParamInfo<Look>& look) { return look.param.name; });

}  // namespace
}  // namespace e2e

// Each window against its approved picture (docs/*.png); the captures and
// differences go to <build>/pictures.
#include "harness.h"
// GDI+ reads and writes PNG.
#include <objidl.h>
#include <gdiplus.h>

#include <list>

namespace e2e {
namespace {

using namespace Gdiplus;

struct Look {
    const wchar_t* name;
    DWORD dpi;
    bool dark;
    Rect calculator, clock, usage;  // the windows' places, the clock's in the calculator
};
// clang-format off
const Look kLooks[] = {
    {L"", 96, 0, {473, 377, 333, 270}, {120, 211, 201, 14}, {353, 260, 320, 262}},
    {L"-144", 144, 0, {391, 310, 498, 403}, {179, 315, 302, 21}, {531, 392, 477, 390}},
    {L"-contrast", 96, 1, {473, 377, 333, 270}, {120, 211, 201, 14}, {353, 260, 320, 262}},
};
// Windows' "High Contrast Black".
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
    std::unique_ptr<Bitmap> shot(new Bitmap(bitmap, nullptr));
    DeleteObject(bitmap);
    return shot;
}

void ExpectApproved(const std::wstring& name, const Rect& screen, const Rect& mask = {}) {
    static const CLSID kPng = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0, 0, 0xf8, 0x1e, 0xf3, 0x2e}};
    const std::wstring approved = TARVOLIN_APPROVED_PICTURES + name + L".png",
                       seen = HereFolder() + L"pictures\\" + name, difference = seen + L"-difference.png";
    Bitmap want(approved.c_str());
    std::unique_ptr<Bitmap> shot, marked;
    int unlike = 0;
    WaitFor(
        [&] {
            shot = Capture(screen), marked = Capture(screen), unlike = 0;
            for (int y = 0; y < screen.Height; ++y)
                for (int x = 0; x < screen.Width; ++x) {
                    Color got, expected;
                    shot->GetPixel(x, y, &got);
                    if (mask.Contains(x, y) ||
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
    EXPECT_EQ(unlike, 0) << "pixels unlike " << approved << ": seen " << seen << ".png, in red in "
                         << difference;
}

TEST(Pictures, AsApproved) {
    if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "the pictures are Wine's";
    if (!MayChangeSettings()) GTEST_SKIP() << "the looks change the DPI and colours";
    ULONG_PTR gdiplus = 0;
    const GdiplusStartupInput startup;
    GdiplusStartup(&gdiplus, &startup, nullptr);
    for (const Look& look : kLooks) {
        std::list<Setting> settings;
        if (look.dpi != 96)
            settings.emplace_back(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD,
                                  &look.dpi, 4);
        for (auto [name, colour] : kDark)
            if (look.dark)
                settings.emplace_back(HKEY_CURRENT_USER, L"Control Panel\\Colors", name, REG_SZ, colour);
        Program program;
        ASSERT_TRUE(program.Start());
        Press("8T0T0T17T30T0T ");
        ASSERT_TRUE(WaitFor([&] { return GetWindowTextLengthW(program.Control(107)); }));
        ExpectApproved(L"calculator" + std::wstring(look.name), look.calculator, look.clock);
        Press("TTT ");
        ASSERT_TRUE(WaitFor([&] { return program.Usage() && GetForegroundWindow() == program.Usage(); }));
        ExpectApproved(L"usage" + std::wstring(look.name), look.usage);
    }
}

}  // namespace
}  // namespace e2e

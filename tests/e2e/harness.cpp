// The pictures with GDI+, which reads and writes PNG on every Windows and Wine.
#include "harness.h"
// Before GDI+.
#include <objidl.h>
#include <gdiplus.h>

namespace e2e {

using namespace Gdiplus;

void ExpectApproved(const std::wstring& picture, POINT at, POINT client, RECT mask, std::wstring seen) {
    static const CLSID kPng = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0, 0, 0xf8, 0x1e, 0xf3, 0x2e}};
    const std::wstring approved = TARVOLIN_APPROVED_PICTURES + picture + L".png";
    seen = L"pictures\\" + (seen.empty() ? picture : seen);
    Bitmap want(approved.c_str());
    if (want.GetLastStatus() != Ok) FAIL() << "no picture " << approved;
    const int width = want.GetWidth() - 2 * client.x, height = want.GetHeight() - client.y - client.x;
    std::unique_ptr<Bitmap> shot;
    std::vector<POINT> unlike;
    WaitFor(
        [&] {
            HDC screen = GetDC(nullptr), copy = CreateCompatibleDC(screen);
            HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
            SelectObject(copy, bitmap);
            BitBlt(copy, 0, 0, width, height, screen, at.x, at.y, SRCCOPY);
            DeleteDC(copy), ReleaseDC(nullptr, screen);
            shot.reset(new Bitmap(bitmap, nullptr));
            DeleteObject(bitmap);
            unlike.clear();
            for (POINT p{}; p.y < height; ++p.y)
                for (p.x = 0; p.x < width; ++p.x) {
                    Color got, expected;
                    shot->GetPixel(p.x, p.y, &got);
                    want.GetPixel(client.x + p.x, client.y + p.y, &expected);
                    if (got.GetValue() != expected.GetValue() &&
                        !PtInRect(&mask, {client.x + p.x, client.y + p.y}))
                        unlike.push_back(p);
                }
            return unlike.empty();
        },
        5s);
    CreateDirectoryW(L"pictures", nullptr);
    shot->Save((seen + L".png").c_str(), &kPng, nullptr);
    for (POINT p : unlike) shot->SetPixel(p.x, p.y, Color::Red);
    DeleteFileW((seen += L".difference.png").c_str());
    if (!unlike.empty()) shot->Save(seen.c_str(), &kPng, nullptr);
    EXPECT_TRUE(unlike.empty()) << unlike.size() << " pixels unlike " << approved << ", in red in " << seen;
}

}  // namespace e2e

// DPI-aware, to read windows in pixels; 77, skipped to ctest, if all skipped.
int main(int argc, char** argv) {
    SetProcessDPIAware();
    GetDesktopWindow();  // Wine starts the desktop's process here, not in a program's job
    ULONG_PTR gdiplus;
    const Gdiplus::GdiplusStartupInput startup;
    Gdiplus::GdiplusStartup(&gdiplus, &startup, nullptr);
    testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    if (failed || !run.test_to_run_count()) return 1;
    return run.skipped_test_count() == run.test_to_run_count() ? 77 : 0;
}

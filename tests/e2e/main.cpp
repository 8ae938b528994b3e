// The end-to-end tests' program. It ends with 77, which ctest reports as
// skipped, when every test it ran was skipped.
#include <windows.h>
// Before GDI+.
#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Windows' places and sizes in pixels, as the pictures have them.
    SetProcessDPIAware();
    // Wine starts the desktop's process on the first call, here rather than
    // in the job of the first program a test starts, which would end it.
    GetDesktopWindow();
    ULONG_PTR gdiplus = 0;
    const Gdiplus::GdiplusStartupInput startup;
    Gdiplus::GdiplusStartup(&gdiplus, &startup, nullptr);
    testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    if (failed || run.test_to_run_count() == 0) return 1;
    if (run.skipped_test_count() == run.test_to_run_count()) return 77;
    return 0;
}

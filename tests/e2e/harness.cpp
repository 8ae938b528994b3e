#include "harness.h"

// DPI-aware, to read windows in pixels; ends with 77, which ctest reports as
// skipped, when every test skipped.
int main(int argc, char** argv) {
    SetProcessDPIAware();
    GetDesktopWindow();  // Wine starts the desktop's process here, not in a program's job
    testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    if (failed || !run.test_to_run_count()) return 1;
    return run.skipped_test_count() == run.test_to_run_count() ? 77 : 0;
}

#include "harness.h"

// The test program, aware of the DPI so that it reads other programs' windows
// in physical pixels. A run in which every test was skipped ends with 77,
// which ctest reports as skipped; a run in which no test ran fails.
int main(int argc, char** argv) {
    SetProcessDPIAware();
    GetDesktopWindow();  // Wine starts the desktop's process here, not in a program's job
    testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    if (!run.test_to_run_count()) std::puts("No test matched.");
    return failed || !run.test_to_run_count()                    ? 1
           : run.skipped_test_count() == run.test_to_run_count() ? 77
                                                                 : 0;
}

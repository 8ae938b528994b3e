// The end-to-end test program. It reads window positions of another process
// in physical pixels, so it declares itself DPI aware before anything else.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

void BecomeDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto setContext = reinterpret_cast<SetContextFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (!setContext || !setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) SetProcessDPIAware();
}

}  // namespace

int main(int argc, char** argv) {
    BecomeDpiAware();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

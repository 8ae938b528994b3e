// The end-to-end test program. It reads the windows of another process in
// physical pixels, so it declares itself DPI aware before anything else.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

int main(int argc, char** argv) {
    // A copy under another name stands in for the system-information tool:
    // it waits until the test that started it finds it and ends it.
    wchar_t path[MAX_PATH];
    const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    if (self.substr(self.find_last_of(L'\\') + 1) != L"tarvolin_e2e_tests.exe") return Sleep(60000), 0;

    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (!setContext || !setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) SetProcessDPIAware();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

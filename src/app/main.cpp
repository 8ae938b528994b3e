// Start-up: the calculator window, then the message loop until the last
// window is closed.
#include "app/win32.h"

#include <commctrl.h>

#include "app/proc_address.h"
#include "app/startup_trace.h"
#include "calculator/calculator_window.h"
#include "usage/about_window.h"

namespace {

// Dispatches a message for a window of the program as a dialog would, so that
// Tab, Enter, Escape and access keys work there as in a dialog. False for a
// message it leaves alone, as one for no window, which the loop then
// translates and dispatches itself.
bool DispatchAsInDialog(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    return root && IsDialogMessageW(root, &message);
}

// DLLs come from the system folder only, never from the current folder. Looked
// up at run time: a Windows 7 without the update that added it still starts.
void RestrictDllSearch() {
    using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDirectories = tarvolin::ProcAddress<SetDirectoriesFn>(GetModuleHandleW(L"kernel32.dll"),
                                                                        "SetDefaultDllDirectories");
    if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    tarvolin::TraceStartup("wWinMain: the system's and the runtime's start done");
    RestrictDllSearch();

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    tarvolin::CalculatorWindow calculator(&tarvolin::ShowAboutWindow);
    if (!calculator.Create(showCommand)) return 1;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (DispatchAsInDialog(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

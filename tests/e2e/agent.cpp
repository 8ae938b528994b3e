// The tests' agent inside tarvolin.exe, loaded there by a WH_CALLWNDPROC
// hook: it answers what only the program's own process can, the font of a
// control, and changes the system's colours from there (Wine keeps each
// process's colours apart; on Windows the change is the session's).
#include <windows.h>

struct Colours {
    int count;
    int ids[8];
    COLORREF values[8];
};

extern "C" __declspec(dllexport) LRESULT CALLBACK AgentHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT question = RegisterWindowMessageW(L"TarvolinTestAgent");
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == question) {
        void* answer = reinterpret_cast<void*>(call->lParam);
        const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(call->hwnd, WM_GETFONT, 0, 0));
        if (call->wParam == 0) GetObjectW(font, sizeof(LOGFONTW), answer);
        const auto* colours = static_cast<const Colours*>(answer);
        if (call->wParam == 1) SetSysColors(colours->count, colours->ids, colours->values);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

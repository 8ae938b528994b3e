// The benchmark's yardstick: what every program that looks like tarvolin.exe
// must pay. One top-level window with one label in 宋体 9 pt, and a 500 ms
// timer that rewrites the label when the second changes; the same
// common-controls manifest. Built with the benchmark, never shipped.
#include <windows.h>

#include <cwchar>

namespace {

HWND label;
WORD shownSecond = 0xFFFF;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER: {
            SYSTEMTIME now;
            GetLocalTime(&now);
            if (now.wSecond == shownSecond) return 0;
            shownSecond = now.wSecond;
            wchar_t line[64];
            swprintf(line, 64, L"%d年%d月%d日 %d:%d:%d", now.wYear, now.wMonth, now.wDay, now.wHour,
                     now.wMinute, now.wSecond);
            SetWindowTextW(label, line);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"TarvolinReference";
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"Reference", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 341, 282, nullptr, nullptr, instance, nullptr);
    label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 116, 188, 201, 17, window, nullptr,
                            instance, nullptr);
    HFONT font =
        CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, L"宋体");
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetTimer(window, 1, 500, nullptr);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return 0;
}

// The system-information tool's stand-in: a window titled with its path.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CreateWindowW(L"Static", path, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    return Sleep(INFINITE), 0;
}

// Stands in for the system-information tool where a row's registry values
// point. It shows that it started, and from where, by a hidden window titled
// with its path, and waits until the test that started it ends its job.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CreateWindowW(L"Static", path, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    Sleep(INFINITE);
    return 0;
}

// Stands in for the system-information tool: records the path it was started
// from in the file that TARVOLIN_FAKE_TOOL_LOG names, one line each start.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t log[MAX_PATH];
    wchar_t self[MAX_PATH];
    if (!GetEnvironmentVariableW(L"TARVOLIN_FAKE_TOOL_LOG", log, MAX_PATH)) return 1;
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    WriteFile(file, self, length * sizeof(wchar_t), &written, nullptr);
    WriteFile(file, L"\n", sizeof(wchar_t), &written, nullptr);
    CloseHandle(file);
    return 0;
}

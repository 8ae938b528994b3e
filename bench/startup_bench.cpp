// startup_bench: starts Windows programs again and again and measures how
// long each takes until its main window is up and waiting for input, and how
// much memory it holds a second after its start. scripts/bench runs it under
// Wine and turns its output into a table.
//
//   startup_bench [measure] [--runs N] [--warmup N] [--memory-after-ms MS]
//                 [--pause-ms MS] [NAME=PATH ...]
//       Starts the programs in turn (A, B, A, B, ...) so that a drift of the
//       machine during the run touches both alike; after --warmup discarded
//       rounds, --runs measured ones. Without NAME=PATH: tarvolin.exe beside
//       this program and notepad.exe from the system folder.
//   startup_bench hold [--timeout-s S] NAME=PATH
//       Starts one program, prints "ready NAME PID" once it is, then keeps it
//       running until a line (or the end) arrives on standard input or the
//       timeout passes, and stops it.
//
// Every line of output is "KEY VALUE..." separated by single spaces:
//   sample NAME RUN visible_ms X ready_ms X working_set_bytes N private_bytes N
//   start_ms NAME MEDIAN MIN MAX          (start until ready, milliseconds)
//   visible_ms NAME MEDIAN MIN MAX        (start until a visible window)
//   working_set_bytes NAME MEDIAN MIN MAX
//   private_bytes NAME MEDIAN MIN MAX
//   runs NAME N
//   error MESSAGE...                      (and a non-zero exit code)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Program {
    std::string name;    // ASCII, used as the key in the output
    std::wstring path;   // full path of the .exe
};

struct Sample {
    double visibleMs = 0;
    double readyMs = 0;
    unsigned long long workingSet = 0;
    unsigned long long privateBytes = 0;
};

// How long to wait for a program's window before giving up.
constexpr DWORD kReadyLimitMs = 60000;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

// Output goes out line by line, unbuffered, so that a reader sees "ready"
// while the program is still running.
void Line(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The program being measured, if any: an error must not leave it running.
HANDLE g_running = nullptr;

[[noreturn]] void Fail(const std::string& message) {
    Line("error " + message);
    if (g_running) {
        TerminateProcess(g_running, 1);
        WaitForSingleObject(g_running, 10000);
    }
    std::exit(1);
}

std::string Fixed(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

class Clock {
public:
    Clock() { QueryPerformanceFrequency(&frequency_); }
    LARGE_INTEGER Now() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now;
    }
    double MsBetween(LARGE_INTEGER from, LARGE_INTEGER to) const {
        return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_{};
};

std::wstring Folder(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring SystemFolder() {
    wchar_t buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    return std::wstring(buffer, length) + L"\\";
}

Program ParseProgram(const std::wstring& argument) {
    const size_t equals = argument.find(L'=');
    if (equals == std::wstring::npos || equals == 0) Fail("expected NAME=PATH, got " + Utf8(argument));
    Program program{Utf8(argument.substr(0, equals)), argument.substr(equals + 1)};
    for (char c : program.name) {
        if (c <= ' ' || c > '~') Fail("program names are ASCII without spaces: " + program.name);
    }
    return program;
}

// A started program: its handles, closed and the process gone at the end.
class Started {
public:
    explicit Started(const Program& program) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + program.path + L"\"";
        // The path goes in as the application name as well, so that a space
        // in it cannot make Windows start some other program.
        if (!CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info_)) {
            Fail("cannot start " + Utf8(program.path) + " (error " + std::to_string(GetLastError()) + ")");
        }
        g_running = info_.hProcess;
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;
    ~Started() { Stop(); }

    HANDLE Process() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }
    bool Exited() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }

    // Ends the program and waits until it is gone.
    void Stop() {
        if (!info_.hProcess) return;
        if (!Exited()) {
            TerminateProcess(info_.hProcess, 1);
            if (WaitForSingleObject(info_.hProcess, 10000) != WAIT_OBJECT_0) {
                Line("warning process " + std::to_string(info_.dwProcessId) + " did not end within 10 s");
            }
        }
        g_running = nullptr;
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
        info_ = {};
    }

private:
    PROCESS_INFORMATION info_{};
};

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

bool HasVisibleWindow(DWORD processId) {
    WindowSearch search{processId, false};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits until the program shows a top-level window and then until it waits
// for input; fills in both times, counted from `start`.
void WaitUntilReady(const Started& started, const Program& program, const Clock& clock, LARGE_INTEGER start,
                    Sample& sample) {
    for (;;) {
        if (HasVisibleWindow(started.Id())) break;
        if (started.Exited()) Fail(program.name + " exited before showing a window");
        if (clock.MsBetween(start, clock.Now()) > kReadyLimitMs) Fail(program.name + " showed no window within 60 s");
        // Each look costs the wineserver a dozen requests, and the program
        // being started needs it too: every 2 ms is fine-grained enough.
        Sleep(2);
    }
    sample.visibleMs = clock.MsBetween(start, clock.Now());
    const DWORD idle = WaitForInputIdle(started.Process(), kReadyLimitMs);
    if (idle != 0) Fail(program.name + ": WaitForInputIdle returned " + std::to_string(idle));
    sample.readyMs = clock.MsBetween(start, clock.Now());
}

void ReadMemory(const Started& started, const Program& program, Sample& sample) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(started.Process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
        Fail(program.name + ": GetProcessMemoryInfo failed (error " + std::to_string(GetLastError()) + ")");
    }
    sample.workingSet = counters.WorkingSetSize;
    sample.privateBytes = counters.PrivateUsage;
}

Sample MeasureOnce(const Program& program, const Clock& clock, DWORD memoryAfterMs) {
    Sample sample;
    const LARGE_INTEGER start = clock.Now();
    Started started(program);
    WaitUntilReady(started, program, clock, start, sample);
    const double elapsed = clock.MsBetween(start, clock.Now());
    if (elapsed < memoryAfterMs) Sleep(static_cast<DWORD>(memoryAfterMs - elapsed));
    if (started.Exited()) Fail(program.name + " exited during the measurement");
    ReadMemory(started, program, sample);
    started.Stop();
    return sample;
}

template <typename T>
void PrintSummary(const std::string& key, const std::string& name, std::vector<T> values, bool fixed) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    // The median of an even count is the mean of the middle two.
    const double median = n % 2 ? static_cast<double>(values[n / 2])
                                : (static_cast<double>(values[n / 2 - 1]) + static_cast<double>(values[n / 2])) / 2;
    auto text = [fixed](double v) { return fixed ? Fixed(v) : std::to_string(static_cast<unsigned long long>(v + 0.5)); };
    Line(key + " " + name + " " + text(median) + " " + text(static_cast<double>(values.front())) + " " +
         text(static_cast<double>(values.back())));
}

int Measure(const std::vector<Program>& programs, int runs, int warmup, DWORD memoryAfterMs, DWORD pauseMs) {
    Clock clock;
    std::vector<std::vector<Sample>> samples(programs.size());
    Line("order " + std::to_string(warmup) + " warmup and " + std::to_string(runs) + " measured rounds, alternating");
    for (int round = -warmup; round < runs; ++round) {
        for (size_t i = 0; i < programs.size(); ++i) {
            const Sample sample = MeasureOnce(programs[i], clock, memoryAfterMs);
            const bool measured = round >= 0;
            Line(std::string(measured ? "sample " : "warmup ") + programs[i].name + " " +
                 std::to_string(measured ? round + 1 : round + warmup + 1) + " visible_ms " + Fixed(sample.visibleMs) +
                 " ready_ms " + Fixed(sample.readyMs) + " working_set_bytes " + std::to_string(sample.workingSet) +
                 " private_bytes " + std::to_string(sample.privateBytes));
            if (measured) samples[i].push_back(sample);
            // Let Wine finish tearing the old process down before the next.
            Sleep(pauseMs);
        }
    }
    for (size_t i = 0; i < programs.size(); ++i) {
        const std::string& name = programs[i].name;
        std::vector<double> ready, visible;
        std::vector<unsigned long long> workingSet, privateBytes;
        for (const Sample& s : samples[i]) {
            ready.push_back(s.readyMs);
            visible.push_back(s.visibleMs);
            workingSet.push_back(s.workingSet);
            privateBytes.push_back(s.privateBytes);
        }
        Line("runs " + name + " " + std::to_string(samples[i].size()));
        PrintSummary("start_ms", name, ready, true);
        PrintSummary("visible_ms", name, visible, true);
        PrintSummary("working_set_bytes", name, workingSet, false);
        PrintSummary("private_bytes", name, privateBytes, false);
    }
    return 0;
}

DWORD WINAPI WaitForStdinLine(LPVOID) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char c = 0;
    DWORD read = 0;
    while (input && input != INVALID_HANDLE_VALUE && ReadFile(input, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
    }
    return 0;
}

int Hold(const Program& program, DWORD timeoutMs) {
    Clock clock;
    Sample sample;
    const LARGE_INTEGER start = clock.Now();
    Started started(program);
    WaitUntilReady(started, program, clock, start, sample);
    Line("ready " + program.name + " " + std::to_string(started.Id()) + " " + Fixed(sample.readyMs));
    HANDLE waiter = CreateThread(nullptr, 0, WaitForStdinLine, nullptr, 0, nullptr);
    if (!waiter) Fail("cannot create a thread");
    const bool timedOut = WaitForSingleObject(waiter, timeoutMs) == WAIT_TIMEOUT;
    const bool exited = started.Exited();
    started.Stop();
    Line(std::string("stopped ") + program.name + (timedOut ? " timeout" : exited ? " exited" : " asked"));
    // The reader thread may still be blocked in ReadFile: leave without it.
    std::fflush(stdout);
    ExitProcess(exited ? 1 : 0);
    return 0;
}

int ParseCount(const wchar_t* text, const char* what, int minimum) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text ? text : L"", &end, 10);
    if (!text || *end || value < minimum || value > 100000) {
        Fail(std::string("bad value for ") + what + " (at least " + std::to_string(minimum) + ")");
    }
    return static_cast<int>(value);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 12, warmup = 1, memoryAfterMs = 1000, pauseMs = 300, timeoutS = 120;
    bool hold = false;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const wchar_t* next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (i == 1 && arg == L"measure") continue;
        if (i == 1 && arg == L"hold") { hold = true; continue; }
        if (arg == L"--runs") { runs = ParseCount(next, "--runs", 1); ++i; }
        else if (arg == L"--warmup") { warmup = ParseCount(next, "--warmup", 0); ++i; }
        else if (arg == L"--memory-after-ms") { memoryAfterMs = ParseCount(next, "--memory-after-ms", 0); ++i; }
        else if (arg == L"--pause-ms") { pauseMs = ParseCount(next, "--pause-ms", 0); ++i; }
        else if (arg == L"--timeout-s") { timeoutS = ParseCount(next, "--timeout-s", 1); ++i; }
        else if (arg.rfind(L"--", 0) == 0) Fail("unknown option " + Utf8(arg));
        else programs.push_back(ParseProgram(arg));
    }
    if (programs.empty()) {
        programs.push_back({"tarvolin", Folder(OwnPath()) + L"tarvolin.exe"});
        if (!hold) programs.push_back({"notepad", SystemFolder() + L"notepad.exe"});
    }
    for (const Program& p : programs) {
        if (GetFileAttributesW(p.path.c_str()) == INVALID_FILE_ATTRIBUTES) Fail("no such program: " + Utf8(p.path));
    }
    if (hold) {
        if (programs.size() != 1) Fail("hold takes one program");
        return Hold(programs.front(), static_cast<DWORD>(timeoutS) * 1000);
    }
    return Measure(programs, runs, warmup, static_cast<DWORD>(memoryAfterMs), static_cast<DWORD>(pauseMs));
}

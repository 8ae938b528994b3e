// startup_bench: starts Windows programs again and again, in turn, and
// prints their figures side by side with ratios to the first one's:
//
//   startup_bench [--runs N] [--idle-seconds S] NAME=PATH...
//
//   start to visible   process start until a visible top-level window
//   start to ready     ... until then the program waits for input
//   private memory     one second after the start: what Windows calls its
//                      private bytes (under Wine, its Linux process's
//                      anonymous memory)
//   working set        one second after the start
//   idle CPU           over S seconds once it is ready and settled, the CPU
//                      time of its Linux process and of the Wine server, in
//                      percent of one core
//
// Medians over N rounds (default 15) in which the programs take turns, so
// that the machine's drift touches all alike. Under Wine only: the Linux
// side is read from /proc through drive Z:.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
std::string tag;  // TARVOLIN_BENCH=..., set by the script for every Wine process it starts

struct Program {
    std::wstring name, path;
    std::vector<double> visibleMs, readyMs, privateKiB, workingSetKiB;
    double idlePercent = 0;
};

HANDLE running;  // the program being measured, ended on a failure too

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "startup_bench: %s\n", message.c_str());
    if (running) TerminateProcess(running, 1);
    std::exit(1);
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string ReadFile(const std::string& unixPath) {
    std::ifstream in("Z:" + unixPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The Linux processes whose environment holds `entry` and whose command line
// holds `name`.
std::vector<int> LinuxProcessesWith(const std::string& entry, const std::string& name = "") {
    std::vector<int> found;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &data);
    if (search == INVALID_HANDLE_VALUE) Fail("no /proc on drive Z:");
    do {
        const int pid = std::atoi(data.cFileName);
        if (pid <= 0) continue;
        const std::string environment = '\0' + ReadFile("/proc/" + std::to_string(pid) + "/environ");
        std::string commandLine = ReadFile("/proc/" + std::to_string(pid) + "/cmdline");
        for (char& c : commandLine) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (environment.find('\0' + entry + '\0') != std::string::npos &&
            commandLine.find(name) != std::string::npos)
            found.push_back(pid);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return found;
}

// CPU time of all the process's threads, in nanoseconds.
double CpuNs(int pid) {
    double total = 0;
    WIN32_FIND_DATAA data;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task/";
    HANDLE search = FindFirstFileA(("Z:" + tasks + "*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (std::atoi(data.cFileName) > 0)
            total += std::atof(ReadFile(tasks + data.cFileName + "/schedstat").c_str());
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return total;
}

bool HasVisibleWindow(DWORD processId) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return true;
    }
    return false;
}

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One start of a program, ended with the object. Wine hands the Linux
// environment down: the tag that the script set finds the program's process.
class Run {
public:
    Run(Program& program, bool measure) : program_(program) {
        std::wstring commandLine = L"\"" + program.path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        start_ = Clock::now();
        if (!CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &info_))
            Fail("cannot start " + Narrow(program.path));
        running = info_.hProcess;
        while (!HasVisibleWindow(info_.dwProcessId)) {
            if (MsSince(start_) > 60000) Fail(Narrow(program.name) + " showed no window");
            Sleep(1);
        }
        const double visible = MsSince(start_);
        if (WaitForInputIdle(info_.hProcess, 60000)) Fail(Narrow(program.name) + " never waited for input");
        if (measure) {
            program.visibleMs.push_back(visible);
            program.readyMs.push_back(MsSince(start_));
        }
    }
    ~Run() {
        running = nullptr;
        TerminateProcess(info_.hProcess, 0);
        WaitForSingleObject(info_.hProcess, 10000);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
    int LinuxPid() const {
        std::string file = Narrow(program_.path.substr(program_.path.find_last_of(L"\\/") + 1));
        for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        // The newest: the one before may not have gone yet.
        int newest = 0;
        unsigned long long newestStart = 0;
        for (int pid : LinuxProcessesWith(tag, file)) {
            const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
            std::istringstream fields(stat.substr(stat.rfind(')') + 2));
            std::string field;
            for (int i = 3; i < 22; ++i) fields >> field;  // the start time is field 22
            unsigned long long start = 0;
            fields >> start;
            if (start >= newestStart) {
                newest = pid;
                newestStart = start;
            }
        }
        if (!newest) Fail("no Linux process of " + Narrow(program_.name));
        return newest;
    }
    void MeasureMemory() {
        Sleep(static_cast<DWORD>(std::max(0.0, 1000 - MsSince(start_))));
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(info_.hProcess, &counters, sizeof counters);
        program_.workingSetKiB.push_back(counters.WorkingSetSize / 1024.0);
        program_.privateKiB.push_back(counters.PagefileUsage / 1024.0);
    }

private:
    Program& program_;
    PROCESS_INFORMATION info_{};
    Clock::time_point start_;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 15, idleSeconds = 30;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--runs" && i + 1 < argc)
            runs = std::max(1, _wtoi(argv[++i]));
        else if (arg == L"--idle-seconds" && i + 1 < argc)
            idleSeconds = std::max(1, _wtoi(argv[++i]));
        else if (arg.find(L'=') != std::wstring::npos) {
            programs.emplace_back();
            programs.back().name = arg.substr(0, arg.find(L'='));
            programs.back().path = arg.substr(arg.find(L'=') + 1);
        } else
            Fail("usage: startup_bench [--runs N] [--idle-seconds S] NAME=PATH...");
    }
    if (programs.empty()) Fail("no programs");
    char prefix[MAX_PATH], value[64];
    if (!GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH)) Fail("WINEPREFIX is not set");
    if (!GetEnvironmentVariableA("TARVOLIN_BENCH", value, 64)) Fail("TARVOLIN_BENCH is not set");
    tag = std::string("TARVOLIN_BENCH=") + value;

    for (int round = 0; round <= runs; ++round) {  // round 0 warms up
        for (Program& program : programs) {
            Run run(program, round > 0);
            if (round > 0) run.MeasureMemory();
        }
    }
    const std::vector<int> server = LinuxProcessesWith(std::string("WINEPREFIX=") + prefix);
    for (Program& program : programs) {
        Run run(program, false);
        const int pid = run.LinuxPid();
        Sleep(1000);
        int wineserver = 0;
        for (int candidate : server)
            if (ReadFile("/proc/" + std::to_string(candidate) + "/comm").rfind("wineserver", 0) == 0)
                wineserver = candidate;
        const double before = CpuNs(pid) + (wineserver ? CpuNs(wineserver) : 0);
        const Clock::time_point start = Clock::now();
        Sleep(static_cast<DWORD>(idleSeconds) * 1000);
        const double after = CpuNs(pid) + (wineserver ? CpuNs(wineserver) : 0);
        program.idlePercent = 100 * (after - before) / (MsSince(start) * 1e6);
        std::fprintf(stderr, "idle %s%s\n", Narrow(program.name).c_str(),
                     wineserver ? "" : " (no Wine server found)");
    }

    // Each figure with its ratio to the reference's (the program named so).
    const Program* reference = &programs[0];
    for (const Program& p : programs)
        if (p.name == L"reference") reference = &p;
    std::printf("%-38s", "");
    for (const Program& p : programs) std::printf("%20s", Narrow(p.name).c_str());
    const struct {
        const char* label;
        std::vector<double> Program::*values;
    } rows[] = {
        {"start to visible window (ms)", &Program::visibleMs},
        {"start to ready (ms)", &Program::readyMs},
        {"private memory 1 s after start (KiB)", &Program::privateKiB},
        {"working set 1 s after start (KiB)", &Program::workingSetKiB},
    };
    for (const auto& row : rows) {
        std::printf("\n%-38s", row.label);
        for (const Program& p : programs)
            std::printf("%12.*f (%4.2f)",
                        row.values == &Program::readyMs || row.values == &Program::visibleMs ? 1 : 0,
                        Median(p.*row.values), Median(p.*row.values) / Median(reference->*row.values));
    }
    std::printf("\n%-38s", ("idle CPU over " + std::to_string(idleSeconds) + " s (% of a core)").c_str());
    for (const Program& p : programs)
        std::printf("%12.3f (%+5.2f)", p.idlePercent, p.idlePercent - reference->idlePercent);
    std::printf(
        "\nMedians of %d runs each, taking turns; in brackets the ratio to the reference (for idle CPU the\n"
        "difference in points). Idle CPU is the program's and the Wine server's, one run each.\n",
        runs);
    return 0;
}

// Measures one program from outside, the way a user's system sees it:
//   startup ROUNDS SETTLE EXE...  ms from process start until "EXE" waits
//                              for input, for each EXE, ROUNDS times in turn
//                              after a round not counted; each runs SETTLE
//                              ms more and is then ended
//   memory SETTLE EXE [ARGS]   private bytes and working set after SETTLE ms
//   cpu SECONDS EXE [ARGS]     CPU ms used while resident for SECONDS
//   forward RESIDENT ROUNDS ARG EXE...  ms from start to end of "EXE ARG"
//                              for each EXE, as above, while RESIDENT,
//                              started without arguments, runs
// Programs that stay resident are ended afterwards.  Before starting the
// program the probe records "Version" = "14", so DRIM32.EXE starts as the
// tray program, and waits for its Wine session to settle.  Figures are
// printed as "name value" lines.

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string WindowsPath(std::string path)
{
    if (!path.empty() && path.front() == '/') {
        for (char& c : path)
            if (c == '/')
                c = '\\';
        path = "Z:" + path;
    }
    return path;
}

void RecordInstalledVersion()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\PALUN RUZI32\\DRIM32", 0, nullptr, 0, KEY_WRITE,
            nullptr, &key, nullptr)
        == ERROR_SUCCESS) {
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("14"), 3);
        RegCloseKey(key);
    }
}

// Each probe runs in a fresh Wine session, whose desktop, tray and services
// are still starting when the probe starts: a program started at once
// competed with them for the machine's two cores, and the same bare start
// then took anywhere from 17 to 80 ms.  Every program is started once the
// tray exists and the session has had time to settle.
void WaitForSettledSession()
{
    constexpr DWORD PollMs = 100;
    constexpr int PollLimit = 300;
    constexpr DWORD SettleMs = 2000;
    for (int i = 0; i < PollLimit && FindWindowA("Shell_TrayWnd", nullptr) == nullptr; ++i)
        Sleep(PollMs);
    Sleep(SettleMs);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0
        / static_cast<double>(frequency.QuadPart);
}

double MillisecondsSince(LARGE_INTEGER from)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return Milliseconds(from, now);
}

struct Started {
    PROCESS_INFORMATION info {};
    LARGE_INTEGER at {};
};

Started Start(int argc, char** argv, int first)
{
    std::string commandLine = "\"" + WindowsPath(argv[first]) + "\"";
    for (int i = first + 1; i < argc; ++i)
        commandLine += std::string(" ") + argv[i];
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    Started started;
    QueryPerformanceCounter(&started.at);
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
            &started.info)) {
        std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
        std::exit(2);
    }
    CloseHandle(started.info.hThread);
    return started;
}

void End(const Started& started)
{
    if (WaitForSingleObject(started.info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(started.info.hProcess, 0);
        WaitForSingleObject(started.info.hProcess, 5000);
    }
    CloseHandle(started.info.hProcess);
}

// A forwarded switch has the resident copy refresh its tray icon and tick
// 300 ms later; the next start waits until that is over.
constexpr DWORD ForwardGapMs = 1000;

// Starts each of `programs`, with `argument` when there is one, `rounds`
// times in turn, each round beginning with the next program, so that
// neither a busy moment of the machine nor the session's state favours any
// of them, and prints what `measure` returns for the started process as
// FIGURE_N (N the program's number, from 1).  The process is ended after.
template <typename Measure>
void TakeTurns(const char* figure, int rounds, char** programs, int count, char* argument, Measure measure)
{
    // The first start in a settled session takes up to twice as long as the
    // next, whichever program it is: a round before the counted ones takes
    // that cost for all of them.
    for (int round = -1; round < rounds; ++round) {
        for (int turn = 0; turn < count; ++turn) {
            const int index = (round + 1 + turn) % count;
            char* command[] = { programs[index], argument };
            const Started started = Start(argument != nullptr ? 2 : 1, command, 0);
            const double milliseconds = measure(started);
            End(started);
            if (round >= 0)
                std::printf("%s_%d %.1f\n", figure, index + 1, milliseconds);
        }
    }
}

double FileTimeMs(const FILETIME& t)
{
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: BenchProbe startup|memory|cpu|forward ...\n");
        return 2;
    }
    RecordInstalledVersion();
    WaitForSettledSession();
    const std::string mode = argv[1];

    if (mode == "startup" && argc >= 5) {
        const DWORD settle = static_cast<DWORD>(std::atoi(argv[3]));
        TakeTurns(
            "startup_ms", std::atoi(argv[2]), argv + 4, argc - 4, nullptr, [settle](const Started& started) {
                WaitForInputIdle(started.info.hProcess, 30000);
                const double milliseconds = MillisecondsSince(started.at);
                Sleep(settle);
                return milliseconds;
            });
        return 0;
    }

    if (mode == "forward" && argc >= 6) {
        const Started resident = Start(3, argv, 2);
        WaitForInputIdle(resident.info.hProcess, 30000);
        // Past the tray's start-up timers, so the forwarded switch meets the
        // steady resident copy.
        Sleep(1500);
        TakeTurns("forward_ms", std::atoi(argv[3]), argv + 5, argc - 5, argv[4], [](const Started& started) {
            WaitForSingleObject(started.info.hProcess, INFINITE);
            const double milliseconds = MillisecondsSince(started.at);
            Sleep(ForwardGapMs);
            return milliseconds;
        });
        End(resident);
        return 0;
    }

    if (argc < 4)
        return 2;
    const DWORD amount = static_cast<DWORD>(std::atoi(argv[2]));
    const Started started = Start(argc, argv, 3);

    if (mode == "memory") {
        Sleep(amount);
        PROCESS_MEMORY_COUNTERS_EX counters {};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(
            started.info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
        // Wine leaves PrivateUsage at 0 and reports the same figure as the
        // page-file usage, which is what Windows counts as private bytes.
        const SIZE_T privateBytes
            = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
        std::printf("private_kb %lu\nworking_set_kb %lu\n", static_cast<unsigned long>(privateBytes / 1024),
            static_cast<unsigned long>(counters.WorkingSetSize / 1024));
        std::fflush(stdout);
        // The Wine process's own resident set is read from Linux meanwhile.
        const char* hold = std::getenv("DRIM_BENCH_HOLD_MS");
        Sleep(hold != nullptr ? static_cast<DWORD>(std::atoi(hold)) : 0);
    } else if (mode == "cpu") {
        Sleep(amount * 1000);
        FILETIME created, exited, kernel, user;
        GetProcessTimes(started.info.hProcess, &created, &exited, &kernel, &user);
        std::printf("cpu_ms %.1f\n", FileTimeMs(kernel) + FileTimeMs(user));
    }
    End(started);
    return 0;
}

// The watch's read of the process list with many processes running.
// Times, run after run, the tray's read of the running watched programs
// with a list of 20 names none of which runs (the usual case: the snapshot
// is read and its names compared), against the bare walk of a process
// snapshot it stands on; first with the prefix's own processes, then with
// 200 copies of itself started, which wait for it to end.  With those, it
// also times a list holding its own name, which 201 processes run, and the
// submenu's listing of the windowed programs.  Prints one "name value" line
// per figure and run; judges nothing.
//
//   ProcessListBench.exe [RUNS]

#include "tray/ProgramList.h"

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int StandIns = 200;
constexpr int DefaultRuns = 20;
constexpr DWORD StartMilliseconds = 600000;
constexpr char WaitArgument[] = "wait";

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart)
        / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

std::string OwnName()
{
    char path[MAX_PATH] {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path);
    return full.substr(full.find_last_of('\\') + 1);
}

// A stand-in: waits for the bench that started it to end.
int WaitForParent(DWORD parent)
{
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, parent);
    if (process == nullptr)
        return 1;
    WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
    return 0;
}

bool StartStandIns(const std::string& self)
{
    const std::string command
        = "\"" + self + "\" " + WaitArgument + " " + std::to_string(GetCurrentProcessId());
    for (int i = 0; i < StandIns; ++i) {
        STARTUPINFOA startup {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started {};
        std::string line = command;
        if (!CreateProcessA(
                nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
            return false;
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    return true;
}

std::size_t BareSnapshot()
{
    std::size_t count = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return count;
    PROCESSENTRY32 entry {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        ++count;
    CloseHandle(snapshot);
    return count;
}

template <typename Read> void Time(const char* name, int runs, Read read)
{
    for (int run = 0; run < runs; ++run) {
        const LARGE_INTEGER start = Now();
        const std::size_t found = read();
        std::printf(
            "%s %.3f\n%s_found %u\n", name, Milliseconds(start, Now()), name, static_cast<unsigned>(found));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == WaitArgument)
        return WaitForParent(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
    const int runs = argc > 1 ? std::atoi(argv[1]) : DefaultRuns;
    WatchList none;
    for (int i = 0; i < 20; ++i)
        none.push_back("absent" + std::to_string(i) + ".exe");
    Time("few_snapshot_ms", runs, BareSnapshot);
    Time("few_read_none_ms", runs, [&] { return RunningWatchedProgram(none).size(); });
    const std::size_t few = BareSnapshot();

    char self[MAX_PATH] {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (!StartStandIns(self)) {
        std::printf("error could not start the stand-ins\n");
        return 1;
    }
    const WatchList own { OwnName() };
    // Until every stand-in shows in the snapshot.
    const DWORD start = GetTickCount();
    while (BareSnapshot() < few + StandIns && GetTickCount() - start < StartMilliseconds)
        Sleep(100);
    std::printf("processes %u\n", static_cast<unsigned>(BareSnapshot()));
    Time("snapshot_ms", runs, BareSnapshot);
    Time("read_none_ms", runs, [&] { return RunningWatchedProgram(none).size(); });
    Time("read_own_ms", runs, [&] { return RunningWatchedProgram(own).size(); });
    Time("windows_ms", runs, [] { return WindowedPrograms().files.size(); });
    return 0;
}

// Start-up time: from process creation to the main window being visible, for Trinumero.exe
// against two floors on the same machine: bare_window.exe, the same window with the same
// controls, menu, font and manifest but none of the program's logic, and empty_window.exe,
// which only shows one empty window. The three run in turn, round after round, so that a
// slow phase of the machine hurts all alike; each round starts with the next program, so
// that none always follows the same one (the previous process's clean-up in the
// wineserver would otherwise land on the same program every time).
//   startup_bench TRINUMERO_EXE BARE_WINDOW_EXE EMPTY_WINDOW_EXE [ROUNDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/timing_win32.h"
#include "tests/kit/windows_win32.h"

namespace {

// Milliseconds until the program's first visible window, or a negative number on failure.
double TimeToWindow(const std::string& program) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + program + "\"";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    HWND found = nullptr;
    LARGE_INTEGER now = start;
    while (found == nullptr && bench::Microseconds(start, now) < 30e6) {
        found = trinumero::testing::FindVisibleWindow(process.dwProcessId);
        if (found == nullptr) {
            Sleep(0);
        }
        QueryPerformanceCounter(&now);
    }
    const double milliseconds = bench::Microseconds(start, now) / 1000;
    if (found != nullptr) {
        PostMessageW(found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return found != nullptr ? milliseconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: startup_bench TRINUMERO_EXE BARE_WINDOW_EXE EMPTY_WINDOW_EXE "
                     "[ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 31;
    const char* const names[3] = {"Trinumero.exe", "bare window", "empty window"};
    std::vector<double> times[3];
    for (int program = 0; program < 3; ++program) {
        TimeToWindow(argv[1 + program]);  // warm-up: the files are in the cache afterwards
    }
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 3; ++turn) {
            const int program = (round + turn) % 3;
            const double milliseconds = TimeToWindow(argv[1 + program]);
            if (milliseconds < 0) {
                std::fprintf(stderr, "%s did not show its window\n", names[program]);
                return 1;
            }
            times[program].push_back(milliseconds);
        }
    }
    double medians[3];
    std::printf("start-up to visible window, median of %d interleaved rounds\n", rounds);
    for (int program = 0; program < 3; ++program) {
        medians[program] = bench::Percentile(times[program], 50);
        std::printf("  %-16s %8.1f ms\n", names[program], medians[program]);
    }
    // The ratio of each round's own times, then their median: a round's programs ran within
    // a second of each other, so a slow phase of the machine cancels out.
    const auto round_ratio = [&](int numerator, int denominator) {
        std::vector<double> ratios;
        for (int round = 0; round < rounds; ++round) {
            ratios.push_back(times[numerator][round] / times[denominator][round]);
        }
        return bench::Percentile(ratios, 50);
    };
    std::printf("  %-26s %9s %13s\n", "", "of medians", "median ratio");
    std::printf("  %-26s %9.2f %13.2f   goal: at most 1.08\n", "Trinumero / bare window",
                medians[0] / medians[1], round_ratio(0, 1));
    std::printf("  %-26s %9.2f %13.2f\n", "Trinumero / empty window", medians[0] / medians[2],
                round_ratio(0, 2));
    std::printf("  %-26s %9.2f %13.2f\n", "bare / empty window", medians[1] / medians[2],
                round_ratio(1, 2));
    return 0;
}

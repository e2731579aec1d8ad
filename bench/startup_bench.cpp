// Start-up time: from process creation to the main window being visible, for
// Trinumero.exe and for a program that only shows an empty window, on the same machine.
//   startup_bench TRINUMERO_EXE EMPTY_WINDOW_EXE [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process_id;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process_id && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

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
    Search search{process.dwProcessId, nullptr};
    LARGE_INTEGER now = start;
    while (search.found == nullptr && Seconds(start, now) < 30) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            Sleep(0);
        }
        QueryPerformanceCounter(&now);
    }
    const double milliseconds = Seconds(start, now) * 1000;
    if (search.found != nullptr) {
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return search.found != nullptr ? milliseconds : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench TRINUMERO_EXE EMPTY_WINDOW_EXE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;
    std::vector<double> program_times;
    std::vector<double> empty_times;
    // Interleaved, so that a slow phase of the machine hurts both alike; one warm-up each.
    TimeToWindow(argv[1]);
    TimeToWindow(argv[2]);
    for (int i = 0; i < runs; ++i) {
        const double program = TimeToWindow(argv[1]);
        const double empty = TimeToWindow(argv[2]);
        if (program < 0 || empty < 0) {
            std::fprintf(stderr, "a program did not show its window\n");
            return 1;
        }
        program_times.push_back(program);
        empty_times.push_back(empty);
    }
    const double program_median = Median(program_times);
    const double empty_median = Median(empty_times);
    std::printf("start-up to visible window, median of %d runs\n", runs);
    std::printf("  Trinumero.exe     %8.1f ms\n", program_median);
    std::printf("  empty window      %8.1f ms\n", empty_median);
    std::printf("  ratio             %8.2f (goal: at most 1.20)\n", program_median / empty_median);
    return 0;
}

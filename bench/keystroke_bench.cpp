// Keystroke latency: from a character reaching the field's message queue to both other
// fields rewritten, the highlight frame included, through the program's own start-up and
// event loop. Alternates a digit and Backspace so that the field never fills up.
//   keystroke_bench [KEYSTROKES]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/main_flow.h"
#include "ui/event_model.h"

namespace {

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int keystrokes = argc > 1 ? std::atoi(argv[1]) : 1000;
    trinumero::ProgramState state;
    if (!trinumero::StartUp(state)) {
        std::fprintf(stderr, "the main window could not be made\n");
        return 1;
    }
    SetFocus(state.hex_field);
    // Let start-up's own messages (paint, activation, focus) drain first.
    PostMessageW(state.hex_field, WM_NULL, 0, 0);
    for (int i = 0; i < 50; ++i) {
        MSG message;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            break;
        }
        trinumero::RunEventLoopTurn(state);
    }

    std::vector<double> latencies;
    for (int i = 0; i < keystrokes; ++i) {
        const wchar_t key = i % 2 == 0 ? L'F' : L'\b';
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        PostMessageW(state.hex_field, WM_CHAR, key, 1);
        do {
            trinumero::RunEventLoopTurn(state);
        } while (!(state.event_code == trinumero::kEventControl &&
                   state.event_subtype == trinumero::kSubtypeContentsChanged));
        LARGE_INTEGER end;
        QueryPerformanceCounter(&end);
        latencies.push_back(Microseconds(start, end));
    }
    trinumero::ShutDown();

    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[latencies.size() / 2];
    const double p99 = latencies[latencies.size() * 99 / 100];
    std::printf("keystroke to both fields rewritten and framed, %d keystrokes\n", keystrokes);
    std::printf("  median            %8.0f us (goal: under 2000)\n", median);
    std::printf("  99th percentile   %8.0f us\n", p99);
    return 0;
}

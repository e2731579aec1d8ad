// Keystroke latency under the program's own start-up and event loop: from a character
// posted to a field until the thread is idle again (no message left in its queue, no
// deferred event left), so that every repaint the keystroke caused is counted.
//
// Two kinds of keystroke, each against its floor, all interleaved so that a slow phase of
// the machine hurts all alike:
//   frame stays   the program's loop turn, typing on in the hexadecimal field;
//   frame moves   the same, in the decimal or binary field, the frame coming from another;
//   floors        the same keystrokes into the same fields with the same conversion but no
//                 frame: what the platform costs before the highlight adds anything.
//   keystroke_bench [KEYSTROKES]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/edit_field_access.h"
#include "app/main_flow.h"
#include "bench/timing_win32.h"
#include "engine/conversion_controller.h"
#include "ui/events/event_model.h"

namespace {

bool Idle() {
    MSG message;
    return trinumero::Events().deferred.Empty() &&
           !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

// One turn of the main loop without the highlight: the conversion alone.
void RunTurnWithoutFrame(trinumero::ProgramState& state) {
    state.event_code = trinumero::WaitEvent();
    state.event_control = trinumero::EventControl();
    state.event_subtype = trinumero::EventSubtype();
    if (state.event_code == trinumero::kEventControl &&
        state.event_subtype == trinumero::kSubtypeContentsChanged && state.event_control >= 0 &&
        state.event_control <= 2) {
        trinumero::EditFieldAccess fields;
        trinumero::ConvertFromField(fields, state.event_control);
    }
}

struct Series {
    const char* name;
    std::vector<double> latencies;
};

}  // namespace

int main(int argc, char** argv) {
    const int keystrokes = argc > 1 ? std::atoi(argv[1]) : 1000;
    trinumero::ProgramState state;
    if (!trinumero::StartUp(state)) {
        std::fprintf(stderr, "the main window could not be made\n");
        return 1;
    }
    SetFocus(state.hex_field);
    for (int turn = 0; turn < 200 && !Idle(); ++turn) {
        trinumero::RunEventLoopTurn(state);
    }

    Series framed{"frame stays", {}};
    Series floor{"  its floor (no frame)", {}};
    Series moving{"frame moves", {}};
    Series moving_floor{"  its floor (no frame)", {}};
    // Each field types a digit, then Backspace, and so on: it never fills up.
    int typed[3] = {0, 0, 0};
    const HWND fields[3] = {state.hex_field, state.dec_field, state.bin_field};
    const auto press = [&](int field, Series* series) {
        const wchar_t key = typed[field]++ % 2 == 0 ? L'1' : L'\b';
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        PostMessageW(fields[field], WM_CHAR, key, 1);
        do {
            if (series == &floor || series == &moving_floor) {
                RunTurnWithoutFrame(state);
            } else {
                trinumero::RunEventLoopTurn(state);
            }
        } while (!Idle());
        LARGE_INTEGER end;
        QueryPerformanceCounter(&end);
        if (series != nullptr) {
            series->latencies.push_back(bench::Microseconds(start, end));
        }
    };
    for (int i = 0; i < keystrokes; ++i) {
        const int other = 1 + i % 2;  // the decimal or the binary field
        press(other, &moving);        // the frame moves from the hexadecimal field
        press(other, &moving_floor);
        press(0, nullptr);  // the frame back on the hexadecimal field, not counted
        press(0, &framed);
        press(0, &floor);
    }
    trinumero::ShutDown();

    std::printf("keystroke until idle, %d keystrokes of each kind, interleaved\n", keystrokes);
    std::printf("  %-24s %9s %9s %7s\n", "", "median", "p99", "ratio");
    for (const auto& [series, series_floor] :
         {std::pair{&framed, &floor}, std::pair{&moving, &moving_floor}}) {
        const double floor_median = bench::Percentile(series_floor->latencies, 50);
        for (const Series* shown : {series, series_floor}) {
            const double median = bench::Percentile(shown->latencies, 50);
            std::printf("  %-24s %6.0f us %6.0f us %7.2f\n", shown->name, median,
                        bench::Percentile(shown->latencies, 99), median / floor_median);
        }
    }
    std::printf("  goal: median at most 1.3 x its floor (bar 1.5), p99 under 3000 us\n");
    return 0;
}

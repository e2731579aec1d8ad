// Keystroke latency under the program's own start-up and event loop: from a character
// posted to a field until the thread is idle again (no message left in its queue, no
// deferred event left), so that every repaint the keystroke caused is counted.
//
// Three kinds of keystroke, interleaved so that a slow phase of the machine hurts all alike:
//   framed        the program's loop turn, typing on in the same field (the frame stays);
//   frame moves   the same, alternating between two fields (the frame moves each time);
//   floor         the same keystroke and conversion without any frame: what the platform
//                 costs before the highlight adds anything.
//   keystroke_bench [KEYSTROKES]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/edit_field_access.h"
#include "app/main_flow.h"
#include "engine/conversion_controller.h"
#include "ui/event_model.h"

namespace {

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 /
           static_cast<double>(frequency.QuadPart);
}

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
        trinumero::EditFieldAccess fields({state.hex_field, state.dec_field, state.bin_field});
        trinumero::ConvertFromField(fields, state.event_control);
    }
}

struct Series {
    const char* name;
    std::vector<double> latencies;
};

double Percentile(std::vector<double> values, int percent) {
    std::sort(values.begin(), values.end());
    return values[values.size() * static_cast<std::size_t>(percent) / 100];
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
    for (int turn = 0; turn < 200 && !Idle(); ++turn) {
        trinumero::RunEventLoopTurn(state);
    }

    Series framed{"framed (frame stays)", {}};
    Series moving{"framed (frame moves)", {}};
    Series floor{"floor (no frame)", {}};
    // Each field types a digit, then Backspace, and so on: it never fills up.
    int typed[3] = {0, 0, 0};
    const HWND fields[3] = {state.hex_field, state.dec_field, state.bin_field};
    const auto press = [&](int field, Series* series) {
        const wchar_t key = typed[field]++ % 2 == 0 ? L'1' : L'\b';
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        PostMessageW(fields[field], WM_CHAR, key, 1);
        do {
            if (series == &floor) {
                RunTurnWithoutFrame(state);
            } else {
                trinumero::RunEventLoopTurn(state);
            }
        } while (!Idle());
        LARGE_INTEGER end;
        QueryPerformanceCounter(&end);
        if (series != nullptr) {
            series->latencies.push_back(Microseconds(start, end));
        }
    };
    for (int i = 0; i < keystrokes; ++i) {
        press(1 + i % 2, &moving);  // the frame moves from the hexadecimal field or the other
        press(0, nullptr);          // back to the hexadecimal field, not counted
        press(0, &framed);
        press(0, &floor);
    }
    trinumero::ShutDown();

    const double floor_median = Percentile(floor.latencies, 50);
    std::printf("keystroke until idle, %d keystrokes of each kind, interleaved\n", keystrokes);
    std::printf("  %-22s %9s %9s %7s\n", "", "median", "p99", "ratio");
    for (const Series* series : {&framed, &moving, &floor}) {
        const double median = Percentile(series->latencies, 50);
        std::printf("  %-22s %6.0f us %6.0f us %7.2f\n", series->name, median,
                    Percentile(series->latencies, 99), median / floor_median);
    }
    std::printf("  goal: framed median at most 1.3 x floor (bar 1.5), p99 under 3000 us\n");
    return 0;
}

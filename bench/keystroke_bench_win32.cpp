// Keystroke latency through the program's own start-up and event loop, against the same
// keystroke without the frame round the edited field.
//
// Each round presses keys in the decimal or the binary field (by turns), after one press in the
// hexadecimal field that puts the frame there:
//   frame moves   the first press in the field: the frame comes from the hexadecimal field;
//   frame stays   the next press in the same field: the frame is on it from the press before;
//   floors        the same presses, one after each, by a loop that converts but draws no frame.
// Every press changes its field's text: the caret goes to the end, and the key is a digit while
// the text is short and Backspace once it is long. Before each measured press the benchmark reads
// from the screen where the frame is; a press that does not change its field's text, or does not
// find the frame where its kind says, is counted, and a series with any such press is refused.
//
// Start and end: a press starts once the drawing of everything before it has reached the display
// and ends once its own has. Before each press the loop runs until the thread is idle, three times
// after a wait of 15 ms on its queue, so that late repaints and the timers of the system are done
// too. A press ends when its loop turns leave the thread idle (no message, no deferred event):
// finding its queue empty, Wine copies the window's drawing to the X server. Then one pixel of
// the field's outline is read from the screen: Wine reads it from the X server over the same
// connection, so the answer comes only after the drawing has been done there. The floors read
// the same pixel.
//   keystroke_bench [ROUNDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/edit_field_access.h"
#include "app/main_flow.h"
#include "bench/timing_win32.h"
#include "engine/conversion_controller.h"
#include "support/handles_win32.h"
#include "support/wide_text_win32.h"
#include "ui/events/event_model.h"
#include "ui/look/colour_scheme.h"
#include "ui/window/main_window_layout.h"

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

void RunUntilIdle(trinumero::ProgramState& state, bool frame) {
    while (!Idle()) {
        if (frame) {
            trinumero::RunEventLoopTurn(state);
        } else {
            RunTurnWithoutFrame(state);
        }
    }
}

// Everything before has reached the display: the thread is idle three times over after a wait.
void Settle(trinumero::ProgramState& state) {
    for (int wait = 0; wait < 3; ++wait) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 15, QS_ALLINPUT);
        RunUntilIdle(state, true);
    }
}

// The top left pixel of the field's outline on the screen.
COLORREF OutlinePixel(HWND field) {
    RECT outline{};
    GetWindowRect(field, &outline);
    return GetPixel(trinumero::WindowDc(nullptr).Get(), outline.left, outline.top);
}

struct Series {
    const char* name;
    const char* kind;  // what each of its presses must have found
    std::vector<double> latencies;
    int presses = 0;
    int of_their_kind = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 400;
    trinumero::ProgramState state;
    if (!trinumero::StartUp(state)) {
        std::fprintf(stderr, "the main window could not be made\n");
        return 1;
    }
    const HWND fields[3] = {state.hex_field, state.dec_field, state.bin_field};
    const COLORREF frame = trinumero::HighlightColourOf(trinumero::kMainWindowNumber);
    Settle(state);

    Series moves{"frame moves", "found the frame on another field", {}};
    Series moves_floor{"  its floor (no frame)", "", {}};
    Series stays{"frame stays", "found the frame on its own field", {}};
    Series stays_floor{"  its floor (no frame)", "", {}};
    // One press in the field, measured into the series unless it is none. The frame is where
    // the kind of the series says when found_frame names the field it is on.
    const auto press = [&](int field, Series* series, HWND found_frame) {
        const HWND edit = fields[field];
        const int length = GetWindowTextLengthW(edit);
        SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(length), length);
        const std::wstring before = trinumero::WindowText(edit);
        bool of_kind =
            found_frame == nullptr || (OutlinePixel(found_frame) == frame &&
                                       (found_frame == edit || OutlinePixel(edit) != frame));
        Settle(state);
        const bool frame_drawn = series == nullptr || series->kind[0] != '\0';

        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        PostMessageW(edit, WM_CHAR, length < 5 ? L'1' : L'\b', 1);
        RunUntilIdle(state, frame_drawn);
        const COLORREF shown = OutlinePixel(edit);
        LARGE_INTEGER end;
        QueryPerformanceCounter(&end);

        of_kind =
            of_kind && trinumero::WindowText(edit) != before && (!frame_drawn || shown == frame);
        if (series != nullptr) {
            series->latencies.push_back(bench::Microseconds(start, end));
            ++series->presses;
            series->of_their_kind += of_kind ? 1 : 0;
        }
    };
    for (int round = 0; round < rounds; ++round) {
        const int field = 1 + round % 2;  // the decimal or the binary field
        press(0, nullptr, nullptr);       // the frame on the hexadecimal field
        press(field, &moves, fields[0]);
        press(field, &moves_floor, nullptr);
        press(field, &stays, fields[field]);
        press(field, &stays_floor, nullptr);
    }
    trinumero::ShutDown();

    std::printf("keystroke, %d presses of each kind, interleaved\n", rounds);
    bool refused = false;
    for (const Series* series : {&moves, &moves_floor, &stays, &stays_floor}) {
        std::printf("  %-24s %d of %d presses changed their field's text%s%s\n", series->name,
                    series->of_their_kind, series->presses, series->kind[0] != '\0' ? " and " : "",
                    series->kind);
        refused = refused || series->of_their_kind != series->presses;
    }
    if (refused) {
        std::printf("REFUSED: a series holds presses that are not of its kind\n");
        return 1;
    }
    std::printf("  %-24s %9s %9s %7s\n", "", "median", "p99", "ratio");
    for (const auto& [series, series_floor] :
         {std::pair{&moves, &moves_floor}, std::pair{&stays, &stays_floor}}) {
        const double floor_median = bench::Percentile(series_floor->latencies, 50);
        for (const Series* shown : {series, series_floor}) {
            const double median = bench::Percentile(shown->latencies, 50);
            std::printf("  %-24s %6.0f us %6.0f us %7.2f\n", shown->name, median,
                        bench::Percentile(shown->latencies, 99), median / floor_median);
        }
    }
    std::printf("  goal: median at most 1.15 x its floor, p99 under 3000 us\n");
    return 0;
}

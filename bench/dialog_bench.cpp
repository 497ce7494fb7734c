// Opening and closing a 40 x 12 dialog from its template and an OK/Cancel
// message box: the time per open and close, and for each of the two steps
// the screen cells it changes, the bytes the terminal renderer sends for
// them and the glyph bytes of those cells, with the ratio of the two, and
// the least bytes once each run of changed cells pays for a move and colour.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/busy_screen.h"
#include "bench/frame_cost.h"
#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace {

using tuikit::bench::Frame;
using tuikit::bench::FrameCost;

constexpr int kWidth = 80;
constexpr int kHeight = 25;
constexpr UINT kMeasureOpen = WM_USER + 1;

// Console up and a busy screen, the terminal up to date.
void Start()
{
    if (tuikit::bench::StartBusyConsole(kWidth, kHeight)) Frame();
}

LRESULT CALLBACK EndOnCommand(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND) TuiEndDialog(LOWORD(wParam));
    return 0;
}

// What the dialog loop will take once the dialog is up: Cancel, which ends
// both the bench dialog and the message box.
void PostCancel() { PostThreadMessageA(GetCurrentThreadId(), WM_COMMAND, IDCANCEL, 0); }

void OpenDialog() { TuiDialogBox("Bench", EndOnCommand, -1, -1); }
void OpenMessageBox() { TuiMessageBox("Save the changes to the document before closing?", "Bench", MB_OKCANCEL); }

// The terminal's costs of one open (up to the first message the loop takes)
// and of the close that follows.
FrameCost openCost;
void MeasureOpen(const MSG &msg)
{
    if (msg.message == kMeasureOpen) openCost = Frame();
}

void Report(benchmark::State &state, const char *step, const FrameCost &cost)
{
    const std::string s(step);
    state.counters["cells_" + s] = static_cast<double>(cost.cells);
    state.counters["bytes_" + s] = static_cast<double>(cost.bytes);
    state.counters["glyph_bytes_" + s] = static_cast<double>(cost.glyphBytes);
    state.counters["ratio_" + s] = cost.GlyphRatio();
    state.counters["bound_" + s] = static_cast<double>(cost.Bound());  // glyphs plus a move and colour per run
}

void Measure(benchmark::State &state, void (*open)())
{
    PostThreadMessageA(GetCurrentThreadId(), kMeasureOpen, 0, 0);
    PostCancel();
    tuikit::dialog::DialogLoopObserver = MeasureOpen;
    open();
    tuikit::dialog::DialogLoopObserver = nullptr;
    Report(state, "open", openCost);
    Report(state, "close", Frame());
}

void BM_OpenCloseDialog(benchmark::State &state)
{
    Start();
    for (auto _ : state) {
        PostCancel();
        OpenDialog();
    }
    Measure(state, OpenDialog);
}
BENCHMARK(BM_OpenCloseDialog)->Unit(benchmark::kMicrosecond);

void BM_OpenCloseMessageBox(benchmark::State &state)
{
    Start();
    for (auto _ : state) {
        PostCancel();
        OpenMessageBox();
    }
    Measure(state, OpenMessageBox);
}
BENCHMARK(BM_OpenCloseMessageBox)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

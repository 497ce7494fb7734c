// Core figures: message round trip, pump latency, run writes and clears.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "core/draw.h"
#include "tuikit/tuikit.h"

namespace {

// Post to the own queue and take it back: the cost of one message hop.
void PostedMessageRoundTrip(benchmark::State &state)
{
    DWORD me = GetCurrentThreadId();
    MSG msg;
    for (auto _ : state) {
        PostThreadMessageA(me, WM_USER, 1, 2);
        GetMessageA(&msg, nullptr, 0, 0);
        benchmark::DoNotOptimize(msg);
    }
}
BENCHMARK(PostedMessageRoundTrip);

// An input record appended to the console until its message is retrieved on
// the main thread: one hop through the pump thread. Reports median and p90.
void PumpHop(benchmark::State &state)
{
    const bool fromSleep = state.range(0) != 0;
    TuiInit();
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    INPUT_RECORD rec{};
    rec.EventType = KEY_EVENT;
    rec.Event.KeyEvent.bKeyDown = TRUE;
    rec.Event.KeyEvent.wVirtualKeyCode = 0x41;
    rec.Event.KeyEvent.uChar.AsciiChar = 'a';
    std::vector<double> samples;
    MSG msg;
    for (auto _ : state) {
        // With a pause first, both threads are asleep when the record comes,
        // as they are between a person's keystrokes.
        if (fromSleep) {
            state.PauseTiming();
            Sleep(1);
            state.ResumeTiming();
        }
        auto start = std::chrono::steady_clock::now();
        DWORD n;
        WriteConsoleInputA(in, &rec, 1, &n);
        GetMessageA(&msg, nullptr, 0, 0);
        samples.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(samples.begin(), samples.end());
    if (!samples.empty()) {
        state.counters["median_us"] = samples[samples.size() / 2];
        state.counters["p90_us"] = samples[samples.size() * 9 / 10];
    }
}
BENCHMARK(PumpHop)->Arg(0)->Arg(1)->ArgNames({"from_sleep"})->UseRealTime();

void WriteRunOf80Cells(benchmark::State &state)
{
    TuiInit();
    std::string line(80, 'x');
    for (auto _ : state) {
        TuiWriteText(0, 5, line.c_str(), 0x1F);
    }
    state.SetItemsProcessed(state.iterations() * 80);
}
BENCHMARK(WriteRunOf80Cells);

void ClearFullScreen200x60(benchmark::State &state)
{
    TuiInit();
    SetConsoleScreenBufferSize(TuiOutputHandle(), COORD{200, 60});
    for (auto _ : state) {
        TuiClearScreen(0, 0, 199, 59, 0x17);
    }
    state.SetItemsProcessed(state.iterations() * 200 * 60);
}
BENCHMARK(ClearFullScreen200x60);

void DrawBox20x8(benchmark::State &state)
{
    TuiInit();
    for (auto _ : state) tuikit::core::DrawFilledBox(10, 5, 29, 12, 0x70, 0x70, 1);
}
BENCHMARK(DrawBox20x8);

}  // namespace

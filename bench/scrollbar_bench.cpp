// Cost of the scroll bar paths an application hits most: redrawing a bar
// when it answers a notification, and dispatching mouse moves that pass over
// a screen full of bars.
#include <benchmark/benchmark.h>

#include <vector>

#include <tuikit/tuikit.h>

namespace {

void BM_SetScrollPosRedraw(benchmark::State &state)
{
    TuiInit();
    auto length = static_cast<int32_t>(state.range(0));
    int id = TuiShowScrollBar(0, 0, 0, length - 1, 1, 1);
    TuiSetScrollRange(id, 0, 1000);
    int32_t position = 0;
    for (auto _ : state) {
        TuiSetScrollPos(id, position);
        position = (position + 7) % 1001;
    }
    TuiDropScrollBar(id);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetScrollPosRedraw)->Arg(25)->Arg(80);

// A mouse move with no drag or repeat running walks every bar and reaches
// the application.
void BM_DispatchMoveOverBars(benchmark::State &state)
{
    TuiInit();
    // The bars go again at the end: the benchmark body runs several times.
    std::vector<int> ids;
    for (int64_t i = 0; i < state.range(0); ++i) ids.push_back(TuiShowScrollBar(i % 80, 0, i % 80, 24, 1, 1));
    MSG msg{};
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELONG(40, 12);
    for (auto _ : state) benchmark::DoNotOptimize(TuiDispatchMessage(&msg));
    for (int id : ids) TuiDropScrollBar(id);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DispatchMoveOverBars)->Arg(1)->Arg(64);

}  // namespace

// Opening a popup and moving its highlight: the time per operation, the
// screen cells each one changes, and the bytes the terminal renderer would
// send to show that change.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/frame_cost.h"
#include "menu/menu_model.h"
#include "tuikit/tuikit.h"

namespace {

using tuikit::bench::Frame;

constexpr int kWidth = 80;
constexpr int kHeight = 25;

void Send(UINT message, WPARAM wParam)
{
    MSG m{};
    m.message = message;
    m.wParam = wParam;
    TuiDispatchMessage(&m);
}

void AltTap()
{
    Send(WM_KEYDOWN, VK_MENU);
    Send(WM_KEYUP, VK_MENU);
}

// Console up, a busy screen, the bench bar loaded, the menu idle.
void Start()
{
    static bool started = false;
    if (started) return;
    started = true;
    TuiInit();
    for (int y = 0; y < kHeight; ++y) {
        std::string row(kWidth, static_cast<char>('a' + y % 26));
        TuiWriteText(0, y, row.c_str(), 0x10 + y % 7);
    }
    TuiMenu(0, 0, "Bench");
}

// The bar active with the given title selected, the terminal up to date.
void SelectTitle(int index)
{
    AltTap();
    for (int i = 0; i < index; ++i) Send(WM_KEYDOWN, VK_RIGHT);
    Frame();
}

// One step measured on the screen and on the terminal (the terminal is up
// to date before it).
void Count(benchmark::State &state, void (*step)())
{
    step();
    const tuikit::bench::FrameCost cost = Frame();
    state.counters["cells_changed"] = static_cast<double>(cost.cells);
    state.counters["terminal_bytes"] = static_cast<double>(cost.bytes);
}

void Down() { Send(WM_KEYDOWN, VK_DOWN); }

// Opening (Down from the bar) and closing (an Alt tap, back to the bar).
void BM_OpenPopup(benchmark::State &state)
{
    Start();
    SelectTitle(static_cast<int>(state.range(0)));
    Count(state, Down);
    AltTap();
    for (auto _ : state) {
        Down();
        AltTap();
    }
    Send(WM_CHAR, 0x1B);
}
BENCHMARK(BM_OpenPopup)->Arg(0)->Arg(1)->ArgName("popup");

void BM_MoveHighlight(benchmark::State &state)
{
    Start();
    SelectTitle(static_cast<int>(state.range(0)));
    Down();
    Frame();
    Count(state, Down);
    for (auto _ : state) Down();
    Send(WM_CHAR, 0x1B);
}
BENCHMARK(BM_MoveHighlight)->Arg(0)->Arg(1)->ArgName("popup");

// Loading and laying out the bar from its template (TuiMenu, drawing the bar).
void BM_LoadMenu(benchmark::State &state)
{
    Start();
    for (auto _ : state) {
        tuikit::menu::MenuBar bar;
        HRSRC r = FindResourceA(nullptr, "Bench", RT_MENU);
        benchmark::DoNotOptimize(bar.Load(LockResource(LoadResource(nullptr, r)), SizeofResource(nullptr, r)));
    }
}
BENCHMARK(BM_LoadMenu);

}  // namespace

BENCHMARK_MAIN();

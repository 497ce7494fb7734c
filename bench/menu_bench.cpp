// Opening a popup and moving its highlight: the time per operation, the
// screen cells each one changes, and the bytes the terminal renderer would
// send to show that change, against a lower bound for drawing just those
// cells (without and with erase sequences). On a blank desk with the bar:
// the first frame, opening, moving, and closing on Escape or an Alt tap.
#include <benchmark/benchmark.h>

#include <mutex>
#include <string>
#include <vector>

#include "busy_screen.h"
#include "frame_bound.h"
#include "menu/menu_model.h"
#include "platform/console/console.h"
#include "platform/terminal/renderer.h"
#include "tuikit/tuikit.h"

namespace {

using tuikit::platform::Console;

constexpr int kWidth = 80;
constexpr int kHeight = 25;

std::vector<WORD> Capture()  // every character and attribute
{
    std::vector<WORD> cells(2 * kWidth * kHeight);
    std::string chars(kWidth * kHeight, '\0');
    DWORD n;
    ReadConsoleOutputCharacterA(TuiOutputHandle(), chars.data(), kWidth * kHeight, COORD{0, 0}, &n);
    ReadConsoleOutputAttribute(TuiOutputHandle(), cells.data(), kWidth * kHeight, COORD{0, 0}, &n);
    for (size_t i = 0; i < chars.size(); ++i) cells[kWidth * kHeight + i] = static_cast<uint8_t>(chars[i]);
    return cells;
}

int ChangedCells(const std::vector<WORD> &a, const std::vector<WORD> &b)
{
    int n = 0;
    for (size_t i = 0; i < kWidth * kHeight; ++i) n += a[i] != b[i] || a[kWidth * kHeight + i] != b[kWidth * kHeight + i];
    return n;
}

tuikit::bench::Screen Snapshot()
{
    Console &console = Console::Get();
    std::lock_guard lock(console.ScreenLock());
    return tuikit::bench::Screen::Of(console.Screen());
}

// A terminal kept in step with the in-memory console: each Frame() is what
// the renderer writes for the changes since the previous one.
tuikit::platform::Renderer &Terminal()
{
    static tuikit::platform::Renderer renderer;
    return renderer;
}

size_t Frame()
{
    Console &console = Console::Get();
    std::lock_guard lock(console.ScreenLock());
    std::string out;
    Terminal().Render(console.Screen(), out);
    console.Screen().ClearDamage();
    return out.size();
}

// The bytes of the frame after a step, and its bounds.
void CountBytes(benchmark::State &state, const tuikit::bench::Screen &before, int colours, size_t bytes)
{
    tuikit::bench::Screen after = Snapshot();
    int bound = tuikit::bench::LowerBound(before, after, colours, false);
    int erase = tuikit::bench::LowerBound(before, after, colours, true);
    state.counters["terminal_bytes"] = static_cast<double>(bytes);
    state.counters["bound"] = bound;
    state.counters["bound_erase"] = erase;
    state.counters["x_bound"] = static_cast<double>(bytes) / std::max(bound, 1);
    state.counters["x_bound_erase"] = static_cast<double>(bytes) / std::max(erase, 1);
}

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
    if (tuikit::bench::StartBusyConsole(kWidth, kHeight)) TuiMenu(0, 0, "Bench");
}

// The bar active with the given title selected, the terminal up to date.
void SelectTitle(int index)
{
    AltTap();
    for (int i = 0; i < index; ++i) Send(WM_KEYDOWN, VK_RIGHT);
    Frame();
}

// One step measured on the screen and on the terminal.
void Count(benchmark::State &state, void (*step)())
{
    std::vector<WORD> before = Capture();
    tuikit::bench::Screen shown = Snapshot();
    int colours = Terminal().Colours();
    step();
    state.counters["cells_changed"] = ChangedCells(before, Capture());
    CountBytes(state, shown, colours, Frame());
}

void Down() { Send(WM_KEYDOWN, VK_DOWN); }
void Escape() { Send(WM_CHAR, 0x1B); }

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
    Escape();
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

// The console cleared to a blank desk with the bar drawn again, shown on a
// fresh terminal: the first frame a typical program writes. Runs last, as
// it leaves the screen blank.
void BM_BlankDesk(benchmark::State &state)
{
    Start();
    int step = static_cast<int>(state.range(0));
    TuiClearScreen(0, 0, kWidth - 1, kHeight - 1, 0x07);
    TuiMenu(0, 0, "Bench");
    for (auto _ : state) {
    }
    if (step == 0) {
        Console &console = Console::Get();
        std::string out;
        {
            std::lock_guard lock(console.ScreenLock());
            tuikit::platform::Renderer fresh;
            fresh.Render(console.Screen(), out);
            console.Screen().ClearDamage();
        }
        state.counters["cells_changed"] = kWidth * kHeight;
        return CountBytes(state, tuikit::bench::Screen::Blank(kWidth, kHeight), -1, out.size());
    }
    Frame();
    SelectTitle(0);
    if (step == 1) {
        Count(state, Down);  // open
    } else {
        Down();
        Frame();
        if (step == 2) Count(state, Down);  // move
        else Count(state, step == 3 ? Escape : AltTap);  // close
    }
    Escape();
    Escape();
    Frame();
}
BENCHMARK(BM_BlankDesk)->ArgName("first_open_move_esc_alt")->DenseRange(0, 4)->Iterations(1);

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

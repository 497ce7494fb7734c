// Opening a popup and moving its highlight in memory mode: the time per
// operation and the number of screen cells each one changes.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "menu/menu_model.h"
#include "tuikit/tuikit.h"

namespace {

constexpr int kWidth = 80;
constexpr int kHeight = 25;

struct Cells {
    std::string chars = std::string(kWidth * kHeight, '\0');
    std::vector<WORD> attrs = std::vector<WORD>(kWidth * kHeight);
};

Cells Capture()
{
    Cells c;
    DWORD n;
    ReadConsoleOutputCharacterA(TuiOutputHandle(), c.chars.data(), kWidth * kHeight, COORD{0, 0}, &n);
    ReadConsoleOutputAttribute(TuiOutputHandle(), c.attrs.data(), kWidth * kHeight, COORD{0, 0}, &n);
    return c;
}

int Changed(const Cells &a, const Cells &b)
{
    int n = 0;
    for (size_t i = 0; i < a.chars.size(); ++i)
        if (a.chars[i] != b.chars[i] || a.attrs[i] != b.attrs[i]) ++n;
    return n;
}

void Send(UINT message, WPARAM wParam)
{
    MSG m{};
    m.message = message;
    m.wParam = wParam;
    TuiDispatchMessage(&m);
}

void Key(WPARAM vk) { Send(WM_KEYDOWN, vk); }

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

// Alt tapped: the bar is active with the first title selected; Right moves
// to the popup under test.
void SelectTitle(int index)
{
    Send(WM_KEYDOWN, VK_MENU);
    Send(WM_KEYUP, VK_MENU);
    for (int i = 0; i < index; ++i) Key(VK_RIGHT);
}

// Opening (Down from the bar) and closing (an Alt tap, back to the bar).
void BM_OpenAndClosePopup(benchmark::State &state)
{
    Start();
    SelectTitle(static_cast<int>(state.range(0)));
    Cells bar = Capture();
    Key(VK_DOWN);
    int opened = Changed(bar, Capture());
    Send(WM_KEYDOWN, VK_MENU);
    Send(WM_KEYUP, VK_MENU);
    for (auto _ : state) {
        Key(VK_DOWN);
        Send(WM_KEYDOWN, VK_MENU);
        Send(WM_KEYUP, VK_MENU);
    }
    state.counters["cells_changed_by_open"] = opened;
    Send(WM_CHAR, 0x1B);
}
BENCHMARK(BM_OpenAndClosePopup)->Arg(0)->Arg(1)->ArgName("popup");

void BM_MoveHighlight(benchmark::State &state)
{
    Start();
    SelectTitle(static_cast<int>(state.range(0)));
    Key(VK_DOWN);
    Cells before = Capture();
    Key(VK_DOWN);
    int moved = Changed(before, Capture());
    for (auto _ : state) Key(VK_DOWN);
    state.counters["cells_changed_by_move"] = moved;
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

// Edit fields and list boxes: appending items to a list box, moving its
// selection with Down, and typing into an edit field, each at small and
// large sizes. Down also reports the screen cells it changes, the bytes the
// terminal renderer sends for them and a lower bound for those bytes.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/frame_cost.h"
#include "controls/edit.h"
#include "controls/list_box.h"
#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace {

using tuikit::controls::DlgEdit;
using tuikit::controls::DlgListBox;
using tuikit::dialog::DialogWindow;
using tuikit::bench::Frame;
using tuikit::bench::FrameCost;

constexpr int kWidth = 80;
constexpr int kHeight = 25;
constexpr uint32_t kListId = 20;

LRESULT CALLBACK IgnoringProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

// A running dialog with one list box (20 x 12 at (10, 4)) and one edit field
// (30 wide at (40, 4)), current for the item functions; made once.
struct Bench {
    DialogWindow dialog{IgnoringProc};
    DlgListBox *list = nullptr;
    DlgEdit *edit = nullptr;

    Bench()
    {
        TuiInit();
        for (int y = 0; y < kHeight; ++y) TuiWriteText(0, y, std::string(kWidth, static_cast<char>('a' + y)).c_str(), 0x17);
        auto l = std::make_unique<DlgListBox>();
        l->x = 10, l->y = 4, l->width = 20, l->height = 12, l->id = kListId;
        list = static_cast<DlgListBox *>(&dialog.Append(std::move(l)));
        auto e = std::make_unique<DlgEdit>();
        e->x = 40, e->y = 4, e->width = 30, e->height = 1, e->id = 10;
        edit = static_cast<DlgEdit *>(&dialog.Append(std::move(e)));
        tuikit::dialog::CurrentDialog = &dialog;
    }
    // count items, nothing selected, the view at the top, drawn.
    void Refill(int count)
    {
        list->RemoveAll();
        for (int i = 0; i < count; ++i) list->items.Append(("Entry number " + std::to_string(i)).c_str());
        list->Draw();
    }
    void Key(WPARAM vk, LPARAM ch = 0)
    {
        MSG m{};
        m.message = WM_KEYDOWN;
        m.wParam = vk;
        dialog.RouteKeyMessage(m);
        if (!ch) return;
        m.message = WM_CHAR;
        m.wParam = static_cast<WPARAM>(ch);
        dialog.RouteKeyMessage(m);
    }
};

Bench &Get()
{
    static Bench bench;
    return bench;
}

// Time per AddString (its redraw included) with count items already there.
void BM_AddString(benchmark::State &state)
{
    Bench &b = Get();
    const int count = static_cast<int>(state.range(0));
    b.Refill(count);
    int added = 0;
    for (auto _ : state) {
        TuiListBoxAddString(kListId, "A new entry");
        if (++added == 1000) {  // keep the size where it was
            state.PauseTiming();
            b.Refill(count);
            added = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_AddString)->Arg(100)->Arg(100000)->ArgName("items");

// Adding 100,000 items to an empty list box, one AddString each.
void BM_Fill100000(benchmark::State &state)
{
    Bench &b = Get();
    for (auto _ : state) {
        state.PauseTiming();
        b.Refill(0);
        state.ResumeTiming();
        for (int i = 0; i < 100000; ++i) TuiListBoxAddString(kListId, "Entry number 12345");
    }
    state.counters["ns_per_item"] = benchmark::Counter(100000.0 * static_cast<double>(state.iterations()),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Fill100000)->Unit(benchmark::kMillisecond);

// Down from the middle of the list: the selection moves and, from the last
// row on, the view scrolls with it (one LBN_SELCHANGE each). Cells and bytes
// are those of one Down inside the view and of one that scrolls.
void BM_Down(benchmark::State &state)
{
    Bench &b = Get();
    const int count = static_cast<int>(state.range(0));
    b.Refill(count);
    b.dialog.focusIndex = b.list->index;
    TuiListBoxSetActive(kListId, count / 2);  // on the last row
    b.Key(VK_UP);
    Frame();
    b.Key(VK_DOWN);  // within the view: two rows change colour
    const FrameCost move = Frame();
    b.Key(VK_DOWN);  // past the last row: every row's text moves up
    const FrameCost scroll = Frame();
    for (auto _ : state) {
        b.Key(VK_DOWN);
        if (b.list->selection == count - 1) {
            state.PauseTiming();
            TuiListBoxSetActive(kListId, count / 2);
            state.ResumeTiming();
        }
    }
    state.counters["cells_move"] = static_cast<double>(move.cells);
    state.counters["bytes_move"] = static_cast<double>(move.bytes);
    state.counters["bound_move"] = static_cast<double>(move.Bound());
    state.counters["cells_scroll"] = static_cast<double>(scroll.cells);
    state.counters["bytes_scroll"] = static_cast<double>(scroll.bytes);
    state.counters["bound_scroll"] = static_cast<double>(scroll.Bound());
}
BENCHMARK(BM_Down)->Arg(100)->Arg(100000)->ArgName("items");

// A character typed at the end of the field's text, the view scrolling.
void BM_TypeChar(benchmark::State &state)
{
    Bench &b = Get();
    b.dialog.focusIndex = b.edit->index;
    const std::string start(static_cast<size_t>(state.range(0)), 'x');
    auto reset = [&] {
        b.edit->SetText(start.c_str());
        b.edit->caret = static_cast<int32_t>(start.size());
        b.edit->KeepCaretVisible();
    };
    reset();
    for (auto _ : state) {
        b.Key('A', 'a');
        if (b.edit->text.size() > start.size() + 10000) {
            state.PauseTiming();
            reset();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_TypeChar)->Arg(0)->Arg(10000)->ArgName("text_length");

}  // namespace

BENCHMARK_MAIN();

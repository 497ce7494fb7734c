// The scroll bar list, drawing and the exported scroll bar calls.
#include "scrollbar/scroll_bar.h"

#include <algorithm>

#include "core/boundary.h"
#include "core/dispatch.h"
#include "core/draw.h"
#include "tuikit/tuikit.h"

namespace tuikit::scrollbar {

std::vector<std::unique_ptr<ScrollBar>> scrollBarList;

namespace {

// Ids run 1, 2, 3, ... and are never handed out twice.
int32_t lastId = 0;

// Code page 437 glyphs of the bars.
constexpr char kUpArrow = 0x18;
constexpr char kDownArrow = 0x19;
constexpr char kRightArrow = 0x1A;
constexpr char kLeftArrow = 0x1B;
constexpr char kTrack = static_cast<char>(0xB0);
constexpr char kThumb = static_cast<char>(0xDB);

// Cells past the 16-bit coordinate range are off every screen buffer, so
// loops along a bar stop there.
constexpr int32_t kLastCoordinate = 0x7FFF;

// The cell at coordinate `along` on the bar's axis.
void CellAt(const ScrollBar &bar, int32_t along, int32_t &x, int32_t &y)
{
    x = bar.vertical ? bar.left : along;
    y = bar.vertical ? along : bar.top;
}

// The list entry of the first bar with this id, or end().
auto FindEntry(int32_t id)
{
    return std::find_if(scrollBarList.begin(), scrollBarList.end(), [id](const auto &b) { return b->id == id; });
}

int32_t FirstCell(const ScrollBar &bar) { return bar.vertical ? bar.top : bar.left; }
int32_t LastCell(const ScrollBar &bar) { return bar.vertical ? bar.bottom : bar.right; }

void PutGlyph(int32_t x, int32_t y, char glyph, uint16_t attribute)
{
    const char text[2] = {glyph, '\0'};
    // Passed as 0..0xFFFF, so a stored 0xFFFF never means the current attribute.
    TuiWriteText(x, y, text, attribute);
}

// Calls fn(x, y) for every track cell that can lie on a screen buffer.
template <typename Fn>
void ForEachTrackCell(const ScrollBar &bar, Fn fn)
{
    int32_t last = std::min(LastCell(bar) - 1, kLastCoordinate);
    for (int32_t along = FirstCell(bar) + 1; along <= last; ++along) {
        int32_t x, y;
        CellAt(bar, along, x, y);
        fn(x, y);
    }
}

// Offset of the thumb within the track, 0 at the first track cell.
int32_t ThumbOffset(const ScrollBar &bar)
{
    if (bar.position == bar.maximum) return bar.trackLength - 1;
    int64_t span = static_cast<int64_t>(bar.maximum) - bar.minimum + 1;
    return static_cast<int32_t>((static_cast<int64_t>(bar.position) - bar.minimum) * bar.trackLength / span);
}

// The first bar with this id, or null.
ScrollBar *FindBar(int32_t id)
{
    auto it = FindEntry(id);
    return it == scrollBarList.end() ? nullptr : it->get();
}

// Redraws the whole bar from its range and position and updates thumbCell.
void DrawBar(ScrollBar &bar)
{
    PutGlyph(bar.left, bar.top, bar.vertical ? kUpArrow : kLeftArrow, bar.arrowAttribute);
    PutGlyph(bar.right, bar.bottom, bar.vertical ? kDownArrow : kRightArrow, bar.arrowAttribute);
    ForEachTrackCell(bar, [&](int32_t x, int32_t y) { PutGlyph(x, y, kTrack, bar.trackAttribute); });
    // With an empty range no thumb shows, but thumbCell still marks the last
    // track cell for the hit test.
    bar.thumbCell = FirstCell(bar) + 1 + ThumbOffset(bar);
    if (bar.maximum != bar.minimum) {
        int32_t x, y;
        CellAt(bar, bar.thumbCell, x, y);
        PutGlyph(x, y, kThumb, bar.thumbAttribute);
    }
}

}  // namespace

void StopRepeat(ScrollBar &bar)
{
    if (bar.repeatTimer == 0) return;
    KillTimer(nullptr, bar.repeatTimer);
    bar.repeatTimer = 0;
}

}  // namespace tuikit::scrollbar

using namespace tuikit::scrollbar;

extern "C" {

TUIKIT_API int TuiShowScrollBar(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t vertical,
                                int32_t enabled)
{
    return tuikit::Guarded<int>(-1, [&]() -> int {
        if (right < left || bottom < top || left < 0 || top < 0) return -1;
        if (vertical != 0 && vertical != 1) return -1;
        // At least four cells: two arrows and two track cells.
        if (vertical ? bottom - top < 3 : right - left < 3) return -1;
        if (lastId == INT32_MAX) return -1;  // ids would repeat

        auto bar = std::make_unique<ScrollBar>();
        bar->id = lastId + 1;
        bar->left = left;
        bar->top = top;
        bar->right = vertical ? left : right;
        bar->bottom = vertical ? bottom : top;
        bar->vertical = vertical;
        bar->enabled = enabled;
        bar->trackLength = vertical ? bottom - top - 1 : right - left - 1;
        scrollBarList.push_back(std::move(bar));
        lastId = scrollBarList.back()->id;
        DrawBar(*scrollBarList.back());
        tuikit::core::SetScrollBarHook(ScrollBarMessage);
        return lastId;
    });
}

TUIKIT_API int TuiSetScrollRange(int32_t id, int32_t minimum, int32_t maximum)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        if (minimum < 0 || maximum < 0 || minimum > maximum) return 0;
        ScrollBar *bar = FindBar(id);
        if (!bar) return 0;
        bar->minimum = minimum;
        bar->maximum = maximum;
        bar->position = std::clamp(bar->position, minimum, maximum);
        DrawBar(*bar);
        return 1;
    });
}

TUIKIT_API int TuiGetScrollRange(int32_t id, int32_t *minimum, int32_t *maximum)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        ScrollBar *bar = FindBar(id);
        if (!bar) return 0;
        if (minimum) *minimum = bar->minimum;
        if (maximum) *maximum = bar->maximum;
        return 1;
    });
}

TUIKIT_API int TuiSetScrollPos(int32_t id, int32_t position)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        ScrollBar *bar = FindBar(id);
        if (!bar) return 0;
        // A position outside the range is ignored, yet the bar exists: still 1.
        if (position >= bar->minimum && position <= bar->maximum) {
            bar->position = position;
            DrawBar(*bar);
        }
        return 1;
    });
}

TUIKIT_API int TuiGetScrollPos(int32_t id)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        ScrollBar *bar = FindBar(id);
        return bar ? bar->position : 0;
    });
}

TUIKIT_API int TuiEnableScrollBar(int32_t id, int32_t enabled)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        ScrollBar *bar = FindBar(id);
        if (!bar) return 0;
        if (bar->enabled != enabled) {
            bar->enabled = enabled;
            DrawBar(*bar);
        }
        return 1;
    });
}

TUIKIT_API int TuiSetScrollBarColor(int32_t id, int32_t arrowAttribute, int32_t trackAttribute,
                                    int32_t thumbAttribute)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        using tuikit::core::FillAttrRun;
        ScrollBar *bar = FindBar(id);
        if (!bar) return 0;
        // Attributes only: the characters on screen stay as they are.
        FillAttrRun(bar->left, bar->top, arrowAttribute, 1);
        FillAttrRun(bar->right, bar->bottom, arrowAttribute, 1);
        ForEachTrackCell(*bar, [&](int32_t x, int32_t y) { FillAttrRun(x, y, trackAttribute, 1); });
        int32_t x, y;
        CellAt(*bar, bar->thumbCell, x, y);
        FillAttrRun(x, y, thumbAttribute, 1);
        bar->arrowAttribute = static_cast<uint16_t>(arrowAttribute);
        bar->trackAttribute = static_cast<uint16_t>(trackAttribute);
        bar->thumbAttribute = static_cast<uint16_t>(thumbAttribute);
        return 1;
    });
}

TUIKIT_API int TuiDropScrollBar(int32_t id)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        auto it = FindEntry(id);
        if (it == scrollBarList.end()) return 0;
        ScrollBar &bar = **it;
        TuiClearScreen(bar.left, bar.top, bar.right, bar.bottom, 0);
        // A bar that is gone must not leave a timer ticking into the
        // application's procedure for the rest of the process.
        StopRepeat(bar);
        scrollBarList.erase(it);
        return 1;
    });
}

TUIKIT_API int TuiSetScrollBarSize(int32_t, int32_t) { return 1; }

TUIKIT_API int TuiGetScrollBarSize(int32_t) { return 0; }

}  // extern "C"

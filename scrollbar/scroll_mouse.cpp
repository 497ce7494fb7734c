// Mouse handling of the scroll bars: the hit test, the press, release, move
// and timer steps, the 200 ms auto-repeat and the thumb drag.
#include <algorithm>

#include "core/console_state.h"
#include "scrollbar/scroll_bar.h"

namespace tuikit::scrollbar {

namespace {

constexpr UINT kRepeatMs = 200;
// While dragging, the mouse counts within the bar widened by this much on
// each side; outside, moves are swallowed without a notification.
constexpr int64_t kDragZoneColumns = 10;
constexpr int64_t kDragZoneRows = 5;

// The part of the bar under (x, y): an SB_ code or kNoPart.
int32_t HitTest(const ScrollBar &bar, int32_t x, int32_t y)
{
    if (x < bar.left || x > bar.right || y < bar.top || y > bar.bottom) return kNoPart;
    if (x == bar.left && y == bar.top) return SB_LINEUP;
    if (x == bar.right && y == bar.bottom) return SB_LINEDOWN;
    int32_t along = bar.vertical ? y : x;
    if (along == bar.thumbCell) return SB_THUMBTRACK;
    return along < bar.thumbCell ? SB_PAGEUP : SB_PAGEDOWN;
}

// Posts WM_VSCROLL / WM_HSCROLL with the code in the low word and, for the
// thumb codes, the position's low 16 bits in the high word.
void Notify(const ScrollBar &bar, int32_t code, int32_t position = 0)
{
    WPARAM wParam = (static_cast<WPARAM>(static_cast<uint16_t>(position)) << 16) | static_cast<WPARAM>(code);
    core::PostToMain(bar.vertical ? WM_VSCROLL : WM_HSCROLL, wParam, bar.id);
}

bool Press(ScrollBar &bar, int32_t x, int32_t y)
{
    int32_t part = HitTest(bar, x, y);
    if (part == kNoPart) return false;
    // A new press ends whatever an earlier one (whose release went astray)
    // left running, so no timer is ever lost.
    StopRepeat(bar);
    bar.dragging = 0;
    if (part == SB_THUMBTRACK) {
        Notify(bar, SB_THUMBTRACK, bar.position);
        bar.dragging = 1;
        bar.dragPosition = bar.position;
        return true;
    }
    Notify(bar, part);
    bar.repeatTimer = SetTimer(nullptr, 0, kRepeatMs, nullptr);
    bar.pressedPart = part;
    bar.mouseX = static_cast<uint16_t>(x);
    bar.mouseY = static_cast<uint16_t>(y);
    return true;
}

bool Release(ScrollBar &bar)
{
    if (bar.repeatTimer != 0) {
        StopRepeat(bar);
        return true;
    }
    if (bar.dragging) {
        Notify(bar, SB_THUMBPOSITION, bar.dragPosition);
        bar.dragging = 0;
        return true;
    }
    return false;
}

// The position the thumb would have with the mouse at (x, y), the mouse
// projected onto the track.
int32_t DragPositionAt(const ScrollBar &bar, int32_t x, int32_t y)
{
    // 1 at the first track cell, trackLength at the last.
    int32_t offset = bar.vertical ? std::clamp(y, bar.top + 1, bar.bottom - 1) - bar.top
                                  : std::clamp(x, bar.left + 1, bar.right - 1) - bar.left;
    int64_t span = static_cast<int64_t>(bar.maximum) - bar.minimum + 1;
    int64_t position = span * offset / bar.trackLength + bar.minimum;
    return static_cast<int32_t>(std::min<int64_t>(position, bar.maximum));
}

bool InDragZone(const ScrollBar &bar, int64_t x, int64_t y)
{
    return x >= bar.left - kDragZoneColumns && x <= bar.right + kDragZoneColumns && y >= bar.top - kDragZoneRows &&
           y <= bar.bottom + kDragZoneRows;
}

bool Move(ScrollBar &bar, int32_t x, int32_t y)
{
    if (bar.dragging) {
        if (!InDragZone(bar, x, y)) return true;
        // Reported on every move in the zone, even when the position stays.
        bar.dragPosition = DragPositionAt(bar, x, y);
        Notify(bar, SB_THUMBTRACK, bar.dragPosition);
        return true;
    }
    if (bar.repeatTimer != 0) {
        bar.mouseX = static_cast<uint16_t>(x);
        bar.mouseY = static_cast<uint16_t>(y);
        return true;
    }
    return false;
}

bool Tick(ScrollBar &bar, UINT_PTR timerId)
{
    if (bar.repeatTimer == 0 || bar.repeatTimer != timerId) return false;
    // Repeats pause while the mouse is off the pressed part (or the thumb
    // has reached it) and resume when the part is under the mouse again.
    if (HitTest(bar, bar.mouseX, bar.mouseY) == bar.pressedPart) Notify(bar, bar.pressedPart);
    return true;
}

// One bar's message step: true when the bar consumed the message.
bool BarMessage(ScrollBar &bar, const MSG &msg)
{
    // Mouse messages carry the cell as row << 16 | column.
    auto packed = static_cast<uint32_t>(msg.lParam);
    int32_t x = static_cast<int32_t>(packed & 0xFFFF);
    int32_t y = static_cast<int32_t>(packed >> 16);
    switch (msg.message) {
    case WM_TIMER: return Tick(bar, msg.wParam);
    case WM_MOUSEMOVE: return Move(bar, x, y);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return Press(bar, x, y);
    case WM_LBUTTONUP: return Release(bar);
    default: return false;
    }
}

}  // namespace

int ScrollBarMessage(const MSG &msg)
{
    switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDBLCLK:
    case WM_TIMER: break;
    default: return 0;
    }
    // Creation order: where bars overlap, the older one answers.
    for (auto &bar : scrollBarList)
        if (BarMessage(*bar, msg)) return 1;
    return 0;
}

}  // namespace tuikit::scrollbar

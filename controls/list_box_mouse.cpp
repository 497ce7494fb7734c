// The list box's mouse: selecting by press and drag, the scroll column's
// arrows, track and thumb, the double click, and the 200 ms auto-repeat
// while the button is held.
#include <algorithm>

#include "controls/list_box.h"
#include "dialog/dialog_window.h"

namespace tuikit::controls {

namespace {

constexpr UINT kRepeatMs = 200;
// While the thumb is dragged the mouse counts within the list widened by
// this much on each side; outside, moves are ignored.
constexpr int32_t kDragZoneColumns = 10;
constexpr int32_t kDragZoneRows = 5;
// A drag beyond the top or bottom edge moves the selection while the mouse
// stays within this many columns of the list.
constexpr int32_t kAutoScrollColumns = 5;

}  // namespace

bool DlgListBox::InItemArea(int32_t c, int32_t r) const
{
    return x < c && c < x + width - 1 && y < r && r < y + height - 1;
}

int32_t DlgListBox::ItemAt(int32_t c, int32_t r) const
{
    if (!InItemArea(c, r)) return -1;
    const int64_t i = int64_t{topIndex} + (r - y - 1);
    return i < Count() ? static_cast<int32_t>(i) : -1;
}

// With three rows the column's one cell is no part; with four the two cells
// are the arrows; from five rows on there is a track with a thumb.
int32_t DlgListBox::HitScrollColumn(int32_t c, int32_t r) const
{
    if (ItemsFit() || c != x + width - 1 || r < y + 1 || r >= y + height - 1) return kNoPart;
    if (height < 4) return kNoPart;
    if (r == y + 1) return SB_LINEUP;
    if (height >= 5) {
        const int32_t t = y + 2 + thumbRow;
        if (r < t) return SB_PAGEUP;
        if (r == t) return SB_THUMBTRACK;
    }
    return r >= y + height - 2 ? SB_LINEDOWN : SB_PAGEDOWN;
}

void DlgListBox::ScrollView(int32_t part)
{
    switch (part) {
    case SB_LINEUP:
        if (topIndex <= 0) return;
        --topIndex;
        break;
    case SB_LINEDOWN:
        if (topIndex >= LastTopIndex()) return;
        ++topIndex;
        break;
    case SB_PAGEUP: topIndex = std::max(topIndex - PageSize(), 0); break;
    case SB_PAGEDOWN: topIndex = std::max(std::min(topIndex + PageSize(), LastTopIndex()), 0); break;
    default: break;
    }
    Draw();
}

void DlgListBox::StartRepeat()
{
    // A press whose release went astray may have left one running.
    StopRepeat();
    timerId = SetTimer(nullptr, 0, kRepeatMs, nullptr);
}

void DlgListBox::StopRepeat()
{
    if (timerId != 0) KillTimer(nullptr, timerId);
    timerId = 0;
}

int DlgListBox::OnButtonDown(int32_t c, int32_t r)
{
    dialog->SetFocusItem(index);
    tracking = 1;
    lastMouseX = c;
    lastMouseY = r;
    dialog->captureIndex = index;
    if (InItemArea(c, r)) {
        pressArea = 0;
        // The timer runs also over a row without an item: dragging out of
        // the list from there still scrolls.
        StartRepeat();
        const int32_t i = ItemAt(c, r);
        if (i != -1) SetSelection(i);
    } else if (c == x + width - 1 && y < r && r < y + height - 1 && !ItemsFit()) {
        pressArea = 1;
        pressedPart = HitScrollColumn(c, r);
        if (pressedPart != SB_THUMBTRACK && pressedPart != kNoPart) {
            ScrollView(pressedPart);
            StartRepeat();
        }
    }
    return 1;
}

void DlgListBox::DragThumb(int32_t c, int32_t r)
{
    if (height < 5) return;
    if (c < x + width - kDragZoneColumns || c > x + width + kDragZoneColumns || r < y - kDragZoneRows ||
        r > y + height + kDragZoneRows)
        return;
    const int64_t t = (int64_t{r} - y - 2) * LastTopIndex() / (height - 4);
    topIndex = t < 0 ? 0 : static_cast<int32_t>(std::min<int64_t>(t, LastTopIndex()));
    Draw();
}

int DlgListBox::OnMouseMove(int32_t c, int32_t r)
{
    if (!tracking) return 1;
    lastMouseX = c;
    lastMouseY = r;
    if (pressArea == 1) {
        // Other parts repeat from the timer.
        if (pressedPart == SB_THUMBTRACK) DragThumb(c, r);
        return 1;
    }
    const int32_t i = ItemAt(c, r);
    if (i != -1) SetSelection(i);
    return 1;
}

int DlgListBox::OnButtonUp()
{
    if (!tracking) return 1;
    tracking = 0;
    StopRepeat();
    dialog->captureIndex = -1;
    return 1;
}

void DlgListBox::OnRepeatTimer()
{
    if (pressArea == 1) {
        // Holding the track pages until the thumb reaches the mouse, where
        // the part becomes the thumb and the repeat stops.
        if (HitScrollColumn(lastMouseX, lastMouseY) == pressedPart) ScrollView(pressedPart);
        return;
    }
    if (lastMouseX <= x - kAutoScrollColumns || lastMouseX >= x + width + kAutoScrollColumns) return;
    if (lastMouseY <= y)
        HandleListKey(VK_UP);
    else if (lastMouseY >= y + height - 1)
        HandleListKey(VK_DOWN);
}

int DlgListBox::HandleMessage(const KeyRecord &m)
{
    switch (m.message) {
    case WM_LBUTTONDOWN: return OnButtonDown(MouseColumn(m), MouseRow(m));
    case WM_MOUSEMOVE: return OnMouseMove(MouseColumn(m), MouseRow(m));
    case WM_LBUTTONUP: return OnButtonUp();
    case WM_LBUTTONDBLCLK:
        // The press before it has selected the item already.
        if (ItemAt(MouseColumn(m), MouseRow(m)) != -1) NotifyDialog(kLbnDblClk);
        return 1;
    case WM_KEYDOWN: return HandleListKey(m.wParam);
    case WM_TIMER:
        if (timerId == 0 || m.wParam != timerId) return 0;
        OnRepeatTimer();
        return 1;
    default: return 0;
    }
}

}  // namespace tuikit::controls

// The list box's items, drawing, selection and keys. The mouse, the scroll
// column and the auto-repeat are in list_box_mouse.cpp.
#include "controls/list_box.h"

#include <algorithm>
#include <cstring>

#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace tuikit::controls {

namespace {

constexpr int32_t kFrameAttr = 0x70;
constexpr int32_t kItemAttr = 0x70;
constexpr int32_t kDisabledItemAttr = 0x78;
constexpr int32_t kSelectedAttr = 0x07;
constexpr int32_t kScrollAttr = 0x07;
constexpr int32_t kThumbAttr = 0xF0;

constexpr char kUpperLeft = '\xDA';
constexpr char kUpperRight = '\xBF';
constexpr char kLowerLeft = '\xC0';
constexpr char kLowerRight = '\xD9';
constexpr char kHorizontal = '\xC4';
constexpr char kVertical = '\xB3';
constexpr char kUpArrow = '\x18';
constexpr char kDownArrow = '\x19';
constexpr char kUpDownArrow = '\x12';
constexpr char kTrack = '\xB1';

void PutChar(int32_t x, int32_t y, char c, int32_t attribute)
{
    const char one[2] = {c, 0};
    TuiWriteText(x, y, one, attribute);
}

}  // namespace

void ListItems::Append(const char *item)
{
    starts_.push_back(chars_.size());
    chars_.append(item);
    chars_.push_back('\0');
}

void ListItems::Clear()
{
    // Give the memory back: an emptied list of 100,000 items should not
    // keep their space for the life of the dialog.
    std::string().swap(chars_);
    std::vector<size_t>().swap(starts_);
}

DlgListBox::~DlgListBox() { StopRepeat(); }

void DlgListBox::GetText(std::string &out) const
{
    if (selection >= 0 && selection < Count())
        out = items.At(selection);
    else
        out.clear();
}

// Corners, top and bottom lines and the left line; the right edge is the
// scroll column with its arrows. A list of three rows has one cell there and
// shows a double arrow; lower lists have none.
void DlgListBox::DrawFrame()
{
    const int32_t w = width, h = height;
    PutChar(x, y, kUpperLeft, kFrameAttr);
    if (w > 2) {
        const std::string line(static_cast<size_t>(w - 2), kHorizontal);
        TuiWriteText(x + 1, y, line.c_str(), kFrameAttr);
        TuiWriteText(x + 1, y + h - 1, line.c_str(), kFrameAttr);
    }
    PutChar(x + w - 1, y, kUpperRight, kFrameAttr);
    for (int32_t r = 1; r < h - 1; ++r) PutChar(x, y + r, kVertical, kFrameAttr);
    PutChar(x, y + h - 1, kLowerLeft, kFrameAttr);
    PutChar(x + w - 1, y + h - 1, kLowerRight, kFrameAttr);
    if (h == 3) {
        PutChar(x + w - 1, y + 1, kUpDownArrow, kScrollAttr);
    } else if (h > 3) {
        PutChar(x + w - 1, y + 1, kUpArrow, kScrollAttr);
        PutChar(x + w - 1, y + h - 2, kDownArrow, kScrollAttr);
    }
}

// The track, and the thumb on it while the items do not fit. Lists lower
// than five rows have no track and show only the arrows.
void DlgListBox::DrawScrollColumn()
{
    const int32_t column = x + width - 1;
    for (int32_t t = 0; t < height - 4; ++t) PutChar(column, y + 2 + t, kTrack, kScrollAttr);
    if (!HasThumb()) return;
    if (topIndex == LastTopIndex())
        thumbRow = height - 5;
    else
        thumbRow = static_cast<int32_t>(int64_t{height - 4} * topIndex / (int64_t{Count()} - height + 3));
    PutChar(column, y + 2 + thumbRow, ' ', kThumbAttr);
}

// Only the visible rows are touched, whatever the number of items.
void DlgListBox::Draw()
{
    if (width <= 0 || height <= 0) return;
    if (frameDirty) {
        DrawFrame();
        frameDirty = 0;
    }
    const int32_t cells = width - 2;
    std::string row;
    for (int32_t r = 0; r < VisibleRows(); ++r) {
        const int32_t i = topIndex + r;
        if (cells <= 0) break;
        if (i >= Count()) {
            TuiClearScreen(x + 1, y + 1 + r, x + cells, y + 1 + r, kItemAttr);
            continue;
        }
        const char *item = items.At(i);
        row.assign(item, strnlen(item, static_cast<size_t>(cells)));
        row.resize(static_cast<size_t>(cells), ' ');
        const int32_t attribute = i == selection ? kSelectedAttr : enabled ? kItemAttr : kDisabledItemAttr;
        TuiWriteText(x + 1, y + 1 + r, row.c_str(), attribute);
    }
    DrawScrollColumn();
}

void DlgListBox::ShowFocusCursor(int gaining)
{
    if (!gaining) return;
    TuiSetCursorInfo(25, 1);
    TuiSetCursorPos(x + 1, selection == -1 ? y + 1 : y + 1 + selection - topIndex);
}

void DlgListBox::AddString(const char *item)
{
    items.Append(item ? item : "");
    Draw();
}

void DlgListBox::RemoveAll()
{
    if (tracking) OnButtonUp();
    items.Clear();
    selection = -1;
    topIndex = 0;
    tracking = 0;
    timerId = 0;
    pressArea = 0;
    Draw();
}

void DlgListBox::SetSelection(int32_t i)
{
    if (i == selection) return;
    selection = i;
    if (i != -1 && VisibleRows() > 0) {
        if (i < topIndex)
            topIndex = i;
        else if (i >= topIndex + VisibleRows())
            topIndex = i - VisibleRows() + 1;  // the item lands on the last row
    }
    if (dialog->focusIndex == index) ShowFocusCursor(1);
    NotifyDialog(kLbnSelChange);
    Draw();
}

// A page is one item less than the visible rows (and at least one item).
int32_t DlgListBox::PageSize() const { return std::max(height - 3, 1); }

int DlgListBox::HandleListKey(WPARAM vk)
{
    const int32_t count = Count();
    if (count == 0) return 0;
    switch (vk) {
    case VK_SPACE:
        if (selection == -1) SetSelection(0);
        return 1;
    case VK_UP:
        if (selection == -1)
            SetSelection(0);
        else if (selection > 0)
            SetSelection(selection - 1);
        return 1;
    case VK_DOWN:
        if (selection == -1)
            SetSelection(count > 1 ? 1 : 0);
        else if (selection < count - 1)
            SetSelection(selection + 1);
        return 1;
    case VK_HOME:
        SetSelection(0);
        return 1;
    case VK_END:
        SetSelection(count - 1);
        return 1;
    case VK_NEXT: {
        const int64_t n = selection == -1 ? PageSize() : int64_t{selection} + PageSize();
        SetSelection(n >= count ? count - 1 : static_cast<int32_t>(n));
        return 1;
    }
    case VK_PRIOR: {
        const int32_t n = selection == -1 ? 0 : selection - PageSize();
        SetSelection(std::max(n, 0));
        return 1;
    }
    default:
        return 0;
    }
}

}  // namespace tuikit::controls

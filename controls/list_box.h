// A framed, scrollable list of text items with one selected item: a scroll
// column of arrows, track and thumb on the right edge, keyboard selection,
// press-and-drag with the mouse, a 200 ms auto-repeat while the button is
// held, and LBN_SELCHANGE / LBN_DBLCLK to the dialog procedure.
#pragma once

#include <string>
#include <vector>

#include "controls/control.h"

namespace tuikit::controls {

// The items of a list box, all in one character buffer: appending copies the
// text once (amortized constant time) and looking an item up is an index.
class ListItems {
public:
    int32_t Count() const { return static_cast<int32_t>(starts_.size()); }
    void Append(const char *item);
    void Clear();
    // Zero-terminated text of item i, 0 <= i < Count().
    const char *At(int32_t i) const { return chars_.data() + starts_[static_cast<size_t>(i)]; }

private:
    std::string chars_;           // every item followed by its zero
    std::vector<size_t> starts_;  // where each item begins in chars_
};

// Parts of the scroll column, as the scroll-bar request codes.
constexpr int32_t kNoPart = -1;

class DlgListBox : public DlgControl {
public:
    ListItems items;
    int32_t selection = -1;
    int32_t tracking = 0;    // a left-button press is under way
    int32_t frameDirty = 1;  // frame and arrows still to be drawn
    int32_t topIndex = 0;    // item shown in the first item row
    UINT_PTR timerId = 0;    // running auto-repeat timer, 0 for none
    int32_t pressArea = 0;   // the press began in 0 the item area, 1 the scroll column
    int32_t lastMouseX = 0;
    int32_t lastMouseY = 0;
    int32_t thumbRow = 0;  // thumb's row within the track, as last drawn
    int32_t pressedPart = kNoPart;

    DlgListBox() : DlgControl(kListBoxKind) {}
    ~DlgListBox() override;

    void GetText(std::string &out) const override;
    void SetText(const char *) override {}
    void Draw() override;
    int HandleMessage(const KeyRecord &m) override;
    void ShowFocusCursor(int gaining) override;

    // The item interface's operations.
    void AddString(const char *item);
    void RemoveAll();
    // Selects i (-1 none), brings it into view, notifies and redraws; the
    // same index again does nothing.
    void SetSelection(int32_t i);

    int HandleListKey(WPARAM vk);
    void OnRepeatTimer();
    int32_t HitScrollColumn(int32_t c, int32_t r) const;
    void ScrollView(int32_t part);

private:
    int32_t Count() const { return items.Count(); }
    int32_t VisibleRows() const { return height > 2 ? height - 2 : 0; }
    bool ItemsFit() const { return Count() <= height - 2; }
    int32_t LastTopIndex() const { return Count() - height + 2; }
    bool HasThumb() const { return !ItemsFit() && height >= 5; }
    int32_t PageSize() const;
    // The item under a cell of the item area, or -1 outside it or past the
    // last item.
    int32_t ItemAt(int32_t c, int32_t r) const;
    bool InItemArea(int32_t c, int32_t r) const;
    void DrawFrame();
    void DrawScrollColumn();
    void StartRepeat();
    void StopRepeat();
    int OnButtonDown(int32_t c, int32_t r);
    int OnMouseMove(int32_t c, int32_t r);
    int OnButtonUp();
    void DragThumb(int32_t c, int32_t r);
};

}  // namespace tuikit::controls

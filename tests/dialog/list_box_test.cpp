// List boxes as a user meets them: 20 items in a 10-row box (list 20 of
// "Lists" at (11, 4): item rows 5 to 12, scroll column 30 with its arrows on
// rows 5 and 12 and its track on rows 6 to 11), chosen with keys, presses,
// drags and double clicks, scrolled by arrows, track and thumb, the repeat
// of a held button, and the low boxes whose scroll column has no track.
#include <cstdio>

#include "control_test_support.h"

namespace tuikit::test {
namespace {

using controls::DlgListBox;

void Fill(uint32_t id, int count)
{
    for (int i = 0; i < count; ++i) {
        char item[16];
        std::snprintf(item, sizeof item, "Item %02d", i);
        ASSERT_EQ(TuiListBoxAddString(id, item), 1);
    }
}

// What list 20 shows: the first item row's item, the selected item, the
// track row of the thumb (-1 none) and the row the cursor is on.
struct View {
    int top, selection, thumb, cursorRow;
    bool operator==(const View &) const = default;
};
void PrintTo(const View &v, std::ostream *os)
{
    *os << "top " << v.top << " selection " << v.selection << " thumb " << v.thumb << " cursor row " << v.cursorRow;
}

View Seen()
{
    View v{-1, TuiGetListBoxIndex(20), -1, CursorPos().Y};
    std::sscanf(RowText(5, 12, 7).c_str(), "Item %d", &v.top);
    for (int t = 0; t < 6; ++t)
        if (AttrAt(30, 6 + t) == 0xF0) v.thumb = t;
    // The selected item's row, when it is in view, is the only light grey on black one.
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(AttrAt(12, 5 + r) == 0x07, v.selection != -1 && v.top + r == v.selection) << "row " << 5 + r;
    return v;
}

DlgListBox &List(uint32_t id = 20) { return Item<DlgListBox>(id); }

class ListBox : public ControlTest {};

TEST_F(ListBox, ItemsThatFitShowNoThumbAndTheOneThatOverflowsDrawsIt)
{
    onInit = [] { Fill(20, 3); };
    RunAt("Lists", Check(), {[] {
              const std::string items = "\x18\xB1\xB1\xB1\xB1\xB1\xB1\x19";
              std::string picture = "r" + std::string(18, '-') + "7";
              for (int r = 0; r < 8; ++r)
                  picture += "/|" + (r < 3 ? "Item 0" + std::to_string(r) + std::string(11, ' ') : std::string(18, ' ')) + items[r];
              picture += "/L" + std::string(18, '-') + "J";
              EXPECT_EQ(Picture(11, 4, 20, 10), picture);
              for (int r = 5; r <= 12; ++r) {
                  EXPECT_EQ(RowAttrs(r, 11, 19), std::vector<WORD>(19, 0x70)) << r;
                  EXPECT_EQ(AttrAt(30, r), 0x07) << r;
              }
              EXPECT_EQ(RowAttrs(4, 11, 20), std::vector<WORD>(20, 0x70));
              for (int i = 3; i < 8; ++i) TuiListBoxAddString(20, "more");
              EXPECT_EQ(Seen().thumb, -1) << "eight items fill the eight rows";
              EXPECT_EQ(TuiListBoxAddString(20, "Item 08"), 1);
              EXPECT_EQ(Seen().thumb, 0);
          }});
}

TEST_F(ListBox, KeysMoveTheSelectionAndTheViewFollows)
{
    struct Step {
        Records keys;
        View view;
    };
    const std::vector<Step> steps{
        {{}, {0, -1, 0, 5}},
        {Press(VK_DOWN), {0, 1, 0, 6}},  // no selection: Down takes item 1
        {Press(VK_END), {12, 19, 5, 12}},
        {Press(VK_HOME), {0, 0, 0, 5}},
        {Press(VK_NEXT), {0, 7, 0, 12}},  // a page is one row less than the view
        {Press(VK_NEXT), {7, 14, 3, 12}},
        {Press(VK_PRIOR), {7, 7, 3, 5}},
        {Press(VK_UP), {6, 6, 2, 5}},
        {Press(VK_SPACE, ' ') + Press(VK_HOME) + Press(VK_UP), {0, 0, 0, 5}},
    };
    onInit = [] { Fill(20, 20); };
    Records input;
    std::vector<std::function<void()>> checks;
    for (const Step &s : steps) {
        input = input + s.keys + Check();
        checks.push_back([view = s.view] { EXPECT_EQ(Seen(), view); });
    }
    // From the top, the application's selection of item 15 puts it on the last row.
    input = input + Check();
    checks.push_back([] {
        EXPECT_EQ(TuiListBoxSetActive(20, 15), 1);
        EXPECT_EQ(Seen(), (View{8, 15, 3, 12}));
    });
    RunAt("Lists", input, checks);
    // One LBN_SELCHANGE per change; no key reached the procedure but Space's character.
    EXPECT_EQ(procCalls, "init cmd:20/1 cmd:20/1 cmd:20/1 cmd:20/1 cmd:20/1 cmd:20/1 cmd:20/1 char:32 cmd:20/1 cmd:20/1");
}

TEST_F(ListBox, FirstKeyWithNothingSelected)
{
    struct Case {
        int count;
        WORD key;
        int selection;
    };
    const std::vector<Case> cases{{20, VK_DOWN, 1}, {1, VK_DOWN, 0}, {20, VK_UP, 0}, {20, VK_SPACE, 0},
                                  {20, VK_NEXT, 7}, {5, VK_NEXT, 4},  {20, VK_PRIOR, 0}, {0, VK_DOWN, -1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " items, key " << c.key);
        onInit = [&] { Fill(20, c.count); };
        RunAt("Lists", Press(c.key) + Check(), {[&] { EXPECT_EQ(TuiGetListBoxIndex(20), c.selection); }});
        // An empty list box takes no key: it goes on to the dialog.
        EXPECT_EQ(procCalls.find("key:"), c.count ? std::string::npos : 5u) << procCalls;
    }
}

TEST_F(ListBox, PressAndDragSelectAndADoubleClickChooses)
{
    onInit = [] { Fill(20, 20); };
    const Records doubleClick = Click(15, 6) + Records{MouseRecord(15, 6, FROM_LEFT_1ST_BUTTON_PRESSED, 0, DOUBLE_CLICK)} +
                                ButtonUp(15, 6);
    RunAt("Lists",
          ButtonDown(15, 7) + Check() + DragTo(15, 10) + DragTo(11, 8) + Check() + ButtonUp(11, 8) + doubleClick + Check(),
          {[] { EXPECT_EQ(TuiGetListBoxIndex(20), 2); },
           // The frame is not the item area: the drag's last item stays.
           [] { EXPECT_EQ(TuiGetListBoxIndex(20), 5); },
           [] {
               EXPECT_EQ(TuiGetListBoxIndex(20), 1);
               EXPECT_EQ(dialog::CurrentDialog->captureIndex, -1);
           }});
    EXPECT_EQ(procCalls, "init cmd:20/1 cmd:20/1 cmd:20/1 cmd:20/2");
}

TEST_F(ListBox, ArrowsAndTrackScrollTheViewOnly)
{
    struct Case {
        int top, row, expectedTop;  // the press in the scroll column; repeats add nothing
    };
    const std::vector<Case> cases{
        {11, 12, 12},  // down arrow to the end
        {1, 5, 0},     // up arrow to the top
        {0, 9, 7},     // track below the thumb: a page, and the thumb is under the mouse
        {7, 6, 0},     // track above the thumb: a page back
        {0, 6, 0},     // the thumb itself
    };
    onInit = [] { Fill(20, 20); };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.row);
        RunAt("Lists", Check() + Click(30, c.row) + Check(),
              {[&] {
                   List().topIndex = c.top;
                   List().Draw();
               },
               [&] { EXPECT_EQ(Seen(), (View{c.expectedTop, -1, Seen().thumb, 5})); }});
        EXPECT_EQ(procCalls, "init");
    }
}

TEST_F(ListBox, DraggingTheThumbScrollsWithinItsZone)
{
    struct Drag {
        int column, row, top;
    };
    // The view is 2 x (row - 6) clamped to 0 .. 12 while the mouse stays
    // within columns 21 to 41 and rows -1 to 19.
    const std::vector<Drag> drags{{30, 9, 6}, {36, 13, 12}, {30, 0, 0}, {21, 9, 6}, {20, 9, 6},
                                  {30, 20, 6}, {41, 19, 12}, {42, 6, 12}};
    onInit = [] { Fill(20, 20); };
    Records input = ButtonDown(30, 6);
    std::vector<std::function<void()>> checks;
    for (const Drag &d : drags) {
        input = input + DragTo(d.column, d.row) + Check();
        checks.push_back([d] { EXPECT_EQ(Seen().top, d.top) << d.column << "," << d.row; });
    }
    RunAt("Lists", input + ButtonUp(42, 6), checks);
    EXPECT_EQ(procCalls, "init");  // the selection never changed
}

TEST_F(ListBox, AHeldButtonRepeatsFromTheTimer)
{
    onInit = [] { Fill(20, 20); };
    // Held on the down arrow: a line at once, then one per tick.
    int top = -1;
    RunAt("Lists", ButtonDown(30, 12) + Check() + ButtonUp(30, 12) + Check(),
          {[&] {
               top = Seen().top;
               EXPECT_GE(top, 1);
               HoldForTicks(3);
           },
           [&] {
               EXPECT_EQ(Seen().top, std::min(top + ticksTaken, 12));
               EXPECT_EQ(TuiGetListBoxIndex(20), -1);
           }});
    // Held on an item and dragged above the list: the selection moves up one
    // item per tick and the view with it.
    int selection = -1;
    RunAt("Lists", Press(VK_END) + ButtonDown(15, 5) + DragTo(15, 2) + Check() + ButtonUp(15, 2) + Check(),
          {[&] {
               selection = TuiGetListBoxIndex(20);
               EXPECT_LE(selection, 12);
               HoldForTicks(3);
           },
           [&] {
               EXPECT_GE(ticksTaken, 3);
               EXPECT_EQ(TuiGetListBoxIndex(20), selection - ticksTaken);
               EXPECT_EQ(Seen().top, selection - ticksTaken);
           }});
}

TEST_F(ListBox, TheTimerStopsWhenTheListIsEmptiedOrDestroyed)
{
    onInit = [] { Fill(20, 20); };
    UINT_PTR timer = 0;
    RunAt("Lists", ButtonDown(30, 12) + Check() + ButtonUp(30, 12), {[&] {
              timer = List().timerId;
              ASSERT_NE(timer, 0u);
              EXPECT_EQ(TuiListBoxRemoveAll(20), 1);
              EXPECT_FALSE(KillTimer(nullptr, timer));  // already stopped
              EXPECT_EQ(dialog::CurrentDialog->captureIndex, -1);
              EXPECT_EQ(Seen(), (View{-1, -1, -1, 5}));
              char text[8] = "x";
              EXPECT_EQ(TuiGetDlgItemText(20, text, sizeof text), 1);
              EXPECT_STREQ(text, "");
          }});
    // Ended while the button is still held.
    RunAt("Lists", ButtonDown(30, 12) + Check() + Press(VK_ESCAPE, '\x1b'), {[&] { timer = List().timerId; }});
    ASSERT_NE(timer, 0u);
    EXPECT_FALSE(KillTimer(nullptr, timer));
}

TEST_F(ListBox, LowBoxesKeepTheirScrollColumnSensible)
{
    // Four rows: two arrows and no track; three rows: one double arrow that
    // is no part; two rows: nothing between the corners.
    onInit = [] {
        for (uint32_t id : {21u, 22u, 23u}) Fill(id, 10);
    };
    auto column = [](int top, int rows) {
        std::string out;
        for (int r = top; r < top + rows; ++r) out += CharAt(44, r);
        return out;
    };
    RunAt("Lists", Click(44, 5) + Click(44, 6) + Click(44, 10) + Click(40, 10) + Press(VK_NEXT) + Click(40, 13) +
                       Press(VK_END) + Press(VK_NEXT) + Press(VK_PRIOR) + Check(),
          {[&] {
              EXPECT_EQ(column(4, 4), "\xBF\x18\x19\xD9");
              EXPECT_EQ(column(9, 3), "\xBF\x12\xD9");
              EXPECT_EQ(column(13, 2), "\xBF\xD9");
              // Up at the top did nothing, down scrolled (and may have repeated).
              EXPECT_GE(List(21).topIndex, 1);
              EXPECT_EQ(List(22).topIndex, 1);  // a page of one item
              EXPECT_EQ(RowText(10, 36, 7), "Item 01");
              EXPECT_EQ(TuiGetListBoxIndex(23), 8);
          }});
}

}  // namespace
}  // namespace tuikit::test

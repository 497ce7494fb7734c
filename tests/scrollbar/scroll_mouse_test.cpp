// Scroll bars under the mouse, driven through the input pump and the
// application's loop: clicks, holds with auto-repeat, thumb drags, and what
// passes on to the application.
#include "scroll_app.h"

namespace tuikit::test {
namespace {

using ScrollBarMouse = ScrollBarApp;

TEST_F(ScrollBarMouse, ClickOnUpArrowNotifiesOnceAndTheReleaseStaysSilent)
{
    TuiShowScrollBar(0, 20, 9, 20, 0, 1);
    TuiShowScrollBar(79, 0, 79, 5, 1, 1);
    int id = TuiShowScrollBar(40, 2, 40, 13, 1, 1);
    ASSERT_EQ(id, 3);
    Click(40, 2);
    RunFor(400);
    EXPECT_EQ(Notes(), (std::vector<Msg>{M(WM_VSCROLL, SB_LINEUP, 3)}));
    EXPECT_TRUE(Received(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(Received(WM_LBUTTONUP).empty());
    EXPECT_TRUE(Received(WM_TIMER).empty());
    EXPECT_EQ(Received(WM_MOUSEMOVE).size(), 1u) << "reaching the bar is an ordinary move";
}

TEST_F(ScrollBarMouse, EachPartOfABarAnswersWithItsOwnCode)
{
    int id = TuiShowScrollBar(10, 4, 21, 4, 0, 1);  // track 11..20
    TuiSetScrollRange(id, 0, 100);
    TuiSetScrollPos(id, 50);  // thumb on column 15
    ASSERT_EQ(CharAt(15, 4), '\xDB');
    const std::pair<int, long long> columnToWParam[] = {
        {10, SB_LINELEFT}, {21, SB_LINERIGHT}, {14, SB_PAGELEFT}, {11, SB_PAGELEFT}, {16, SB_PAGERIGHT},
        {20, SB_PAGERIGHT}};
    for (auto [column, wParam] : columnToWParam) {
        received.clear();
        Click(column, 4);
        EXPECT_EQ(Notes(), (std::vector<Msg>{M(WM_HSCROLL, wParam, id)})) << "column " << column;
    }
    received.clear();
    Click(15, 4);
    EXPECT_EQ(Notes(), (std::vector<Msg>{M(WM_HSCROLL, Thumb(SB_THUMBTRACK, 50), id),
                                         M(WM_HSCROLL, Thumb(SB_THUMBPOSITION, 50), id)}));
    // Positions travel in 16 bits.
    TuiSetScrollRange(id, 0, 70000);
    TuiSetScrollPos(id, 70000);
    received.clear();
    Click(20, 4);
    EXPECT_EQ(Notes(), (std::vector<Msg>{M(WM_HSCROLL, Thumb(SB_THUMBTRACK, 70000 - 65536), id),
                                         M(WM_HSCROLL, Thumb(SB_THUMBPOSITION, 70000 - 65536), id)}));
    received.clear();
    Click(22, 4);
    Click(10, 3);
    EXPECT_TRUE(Notes().empty());
    EXPECT_EQ(Received(WM_LBUTTONDOWN).size(), 2u) << "clicks beside the bar reach the application";
}

TEST_F(ScrollBarMouse, HoldingRepeatsPausesOffTheArrowAndResumesOnIt)
{
    int id = TuiShowScrollBar(40, 2, 40, 13, 1, 1);
    const Msg lineDown = M(WM_VSCROLL, SB_LINEDOWN, id);
    Press(40, 13);
    ASSERT_EQ(Notes(), (std::vector<Msg>{lineDown})) << "the press answers at once";
    ASSERT_TRUE(RunUntil([&] { return Notes().size() >= 3; })) << "holding repeats";

    MoveHeld(40, 12);  // onto the track: not the pressed part
    RunFor(50);        // notes posted before the move still arrive
    size_t paused = Notes().size();
    RunFor(700);
    EXPECT_EQ(Notes().size(), paused) << "no repeats while the mouse is off the arrow";
    EXPECT_TRUE(Received(WM_MOUSEMOVE).size() == 1u) << "moves during a hold belong to the bar";

    MoveHeld(40, 13);
    ASSERT_TRUE(RunUntil([&] { return Notes().size() >= paused + 2; })) << "repeats resume on the arrow";

    Release(40, 13);
    RunFor(50);
    size_t released = Notes().size();
    RunFor(500);
    EXPECT_EQ(Notes().size(), released);
    for (const Msg &m : Notes()) EXPECT_EQ(m, lineDown);
    EXPECT_TRUE(Received(WM_TIMER).empty()) << "the repeat timer never reaches the application";
}

TEST_F(ScrollBarMouse, DoubleClickOnAnArrowPressesTwice)
{
    int id = TuiShowScrollBar(0, 8, 19, 8, 0, 1);
    FeedAndDispatch({MouseRecord(19, 8, FROM_LEFT_1ST_BUTTON_PRESSED), MouseRecord(19, 8, 0),
                     MouseRecord(19, 8, FROM_LEFT_1ST_BUTTON_PRESSED, 0, DOUBLE_CLICK), MouseRecord(19, 8, 0)});
    RunFor(300);
    EXPECT_EQ(Notes(), (std::vector<Msg>{M(WM_HSCROLL, SB_LINERIGHT, id), M(WM_HSCROLL, SB_LINERIGHT, id)}));
    EXPECT_TRUE(Received(WM_LBUTTONDBLCLK).empty());
}

TEST_F(ScrollBarMouse, TrackRepeatStopsOnceTheApplicationMovesTheThumbUnderTheMouse)
{
    int id = TuiShowScrollBar(30, 0, 30, 11, 1, 1);
    TuiSetScrollRange(id, 0, 100);
    answer = [id](const Msg &m) {
        if (m.message == WM_VSCROLL && m.wParam == SB_PAGEDOWN) TuiSetScrollPos(id, TuiGetScrollPos(id) + 10);
    };
    Press(30, 6);  // track offset 5: the thumb gets there at position 60
    ASSERT_TRUE(RunUntil([&] { return TuiGetScrollPos(id) == 60; }));
    RunFor(600);
    EXPECT_EQ(TuiGetScrollPos(id), 60);
    EXPECT_EQ(Notes().size(), 6u);
    EXPECT_EQ(CharAt(30, 6), '\xDB');
    Release(30, 6);
    RunFor(50);
    EXPECT_EQ(Notes().size(), 6u) << "releasing after a repeat posts nothing";
}

TEST_F(ScrollBarMouse, DragReportsPositionsInsideTheZoneAndEndsWithTheLastOne)
{
    int id = TuiShowScrollBar(40, 6, 40, 17, 1, 1);  // track rows 7..16
    TuiSetScrollRange(id, 0, 100);
    TuiSetScrollPos(id, 40);  // thumb on row 10
    Press(40, 10);
    EXPECT_EQ(Notes(), (std::vector<Msg>{M(WM_VSCROLL, Thumb(SB_THUMBTRACK, 40), id)}));

    struct Step {
        int x, y;
        int reported;  // -1: nothing
    } steps[] = {
        {40, 7, 10},   // first track cell: 101 * 1 / 10
        {50, 1, 10},   // zone corner, projected onto the first track cell
        {51, 7, -1},   // one column beyond the zone
        {40, 0, -1},   // one row above it
        {30, 22, 100}, // zone corner below: 101 capped at the maximum
        {40, 16, 100}, // same position, reported again
        {40, 23, -1},
        {29, 12, -1},
        {35, 12, 60},  // track offset 6
        {35, 30, -1},
    };
    for (const Step &s : steps) {
        received.clear();
        MoveHeld(s.x, s.y);
        std::vector<Msg> expected;
        if (s.reported >= 0) expected.push_back(M(WM_VSCROLL, Thumb(SB_THUMBTRACK, s.reported), id));
        EXPECT_EQ(Notes(), expected) << "mouse at " << s.x << "," << s.y;
        EXPECT_TRUE(Received(WM_MOUSEMOVE).empty()) << "a drag keeps every move";
    }
    received.clear();
    Release(35, 30);
    EXPECT_EQ(Notes(), (std::vector<Msg>{M(WM_VSCROLL, Thumb(SB_THUMBPOSITION, 60), id)}));
    EXPECT_EQ(TuiGetScrollPos(id), 40) << "the bar never moves itself";
    EXPECT_EQ(CharAt(40, 10), '\xDB');
    received.clear();
    Click(0, 0);
    EXPECT_EQ(Received(WM_LBUTTONUP).size(), 1u) << "the drag is over";
}

TEST_F(ScrollBarMouse, WhereBarsOverlapTheOlderOneTakesTheClick)
{
    int across = TuiShowScrollBar(0, 5, 9, 5, 0, 1);
    int down = TuiShowScrollBar(3, 2, 3, 8, 1, 1);
    ASSERT_EQ(CharAt(3, 5), '\xB0');
    Click(3, 5);
    Click(3, 2);
    EXPECT_EQ(Notes(), (std::vector<Msg>{M(WM_HSCROLL, SB_PAGELEFT, across), M(WM_VSCROLL, SB_LINEUP, down)}));
}

TEST_F(ScrollBarMouse, OtherTimersRightClicksAndPlainMovesReachTheApplication)
{
    FeedAndDispatch({MouseRecord(1, 1, FROM_LEFT_1ST_BUTTON_PRESSED), MouseRecord(1, 1, 0)});
    EXPECT_EQ(Received(WM_LBUTTONDOWN).size(), 1u) << "no bar yet";

    int id = TuiShowScrollBar(0, 0, 0, 9, 1, 1);
    UINT_PTR own = SetTimer(nullptr, 0, 60, nullptr);
    received.clear();
    FeedAndDispatch({MouseRecord(0, 3, 0), MouseRecord(0, 0, RIGHTMOST_BUTTON_PRESSED), MouseRecord(0, 0, 0)});
    EXPECT_EQ(Received(WM_MOUSEMOVE).size(), 2u);
    EXPECT_EQ(Received(WM_RBUTTONDOWN).size(), 1u);
    EXPECT_EQ(Received(WM_RBUTTONUP).size(), 1u);

    Press(0, 0);
    ASSERT_TRUE(RunUntil([&] { return Notes().size() >= 2 && Received(WM_TIMER).size() >= 2; }));
    Release(0, 0);
    KillTimer(nullptr, own);
    for (const Msg &m : Received(WM_TIMER)) EXPECT_EQ(m.wParam, static_cast<long long>(own));

    EXPECT_EQ(TuiDropScrollBar(id), 1);
    received.clear();
    Click(0, 0);
    EXPECT_EQ(Received(WM_LBUTTONDOWN).size(), 1u) << "with every bar dropped, clicks pass on";
}

TEST_F(ScrollBarMouse, DroppingAHeldBarEndsItsRepeats)
{
    int id = TuiShowScrollBar(0, 0, 0, 9, 1, 1);
    Press(0, 0);
    ASSERT_EQ(TuiDropScrollBar(id), 1);
    RunFor(500);
    EXPECT_EQ(Notes().size(), 1u);
    EXPECT_TRUE(Received(WM_TIMER).empty());
    Release(0, 0);
    EXPECT_EQ(Received(WM_LBUTTONUP).size(), 1u) << "nobody holds the release any more";
}

}  // namespace
}  // namespace tuikit::test

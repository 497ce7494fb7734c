// Scroll bars as an application uses them: set up and drawn, then answering
// clicks, holds and thumb drags through the input pump and the application's
// loop, and moving the demo's text view.
#include <algorithm>
#include <chrono>
#include <functional>

#include "examples/demo_scroll.h"
#include "support/console_driver.h"

namespace tuikit::test {
namespace {

// The application: its procedure records what it receives and hands it to
// `answer`; its loop passes every message to TuiDispatchMessage.
std::vector<Msg> received;
std::function<void(const Msg &)> answer;
LRESULT CALLBACK Record(HWND, UINT message, WPARAM w, LPARAM l)
{
    received.push_back(M(message, static_cast<long long>(w), static_cast<long long>(l)));
    if (answer) answer(received.back());
    return 0;
}
struct ScrollBars : ::testing::Test {
    void SetUp() override { TuiInit(), TuiSetProc(Record); }
};

// What the procedure received of these messages, in order.
std::vector<Msg> Received(std::initializer_list<UINT> messages)
{
    std::vector<Msg> out;
    std::ranges::copy_if(received, std::back_inserter(out), [&](const Msg &m) { return std::ranges::count(messages, m.message); });
    return out;
}
std::vector<Msg> Notes() { return Received({WM_HSCROLL, WM_VSCROLL}); }

bool RunUntil(const std::function<bool()> &done, int timeoutMs = 5000)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (MSG msg; !done() && std::chrono::steady_clock::now() < until;)
        if (NextMessage(msg, 20)) TuiDispatchMessage(&msg);
    return done();
}
void RunFor(int ms) { RunUntil([] { return false; }, ms); }

// One mouse record, dispatched together with the notifications it posted.
void Mouse(int x, int y, DWORD buttons, DWORD flags = 0)
{
    FeedAndDispatch({MouseRecord(x, y, buttons, 0, flags)});
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) TuiDispatchMessage(&msg);
}
void Press(int x, int y, DWORD flags = 0) { Mouse(x, y, FROM_LEFT_1ST_BUTTON_PRESSED, flags); }
void Release(int x, int y) { Mouse(x, y, 0); }
void Click(int x, int y, DWORD flags = 0) { Press(x, y, flags), Release(x, y); }

// A horizontal bar with a track of n cells and the thumb at offset t (-1: none).
std::string Across(int n, int t)
{
    std::string track(static_cast<size_t>(n), '\xB0');
    if (t >= 0) track[static_cast<size_t>(t)] = '\xDB';
    return "\x1B" + track + "\x1A";
}

// wParam of a thumb notification.
long long Thumb(int code, int position) { return static_cast<long long>(position) << 16 | code; }

TEST_F(ScrollBars, BarsDrawArrowsTrackAndAThumbThatFollowsRangeAndPosition)
{
    TuiShowScrollBar(0, 5, 3, 9, 0, 1);    // the bottom is pulled up to row 5
    TuiShowScrollBar(10, 0, 15, 3, 1, 0);  // the right edge is pulled in to column 10
    EXPECT_EQ(RowText(5, 0, 5), Across(2, -1) + " ") << "no thumb on the empty range";
    EXPECT_EQ(RowAttrs(5, 0, 4), (std::vector<WORD>{0x0F, 0x07, 0x07, 0x0F}));
    EXPECT_EQ(std::string({CharAt(10, 0), CharAt(10, 1), CharAt(10, 2), CharAt(10, 3), CharAt(11, 0)}), "\x18\xB0\xB0\x19 ");

    int id = TuiShowScrollBar(20, 0, 31, 0, 0, 1);  // track of 10 cells
    const struct { int minimum, maximum, position, offset; } steps[] = {
        {0, 100, 0, 0}, {0, 100, 50, 4}, {0, 100, 99, 9}, {0, 1, 0, 0}, {0, 1, 1, 9},
        {10, 20, 25, 0}, {10, 20, 15, 4}, {10, 20, 9, 4},  // the range lifts 1 to 10; 25 and 9 are ignored
        {0, 12, 30, 9}, {5, 5, 5, -1}};                    // the range lowers 15 to 12
    for (auto s : steps) {
        EXPECT_EQ(TuiSetScrollRange(id, s.minimum, s.maximum) + TuiSetScrollPos(id, s.position), 2);
        EXPECT_EQ(RowText(0, 20, 12), Across(10, s.offset)) << s.minimum << ".." << s.maximum << " at " << s.position;
    }
    for (auto [lo, hi] : {std::pair{-1, 5}, {0, -1}, {6, 5}}) EXPECT_EQ(TuiSetScrollRange(id, lo, hi), 0);

    // Colours repaint attributes only; the unseen thumb of the empty range
    // keeps its cell on the last track cell.
    EXPECT_EQ(TuiSetScrollBarColor(id, 0x1E, 0x30, 0x4F), 1);
    EXPECT_EQ(RowText(0, 20, 12), Across(10, -1));
    EXPECT_EQ(RowAttrs(0, 20, 12), (std::vector<WORD>{0x1E, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x4F, 0x1E}));
    TuiSetTextColor(0x2A);  // 0xFFFF is an attribute like any other, never "the current one"
    TuiSetScrollBarColor(id, 0x1E, 0x30, 0xFFFF);
    TuiSetScrollRange(id, 0, 9);  // position 5: offset 5
    EXPECT_EQ(RowAttrs(0, 25, 3), (std::vector<WORD>{0x30, 0xFFFF, 0x30}));
}

TEST_F(ScrollBars, RejectedPlacementsTakeNoIdAndADroppedBarIsGoneForGood)
{
    const int rejected[][5] = {{0, 0, 2, 0, 0}, {0, 0, 0, 2, 1}, {0, 0, 9, 0, 2},  {0, 0, 9, 0, -1}, {5, 0, 4, 0, 0},
                               {0, 5, 0, 1, 1}, {-1, 0, 9, 0, 0}, {0, -1, 0, 9, 1}, {0, 0, 0, 9, 0}};
    for (const auto &a : rejected)
        EXPECT_EQ(TuiShowScrollBar(a[0], a[1], a[2], a[3], a[4], 1), -1) << a[0] << a[1] << a[2] << a[3] << a[4];
    EXPECT_EQ(TuiShowScrollBar(0, 2, 9, 2, 0, 1) + TuiShowScrollBar(0, 3, 9, 3, 0, 1), 1 + 2);
    TuiSetScrollBarColor(1, 0x4F, 0x4F, 0x4F);
    EXPECT_EQ(TuiDropScrollBar(1), 1);
    EXPECT_EQ(RowText(0, 0, 10) + RowText(2, 0, 10), std::string(20, ' '));
    EXPECT_EQ(RowAttrs(2, 0, 10), std::vector<WORD>(10, 0x07));
    int32_t lo = -1, hi = -1;
    EXPECT_EQ(TuiSetScrollRange(1, 0, 5) + TuiSetScrollPos(1, 0) + TuiEnableScrollBar(1, 1) + TuiGetScrollPos(1) +
              TuiSetScrollBarColor(1, 1, 1, 1) + TuiGetScrollRange(1, &lo, &hi) + TuiDropScrollBar(1), 0);
    EXPECT_EQ(std::pair(lo, hi), std::pair(-1, -1)) << "nothing stored for a missing bar";
    EXPECT_EQ(TuiSetScrollRange(2, 3, 8) + TuiGetScrollRange(2, &lo, &hi) + TuiGetScrollRange(2, nullptr, nullptr), 3);
    EXPECT_EQ(std::pair(lo, hi), std::pair(3, 8)) << "the other bar keeps its id";
    EXPECT_EQ(TuiShowScrollBar(0, 5, 9, 5, 0, 1), 3) << "and a new bar never gets the dropped one";
}

TEST_F(ScrollBars, ClickOnEachPartPostsItsCodeTheOlderOfTwoBarsAnswersAndOtherClicksPassOn)
{
    int across = TuiShowScrollBar(10, 4, 21, 4, 0, 1);  // track 11..20
    int down = TuiShowScrollBar(12, 2, 12, 6, 1, 1);    // crosses it at column 12
    TuiSetScrollRange(across, 0, 100000);
    TuiSetScrollPos(across, 70000);  // thumb on column 17; 70000 travels cut to 16 bits
    auto H = [across](long long wParam) { return M(WM_HSCROLL, wParam, across); };
    const struct { int x, y; DWORD flags; std::vector<Msg> notes; } clicks[] = {
        {10, 4, 0, {H(SB_LINELEFT)}}, {21, 4, DOUBLE_CLICK, {H(SB_LINERIGHT)}}, {11, 4, 0, {H(SB_PAGELEFT)}},
        {12, 4, 0, {H(SB_PAGELEFT)}}, {16, 4, 0, {H(SB_PAGELEFT)}}, {18, 4, 0, {H(SB_PAGERIGHT)}},
        {20, 4, 0, {H(SB_PAGERIGHT)}}, {12, 2, 0, {M(WM_VSCROLL, SB_LINEUP, down)}},
        {17, 4, 0, {H(Thumb(SB_THUMBTRACK, 4464)), H(Thumb(SB_THUMBPOSITION, 4464))}}, {22, 4, 0, {}}, {10, 3, 0, {}},
    };
    for (const auto &c : clicks) {
        received.clear();
        Click(c.x, c.y, c.flags);
        EXPECT_EQ(Notes(), c.notes) << "click at " << c.x << "," << c.y;
        EXPECT_EQ(Received({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP}).size(), c.notes.empty() ? 2u : 0u);
    }
}

TEST_F(ScrollBars, HoldingTheTrackRepeatsPausesOffItAndStopsOnceTheThumbArrives)
{
    int id = TuiShowScrollBar(30, 0, 30, 11, 1, 1);
    TuiSetScrollRange(id, 0, 100);
    answer = [id](const Msg &m) { if (m.message == WM_VSCROLL) TuiSetScrollPos(id, TuiGetScrollPos(id) + 10); };
    UINT_PTR own = SetTimer(nullptr, 0, 60, nullptr);
    Press(30, 6);  // track offset 5: the thumb gets there at position 60
    ASSERT_TRUE(RunUntil([&] { return Notes().size() >= 2; })) << "holding repeats";
    Press(35, 6);  // off the bar
    size_t paused = Notes().size();
    RunFor(600);
    EXPECT_EQ(Notes().size(), paused) << "no repeats while the mouse is away";
    Press(30, 6);
    ASSERT_TRUE(RunUntil([&] { return TuiGetScrollPos(id) == 60; })) << "repeats resume";
    RunFor(500);
    Release(30, 6);
    TuiSetScrollPos(id, 0);  // the track under the mouse again, but the hold is over
    RunFor(500);
    Press(30, 0);
    TuiDropScrollBar(id);  // held: its timer goes with it
    RunFor(500);
    Release(30, 0);
    KillTimer(nullptr, own);
    std::vector<Msg> notes(6, M(WM_VSCROLL, SB_PAGEDOWN, id));
    notes.push_back(M(WM_VSCROLL, SB_LINEUP, id));
    EXPECT_EQ(Notes(), notes);
    EXPECT_EQ(Received({WM_MOUSEMOVE}).size(), 2u) << "only the moves before each hold; holds keep the others";
    std::vector<Msg> timers = Received({WM_TIMER});
    EXPECT_TRUE(!timers.empty() && timers == std::vector<Msg>(timers.size(), M(WM_TIMER, own, 0))) << "only the application's timer";
}

TEST_F(ScrollBars, DragReportsPositionsInsideTheZoneAndEndsWithTheLastOne)
{
    int id = TuiShowScrollBar(40, 6, 40, 17, 1, 1);  // track rows 7..16
    TuiSetScrollRange(id, 0, 100);
    TuiSetScrollPos(id, 40);
    Press(40, 10);  // on the thumb
    const struct { int x, y, reported; } moves[] = {  // reported -1: nothing
        {40, 7, 10}, {50, 1, 10},                     // first track cell (101 * 1 / 10), also from the zone's corner
        {51, 7, -1}, {40, 0, -1},                     // one column beside, one row above the zone
        {30, 22, 100}, {40, 16, 100},                 // 101 capped at the maximum, and reported again
        {40, 23, -1}, {29, 12, -1}, {35, 12, 60}};    // track offset 6
    for (const auto &s : moves) {
        received.clear();
        Press(s.x, s.y);
        auto note = M(WM_VSCROLL, Thumb(SB_THUMBTRACK, s.reported), id);
        EXPECT_EQ(received, s.reported < 0 ? std::vector<Msg>{} : std::vector<Msg>{note}) << s.x << "," << s.y;
    }
    received.clear();
    Release(35, 30);
    Click(0, 0);  // the drag is over: no second report
    EXPECT_EQ(Notes(), (std::vector<Msg>{M(WM_VSCROLL, Thumb(SB_THUMBPOSITION, 60), id)}));
    EXPECT_EQ(TuiGetScrollPos(id), 40) << "the bar never moves itself";
}

TEST_F(ScrollBars, DemoTextViewFollowsItsThumb)
{
    DemoScrollStart(5, 15, 43, 21);  // text in columns 5..42, rows 15..20
    answer = [](const Msg &m) { DemoScrollMessage(m.message, m.wParam, m.lParam); };
    Press(43, 16);
    Press(43, 19);
    Release(43, 19);
    EXPECT_EQ(RowText(15, 5, 9) + RowText(20, 5, 9), "Line 55: Line 60: ");
    DemoScrollStart(5, 15, 8, 21);  // too narrow for a view: the old bars go all the same
    received.clear();
    Click(43, 16);
    EXPECT_EQ(Received({WM_LBUTTONDOWN, WM_LBUTTONUP}).size(), 2u);
}

}  // namespace
}  // namespace tuikit::test

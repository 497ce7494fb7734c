// Scroll bars as the application sets them up: shape, thumb placement,
// ranges, colours, dropping and ids.
#include "scroll_app.h"

namespace tuikit::test {
namespace {

const std::string kUp = "\x18", kDown = "\x19", kRight = "\x1A", kLeft = "\x1B";
const std::string kTrack = "\xB0", kThumb = "\xDB";

std::string Repeat(const std::string &s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// A vertical bar's column with the thumb at offset t of a track of n cells.
std::string VerticalWithThumb(int n, int t)
{
    return kUp + Repeat(kTrack, t) + kThumb + Repeat(kTrack, n - t - 1) + kDown;
}

using ScrollBarShape = ScrollBarApp;

TEST_F(ScrollBarShape, ShortestHorizontalBarIsOneRowWithoutThumbOnEmptyRange)
{
    ASSERT_EQ(TuiShowScrollBar(0, 5, 3, 9, 0, 1), 1);
    EXPECT_EQ(RowText(5, 0, 5), kLeft + kTrack + kTrack + kRight + " ");
    EXPECT_EQ(RowAttrs(5, 0, 4), (std::vector<WORD>{0x0F, 0x07, 0x07, 0x0F}));
    EXPECT_EQ(CharAt(0, 6), ' ') << "bottom is pulled up to the bar's row";
    int32_t lo = -1, hi = -1;
    EXPECT_EQ(TuiGetScrollRange(1, &lo, &hi), 1);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 0);
    EXPECT_EQ(TuiGetScrollPos(1), 0);
    EXPECT_EQ(TuiShowScrollBar(10, 0, 10, 3, 1, 0), 2);
    EXPECT_EQ(ColumnText(10, 0, 5), kUp + kTrack + kTrack + kDown + " ");
}

TEST_F(ScrollBarShape, RejectedPlacementsDrawNothingAndUseNoId)
{
    EXPECT_EQ(TuiShowScrollBar(0, 0, 2, 0, 0, 1), -1) << "three cells are too short";
    EXPECT_EQ(TuiShowScrollBar(0, 0, 0, 2, 1, 1), -1);
    EXPECT_EQ(TuiShowScrollBar(0, 0, 9, 0, 2, 1), -1) << "vertical must be 0 or 1";
    EXPECT_EQ(TuiShowScrollBar(0, 0, 9, 0, -1, 1), -1);
    EXPECT_EQ(TuiShowScrollBar(5, 0, 4, 0, 0, 1), -1) << "right before left";
    EXPECT_EQ(TuiShowScrollBar(0, 5, 0, 1, 1, 1), -1) << "bottom above top";
    EXPECT_EQ(TuiShowScrollBar(-1, 0, 9, 0, 0, 1), -1);
    EXPECT_EQ(TuiShowScrollBar(0, -1, 0, 9, 1, 1), -1);
    EXPECT_EQ(TuiShowScrollBar(0, 0, 0, 9, 0, 1), -1) << "a horizontal bar needs its length in columns";
    EXPECT_EQ(RowText(0, 0, 10), std::string(10, ' '));
    EXPECT_EQ(TuiShowScrollBar(0, 0, 9, 0, 0, 1), 1);
}

TEST_F(ScrollBarShape, ThumbWalksATenCellTrackForRangesZeroToHundredAndZeroToOne)
{
    int id = TuiShowScrollBar(20, 0, 20, 11, 1, 1);
    ASSERT_EQ(TuiSetScrollRange(id, 0, 100), 1);
    EXPECT_EQ(ColumnText(20, 0, 12), VerticalWithThumb(10, 0));
    EXPECT_EQ(AttrAt(20, 1), 0x0F);
    const std::pair<int, int> positionToOffset[] = {{50, 4}, {99, 9}, {100, 9}, {0, 0}};
    for (auto [position, offset] : positionToOffset) {
        EXPECT_EQ(TuiSetScrollPos(id, position), 1);
        EXPECT_EQ(ColumnText(20, 0, 12), VerticalWithThumb(10, offset)) << "position " << position;
    }
    // With two values the thumb sits at either end of the track.
    TuiSetScrollRange(id, 0, 1);
    EXPECT_EQ(ColumnText(20, 0, 12), VerticalWithThumb(10, 0));
    TuiSetScrollPos(id, 1);
    EXPECT_EQ(ColumnText(20, 0, 12), VerticalWithThumb(10, 9));
}

TEST_F(ScrollBarShape, RangeClampsThePositionAndOutOfRangeValuesAreRefused)
{
    int id = TuiShowScrollBar(20, 0, 20, 11, 1, 1);
    TuiSetScrollRange(id, 0, 100);
    TuiSetScrollPos(id, 5);
    EXPECT_EQ(TuiSetScrollRange(id, 10, 20), 1);
    EXPECT_EQ(TuiGetScrollPos(id), 10);
    EXPECT_EQ(TuiSetScrollPos(id, 25), 1) << "the bar exists, the position is ignored";
    EXPECT_EQ(TuiGetScrollPos(id), 10);
    EXPECT_EQ(TuiSetScrollPos(id, 9), 1);
    EXPECT_EQ(TuiGetScrollPos(id), 10);
    EXPECT_EQ(ColumnText(20, 0, 12), VerticalWithThumb(10, 0));

    EXPECT_EQ(TuiSetScrollRange(id, -1, 5), 0);
    EXPECT_EQ(TuiSetScrollRange(id, 0, -1), 0);
    EXPECT_EQ(TuiSetScrollRange(id, 6, 5), 0);
    int32_t lo = 0, hi = 0;
    TuiGetScrollRange(id, &lo, &hi);
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(10, 20));

    TuiSetScrollPos(id, 20);
    EXPECT_EQ(TuiSetScrollRange(id, 5, 5), 1);
    EXPECT_EQ(TuiGetScrollPos(id), 5);
    EXPECT_EQ(ColumnText(20, 0, 12), kUp + Repeat(kTrack, 10) + kDown) << "an empty range hides the thumb";
    EXPECT_EQ(TuiEnableScrollBar(id, 0), 1);
    EXPECT_EQ(ColumnText(20, 0, 12), kUp + Repeat(kTrack, 10) + kDown) << "disabled bars look the same";
}

TEST_F(ScrollBarShape, ColoursRepaintOnlyAttributesAndStayForLaterDrawing)
{
    int id = TuiShowScrollBar(0, 2, 11, 2, 0, 1);
    const std::string before = RowText(2, 0, 12);
    EXPECT_EQ(TuiSetScrollBarColor(id, 0x1E, 0x30, 0x4F), 1);
    EXPECT_EQ(RowText(2, 0, 12), before);
    std::vector<WORD> expected(12, 0x30);
    expected.front() = expected.back() = 0x1E;
    expected[10] = 0x4F;  // an empty range keeps the thumb cell on the last track cell
    EXPECT_EQ(RowAttrs(2, 0, 12), expected);

    // 0xFFFF is an attribute like any other here, never "the current one".
    TuiSetTextColor(0x2A);
    TuiSetScrollBarColor(id, 0x1E, 0x30, 0xFFFF);
    TuiSetScrollRange(id, 0, 9);
    EXPECT_EQ(RowText(2, 0, 12), kLeft + kThumb + Repeat(kTrack, 9) + kRight);
    EXPECT_EQ(AttrAt(1, 2), 0xFFFF);
    EXPECT_EQ(AttrAt(2, 2), 0x30);
    EXPECT_EQ(AttrAt(11, 2), 0x1E);
}

TEST_F(ScrollBarShape, DroppedBarIsErasedAndItsIdIsNeverHandedOutAgain)
{
    int first = TuiShowScrollBar(0, 1, 9, 1, 0, 1);
    int second = TuiShowScrollBar(0, 3, 9, 3, 0, 1);
    TuiSetScrollRange(second, 0, 50);
    TuiSetScrollBarColor(first, 0x4F, 0x4F, 0x4F);
    EXPECT_EQ(TuiDropScrollBar(first), 1);
    EXPECT_EQ(RowText(1, 0, 10), std::string(10, ' '));
    EXPECT_EQ(RowAttrs(1, 0, 10), std::vector<WORD>(10, 0x07));

    int32_t lo = 7, hi = 7;
    EXPECT_EQ(TuiGetScrollRange(first, &lo, &hi), 0);
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(7, 7));
    EXPECT_EQ(TuiSetScrollRange(first, 0, 5), 0);
    EXPECT_EQ(TuiSetScrollPos(first, 0), 0);
    EXPECT_EQ(TuiGetScrollPos(first), 0);
    EXPECT_EQ(TuiEnableScrollBar(first, 1), 0);
    EXPECT_EQ(TuiSetScrollBarColor(first, 1, 1, 1), 0);
    EXPECT_EQ(TuiDropScrollBar(first), 0);
    EXPECT_EQ(RowText(1, 0, 10), std::string(10, ' ')) << "calls on a dropped id draw nothing";

    EXPECT_EQ(TuiSetScrollPos(second, 50), 1);
    EXPECT_EQ(TuiGetScrollPos(second), 50);
    EXPECT_EQ(TuiShowScrollBar(0, 5, 9, 5, 0, 1), 3);
    EXPECT_EQ(TuiSetScrollBarSize(3, 2), 1);
    EXPECT_EQ(TuiGetScrollBarSize(3), 0);
    EXPECT_EQ(TuiShowScrollBar(0, 7, 9, 7, 0, 1), 4);
}

TEST(ScrollBarBeforeInit, BarCanBeMadeButDrawsNothing)
{
    EXPECT_EQ(TuiShowScrollBar(0, 0, 9, 0, 0, 1), 1);
    EXPECT_EQ(TuiSetScrollRange(1, 0, 10), 1);
    TuiInit();
    EXPECT_EQ(RowText(0, 0, 10), std::string(10, ' '));
    TuiSetScrollPos(1, 10);
    EXPECT_EQ(RowText(0, 0, 10), kLeft + Repeat(kTrack, 7) + kThumb + kRight);
}

}  // namespace
}  // namespace tuikit::test

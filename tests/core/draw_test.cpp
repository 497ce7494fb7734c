// The drawing primitives and the internal run writers, checked on the cells.
// Pictures show the line-drawing characters as - | r 7 L J.
#include <gtest/gtest.h>

#include "core/draw.h"
#include "support/console_driver.h"

using namespace tuikit::test;
using namespace tuikit::core;

namespace {

using Attrs = std::vector<WORD>;

class Draw : public ::testing::Test {
protected:
    void SetUp() override { TuiInit(); }
};

TEST(DrawBeforeInit, OnlyTheCallsThatTestInitialisationRefuse)
{
    EXPECT_EQ((std::vector<int>{TuiDrawLine(0, 0, 5, 0, 7), TuiDrawBox(0, 0, 5, 5, 7, 7), TuiDrawPanel(0, 0, 5, 5, 7),
                                TuiWriteText(0, 0, "x", 7), TuiSetCursorPos(0, 0), PutString(0, 0, "x", 7, 0),
                                DrawFilledBox(0, 0, 5, 5, 7, 7, 1), TuiClearScreen(0, 0, 3, 0, 0x1F),
                                TuiSetTextColor(0x2E), TuiSetCursorInfo(50, 1), TuiScrollText(0, 0, 3, 3, 0, 1, 7)}),
              (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0}));
}

TEST_F(Draw, LinesRunRightOrDownAndABoxFramesWithThemColouringOnlyItsInterior)
{
    TuiWriteText(3, 2, "keep", 0x07);
    EXPECT_EQ(TuiDrawBox(1, 1, 8, 4, 0x1F, 0x4E) + TuiDrawLine(10, 1, 4, 0, 0x1E) + TuiDrawLine(15, 1, 3, 1, 0x2F), 0);
    EXPECT_EQ(TuiDrawLine(10, 3, 0, 0, 0x70) + TuiDrawLine(10, 3, -3, 1, 0x70), 0);  // nothing drawn
    EXPECT_EQ(Picture(1, 1, 16, 4), "r------7 ---- | /"
                                    "| keep |      | /"
                                    "|      |      | /"
                                    "L------J        ");
    EXPECT_EQ(RowAttrs(1, 8, 7), (Attrs{0x1F, 0x07, 0x1E, 0x1E, 0x1E, 0x1E, 0x07}));
    EXPECT_EQ(RowAttrs(3, 0, 11), (Attrs{0x07, 0x1F, 0x4E, 0x4E, 0x4E, 0x4E, 0x4E, 0x4E, 0x1F, 0x07, 0x07}));
}

TEST_F(Draw, DegenerateBoxesLetLaterCornersWinAndInvertedOnesAreRefused)
{
    EXPECT_EQ(TuiDrawBox(12, 1, 12, 5, 0x1F, 0x4E) + TuiDrawBox(0, 8, 10, 8, 0x1F, 0x4E), 0);
    EXPECT_EQ(Picture(12, 1, 1, 5) + " " + Picture(0, 8, 11, 1), "7/|/|/|/J L---------J");
    EXPECT_EQ(TuiDrawBox(5, 5, 4, 6, 0x1F, 0x4E) + TuiDrawBox(5, 6, 6, 5, 0x1F, 0x4E), 4);
    // Partly off the buffer: only the cells on it are drawn, nothing wraps.
    EXPECT_EQ(TuiDrawBox(-3, -2, 3, 2, 0x1F, 0x4E) + TuiDrawBox(75, 20, 85, 30, 0x1F, 0x4E), 0);
    EXPECT_EQ(Picture(0, 0, 4, 3) + " " + Picture(75, 20, 5, 1) + Picture(0, 21, 1, 1), "   |/   |/---J r---- ");
}

TEST_F(Draw, AFilledBoxFillsTheWholeRectangleThenFrames)
{
    TuiWriteText(0, 1, "xxxxxx", 0x07);
    EXPECT_EQ(DrawFilledBox(0, 0, 4, 2, 0x70, 0x1F, 2), 0);  // only 1 blanks
    EXPECT_EQ(Picture(0, 1, 6, 1), "|xxx|x");
    EXPECT_EQ(RowAttrs(1, 0, 3), (Attrs{0x70, 0x1F, 0x1F}));
    EXPECT_EQ(DrawFilledBox(0, 0, 4, 2, 0x70, 0x1F, 1), 0);
    EXPECT_EQ(Picture(0, 0, 6, 3), "r---7 /|   |x/L---J ");
    // Smaller than 3 by 3, or starting left of or above the buffer: refused.
    EXPECT_EQ(DrawFilledBox(10, 10, 11, 14, 0x70, 0x1F, 1) + DrawFilledBox(10, 10, 14, 11, 0x70, 0x1F, 1), 4);
    EXPECT_EQ(DrawFilledBox(-1, 10, 14, 14, 0x70, 0x1F, 1) + DrawFilledBox(10, -1, 14, 14, 0x70, 0x1F, 1), 4);
}

TEST_F(Draw, EachCallHasItsOwnRuleForTheCurrentColour)
{
    EXPECT_EQ(TuiSetTextColor(0x2F03C), 0);  // the low 16 bits
    TuiDrawPanel(0, 0, 0, 0, -1);          // low 16 bits 0xFFFF
    TuiDrawPanel(1, 0, 1, 0, 0x7FFFFFFF);  // likewise
    TuiDrawPanel(2, 0, 2, 0, -2);          // used as it is
    TuiWriteText(3, 0, "a", -1);           // only -1 exactly
    TuiWriteText(4, 0, "b", -2);
    TuiClearScreen(5, 0, 5, 0, -5);        // any negative
    TuiClearScreen(6, 0, 6, 0, 0);         // 0 means 0x07
    EXPECT_EQ(RowAttrs(0, 0, 7), (Attrs{0xF03C, 0xF03C, 0xFFFE, 0xF03C, 0xFFFE, 0xF03C, 0x07}));
    EXPECT_EQ(TuiSetTextColor(-1), 2);
    EXPECT_EQ(CurrentTextAttribute, 0xF03C);
}

TEST_F(Draw, PanelsRecolourClearsBlankAndRowsWrapLikeAConsoleRun)
{
    TuiWriteText(0, 0, "text", 0x07);
    TuiWriteText(0, 1, "gone", 0x07);
    EXPECT_EQ(TuiDrawPanel(0, 0, 3, 1, 0x5A) + TuiClearScreen(1, 0, 2, 1, 0x40), 0);
    EXPECT_EQ(Picture(0, 0, 4, 2), "t  t/g  e");
    EXPECT_EQ(RowAttrs(0, 0, 5), (Attrs{0x5A, 0x40, 0x40, 0x5A, 0x07}));
    EXPECT_EQ(RowAttrs(1, 0, 5), RowAttrs(0, 0, 5));
    EXPECT_EQ(TuiClearScreen(78, 7, 81, 7, 0x40), 0);
    EXPECT_EQ(RowAttrs(8, 0, 3), (Attrs{0x40, 0x40, 0x07}));
}

TEST_F(Draw, TextWrapsButPutStringStopsAtTheEdgeAndLeavesTheCursorBehindIt)
{
    EXPECT_EQ(TuiSetCursorPos(40, 20), 0);
    EXPECT_EQ(TuiWriteText(78, 3, "wrap", 0x1B) + TuiWriteText(0, 6, "", 0x70), 0);
    EXPECT_EQ(PutString(78, 4, "xyz", 0x1F, 0) + PutString(0, 0, nullptr, 0x1F, 1) + PutString(0, 0, "", 0x1F, 1), 0);
    EXPECT_EQ(CursorPos().X * 100 + CursorPos().Y, 4020);
    EXPECT_EQ(PutString(5, 2, "abc", 0x1F, 1), 0);
    EXPECT_EQ(CursorPos().X * 100 + CursorPos().Y, 802);
    EXPECT_EQ(Picture(78, 3, 2, 2) + " " + Picture(0, 4, 2, 2) + " " + RowText(2, 5, 3), "wr/xy ap/   abc");
    EXPECT_EQ(RowAttrs(4, 1, 2), (Attrs{0x1B, 0x07}));
    EXPECT_EQ(AttrAt(7, 2), 0x1F);
    // The cursor's shape: 1 to 100 percent of a cell, shown or hidden.
    EXPECT_EQ(TuiSetCursorInfo(100, 1) + TuiSetCursorInfo(20, 0), 0);
    EXPECT_EQ(TuiSetCursorInfo(0, 1) + TuiSetCursorInfo(101, 1) + TuiSetCursorInfo(50, 2) + TuiSetCursorInfo(50, -1), 8);
    EXPECT_EQ(CursorInfo().dwSize * 10 + static_cast<DWORD>(CursorInfo().bVisible), 200u);
}

TEST_F(Draw, ScrollingMovesTheRectangleFillsWhatItUncoversAndTouchesNothingElse)
{
    for (int y = 0; y < 4; ++y) TuiWriteText(9, 10 + y, ("|" + std::string(4, static_cast<char>('a' + y)) + "|").c_str(), 7);
    EXPECT_EQ(TuiScrollText(10, 10, 13, 13, 0, -1, 0x30), 0);
    EXPECT_EQ(Picture(9, 10, 6, 4), "|bbbb|/|cccc|/|dddd|/|    |");
    EXPECT_EQ(AttrAt(10, 13), 0x30);
    EXPECT_EQ(TuiScrollText(10, 10, 13, 13, 2, 0, -1), 0);
    EXPECT_EQ(Picture(9, 10, 6, 1), "|  bb|");
    EXPECT_EQ(AttrAt(10, 10), 0);  // the current colour, still 0
    EXPECT_EQ(TuiScrollText(10, 10, 13, 13, 0, 100, 0x07), 0);
    EXPECT_EQ(Picture(9, 11, 6, 1), "|    |");
}

TEST_F(Draw, RunWritersWrapAndIgnoreNegativeStarts)
{
    const uint16_t attrs[] = {0x11, 0x22, 0x33};
    WriteCharRun(79, 0, "ab", 2);
    WriteAttrRun(0, 2, attrs, 3);
    FillAttrRun(79, 2, 0x6F, 2);
    // Cut to 16 bits, these starts would all land on (0, 5).
    WriteCharRun(-65536, 5, "zz", 2);
    WriteAttrRun(-65536, 5, attrs, 3);
    FillAttrRun(0, -65531, 0x6F, 10);
    EXPECT_EQ(RowText(0, 79, 1) + RowText(1, 0, 1) + RowText(5, 0, 2), "ab  ");
    EXPECT_EQ(RowAttrs(2, 0, 4), (Attrs{0x11, 0x22, 0x33, 0x07}));
    EXPECT_EQ(RowAttrs(2, 79, 3), (Attrs{0x6F, 0x6F, 0x07}));  // the fill's second cell starts row 3
    EXPECT_EQ(RowAttrs(5, 0, 10), Attrs(10, 0x07));
}

}  // namespace

// The drawing primitives and the internal run writers, checked on the cells.
#include <gtest/gtest.h>

#include "core/draw.h"
#include "support/console_driver.h"

using namespace tuikit::test;
using namespace tuikit::core;

namespace {

constexpr char H = static_cast<char>(0xC4), V = static_cast<char>(0xB3);
constexpr char UL = static_cast<char>(0xDA), UR = static_cast<char>(0xBF);
constexpr char LL = static_cast<char>(0xC0), LR = static_cast<char>(0xD9);

std::string Frame(char left, int inner, char fill, char right) { return left + std::string(inner, fill) + right; }

class Draw : public ::testing::Test {
protected:
    void SetUp() override { TuiInit(); }
};

TEST(DrawBeforeInit, OnlyTheCallsThatTestInitialisationRefuse)
{
    EXPECT_EQ(TuiDrawLine(0, 0, 5, 0, 0x07), 1);
    EXPECT_EQ(TuiDrawBox(0, 0, 5, 5, 0x07, 0x07), 1);
    EXPECT_EQ(TuiDrawPanel(0, 0, 5, 5, 0x07), 1);
    EXPECT_EQ(TuiWriteText(0, 0, "x", 0x07), 1);
    EXPECT_EQ(TuiSetCursorPos(0, 0), 1);
    EXPECT_EQ(PutString(0, 0, "x", 0x07, 0), 1);
    EXPECT_EQ(DrawFilledBox(0, 0, 5, 5, 0x07, 0x07, 1), 1);
    EXPECT_EQ(TuiClearScreen(0, 0, 3, 0, 0x1F), 0);
    EXPECT_EQ(TuiSetTextColor(0x2E), 0);
    EXPECT_EQ(TuiSetCursorInfo(50, 1), 0);
    EXPECT_EQ(TuiScrollText(0, 0, 3, 3, 0, 1, 0x07), 0);
}

TEST_F(Draw, LinesRunRightOrDownAndAreCutAtTheEdge)
{
    EXPECT_EQ(TuiDrawLine(2, 1, 4, 0, 0x1E), 0);
    EXPECT_EQ(RowText(1, 1, 6), " " + std::string(4, H) + " ");
    EXPECT_EQ(AttrAt(5, 1), 0x1E);
    EXPECT_EQ(TuiDrawLine(10, 3, 3, 1, 0x2F), 0);
    EXPECT_EQ(RowText(5, 10, 1) + RowText(6, 10, 1), std::string(1, V) + " ");
    EXPECT_EQ(TuiDrawLine(0, 10, 0, 0, 0x70) + TuiDrawLine(0, 10, -3, 0, 0x70), 0);
    EXPECT_EQ(AttrAt(0, 10), 0x07);
    TuiDrawLine(78, 12, 5, 0, 0x70);
    EXPECT_EQ(CharAt(0, 13), ' ');  // cut, not wrapped
}

TEST_F(Draw, ABoxFramesTheRectangleAndColoursOnlyItsInterior)
{
    TuiWriteText(3, 2, "keep", 0x07);
    EXPECT_EQ(TuiDrawBox(1, 1, 8, 4, 0x1F, 0x4E), 0);
    EXPECT_EQ(RowText(1, 1, 8), Frame(UL, 6, H, UR));
    EXPECT_EQ(RowText(2, 1, 8), V + std::string(" keep ") + V);
    EXPECT_EQ(RowText(4, 1, 8), Frame(LL, 6, H, LR));
    EXPECT_EQ(RowAttrs(3, 0, 10), (std::vector<WORD>{0x07, 0x1F, 0x4E, 0x4E, 0x4E, 0x4E, 0x4E, 0x4E, 0x1F, 0x07}));
}

TEST_F(Draw, DegenerateBoxesLetLaterCornersWinAndInvertedOnesAreRefused)
{
    EXPECT_EQ(TuiDrawBox(2, 1, 2, 5, 0x1F, 0x4E), 0);  // width 0
    EXPECT_EQ(std::string() + CharAt(2, 1) + CharAt(2, 3) + CharAt(2, 5), std::string() + UR + V + LR);
    EXPECT_EQ(AttrAt(3, 3), 0x07);
    EXPECT_EQ(TuiDrawBox(0, 0, 10, 0, 0x1F, 0x4E), 0);  // height 0
    EXPECT_EQ(RowText(0, 0, 11), Frame(LL, 9, H, LR));
    EXPECT_EQ(TuiDrawBox(5, 5, 4, 6, 0x1F, 0x4E), 2);
    EXPECT_EQ(TuiDrawBox(5, 6, 6, 5, 0x1F, 0x4E), 2);
    // Partly off the buffer: only the cells on it are drawn, nothing wraps.
    EXPECT_EQ(TuiDrawBox(-3, -2, 3, 2, 0x1F, 0x4E), 0);
    EXPECT_EQ(std::string() + CharAt(3, 2) + CharAt(3, 0) + CharAt(0, 2), std::string() + LR + V + H);
    EXPECT_EQ(TuiDrawBox(75, 20, 85, 30, 0x1F, 0x4E), 0);
    EXPECT_EQ(CharAt(75, 20), UL);
    EXPECT_EQ(CharAt(0, 21), ' ');
}

TEST_F(Draw, EachCallHasItsOwnRuleForTheCurrentColour)
{
    TuiSetTextColor(0x3C);
    TuiDrawPanel(0, 0, 0, 0, -1);          // low 16 bits 0xFFFF
    TuiDrawPanel(1, 0, 1, 0, 0x7FFFFFFF);  // likewise
    TuiDrawPanel(2, 0, 2, 0, -2);          // used as it is
    TuiWriteText(3, 0, "a", -1);           // only -1 exactly
    TuiWriteText(4, 0, "b", -2);
    TuiClearScreen(5, 0, 5, 0, -5);        // any negative
    TuiClearScreen(6, 0, 6, 0, 0);         // 0 means 0x07
    EXPECT_EQ(RowAttrs(0, 0, 7), (std::vector<WORD>{0x3C, 0x3C, 0xFFFE, 0x3C, 0xFFFE, 0x3C, 0x07}));
    EXPECT_EQ(TuiSetTextColor(-1), 2);
    EXPECT_EQ(CurrentTextAttribute, 0x3C);
    EXPECT_EQ(TuiSetTextColor(0x12345), 0);
    EXPECT_EQ(CurrentTextAttribute, 0x2345);
}

TEST_F(Draw, PanelsRecolourClearsBlankAndBothWrapLikeAConsoleRun)
{
    TuiWriteText(0, 0, "text", 0x07);
    EXPECT_EQ(TuiDrawPanel(0, 0, 3, 1, 0x5A), 0);
    EXPECT_EQ(RowText(0, 0, 4), "text");
    EXPECT_EQ(RowAttrs(1, 0, 5), (std::vector<WORD>{0x5A, 0x5A, 0x5A, 0x5A, 0x07}));
    EXPECT_EQ(TuiClearScreen(0, 0, 79, 24, 0), 0);
    EXPECT_EQ(RowText(0) + RowText(24), std::string(160, ' '));
    EXPECT_EQ(RowAttrs(24, 0, 80), std::vector<WORD>(80, 0x07));
    EXPECT_EQ(TuiClearScreen(78, 5, 81, 5, 0x40), 0);
    EXPECT_EQ(RowAttrs(6, 0, 3), (std::vector<WORD>{0x40, 0x40, 0x07}));
}

TEST_F(Draw, TextUsesItsAttributeWrapsAndLeavesTheCursorAlone)
{
    TuiSetCursorPos(40, 20);
    EXPECT_EQ(TuiWriteText(78, 3, "wrap", 0x1B), 0);
    EXPECT_EQ(RowText(3, 78, 2) + RowText(4, 0, 2), "wrap");
    EXPECT_EQ(AttrAt(1, 4), 0x1B);
    EXPECT_EQ(CursorPos().X, 40);
    EXPECT_EQ(TuiWriteText(0, 6, "", 0x70), 0);
    EXPECT_EQ(AttrAt(0, 6), 0x07);
    TuiWriteText(0, 7, "\x1b[2J\x07", 0x07);  // control bytes are cell contents
    EXPECT_EQ(RowText(7, 0, 5), "\x1b[2J\x07");
}

TEST_F(Draw, ScrollingMovesTheRectangleFillsWhatItUncoversAndTouchesNothingElse)
{
    for (int y = 0; y < 4; ++y) TuiWriteText(10, 10 + y, std::string(4, static_cast<char>('a' + y)).c_str(), 0x07);
    TuiWriteText(9, 10, "|", 0x07);
    TuiWriteText(14, 10, "|", 0x07);
    EXPECT_EQ(TuiScrollText(10, 10, 13, 13, 0, -1, 0x30), 0);
    EXPECT_EQ(RowText(10, 9, 6) + RowText(13, 10, 4), "|bbbb|    ");
    EXPECT_EQ(AttrAt(10, 13), 0x30);
    EXPECT_EQ(TuiScrollText(10, 10, 13, 13, 2, 0, -1), 0);
    EXPECT_EQ(RowText(10, 9, 6), "|  bb|");
    EXPECT_EQ(AttrAt(10, 10), 0);  // the current colour, still 0
    EXPECT_EQ(TuiScrollText(10, 10, 13, 13, 0, 100, 0x07), 0);
    EXPECT_EQ(RowText(11, 10, 4), "    ");
}

TEST_F(Draw, CursorCallsCheckTheirRanges)
{
    EXPECT_EQ(TuiSetCursorPos(12, 7), 0);
    EXPECT_EQ(CursorPos().X * 100 + CursorPos().Y, 1207);
    EXPECT_EQ(TuiSetCursorPos(-1, 0), 2);
    EXPECT_EQ(TuiSetCursorInfo(100, 1), 0);
    EXPECT_EQ(TuiSetCursorInfo(20, 0), 0);
    EXPECT_EQ(TuiSetCursorInfo(0, 1) + TuiSetCursorInfo(101, 1) + TuiSetCursorInfo(50, 2), 6);
    EXPECT_EQ(CursorInfo().dwSize, 20u);
    EXPECT_FALSE(CursorInfo().bVisible);
}

TEST_F(Draw, PutStringGoesCellByCellAndCanLeaveTheCursorBehindTheText)
{
    EXPECT_EQ(PutString(5, 2, "abc", 0x1F, 1), 0);
    EXPECT_EQ(RowText(2, 5, 3), "abc");
    EXPECT_EQ(AttrAt(7, 2), 0x1F);
    EXPECT_EQ(CursorPos().X, 8);
    EXPECT_EQ(PutString(0, 0, nullptr, 0x1F, 1) + PutString(0, 0, "", 0x1F, 1), 0);
    PutString(78, 4, "xyz", 0x1F, 0);
    EXPECT_EQ(RowText(4, 78, 2) + CharAt(0, 5), "xy ");  // dropped past the edge, not wrapped
}

TEST_F(Draw, RunWritersWrapAndIgnoreNegativeStarts)
{
    WriteCharRun(79, 0, "ab", 2);
    EXPECT_EQ(RowText(0, 79, 1) + RowText(1, 0, 1), "ab");
    const uint16_t attrs[] = {0x11, 0x22, 0x33};
    WriteAttrRun(0, 2, attrs, 3);
    FillAttrRun(1, 3, 0x6F, 2);
    EXPECT_EQ(RowAttrs(2, 0, 4), (std::vector<WORD>{0x11, 0x22, 0x33, 0x07}));
    EXPECT_EQ(RowAttrs(3, 0, 4), (std::vector<WORD>{0x07, 0x6F, 0x6F, 0x07}));
    WriteCharRun(-1, 5, "zz", 2);
    FillAttrRun(0, -1, 0x6F, 10);
    WriteAttrRun(-5, 5, attrs, 3);
    EXPECT_EQ(RowText(5, 0, 2), "  ");
}

TEST_F(Draw, AFilledBoxFillsTheWholeRectangleThenFrames)
{
    TuiWriteText(0, 1, "xxxxxx", 0x07);
    EXPECT_EQ(DrawFilledBox(0, 0, 4, 2, 0x70, 0x1F, 0), 0);
    EXPECT_EQ(RowText(1, 0, 6), V + std::string("xxx") + V + "x");
    EXPECT_EQ(RowAttrs(1, 0, 3), (std::vector<WORD>{0x70, 0x1F, 0x1F}));
    EXPECT_EQ(DrawFilledBox(0, 0, 4, 2, 0x70, 0x1F, 1), 0);
    EXPECT_EQ(RowText(1, 0, 6), V + std::string("   ") + V + "x");
    // Smaller than 3 by 3, or negative: refused, nothing drawn.
    EXPECT_EQ(DrawFilledBox(10, 10, 11, 14, 0x70, 0x1F, 1), 2);
    EXPECT_EQ(DrawFilledBox(10, 10, 14, 11, 0x70, 0x1F, 1), 2);
    EXPECT_EQ(DrawFilledBox(-1, 10, 14, 14, 0x70, 0x1F, 1), 2);
    EXPECT_EQ(AttrAt(10, 10), 0x07);
}

}  // namespace

// The drawing primitives and the internal run writers, checked on the cells.
#include <gtest/gtest.h>

#include "core/draw.h"
#include "support/console_driver.h"

using namespace tuikit::test;
using tuikit::core::DrawFilledBox;
using tuikit::core::FillAttrRun;
using tuikit::core::PutString;
using tuikit::core::WriteAttrRun;
using tuikit::core::WriteCharRun;

namespace {

constexpr char H = static_cast<char>(0xC4), V = static_cast<char>(0xB3);
constexpr char UL = static_cast<char>(0xDA), UR = static_cast<char>(0xBF);
constexpr char LL = static_cast<char>(0xC0), LR = static_cast<char>(0xD9);

class Draw : public ::testing::Test {
protected:
    void SetUp() override { TuiInit(); }
};

TEST(DrawBeforeInit, CallsThatTestInitialisationReportIt)
{
    EXPECT_EQ(TuiDrawLine(0, 0, 5, 0, 0x07), 1);
    EXPECT_EQ(TuiDrawBox(0, 0, 5, 5, 0x07, 0x07), 1);
    EXPECT_EQ(TuiDrawPanel(0, 0, 5, 5, 0x07), 1);
    EXPECT_EQ(TuiWriteText(0, 0, "x", 0x07), 1);
    EXPECT_EQ(TuiSetCursorPos(0, 0), 1);
    EXPECT_EQ(PutString(0, 0, "x", 0x07, 0), 1);
    EXPECT_EQ(DrawFilledBox(0, 0, 5, 5, 0x07, 0x07, 1), 1);
    // These do not test it and work on the console directly.
    EXPECT_EQ(TuiClearScreen(0, 0, 3, 0, 0x1F), 0);
    EXPECT_EQ(TuiSetTextColor(0x2E), 0);
    EXPECT_EQ(TuiSetCursorInfo(50, 1), 0);
    EXPECT_EQ(TuiScrollText(0, 0, 3, 3, 0, 1, 0x07), 0);
}

TEST_F(Draw, LinesRunRightOrDownWithTheirAttribute)
{
    EXPECT_EQ(TuiDrawLine(2, 1, 4, 0, 0x1E), 0);
    EXPECT_EQ(RowText(1, 1, 6), std::string(" ") + H + H + H + H + " ");
    EXPECT_EQ(AttrAt(5, 1), 0x1E);
    EXPECT_EQ(TuiDrawLine(10, 3, 3, 1, 0x2F), 0);
    EXPECT_EQ(CharAt(10, 3), V);
    EXPECT_EQ(CharAt(10, 5), V);
    EXPECT_EQ(CharAt(10, 6), ' ');
    EXPECT_EQ(AttrAt(10, 5), 0x2F);
    // Length 0 or less draws nothing.
    EXPECT_EQ(TuiDrawLine(0, 10, 0, 0, 0x70), 0);
    EXPECT_EQ(TuiDrawLine(0, 10, -3, 0, 0x70), 0);
    EXPECT_EQ(RowAttrs(10, 0, 3), (std::vector<WORD>{0x07, 0x07, 0x07}));
    // A line off the edge is cut, not wrapped.
    EXPECT_EQ(TuiDrawLine(78, 12, 5, 0, 0x70), 0);
    EXPECT_EQ(CharAt(0, 13), ' ');
}

TEST_F(Draw, ABoxFramesTheRectangleAndColoursOnlyItsInterior)
{
    TuiWriteText(3, 2, "keep", 0x07);
    EXPECT_EQ(TuiDrawBox(1, 1, 8, 4, 0x1F, 0x4E), 0);
    EXPECT_EQ(RowText(1, 1, 8), std::string() + UL + H + H + H + H + H + H + UR);
    EXPECT_EQ(RowText(2, 1, 8), std::string() + V + " keep " + V);
    EXPECT_EQ(RowText(4, 1, 8), std::string() + LL + H + H + H + H + H + H + LR);
    EXPECT_EQ(AttrAt(1, 2), 0x1F);
    EXPECT_EQ(AttrAt(2, 2), 0x4E);
    EXPECT_EQ(AttrAt(7, 3), 0x4E);
    EXPECT_EQ(AttrAt(8, 3), 0x1F);
    EXPECT_EQ(AttrAt(9, 3), 0x07);
}

TEST_F(Draw, DegenerateBoxesLetLaterCornersWin)
{
    // Width 0: a vertical line whose ends are the right-hand corners.
    EXPECT_EQ(TuiDrawBox(2, 1, 2, 5, 0x1F, 0x4E), 0);
    EXPECT_EQ(CharAt(2, 1), UR);
    EXPECT_EQ(CharAt(2, 3), V);
    EXPECT_EQ(CharAt(2, 5), LR);
    EXPECT_EQ(AttrAt(3, 3), 0x07);
    // Height 0: a horizontal line whose ends are the lower corners.
    EXPECT_EQ(TuiDrawBox(0, 0, 10, 0, 0x1F, 0x4E), 0);
    EXPECT_EQ(CharAt(0, 0), LL);
    EXPECT_EQ(CharAt(5, 0), H);
    EXPECT_EQ(CharAt(10, 0), LR);
    EXPECT_EQ(TuiDrawBox(5, 5, 4, 6, 0x1F, 0x4E), 2);
    EXPECT_EQ(TuiDrawBox(5, 6, 6, 5, 0x1F, 0x4E), 2);
}

TEST_F(Draw, ABoxPartlyOffTheBufferDrawsOnlyWhatIsOnIt)
{
    EXPECT_EQ(TuiDrawBox(-3, -2, 3, 2, 0x1F, 0x4E), 0);
    EXPECT_EQ(CharAt(3, 2), LR);
    EXPECT_EQ(CharAt(3, 0), V);
    EXPECT_EQ(CharAt(0, 2), H);
    EXPECT_EQ(TuiDrawBox(75, 20, 85, 30, 0x1F, 0x4E), 0);
    EXPECT_EQ(CharAt(75, 20), UL);
    EXPECT_EQ(CharAt(79, 20), H);
    // The frame was cut at the edge: no wrap onto the next row.
    EXPECT_EQ(CharAt(0, 21), ' ');
}

TEST_F(Draw, PanelsRecolourWithoutTouchingCharacters)
{
    TuiWriteText(0, 0, "text", 0x07);
    EXPECT_EQ(TuiDrawPanel(0, 0, 3, 1, 0x5A), 0);
    EXPECT_EQ(RowText(0, 0, 4), "text");
    EXPECT_EQ(RowAttrs(1, 0, 5), (std::vector<WORD>{0x5A, 0x5A, 0x5A, 0x5A, 0x07}));
    // 0xFFFF in the low 16 bits means the current text colour.
    TuiSetTextColor(0x3C);
    EXPECT_EQ(TuiDrawPanel(0, 0, 0, 0, -1), 0);
    EXPECT_EQ(AttrAt(0, 0), 0x3C);
    EXPECT_EQ(TuiDrawPanel(1, 0, 1, 0, 0x7FFFFFFF), 0);
    EXPECT_EQ(AttrAt(1, 0), 0x3C);
    EXPECT_EQ(TuiDrawPanel(2, 0, 2, 0, -2), 0);
    EXPECT_EQ(AttrAt(2, 0), 0xFFFE);
}

TEST_F(Draw, ClearingBlanksTheRectangleInTheChosenColour)
{
    TuiWriteText(0, 0, "junk everywhere", 0x4F);
    EXPECT_EQ(TuiClearScreen(0, 0, 79, 24, 0), 0);
    for (int y : {0, 12, 24}) {
        EXPECT_EQ(RowText(y), std::string(80, ' '));
        EXPECT_EQ(RowAttrs(y, 0, 80), std::vector<WORD>(80, 0x07));
    }
    TuiSetTextColor(0x1E);
    EXPECT_EQ(TuiClearScreen(5, 5, 6, 5, -5), 0);
    EXPECT_EQ(AttrAt(5, 5), 0x1E);
    EXPECT_EQ(AttrAt(7, 5), 0x07);
    EXPECT_EQ(TuiClearScreen(0, 6, 0, 6, 0x20), 0);
    EXPECT_EQ(AttrAt(0, 6), 0x20);
}

TEST_F(Draw, ARectangleWiderThanTheBufferWrapsLikeAConsoleRun)
{
    EXPECT_EQ(TuiClearScreen(78, 0, 81, 0, 0x40), 0);
    EXPECT_EQ(AttrAt(79, 0), 0x40);
    EXPECT_EQ(AttrAt(0, 1), 0x40);
    EXPECT_EQ(AttrAt(1, 1), 0x40);
    EXPECT_EQ(AttrAt(2, 1), 0x07);
}

TEST_F(Draw, TextUsesItsAttributeAndLeavesTheCursorAlone)
{
    TuiSetCursorPos(40, 20);
    EXPECT_EQ(TuiWriteText(78, 3, "wrap", 0x1B), 0);
    EXPECT_EQ(RowText(3, 78, 2), "wr");
    EXPECT_EQ(RowText(4, 0, 2), "ap");
    EXPECT_EQ(AttrAt(1, 4), 0x1B);
    EXPECT_EQ(CursorPos().X, 40);
    EXPECT_EQ(CursorPos().Y, 20);
    // Only -1 means the current colour; other negatives are used as they are.
    TuiSetTextColor(0x2A);
    TuiWriteText(0, 5, "a", -1);
    TuiWriteText(1, 5, "b", -2);
    EXPECT_EQ(AttrAt(0, 5), 0x2A);
    EXPECT_EQ(AttrAt(1, 5), 0xFFFE);
    EXPECT_EQ(TuiWriteText(0, 6, "", 0x70), 0);
    EXPECT_EQ(AttrAt(0, 6), 0x07);
    // Control bytes are cell contents like any other.
    TuiWriteText(0, 7, "\x1b[2J\x07", 0x07);
    EXPECT_EQ(RowText(7, 0, 5), "\x1b[2J\x07");
}

TEST_F(Draw, TextColourRejectsNegativeValuesAndKeepsTheOldOne)
{
    EXPECT_EQ(tuikit::core::CurrentTextAttribute, 0);
    EXPECT_EQ(TuiSetTextColor(0x12345), 0);
    EXPECT_EQ(tuikit::core::CurrentTextAttribute, 0x2345);
    EXPECT_EQ(TuiSetTextColor(-1), 2);
    EXPECT_EQ(tuikit::core::CurrentTextAttribute, 0x2345);
}

TEST_F(Draw, ScrollingMovesTheRectangleAndFillsWhatItUncovers)
{
    for (int y = 0; y < 4; ++y) TuiWriteText(10, 10 + y, std::string(4, static_cast<char>('a' + y)).c_str(), 0x07);
    TuiWriteText(9, 10, "|", 0x07);
    TuiWriteText(14, 10, "|", 0x07);
    EXPECT_EQ(TuiScrollText(10, 10, 13, 13, 0, -1, 0x30), 0);
    EXPECT_EQ(RowText(10, 9, 6), "|bbbb|");
    EXPECT_EQ(RowText(13, 10, 4), "    ");
    EXPECT_EQ(AttrAt(10, 13), 0x30);
    EXPECT_EQ(TuiScrollText(10, 10, 13, 13, 2, 0, -1), 0);
    EXPECT_EQ(RowText(10, 9, 6), "|  bb|");  // cells outside never change
    EXPECT_EQ(AttrAt(10, 10), 0);             // current colour, 0 before any TuiSetTextColor
    // Moving the whole block out leaves a blank rectangle.
    EXPECT_EQ(TuiScrollText(10, 10, 13, 13, 0, 100, 0x07), 0);
    EXPECT_EQ(RowText(11, 10, 4), "    ");
}

TEST_F(Draw, CursorCalls)
{
    EXPECT_EQ(TuiSetCursorPos(12, 7), 0);
    EXPECT_EQ(CursorPos().X, 12);
    EXPECT_EQ(CursorPos().Y, 7);
    EXPECT_EQ(TuiSetCursorPos(-1, 0), 2);
    EXPECT_EQ(TuiSetCursorInfo(100, 1), 0);
    EXPECT_EQ(CursorInfo().dwSize, 100u);
    EXPECT_TRUE(CursorInfo().bVisible);
    EXPECT_EQ(TuiSetCursorInfo(20, 0), 0);
    EXPECT_FALSE(CursorInfo().bVisible);
    EXPECT_EQ(TuiSetCursorInfo(0, 1), 2);
    EXPECT_EQ(TuiSetCursorInfo(101, 1), 2);
    EXPECT_EQ(TuiSetCursorInfo(50, 2), 2);
    EXPECT_EQ(CursorInfo().dwSize, 20u);
}

TEST_F(Draw, PutStringSetsEachCellAndCanMoveTheCursorBehindTheText)
{
    EXPECT_EQ(PutString(5, 2, "abc", 0x1F, 1), 0);
    EXPECT_EQ(RowText(2, 5, 3), "abc");
    EXPECT_EQ(AttrAt(7, 2), 0x1F);
    EXPECT_EQ(CursorPos().X, 8);
    EXPECT_EQ(CursorPos().Y, 2);
    EXPECT_EQ(PutString(0, 0, nullptr, 0x1F, 1), 0);
    EXPECT_EQ(PutString(0, 0, "", 0x1F, 1), 0);
    // Cell by cell: the part past the right edge is dropped, not wrapped.
    EXPECT_EQ(PutString(78, 4, "xyz", 0x1F, 0), 0);
    EXPECT_EQ(RowText(4, 78, 2), "xy");
    EXPECT_EQ(CharAt(0, 5), ' ');
}

TEST_F(Draw, RunWritersWrapAndIgnoreNegativeStarts)
{
    WriteCharRun(79, 0, "ab", 2);
    EXPECT_EQ(CharAt(79, 0), 'a');
    EXPECT_EQ(CharAt(0, 1), 'b');
    const uint16_t attrs[] = {0x11, 0x22, 0x33};
    WriteAttrRun(0, 2, attrs, 3);
    EXPECT_EQ(RowAttrs(2, 0, 4), (std::vector<WORD>{0x11, 0x22, 0x33, 0x07}));
    FillAttrRun(2, 3, 0x6F, 2);
    EXPECT_EQ(RowAttrs(3, 1, 4), (std::vector<WORD>{0x07, 0x6F, 0x6F, 0x07}));
    WriteCharRun(-1, 0, "zz", 2);
    FillAttrRun(0, -1, 0x6F, 10);
    WriteAttrRun(-5, 5, attrs, 3);
    EXPECT_EQ(CharAt(0, 0), ' ');
}

TEST_F(Draw, AFilledBoxFillsEverythingThenFrames)
{
    TuiWriteText(0, 0, "xxxxxxxxxx", 0x07);
    TuiWriteText(0, 1, "xxxxxxxxxx", 0x07);
    EXPECT_EQ(DrawFilledBox(0, 0, 4, 2, 0x70, 0x1F, 0), 0);
    EXPECT_EQ(RowText(1, 0, 6), std::string() + V + "xxx" + V + "x");
    EXPECT_EQ(AttrAt(0, 1), 0x70);
    EXPECT_EQ(AttrAt(2, 1), 0x1F);
    EXPECT_EQ(DrawFilledBox(0, 0, 4, 2, 0x70, 0x1F, 1), 0);
    EXPECT_EQ(RowText(1, 0, 6), std::string() + V + "   " + V + "x");
    // Smaller than 3 by 3, or negative: refused and nothing drawn.
    EXPECT_EQ(DrawFilledBox(10, 10, 11, 14, 0x70, 0x1F, 1), 2);
    EXPECT_EQ(DrawFilledBox(10, 10, 14, 11, 0x70, 0x1F, 1), 2);
    EXPECT_EQ(DrawFilledBox(-1, 10, 14, 14, 0x70, 0x1F, 1), 2);
    EXPECT_EQ(CharAt(10, 10), ' ');
    EXPECT_EQ(AttrAt(10, 10), 0x07);
}

}  // namespace

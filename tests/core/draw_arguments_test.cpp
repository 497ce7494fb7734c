// Absurd arguments: every drawing call returns its code and never writes
// outside the buffer, whatever the coordinates.
#include <gtest/gtest.h>

#include <climits>

#include "core/draw.h"
#include "support/console_driver.h"

using namespace tuikit::test;
using tuikit::core::DrawFilledBox;
using tuikit::core::PutString;

namespace {

const int32_t kValues[] = {INT32_MIN, -70000, -1, 0, 1, 24, 25, 79, 80, 32767, 32768, 65536, INT32_MAX};

TEST(DrawArguments, ASweepOfExtremeCoordinatesGivesEachCallItsCode)
{
    TuiInit();
    for (int32_t a : kValues)
        for (int32_t b : kValues) {
            int negative = a < 0 || b < 0 ? 2 : 0;
            int bad = negative || a > b ? 2 : 0;  // rectangles from (a, a) to (b, b)
            EXPECT_EQ((std::vector<int>{TuiWriteText(a, b, "xy", 0x70), TuiWriteText(a, b, nullptr, 0x70),
                                        TuiSetCursorPos(a, b), TuiDrawLine(a, b, INT32_MAX, 0, 0x70),
                                        TuiDrawLine(a, b, INT32_MAX, 1, 0x70), PutString(a, b, "xy", 0x70, 1),
                                        TuiDrawPanel(a, a, b, b, 0x70), TuiClearScreen(a, a, b, b, 0x70),
                                        TuiScrollText(a, a, b, b, b, a, 0x70), TuiDrawBox(a, a, b, b, 0x70, 0x1F),
                                        DrawFilledBox(a, a, b, b, 0x70, 0x1F, 1)}),
                      (std::vector<int>{negative, 2, negative, 0, 0, 0, bad, bad, bad, a > b ? 2 : 0,
                                        negative || static_cast<int64_t>(b) - a < 2 ? 2 : 0}))
                << a << "," << b;
        }
    for (int32_t left : {-1, 0})  // left or top negative alone
        EXPECT_EQ((std::vector<int>{TuiDrawPanel(left, -1 - left, 5, 5, 0x70), TuiClearScreen(left, -1 - left, 5, 5, 0),
                                    TuiScrollText(left, -1 - left, 5, 5, 0, 0, 0)}),
                  (std::vector<int>{2, 2, 2}));
}

TEST(DrawArguments, TheConsoleTakesCoordinatesCutToSixteenBits)
{
    TuiInit();
    TuiWriteText(65536 + 3, 0, "abc", 0x4F);  // lands on column 3
    TuiDrawLine(65536 - 2, 1, 5, 0, 0x1F);    // -2 and -1 are refused, 0 .. 2 drawn
    TuiWriteText(32768, 2, "x", 0x4F);         // -32768: refused
    TuiDrawPanel(0, 65536 + 4, 9, 65536 + 4, 0x2E);
    TuiDrawLine(0, 3, INT32_MAX, 0, 0x30);     // every cell of row 3, each once
    TuiSetCursorPos(65536 + 5, 65536 + 6);
    EXPECT_EQ(Picture(0, 0, 8, 2), "   abc  /---     ");
    EXPECT_EQ(AttrAt(3, 0), 0x4F);
    EXPECT_EQ(Picture(0, 2, 80, 2), std::string(80, ' ') + "/" + std::string(80, '-'));
    EXPECT_EQ(RowAttrs(4, 0, 11), (std::vector<WORD>{0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x07}));
    EXPECT_EQ(CursorPos().X * 100 + CursorPos().Y, 506);

    // Rectangles covering everything: the clear fills the whole buffer; the
    // scroll's right edge cuts to -1, so the console refuses it.
    EXPECT_EQ(TuiClearScreen(0, 0, INT32_MAX, INT32_MAX, 0x1F), 0);
    EXPECT_EQ(TuiScrollText(0, 0, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX, 0x30), 0);
    EXPECT_EQ(RowAttrs(0, 0, 80 * 25), std::vector<WORD>(80 * 25, 0x1F));
}

}  // namespace

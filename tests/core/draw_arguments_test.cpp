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
            EXPECT_EQ(TuiWriteText(a, b, "xy", 0x70), negative) << a << "," << b;
            EXPECT_EQ(TuiWriteText(a, b, nullptr, 0x70), 2);
            EXPECT_EQ(TuiSetCursorPos(a, b), negative);
            EXPECT_EQ(TuiDrawLine(a, b, INT32_MAX, 0, 0x70) + TuiDrawLine(a, b, INT32_MAX, 1, 0x70), 0);
            EXPECT_EQ(PutString(a, b, "xy", 0x70, 1), 0);
            // Rectangles from (a, b) to (b, a): inverted whenever a != b.
            int bad = negative || a > b ? 2 : 0;
            EXPECT_EQ(TuiDrawPanel(a, a, b, b, 0x70), bad);
            EXPECT_EQ(TuiClearScreen(a, a, b, b, 0x70), bad);
            EXPECT_EQ(TuiScrollText(a, a, b, b, b, a, 0x70), bad);
            EXPECT_EQ(TuiDrawBox(a, a, b, b, 0x70, 0x1F), a > b ? 2 : 0);
            EXPECT_EQ(DrawFilledBox(a, a, b, b, 0x70, 0x1F, 1),
                      negative || static_cast<int64_t>(b) - a < 2 ? 2 : 0);
        }
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(TuiOutputHandle(), &info);
    EXPECT_EQ(info.dwSize.X * 100 + info.dwSize.Y, 8025);
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
    EXPECT_EQ(RowText(0).substr(0, 8), "   abc  ");
    EXPECT_EQ(AttrAt(3, 0), 0x4F);
    EXPECT_EQ(RowText(1).substr(0, 4), "\xC4\xC4\xC4 ");
    EXPECT_EQ(RowText(2), std::string(80, ' '));
    EXPECT_EQ(RowText(3), std::string(80, '\xC4'));
    EXPECT_EQ(RowAttrs(4, 0, 11), (std::vector<WORD>{0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x2E, 0x07}));
    EXPECT_EQ(CursorPos().X * 100 + CursorPos().Y, 506);

    // Rectangles covering everything: the clear fills the whole buffer; the
    // scroll's right edge cuts to -1, so the console refuses it.
    EXPECT_EQ(TuiClearScreen(0, 0, INT32_MAX, INT32_MAX, 0x1F), 0);
    EXPECT_EQ(TuiScrollText(0, 0, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX, 0x30), 0);
    for (int y = 0; y < 25; ++y) EXPECT_EQ(RowAttrs(y, 0, 80), std::vector<WORD>(80, 0x1F)) << y;
}

}  // namespace

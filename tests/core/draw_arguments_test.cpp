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

TEST(DrawArguments, CoordinatesBeyondSixteenBitsNeverWrapOntoTheScreen)
{
    TuiInit();
    // 65536 + 3 would become 3 if cut to 16 bits.
    TuiWriteText(65536 + 3, 0, "bad", 0x4F);
    TuiWriteText(0, 65536 + 3, "bad", 0x4F);
    TuiDrawLine(65536, 1, 10, 0, 0x4F);
    TuiDrawLine(1, 65536, 10, 1, 0x4F);
    TuiSetCursorPos(65536 + 5, 65536 + 5);
    PutString(65536, 2, "bad", 0x4F, 1);
    tuikit::core::FillAttrRun(65536, 0, 0x4F, 10);
    TuiDrawPanel(65536, 65536, 65540, 65540, 0x4F);
    TuiScrollText(65536, 0, 65540, 2, -65536, 0, 0x4F);
    for (int y = 0; y < 25; ++y) {
        EXPECT_EQ(RowText(y), std::string(80, ' ')) << y;
        EXPECT_EQ(RowAttrs(y, 0, 80), std::vector<WORD>(80, 0x07)) << y;
    }
    EXPECT_EQ(CursorPos().X, 0);
    // A rectangle covering everything stays inside the buffer.
    EXPECT_EQ(TuiClearScreen(0, 0, INT32_MAX, INT32_MAX, 0x1F), 0);
    EXPECT_EQ(TuiScrollText(0, 0, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX, 0x30), 0);
    EXPECT_EQ(RowAttrs(24, 0, 80), std::vector<WORD>(80, 0x30));
}

}  // namespace

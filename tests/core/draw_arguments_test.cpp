// Absurd arguments: every drawing call returns its code and never writes
// outside the buffer, whatever the coordinates.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/draw.h"
#include "support/console_driver.h"

using namespace tuikit::test;

namespace {

// Draws a sentinel border around a small buffer so that any write outside
// the area the calls may touch shows up.
std::vector<std::pair<std::string, std::vector<WORD>>> Snapshot()
{
    std::vector<std::pair<std::string, std::vector<WORD>>> rows;
    for (int y = 0; y < 25; ++y) rows.emplace_back(RowText(y), RowAttrs(y, 0, 80));
    return rows;
}

const std::vector<int32_t> kValues = {INT32_MIN, -70000, -32769, -1, 0, 1, 24, 25, 79, 80, 32767, 32768, 65536, INT32_MAX};

TEST(DrawArguments, SweepOfCoordinatesNeverCrashesAndGivesTheRightCodes)
{
    TuiInit();
    for (int32_t a : kValues)
        for (int32_t b : kValues) {
            bool badPair = a < 0 || b < 0;
            EXPECT_EQ(TuiWriteText(a, b, "xy", 0x70), badPair ? 2 : 0) << a << "," << b;
            EXPECT_EQ(TuiWriteText(a, b, nullptr, 0x70), badPair ? 2 : 2);
            EXPECT_EQ(TuiSetCursorPos(a, b), badPair ? 2 : 0);
            EXPECT_EQ(TuiDrawLine(a, b, INT32_MAX, 0, 0x70), 0);
            EXPECT_EQ(TuiDrawLine(a, b, INT32_MAX, 1, 0x70), 0);
            EXPECT_EQ(tuikit::core::PutString(a, b, "xy", 0x70, 1), 0);
            for (int32_t c : kValues) {
                int32_t d = c;
                bool inverted = a > c || b > d;
                bool negative = badPair || c < 0 || d < 0;
                EXPECT_EQ(TuiDrawPanel(a, b, c, d, 0x70), (negative || inverted) ? 2 : 0);
                EXPECT_EQ(TuiClearScreen(a, b, c, d, 0x70), (negative || inverted) ? 2 : 0);
                EXPECT_EQ(TuiScrollText(a, b, c, d, c, a, 0x70), (negative || inverted) ? 2 : 0);
                int64_t w = static_cast<int64_t>(c) - a, h = static_cast<int64_t>(d) - b;
                EXPECT_EQ(TuiDrawBox(a, b, c, d, 0x70, 0x1F), (w < 0 || h < 0) ? 2 : 0);
                EXPECT_EQ(tuikit::core::DrawFilledBox(a, b, c, d, 0x70, 0x1F, 1),
                          (negative || w < 2 || h < 2) ? 2 : 0);
            }
        }
    // The buffer is intact in size and still answers.
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(TuiOutputHandle(), &info);
    EXPECT_EQ(info.dwSize.X, 80);
    EXPECT_EQ(info.dwSize.Y, 25);
}

TEST(DrawArguments, CoordinatesBeyondSixteenBitsNeverLandOnTheScreen)
{
    TuiInit();
    TuiClearScreen(0, 0, 79, 24, 0x07);
    auto before = Snapshot();
    // 65536 + 3 would become 3 if truncated to 16 bits.
    TuiWriteText(65536 + 3, 0, "bad", 0x4F);
    TuiWriteText(0, 65536 + 3, "bad", 0x4F);
    TuiDrawLine(65536, 1, 10, 0, 0x4F);
    TuiDrawLine(1, 65536, 10, 1, 0x4F);
    TuiSetCursorPos(65536 + 5, 65536 + 5);
    tuikit::core::PutString(65536, 2, "bad", 0x4F, 1);
    tuikit::core::FillAttrRun(65536, 0, 0x4F, 10);
    tuikit::core::WriteCharRun(0, 65536, "bad", 3);
    TuiDrawPanel(65536, 65536, 65540, 65540, 0x4F);
    TuiClearScreen(65536, 0, 65540, 2, 0x4F);
    TuiScrollText(65536, 0, 65540, 2, -65536, 0, 0x4F);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(CursorPos().X, 0);
}

TEST(DrawArguments, ARectangleCoveringEverythingStaysInsideTheBuffer)
{
    TuiInit();
    EXPECT_EQ(TuiClearScreen(0, 0, INT32_MAX, INT32_MAX, 0x1F), 0);
    EXPECT_EQ(RowAttrs(24, 0, 80), std::vector<WORD>(80, 0x1F));
    EXPECT_EQ(TuiDrawBox(0, 0, INT32_MAX, INT32_MAX, 0x70, 0x2E), 0);
    EXPECT_EQ(TuiScrollText(0, 0, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX, 0x30), 0);
    EXPECT_EQ(RowAttrs(0, 0, 80), std::vector<WORD>(80, 0x30));
}

}  // namespace

// The renderer's frames played into an independent terminal (libvterm):
// the terminal must then show the screen buffer cell for cell, and a frame
// must carry only what changed.
#include <gtest/gtest.h>

#include <string>

#include "platform/terminal/renderer.h"
#include "test_terminal.h"

namespace tuikit::test {
namespace {

using platform::Cell;
using platform::Renderer;
using platform::ScreenBuffer;

struct Rig {
    ScreenBuffer screen{80, 25};
    Renderer renderer;
    TestTerminal term{25, 80};

    Rig() { renderer.SetViewport(80, 25); }

    // Renders, plays the frame into the terminal and returns it.
    std::string Frame()
    {
        std::string out;
        renderer.Render(screen, out);
        screen.ClearDamage();
        term.Feed(out);
        return out;
    }
};

// Every byte value in every attribute value: cell i of the first 65536/80
// rows would be too many, so byte b is drawn with attribute b and again with
// attribute 255-b, covering all 256 of each.
void DrawAllBytesAndAttributes(ScreenBuffer &screen)
{
    for (int i = 0; i < 512; ++i) {
        int b = i & 0xFF;
        auto attr = static_cast<uint16_t>(i < 256 ? b : 255 - b);
        screen.SetCell(i % 80, i / 80, Cell{static_cast<uint8_t>(b), attr});
    }
}

TEST(Renderer, TheTerminalShowsEveryByteInEveryColourAsTheBufferHoldsIt)
{
    Rig rig;
    DrawAllBytesAndAttributes(rig.screen);
    rig.Frame();
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
}

TEST(Renderer, NoControlByteOfTheCellsReachesTheTerminal)
{
    Rig rig;
    for (int b = 0; b < 256; ++b) rig.screen.SetCell(b % 80, b / 80, Cell{static_cast<uint8_t>(b), 0x07});
    std::string frame = rig.Frame();
    // The only control bytes in a frame are those of its own sequences.
    size_t escapes = 0;
    for (size_t i = 0; i < frame.size(); ++i) {
        auto c = static_cast<unsigned char>(frame[i]);
        if (c == 0x1B) {
            ++escapes;
            ASSERT_LT(i + 1, frame.size());
            EXPECT_EQ(frame[i + 1], '[') << "at byte " << i;
        } else if (c < 0x20 || c == 0x7F) {
            EXPECT_TRUE(c == '\r' || c == '\n') << "control byte 0x" << std::hex << int(c) << " at " << std::dec << i;
        }
    }
    EXPECT_GT(escapes, 0u);
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
}

TEST(Renderer, AFrameWithoutChangesIsEmpty)
{
    Rig rig;
    rig.Frame();
    EXPECT_EQ(rig.Frame(), "");
    // Writing the same cell again changes nothing either.
    rig.screen.SetCell(3, 3, rig.screen.At(3, 3));
    EXPECT_EQ(rig.Frame(), "");
}

TEST(Renderer, OneChangedCellIsOneMoveAndOneGlyph)
{
    Rig rig;
    rig.Frame();
    rig.screen.SetCell(40, 10, Cell{'X', 0x07});
    EXPECT_EQ(rig.Frame(), "\x1b[?25l\x1b[11;41HX\x1b[1;1H\x1b[?25h") << "the cursor hides while cells are written";
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
}

TEST(Renderer, ColoursAreSentOnlyWhenTheyChange)
{
    Rig rig;
    rig.screen.cursorVisible = false;
    rig.Frame();
    uint16_t attrs[6] = {0x1F, 0x1F, 0x1E, 0x2E, 0x2E, 0x07};
    rig.screen.WriteChars(0, 5, "abcdef", 6);
    rig.screen.WriteAttrs(0, 5, attrs, 6);
    std::string frame = rig.Frame();
    EXPECT_EQ(frame, "\x1b[6H\x1b[97;44mab\x1b[93mc\x1b[42mde\x1b[37;40mf") << "only the colour that changed is sent";
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
}

TEST(Renderer, ShortGapsAreRewrittenAndLongOnesSkipped)
{
    Rig rig;
    rig.screen.cursorVisible = false;
    rig.Frame();
    rig.screen.SetCell(10, 0, Cell{'a', 0x07});
    rig.screen.SetCell(12, 0, Cell{'b', 0x07});
    EXPECT_EQ(rig.Frame(), "\x1b[1;11Ha b") << "one unchanged cell is cheaper to write than to skip";
    rig.screen.SetCell(10, 0, Cell{'c', 0x07});
    rig.screen.SetCell(40, 0, Cell{'d', 0x07});
    EXPECT_EQ(rig.Frame(), "\x1b[11Gc\x1b[41Gd") << "a run on the same row starts with a column move";
    rig.screen.SetCell(0, 1, Cell{'e', 0x07});
    rig.screen.SetCell(5, 2, Cell{'f', 0x07});
    EXPECT_EQ(rig.Frame(), "\r\ne\x1b[3;6Hf") << "the next row's first column is a line feed away";
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
}

TEST(Renderer, TheCursorFollowsPositionVisibilityAndSize)
{
    Rig rig;
    rig.screen.cursor = COORD{7, 3};
    rig.Frame();
    EXPECT_TRUE(rig.term.CursorVisible());
    EXPECT_EQ(rig.term.Cursor().col, 7);
    EXPECT_EQ(rig.term.Cursor().row, 3);
    EXPECT_EQ(rig.term.CursorShape(), VTERM_PROP_CURSORSHAPE_UNDERLINE) << "25% of a cell";

    rig.screen.cursorSize = 100;
    rig.screen.cursor = COORD{0, 24};
    EXPECT_EQ(rig.Frame(), "\x1b[1 q\x1b[25;1H");
    EXPECT_EQ(rig.term.CursorShape(), VTERM_PROP_CURSORSHAPE_BLOCK);
    EXPECT_EQ(rig.term.Cursor().row, 24);

    rig.screen.cursorVisible = false;
    EXPECT_EQ(rig.Frame(), "\x1b[?25l");
    EXPECT_FALSE(rig.term.CursorVisible());
    rig.screen.cursor = COORD{5, 5};
    EXPECT_EQ(rig.Frame(), "") << "a hidden cursor is not moved";
}

TEST(Renderer, SynchronizedOutputBracketsEachFrame)
{
    Rig rig;
    rig.renderer.SetSynchronizedOutput(true);
    rig.Frame();
    rig.screen.SetCell(1, 1, Cell{'z', 0x07});
    std::string frame = rig.Frame();
    EXPECT_EQ(frame.rfind("\x1b[?2026h", 0), 0u);
    EXPECT_EQ(frame.substr(frame.size() - 8), "\x1b[?2026l");
    EXPECT_EQ(frame.find("\x1b[?25l"), std::string::npos) << "no need to hide the cursor inside a synchronized frame";
}

TEST(Renderer, InvalidateRedrawsEverything)
{
    Rig rig;
    DrawAllBytesAndAttributes(rig.screen);
    rig.Frame();
    TestTerminal fresh(25, 80);
    rig.renderer.Invalidate();
    std::string out;
    rig.renderer.Render(rig.screen, out);
    fresh.Feed(out);
    EXPECT_EQ(fresh.Difference(rig.screen), "") << "a blank terminal shows the whole screen after one frame";
}

TEST(Renderer, ABufferLargerThanTheTerminalIsCutAtItsEdges)
{
    ScreenBuffer screen(100, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) screen.SetCell(x, y, Cell{static_cast<uint8_t>('a' + (x + y) % 26), 0x1E});
    screen.cursor = COORD{90, 30};  // off the terminal: hidden
    Renderer renderer;
    renderer.SetViewport(80, 25);
    std::string out;
    renderer.Render(screen, out);
    TestTerminal term(25, 80);
    term.Feed(out);
    EXPECT_EQ(term.Difference(screen), "");
    EXPECT_FALSE(term.CursorVisible());
    EXPECT_EQ(term.At(0, 0).glyph, U'a') << "nothing scrolled the screen";
}

TEST(Renderer, ASmallerBufferLeavesTheRestOfTheTerminalBlank)
{
    Rig rig;
    DrawAllBytesAndAttributes(rig.screen);
    rig.Frame();
    rig.screen.Resize(40, 10);
    rig.Frame();
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
    EXPECT_EQ(rig.term.At(60, 3).glyph, U' ');
    EXPECT_EQ(rig.term.At(10, 20).glyph, U' ');
}

}  // namespace
}  // namespace tuikit::test

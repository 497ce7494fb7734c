// The renderer's frames played into an independent terminal (libvterm): the
// terminal must show the screen buffer cell for cell, no byte of a cell may
// reach it as a control, and a frame carries only what changed.
#include <gtest/gtest.h>

#include <string>

#include "platform/terminal/renderer.h"
#include "test_terminal.h"

namespace tuikit::test {
namespace {

using platform::Cell;

struct Rig {
    platform::ScreenBuffer screen{80, 25};
    platform::Renderer renderer;
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

TEST(Renderer, EveryByteInEveryColourShowsInTheTerminalsCornerWhateverTheSizesAndNoneIsSentAsAControl)
{
    Rig rig;
    rig.screen = PatternScreen();
    EXPECT_EQ(StrayControl(rig.Frame()), std::string::npos);
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
    rig.term.Feed("\x1b[0m\x1b[2J");
    rig.renderer.Invalidate();
    rig.Frame();
    EXPECT_EQ(rig.term.Difference(rig.screen), "") << "after Invalidate a blank terminal shows everything in one frame";

    rig.screen.Resize(80, 5);  // smaller than the terminal: the rest of it is blank
    rig.Frame();
    EXPECT_EQ(rig.term.Glyph(10, 6), U' ') << "below the buffer";
    rig.screen.Resize(40, 25);
    rig.Frame();
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
    EXPECT_EQ(rig.term.Glyph(60, 3), U' ') << "right of the buffer";

    rig.screen.Resize(100, 40);  // larger than the terminal: cut at its edges
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) rig.screen.SetCell(x, y, Cell{static_cast<uint8_t>('a' + (x + y) % 26), 0x1E});
    rig.screen.cursor = COORD{90, 30};
    rig.Frame();
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
    EXPECT_FALSE(rig.term.cursorVisible) << "a cursor off the terminal is hidden";
    EXPECT_EQ(rig.term.Glyph(0, 0), U'a') << "nothing scrolled the screen";
}

TEST(Renderer, AFrameCarriesOnlyWhatChanged)
{
    Rig rig;
    rig.screen.cursorVisible = false;
    rig.Frame();
    rig.screen.SetCell(3, 3, rig.screen.At(3, 3));
    EXPECT_EQ(rig.Frame(), "") << "a cell written with what it holds";

    uint16_t attrs[6] = {0x1F, 0x1F, 0x1E, 0x2E, 0x2E, 0x07};
    rig.screen.WriteChars(0, 5, "abcdef", 6);
    rig.screen.WriteAttrs(0, 5, attrs, 6);
    EXPECT_EQ(rig.Frame(), "\x1b[6H\x1b[97;44mab\x1b[93mc\x1b[42mde\x1b[37;40mf") << "only colours that change";
    rig.screen.SetCell(10, 0, Cell{'a', 0x07});
    rig.screen.SetCell(12, 0, Cell{'b', 0x07});
    EXPECT_EQ(rig.Frame(), "\x1b[1;11Ha b") << "one unchanged cell is cheaper to rewrite than to skip";
    rig.screen.SetCell(10, 0, Cell{'c', 0x07});
    rig.screen.SetCell(40, 0, Cell{'d', 0x07});
    EXPECT_EQ(rig.Frame(), "\x1b[11Gc\x1b[41Gd") << "a long gap on a row is a column move";
    rig.screen.SetCell(0, 1, Cell{'e', 0x07});
    rig.screen.SetCell(5, 2, Cell{'f', 0x07});
    EXPECT_EQ(rig.Frame(), "\r\ne\x1b[3;6Hf") << "the next row's first column is a line feed away";
    EXPECT_EQ(rig.term.Difference(rig.screen), "");

    rig.renderer.SetSynchronizedOutput(true);
    rig.screen.SetCell(1, 1, Cell{'z', 0x07});
    EXPECT_EQ(rig.Frame(), "\x1b[?2026h\x1b[2;2Hz\x1b[?2026l");
}

// A mostly blank screen in 0x17 with a menu bar row in 0x70.
void DrawDesk(platform::ScreenBuffer &screen)
{
    screen.FillAttr(0, 0, 0x17, 80 * 25);
    screen.FillChar(0, 0, ' ', 80 * 25);
    screen.FillAttr(0, 0, 0x70, 80);
    screen.WriteChars(1, 0, "File  Edit  Help", 16);
}

void Write(platform::ScreenBuffer &screen, int x, int y, const std::string &text, uint16_t attr)
{
    screen.WriteChars(x, y, text.data(), static_cast<uint32_t>(text.size()));
    screen.FillAttr(x, y, attr, static_cast<uint32_t>(text.size()));
}

TEST(Renderer, BlanksAreErasedWhereThatIsCheaperInTheirOwnColoursAndTheTerminalStillShowsTheBuffer)
{
    Rig rig;
    rig.screen.cursorVisible = false;
    DrawDesk(rig.screen);
    std::string first = rig.Frame();
    EXPECT_NE(first.find("\x1b[0;37;44m\x1b[2J"), std::string::npos) << "the first frame clears in the commonest blank colour";
    EXPECT_LT(first.size(), 120u) << first;
    EXPECT_EQ(rig.term.Difference(rig.screen), "");

    std::string text(80, 'x');
    Write(rig.screen, 0, 5, text, 0x17);
    Write(rig.screen, 0, 7, text, 0x17);
    rig.Frame();
    rig.screen.FillChar(10, 5, ' ', 70);
    EXPECT_EQ(rig.Frame(), "\x1b[6;11H\x1b[K") << "a row's blank tail";
    rig.screen.FillChar(10, 7, ' ', 40);
    EXPECT_EQ(rig.Frame(), "\x1b[8;11H\x1b[40X") << "a blank run in the middle";
    rig.screen.FillChar(60, 7, ' ', 4);
    EXPECT_EQ(rig.Frame(), "\x1b[61G    ") << "a short run is cheaper written";
    Write(rig.screen, 20, 9, std::string(30, ' '), 0x4E);
    Write(rig.screen, 50, 9, "!", 0x4E);
    EXPECT_EQ(rig.Frame(), "\x1b[10;21H\x1b[93;41m\x1b[30X\x1b[51G!") << "erased in another colour";
    EXPECT_EQ(rig.term.Difference(rig.screen), "");

    // A popup opens and closes again over the blank desk: each row of it
    // is erased to its end, one line feed below the last.
    for (int y = 14; y < 24; ++y) Write(rig.screen, 10, y, "|" + std::string(28, y % 2 ? ' ' : 'o') + "|", 0x70);
    rig.Frame();
    for (int y = 14; y < 24; ++y) Write(rig.screen, 10, y, std::string(30, ' '), 0x17);
    std::string close = "\x1b[15;11H\x1b[37;44m\x1b[K";
    for (int y = 15; y < 24; ++y) close += "\n\x1b[K";
    EXPECT_EQ(rig.Frame(), close);
    rig.renderer.SetRawOutput(false);  // a line feed may return to the first column
    Write(rig.screen, 10, 14, std::string(30, 'o'), 0x70);
    Write(rig.screen, 10, 15, std::string(30, 'o'), 0x70);
    rig.Frame();
    Write(rig.screen, 10, 14, std::string(30, ' '), 0x17);
    Write(rig.screen, 10, 15, std::string(30, ' '), 0x17);
    EXPECT_EQ(rig.Frame(), "\x1b[15;11H\x1b[37;44m\x1b[K\x1b[16;11H\x1b[K");
    EXPECT_EQ(rig.term.Difference(rig.screen), "");

    rig.screen.FillChar(0, 0, ' ', 80 * 25);
    rig.screen.FillAttr(0, 0, 0x2F, 80 * 25);
    EXPECT_EQ(rig.Frame(), "\x1b[97;42m\x1b[2J") << "a whole screen cleared in a new colour";
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
}

TEST(Renderer, AWindowThatShrinksAndGrowsBackShowsTheCellsItCutOffAsTheyWere)
{
    Rig rig;
    DrawDesk(rig.screen);
    Write(rig.screen, 60, 20, "far corner", 0x4E);
    rig.screen.cursor = COORD{70, 22};
    rig.Frame();
    platform::ScreenBuffer expected = rig.screen;
    auto follow = [&rig](int width, int height) {
        rig.screen.FollowWindow(width, height);
        rig.renderer.SetViewport(width, height);
        rig.term.Resize(height, width);
        rig.Frame();
    };
    follow(20, 5);
    EXPECT_EQ(rig.term.Difference(rig.screen), "");
    follow(1, 1);
    rig.screen.SetCell(0, 0, Cell{'Z', 0x1E});  // drawn while small
    expected.SetCell(0, 0, Cell{'Z', 0x1E});
    follow(50, 25);
    follow(80, 25);
    EXPECT_EQ(rig.term.Difference(expected), "");
    EXPECT_EQ(rig.term.Cursor().col * 100 + rig.term.Cursor().row, 7022) << "the cursor the shrink moved is back";

    rig.screen.Resize(20, 5);  // the buffer's own size set: what it cuts off is gone
    rig.screen.Resize(80, 25);
    EXPECT_EQ(rig.screen.At(60, 20), Cell{});
}

TEST(Renderer, TheCursorFollowsPositionSizeAndVisibilityAndHidesWhileLargeFramesAreWritten)
{
    Rig rig;
    rig.screen.cursor = COORD{7, 3};
    rig.Frame();
    rig.screen.SetCell(40, 10, Cell{'X', 0x07});
    EXPECT_EQ(rig.Frame(), "\x1b[11;41HX\x1b[4;8H") << "a small frame reaches the terminal at once";
    rig.screen.FillChar(0, 0, 'a', 80 * 25);
    std::string large = rig.Frame();
    EXPECT_EQ(large.substr(0, 6), "\x1b[?25l") << "hidden while a large frame is written";
    EXPECT_EQ(large.substr(large.size() - 12), "\x1b[4;8H\x1b[?25h");

    rig.screen.cursorSize = 100;
    rig.screen.cursor = COORD{0, 24};
    rig.Frame();
    EXPECT_EQ(rig.term.cursorShape, VTERM_PROP_CURSORSHAPE_BLOCK);
    EXPECT_EQ(rig.term.Cursor().row, 24);
    rig.screen.cursorVisible = false;
    rig.Frame();
    EXPECT_FALSE(rig.term.cursorVisible);
    rig.screen.cursor = COORD{5, 5};
    EXPECT_EQ(rig.Frame(), "") << "a hidden cursor is not moved";
}

TEST(Renderer, BytesShowTheGlyphsOfTheOutputCodePageAndControlBytesStayGraphic)
{
    Rig rig;
    const char bytes[] = {'\x80', '\xE9', '\x01', 'a'};
    for (int i = 0; i < 4; ++i) rig.screen.SetCell(i, 0, Cell{static_cast<uint8_t>(bytes[i]), 0x07});
    rig.Frame();
    EXPECT_EQ(rig.term.Glyph(0, 0), U'\u00C7') << "437 first";
    rig.renderer.SetCodePage(866);  // the whole screen is drawn again in the new page
    EXPECT_EQ(StrayControl(rig.Frame()), std::string::npos);
    EXPECT_EQ(std::u32string({rig.term.Glyph(0, 0), rig.term.Glyph(1, 0), rig.term.Glyph(2, 0), rig.term.Glyph(3, 0)}),
              U"\u0410\u0449\u263Aa");
    rig.renderer.SetCodePage(1250);
    rig.Frame();
    EXPECT_EQ(rig.term.Glyph(1, 0), U'\u00E9');
}

}  // namespace
}  // namespace tuikit::test

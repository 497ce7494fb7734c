// The demo end to end in a pseudo-terminal, checked on libvterm's screen:
// its menu bar driven by keys and by the mouse, and its text view scrolled
// by dragging the scroll bar's thumb.
#include <cstdlib>

#include "pty_session.h"

namespace tuikit::test {
namespace {

constexpr char kHelp[] = "Ctrl+Q quits";
constexpr char kDown[] = "\x1b[B";

// A mouse report: code 0 left press or release, 32 motion with it held.
std::string Sgr(int code, int x, int y, char final = 'M')
{
    return "\x1b[<" + std::to_string(code) + ";" + std::to_string(x + 1) + ";" + std::to_string(y + 1) + final;
}

TEST(PtyDemo, KeysOpenMenusAndChooseCommandsAndFileExitEndsTheProgram)
{
    PtySession s({TUIKIT_DEMO_APP});
    ASSERT_TRUE(s.WaitShows(kHelp));
    s.Type("\x1b[21~v");  // F10 selects the bar, v opens View with its first item highlighted
    ASSERT_TRUE(s.WaitShows("Status line"));
    s.Type(std::string(kDown) + "\r");
    EXPECT_TRUE(s.WaitShows("View > Colours: background changed."));
    EXPECT_FALSE(s.term.Shows("Status line")) << "the popup closed";

    s.Type("\x1b[21~v");
    ASSERT_TRUE(s.WaitShows("Status line"));
    s.Type("\x1b");  // a lone Escape, known for one once no byte follows in time, closes the menu
    EXPECT_TRUE(s.WaitUntil([&] { return !s.term.Shows("Status line"); }));

    s.Type("\x1b" "f");  // Alt+F
    ASSERT_TRUE(s.WaitShows("Exit"));
    s.Type(std::string(kDown) + kDown + "\r");  // over the grayed Save to Exit
    int status = s.WaitExit();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    s.ExpectRestored();
}

TEST(PtyDemo, ClickingATitleOpensItsPopupAndClickingAnItemChoosesIt)
{
    PtySession s({TUIKIT_DEMO_APP});
    ASSERT_TRUE(s.WaitShows(kHelp));
    std::string under[5];
    for (int y = 1; y < 5; ++y) under[y] = s.term.RowText(y).substr(0, 40);
    int title = static_cast<int>(s.term.RowText(0).find("View"));
    s.Type(Sgr(0, title, 0));
    ASSERT_TRUE(s.WaitShows("Status line"));
    // A frame hangs below the title around the two items.
    int left = static_cast<int>(s.term.RowText(2).find("Status line")) - 2;
    EXPECT_LE(std::abs(left - title), 2);
    EXPECT_EQ(s.term.Glyph(left, 1), U'\u250C');
    EXPECT_EQ(s.term.Glyph(left, 4), U'\u2514');

    // Released on the title the popup stays open; a click on an item chooses it.
    s.Type(Sgr(0, title, 0, 'm') + Sgr(0, left + 3, 3) + Sgr(0, left + 3, 3, 'm'));
    EXPECT_TRUE(s.WaitShows("View > Colours: background changed."));
    for (int y = 1; y < 5; ++y) EXPECT_EQ(s.term.RowText(y).substr(0, 40), under[y]) << "row " << y << " is back";
    s.Type("\x11");
    EXPECT_EQ(s.WaitExit(), 0);
}

TEST(PtyDemo, DraggingTheVerticalThumbScrollsTheText)
{
    PtySession s({TUIKIT_DEMO_APP});
    ASSERT_TRUE(s.WaitShows(kHelp));
    int top = 0;
    while (top < 24 && s.term.RowText(top).find("Line 1:") == std::string::npos) ++top;
    int left = static_cast<int>(s.term.RowText(top).find("Line 1:"));
    // The bar stands right of the text: an up arrow, then the thumb below it.
    int bar = left;
    while (bar < 80 && s.term.Glyph(bar, top) != U'\u2191') ++bar;
    int thumb = top + 1;
    while (thumb < 24 && s.term.Glyph(bar, thumb) != U'\u2588') ++thumb;
    ASSERT_LT(thumb, 24);

    s.Type(Sgr(0, bar, thumb) + Sgr(32, bar, thumb + 2) + Sgr(32, bar, thumb + 4) + Sgr(0, bar, thumb + 4, 'm'));
    // Seen: the thumb under the mouse and later lines, in order, in the view.
    auto scrolled = [&] {
        int first = std::atoi(s.term.RowText(top).c_str() + left + 5);
        for (int r = 0; r < 8; ++r)
            if (s.term.RowText(top + r).find("Line " + std::to_string(first + r) + ":") != static_cast<size_t>(left))
                return false;
        return first > 1 && s.term.Glyph(bar, thumb + 4) == U'\u2588';
    };
    EXPECT_TRUE(s.WaitUntil(scrolled)) << s.term.RowText(top);
    s.Type("\x11");
    EXPECT_EQ(s.WaitExit(), 0);
}

TEST(PtyDemo, WithTheKeyboardProtocolAltAloneSelectsTheBarAndTheProtocolIsPoppedAtTheEnd)
{
    PtySession s({TUIKIT_DEMO_APP}, {.keyboardProtocol = true});
    ASSERT_TRUE(s.WaitShows(kHelp));
    ASSERT_NE(s.term.written.find("\x1b[>"), std::string::npos) << "the protocol was pushed";
    s.Type("\x1b[57443;3u\x1b[57443;1:3u\x1b[13u\x1b[13;1:3u");  // Alt pressed and released, Enter
    EXPECT_TRUE(s.WaitShows("Exit")) << "Alt selected File, Enter opened it";
    s.Type("\x1b[27u\x1b[27;1:3u\x1b[113;5u\x1b[113;5:3u\x1b[57442;1:3u");  // Escape, Ctrl+Q, late releases
    EXPECT_EQ(s.WaitExit(), 0);
    s.ExpectRestored();
}

TEST(PtyDemo, TheMessageBoxShowsOverTheScreenTakesTheInputAndPutsTheScreenBack)
{
    PtySession s({TUIKIT_DEMO_APP});
    ASSERT_TRUE(s.WaitShows(kHelp));
    std::string answers[] = {"\r", " ", "\x1b[<0;40;13M\x1b[<0;40;13m", "\x1b"};
    for (char mark = '1'; mark <= '4'; ++mark) {
        const std::string &answer = answers[mark - '1'];
        SCOPED_TRACE(testing::PrintToString(answer));
        std::string left[25];
        for (int y = 0; y < 25; ++y) left[y] = s.term.RowText(y).substr(0, 40);
        s.Type("\x1bOQ");  // F2
        ASSERT_TRUE(s.WaitShows("message box."));
        s.Type("x" + answer);  // x goes to the box, never to the application
        ASSERT_TRUE(s.WaitUntil([&] { return !s.term.Shows("message box."); }));
        for (int y = 0; y < 25; ++y) EXPECT_EQ(s.term.RowText(y).substr(0, 40), left[y]) << "row " << y;
        s.Type(std::string(1, mark));  // the application's next key is this one
        ASSERT_TRUE(s.WaitShows(std::string("0x3") + mark + " '" + mark + "'"));
        EXPECT_FALSE(s.term.Shows("vk=0x58"));
    }
}

}  // namespace
}  // namespace tuikit::test

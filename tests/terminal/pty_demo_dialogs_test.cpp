// The demo's dialogs end to end in a pseudo-terminal: the About dialog, the
// Quit box, a message box opened from inside the Message boxes dialog and the
// sign-in form, each driven with keys and with the mouse; what a dialog
// covered comes back when it closes.
#include "pty_session.h"

namespace tuikit::test {
namespace {


// The messages panel's text, its rows joined: a long line wraps at the panel's width.
std::string Panel(PtySession &s)
{
    std::string text;
    for (int y = 3; y < 22; ++y) text += s.term.RowText(y).substr(42, 36);
    return text;
}

// The first cell right of column 40 showing glyph, as {x, y}; {-1, -1} when none does.
std::pair<int, int> Find(PtySession &s, char32_t glyph)
{
    for (int y = 0; y < 25; ++y)
        for (int x = 40; x < 80; ++x)
            if (s.term.Glyph(x, y) == glyph) return {x, y};
    return {-1, -1};
}

std::string Press(int x, int y, bool down, bool motion = false)
{
    return "\x1b[<" + std::to_string(motion ? 32 : 0) + ";" + std::to_string(x + 1) + ";" + std::to_string(y + 1) +
           (down ? "M" : "m");
}

struct Way {
    const char *name;
    bool mouse;
};
constexpr Way kWays[] = {{"keys", false}, {"mouse", true}};

// Chooses a menu item by clicks on the title and the item, or by keys.
void Choose(PtySession &s, const Way &way, const char *title, const char *item, const char *keys)
{
    if (!way.mouse) return s.Type(keys);
    s.Type(ClickOn(s, title));
    ASSERT_TRUE(s.WaitShows(item));
    s.Type(ClickOn(s, item));
}

TEST(PtyDemoDialogs, AboutOpensFromTheHelpMenuAndClosesGivingTheScreenBack)
{
    for (const Way &way : kWays) {
        SCOPED_TRACE(way.name);
        PtySession s({TUIKIT_DEMO_APP});
        ASSERT_TRUE(WaitDemoUp(s));
        const std::string before = LeftHalf(s);
        Choose(s, way, "Help", "About", "\x1b" "ha");
        ASSERT_TRUE(s.WaitShows("read from .rc scripts."));
        s.Type(way.mouse ? ClickOn(s, " OK ") : "\r");
        EXPECT_TRUE(s.WaitUntil([&] { return !s.term.Shows("read from .rc scripts."); }));
        EXPECT_TRUE(s.WaitUntil([&] { return LeftHalf(s) == before; })) << LeftHalf(s);
    }
}

TEST(PtyDemoDialogs, QuitBoxAnsweredNoByMouseKeepsTheDemoAndYesByKeyEndsIt)
{
    PtySession s({TUIKIT_DEMO_APP});
    ASSERT_TRUE(WaitDemoUp(s));
    const std::string before = LeftHalf(s);
    Choose(s, kWays[1], "File", "Exit", "");
    ASSERT_TRUE(s.WaitShows("Quit the demo?"));
    s.Type(ClickOn(s, " No "));
    EXPECT_TRUE(s.WaitUntil([&] { return !s.term.Shows("Quit the demo?") && LeftHalf(s) == before; })) << LeftHalf(s);
    s.Type("\x1b" "fx");
    ASSERT_TRUE(s.WaitShows("Quit the demo?"));
    s.Type("y");
    s.ExpectEnds(0);
}

// Keys: the radio group's mnemonic, the default button check box, Enter on
// Show and Enter in the box. Mouse: a radio button, Show and a box button.
TEST(PtyDemoDialogs, MessageBoxOpenedFromTheDialogReportsItsResultAndBothScreensComeBack)
{
    for (const Way &way : kWays) {
        SCOPED_TRACE(way.name);
        PtySession s({TUIKIT_DEMO_APP});
        ASSERT_TRUE(WaitDemoUp(s));
        const std::string before = LeftHalf(s);
        Choose(s, way, "Help", "Message boxes...", "\x1b" "hm");
        ASSERT_TRUE(s.WaitShows("MB_RETRYCANCEL"));
        s.Type(way.mouse ? ClickOn(s, "3 MB_ABORTRETRYIGNORE") : "1c");  // MB_OK and its second default button
        const char *chosen = way.mouse ? "(~) 3 MB_ABORTRETRYIGNORE" : "(~) 1 MB_OK";
        ASSERT_TRUE(s.WaitUntil([&] { return s.term.Shows(chosen) && (way.mouse || s.term.Shows("[X] Second")); }));
        const std::string dialog = LeftHalf(s);
        s.Type(way.mouse ? ClickOn(s, " Show ") : "\r");
        const char *question = "opened by the";
        ASSERT_TRUE(s.WaitShows(question));
        ASSERT_TRUE(s.WaitShows(way.mouse ? "Ignore" : " OK "));
        s.Type(way.mouse ? ClickOn(s, "Retry") : "\r");
        const std::string result = way.mouse ? "MB_ABORTRETRYIGNORE: IDRETRY" : "MB_OK: IDOK";
        ASSERT_TRUE(s.WaitShows("Last: " + result));
        EXPECT_FALSE(s.term.Shows(question));
        EXPECT_EQ(LeftHalf(s).substr(0, 9 * 41), dialog.substr(0, 9 * 41)) << "the dialog above its result line is back";
        s.Type(way.mouse ? ClickOn(s, "Close") : "\x1b");
        EXPECT_TRUE(s.WaitUntil([&] { return Panel(s).find(result) != std::string::npos; })) << Panel(s);
        EXPECT_TRUE(s.WaitUntil([&] { return LeftHalf(s) == before; })) << LeftHalf(s);
    }
}

// Keys: Tab through the fields, Space, Down in the radio group, End in the
// list, Enter. Mouse: clicks into the fields, a radio button, the list's down
// arrow, its thumb dragged to the bottom, an entry and OK.
TEST(PtyDemoDialogs, SignInFormFilledShowsWhatWasEnteredInThePanel)
{
    for (const Way &way : kWays) {
        SCOPED_TRACE(way.name);
        PtySession s({TUIKIT_DEMO_APP});
        ASSERT_TRUE(WaitDemoUp(s));
        const std::string before = LeftHalf(s);
        s.Type("\x1b" "fi");
        ASSERT_TRUE(s.WaitShows("mail.amsterdam.exam"));
        std::string expected;
        if (way.mouse) {
            auto [nameX, nameY] = At(s, "[....");
            s.Type(Click(nameX + 1, nameY) + "bob");
            auto [passX, passY] = At(s, "Password:");
            s.Type(Click(passX + 14, passY) + "pw" + ClickOn(s, "Guest"));
            auto up = Find(s, U'\u2191');
            auto down = Find(s, U'\u2193');
            ASSERT_EQ(up.first, down.first) << "the list's scroll column";
            s.Type(Click(down.first, down.second) + Click(down.first, down.second));
            EXPECT_TRUE(s.WaitUntil([&] { return !s.term.Shows("mail.amsterdam"); })) << "the arrow scrolled the list";
            int thumb = -1;
            ASSERT_TRUE(s.WaitUntil([&] {
                for (int y = up.second + 1; y < down.second; ++y)
                    if (s.term.Glyph(up.first, y) == U' ') thumb = y;
                return thumb != -1;
            }));
            s.Type(Press(up.first, thumb, true));
            for (int y = thumb + 1; y <= down.second; ++y) s.Type(Press(up.first, y, true, true));
            s.Type(Press(up.first, down.second, false));
            ASSERT_TRUE(s.WaitShows("smtp.warsaw.example")) << "the thumb dragged to the end shows the last entry";
            s.Type(ClickOn(s, "smtp.warsaw.example") + ClickOn(s, " OK "));
            expected = "bob, password of 2, guest on smtp.warsaw.example";
        } else {
            s.Type("ada\tsecret\t \t\x1b[B\t\x1b[F");
            ASSERT_TRUE(s.WaitShows("smtp.warsaw.example")) << "End in the list";
            s.Type("\r");
            expected = "ada, password of 6, home on smtp.warsaw.example, remembered";
        }
        EXPECT_TRUE(s.WaitUntil([&] { return Panel(s).find("Signed in: " + expected) != std::string::npos; }))
            << Panel(s);
        EXPECT_TRUE(s.WaitUntil([&] { return LeftHalf(s) == before; })) << LeftHalf(s);
    }
}

}  // namespace
}  // namespace tuikit::test

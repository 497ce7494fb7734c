// The demo end to end in a pseudo-terminal, checked on libvterm's screen:
// its menu bar and message box driven by legacy keys, by the mouse and by
// the keyboard protocol.
#include "pty_session.h"

namespace tuikit::test {
namespace {

constexpr char kHelp[] = "Ctrl+Q quits";
constexpr char kDown[] = "\x1b[B";

// A left button press or release at a cell.
std::string Click(int x, int y, char final = 'M')
{
    return "\x1b[<0;" + std::to_string(x + 1) + ";" + std::to_string(y + 1) + final;
}

TEST(PtyDemo, KeysAndClicksChooseMenuItemsTheMessageBoxTakesTheInputAndFileExitEndsTheProgram)
{
    PtySession s({TUIKIT_DEMO_APP});
    ASSERT_TRUE(s.WaitShows(kHelp));
    auto left = [&](int to) {  // the left half of rows 1 to to, which popups and the box cover
        std::string rows;
        for (int y = 1; y <= to; ++y) rows += s.term.RowText(y).substr(0, 40) + "\n";
        return rows;
    };
    std::string before = left(4);
    s.Type("\x1b[21~v");  // F10 selects the bar, v opens View with its first item highlighted
    ASSERT_TRUE(s.WaitShows("Status line"));
    s.Type("\x1b");  // a lone Escape, known for one once no byte follows in time, closes the menu
    EXPECT_TRUE(s.WaitUntil([&] { return !s.term.Shows("Status line"); }));

    int title = static_cast<int>(s.term.RowText(0).find("View"));
    s.Type(Click(title, 0) + Click(title, 0, 'm'));  // released on the title the popup stays open
    ASSERT_TRUE(s.WaitShows("Status line"));
    int item = static_cast<int>(s.term.RowText(3).find("Colours"));
    s.Type(Click(item, 3) + Click(item, 3, 'm'));
    EXPECT_TRUE(s.WaitShows("View > Colours: background changed."));
    EXPECT_FALSE(s.term.Shows("Status line")) << "the popup closed";
    EXPECT_EQ(left(4), before) << "the screen under the popup is back";

    std::string answers[] = {"\r", " ", Click(39, 12) + Click(39, 12, 'm'), "\x1b"};
    for (char mark = '1'; mark <= '4'; ++mark) {
        const std::string &answer = answers[mark - '1'];
        SCOPED_TRACE(testing::PrintToString(answer));
        before = left(24);
        s.Type("\x1bOQ");  // F2
        ASSERT_TRUE(s.WaitShows("message box."));
        s.Type("x" + answer);  // x goes to the box, never to the application
        ASSERT_TRUE(s.WaitUntil([&] { return !s.term.Shows("message box."); }));
        EXPECT_EQ(left(24), before);
        s.Type(std::string(1, mark));  // the application's next key is this one
        ASSERT_TRUE(s.WaitShows(std::string("0x3") + mark + " '" + mark + "'"));
        EXPECT_FALSE(s.term.Shows("vk=0x58"));
    }

    s.Type("\x1b" "f");  // Alt+F
    ASSERT_TRUE(s.WaitShows("Exit"));
    s.Type(std::string(kDown) + kDown + "\r");  // over the grayed Save to Exit
    s.ExpectEnds(0);
}

TEST(PtyDemo, WithTheKeyboardProtocolAltAloneSelectsTheBarAndTheProtocolIsPoppedAtTheEnd)
{
    PtySession s({TUIKIT_DEMO_APP}, {.keyboardProtocol = true});
    ASSERT_TRUE(s.WaitShows(kHelp));
    ASSERT_NE(s.term.written.find("\x1b[>"), std::string::npos) << "the protocol was pushed";
    s.Type("\x1b[57443;3u\x1b[57443;1:3u\x1b[13u\x1b[13;1:3u");  // Alt pressed and released, Enter
    EXPECT_TRUE(s.WaitShows("Exit")) << "Alt selected File, Enter opened it";
    s.Type("\x1b[27u\x1b[27;1:3u\x1b[113;5u\x1b[113;5:3u\x1b[57442;1:3u");  // Escape, Ctrl+Q, late releases
    s.ExpectEnds(0);
}

}  // namespace
}  // namespace tuikit::test

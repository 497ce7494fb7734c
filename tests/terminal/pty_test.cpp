// The test program and the demo end to end in a pseudo-terminal with
// libvterm as the terminal: what they draw shows cell for cell, legacy keys,
// the mouse and the keyboard protocol drive the demo's menu bar and message
// box, and however a program ends or stops the terminal is as it was.
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "pty_session.h"

namespace tuikit::test {
namespace {

constexpr char kPrinted[] = "written to stderr while the screen was up";
constexpr char kHelp[] = "Ctrl+Q quits";

bool ShowsPattern(PtySession &s) { return s.term.altScreen && s.term.Difference(PatternScreen()).empty(); }

bool Stopped(pid_t pid)  // the state letter in /proc/<pid>/stat, after the name in parentheses
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    return std::string(std::istreambuf_iterator<char>(stat), {}).find(") T ") != std::string::npos;
}

// Mouse motion as a terminal reports it: only while reporting is on.
constexpr char kMotion[] = "\x1b[<35;10;10M\x1b[<35;11;10M";
void MoveMouseUntilReportingStops(PtySession &s)
{
    EXPECT_TRUE(s.WaitUntil([&] {
        if (s.term.mouse) s.Type(kMotion);
        return s.term.mouse == 0;
    }));
}

TEST(PtyRestore, EveryByteAndColourShowsAndQuittingStoppingSignalsOrACrashGiveTheTerminalBack)
{
    for (int sig : {0, SIGTSTP, SIGTERM, SIGINT, SIGHUP, SIGSEGV, SIGABRT, SIGBUS}) {
        SCOPED_TRACE(sig ? strsignal(sig) : "Ctrl+Q");
        PtySession s({TUIKIT_TTY_APP, "screen"});
        EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s) && s.term.Cursor().col == 5 && s.term.Cursor().row == 20; }))
            << s.term.Difference(PatternScreen());
        EXPECT_EQ(s.term.cursorShape, VTERM_PROP_CURSORSHAPE_UNDERLINE) << "a 25% cursor";
        EXPECT_NE(s.Settings(), s.beforeSettings) << "raw mode while running";
        if (sig == SIGTSTP) {  // stopped it gives the terminal back; continued it takes it again and repaints
            s.Signal(SIGTSTP);
            ASSERT_TRUE(s.WaitUntil([&] { return Stopped(s.Pid()) && !s.term.altScreen; }));
            s.ExpectRestored(kPrinted);
            s.Signal(SIGCONT);
            EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s) && s.term.mouse != 0; }))
                << s.term.Difference(PatternScreen());
        }
        s.Type(kMotion);
        if (sig == 0 || sig == SIGTSTP) s.Type("\x11");  // Ctrl+Q
        else s.Signal(sig);
        MoveMouseUntilReportingStops(s);  // what was in flight must not reach the shell
        const bool crash = sig == SIGSEGV || sig == SIGABRT || sig == SIGBUS;
        if (!crash) {
            s.ExpectEnds(sig == SIGTSTP ? 0 : sig, kPrinted);  // the program still dies of the signal
        } else {  // a sanitizer may report on the restored screen: settings and modes matter
            EXPECT_NE(s.WaitExit(), -1);
            EXPECT_EQ(s.Settings(), s.beforeSettings);
            EXPECT_FALSE(s.term.altScreen);
            EXPECT_EQ(s.term.mouse, 0);
            EXPECT_EQ(s.Pending(), 0) << "input left over for the shell";
        }
    }
}

TEST(PtyRestore, AStormOfStopsAndContinuesEndsResponsiveWithTheScreenUp)
{
    std::srand(12);
    for (int run = 0; run < 5; ++run) {
        SCOPED_TRACE(run);
        PtySession s({TUIKIT_TTY_APP, "screen"});
        ASSERT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); }));
        for (int cycle = 0; cycle < 30; ++cycle) {
            for (int sig : {SIGTSTP, SIGCONT}) {
                s.Signal(sig);
                auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::rand() % 20);
                s.WaitUntil([&] { return std::chrono::steady_clock::now() >= until; });
            }
        }
        EXPECT_TRUE(s.WaitUntil([&] { return !Stopped(s.Pid()) && ShowsPattern(s) && s.term.mouse != 0; }))
            << s.term.Difference(PatternScreen());
        EXPECT_NE(s.Settings(), s.beforeSettings) << "raw mode after the last continue";
        s.Type("\x11");
        s.ExpectEnds(0, kPrinted);
    }
}

TEST(PtyRestore, AProgramWhoseOwnHandlerSurvivesSIGTERMGetsItsScreenAndKeysBack)
{
    PtySession s({TUIKIT_TTY_APP, "survive"});
    ASSERT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); }));
    s.Signal(SIGTERM);
    EXPECT_TRUE(s.WaitUntil([&] { return !s.term.altScreen; })) << "given back while the handler runs";
    EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s) && s.term.mouse != 0; })) << s.term.Difference(PatternScreen());
    EXPECT_NE(s.Settings(), s.beforeSettings) << "raw mode again";
    s.Type("\x11");
    s.ExpectEnds(0, kPrinted);
}

TEST(PtyRestore, WhenTheTerminalGoesAwayWithSIGHUPIgnoredTheMessageLoopEnds)
{
    SessionOptions options;
    options.hangUpIgnored = true;
    PtySession s({TUIKIT_TTY_APP, "screen"}, options);
    ASSERT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); }));
    s.HangUp();
    EXPECT_EQ(s.WaitExit(), 0);
}

TEST(PtyInput, MouseAndSizeRecordsAreQueuedOnlyWhenTheInputModeAsksForThemButTheBufferAlwaysFollows)
{
    PtySession s({TUIKIT_TTY_APP, "records"});
    ASSERT_TRUE(s.WaitShows("ready"));
    s.Type("\x1b[<0;3;3M\x1b[<0;3;3ma");
    EXPECT_TRUE(s.WaitShows("key a buffer 80x25"));
    EXPECT_FALSE(s.term.Shows("mouse"));
    s.Resize(30, 100);
    EXPECT_TRUE(s.WaitUntil([&] { return s.Type("b"), s.term.Shows("key b buffer 100x30"); }));
    EXPECT_FALSE(s.term.Shows("size"));
    s.Type("m");  // asks for window and mouse input
    ASSERT_TRUE(s.WaitShows("key m"));
    s.Resize(25, 80);
    EXPECT_TRUE(s.WaitShows("size 80x25 buffer 80x25"));
    s.Type("\x1b[<0;3;3M");
    EXPECT_TRUE(s.WaitShows("mouse"));
}

TEST(PtyInput, AMegabytePastedArrivesWholeAndInOrderAsCharacters)
{
    PtySession s({TUIKIT_TTY_APP, "paste"});
    ASSERT_TRUE(s.WaitShows("ready"));
    std::string text(1 << 20, ' ');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);
    ASSERT_TRUE(s.TypeAll("\x1b[200~" + text + "\x1b[201~!"));
    EXPECT_TRUE(s.WaitShows("pasted 1048576 in order")) << s.term.RowText(1);
}

TEST(PtyInput, AProgramRunningTheToolkitHasExactlyTwoThreads)
{
    PtySession s({TUIKIT_TTY_APP, "screen"});
    ASSERT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); }));
    std::ifstream status("/proc/" + std::to_string(s.Pid()) + "/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("Threads:", 0) != 0) {
    }
#if defined(__SANITIZE_THREAD__)
    const int sanitizer = 1;  // ThreadSanitizer's own background thread
#else
    const int sanitizer = 0;
#endif
    EXPECT_EQ(line, "Threads:\t" + std::to_string(2 + sanitizer)) << "the main thread and the input pump";
}

TEST(PtyInput, ATerminalShrunkTo20By5AndGrownBackShowsWhatWasDrawnAndTheCursorWhereItWas)
{
    PtySession s({TUIKIT_TTY_APP, "screen"});
    ASSERT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); }));
    size_t shown = s.term.written.size();
    s.Resize(5, 20);
    // Drawn small, the cursor at (5, 20) on the last row.
    ASSERT_TRUE(s.WaitUntil([&] { return s.term.written.find("\x1b[5;6H", shown) != std::string::npos; }));
    EXPECT_EQ(s.term.Difference(PatternScreen()), "");
    s.Resize(25, 80);
    EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s) && s.term.Cursor().col == 5 && s.term.Cursor().row == 20; }))
        << s.term.Difference(PatternScreen());
}

TEST(PtyInput, F10ArrivesAsF10FromALegacyTerminalAndThroughTheKeyboardProtocol)
{
    for (bool protocol : {false, true}) {
        SCOPED_TRACE(protocol ? "keyboard protocol" : "legacy");
        PtySession s({TUIKIT_TTY_APP, "records"}, {.keyboardProtocol = protocol});
        ASSERT_TRUE(s.WaitShows("ready"));
        if (protocol) {
            ASSERT_TRUE(s.WaitUntil([&] { return s.term.written.find("\x1b[>") != std::string::npos; }));
        }
        s.Type("\x1b[21~");
        ASSERT_TRUE(s.WaitShows("vk 121"));
        EXPECT_EQ(s.term.RowText(1).find("vk 121"), s.term.RowText(1).find("vk ")) << "the first key is F10, no Alt";
        s.Type("\x11");
    }
}

TEST(PtyInput, WithoutATerminalOnStandardInputDrawingWorksAndReadingFails)
{
    PtySession s({TUIKIT_TTY_APP, "records"}, {.stdinIsTerminal = false});
    EXPECT_TRUE(s.WaitShows("read failed"));
    s.Signal(SIGTERM);
    s.ExpectEnds(SIGTERM);
}

TEST(PtyDemo, KeysAndClicksChooseMenuItemsAndTheMessageBoxTakesTheInputMeantForIt)
{
    PtySession s({TUIKIT_DEMO_APP});
    ASSERT_TRUE(WaitDemoUp(s));
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
    s.Type("\x1b" "f\r");  // Alt+F opens File, Enter chooses New, which makes Save available
    ASSERT_TRUE(s.WaitShows("File > New"));
    s.Type("\x1b" "f\x1b[B\r");  // Alt+F, Down to Save, Enter
    EXPECT_TRUE(s.WaitShows("File > Save: saved."));

    int title = static_cast<int>(s.term.RowText(0).find("View"));
    s.Type(Click(title, 0));  // released on the title the popup stays open
    ASSERT_TRUE(s.WaitShows("Status line"));
    int item = static_cast<int>(s.term.RowText(3).find("Colours"));
    s.Type(Click(item, 3));
    EXPECT_TRUE(s.WaitShows("View > Colours: background changed."));
    EXPECT_FALSE(s.term.Shows("Status line")) << "the popup closed";
    EXPECT_EQ(left(4), before) << "the screen under the popup is back";

    for (char mark = '1'; mark <= '4'; ++mark) {
        before = left(24);
        s.Type("\x1bOQ");  // F2
        ASSERT_TRUE(s.WaitShows("message box."));
        std::string answers[] = {"\r", " ", ClickOn(s, "OK"), "\x1b"};
        const std::string &answer = answers[mark - '1'];
        SCOPED_TRACE(testing::PrintToString(answer));
        s.Type("x" + answer);  // x goes to the box, never to the application
        ASSERT_TRUE(s.WaitUntil([&] { return !s.term.Shows("message box."); }));
        EXPECT_EQ(left(24), before);
        s.Type(std::string(1, mark));  // the application's next key is this one
        ASSERT_TRUE(s.WaitShows(std::string("0x3") + mark + " '" + mark + "'"));
        EXPECT_FALSE(s.term.Shows("vk=0x58"));
    }

    s.Type("\x11");  // Ctrl+Q
    s.ExpectEnds(0);
}

TEST(PtyDemo, SIGTERMInAnyStateEndsTheDemoWithTheTerminalGivenBack)
{
    struct State {
        const char *name, *keys, *shows;
    } states[] = {{"idle", "", kHelp},
                  {"a popup open", "\x1b" "f", "Exit"},
                  {"the About dialog open", "\x1b" "ha", "read from .rc scripts."},
                  {"a message box open", "\x1bOQ", "message box."}};
    for (const State &state : states) {
        SCOPED_TRACE(state.name);
        PtySession s({TUIKIT_DEMO_APP});
        ASSERT_TRUE(WaitDemoUp(s));
        s.Type(state.keys);
        ASSERT_TRUE(s.WaitShows(state.shows));
        auto signalled = std::chrono::steady_clock::now();
        s.Signal(SIGTERM);
        MoveMouseUntilReportingStops(s);
        s.ExpectEnds(SIGTERM);
        auto ms = std::chrono::duration<double, std::milli>(s.exitedAt - signalled).count();
        std::printf("ended %.1f ms after SIGTERM with %s\n", ms, state.name);  // a figure, not a limit
    }
}

TEST(PtyDemo, DraggingTheVerticalThumbScrollsTheText)
{
    PtySession s({TUIKIT_DEMO_APP});
    ASSERT_TRUE(WaitDemoUp(s));
    int top = 0;
    while (top < 24 && s.term.RowText(top).find("Line 1:") == std::string::npos) ++top;
    int left = static_cast<int>(s.term.RowText(top).find("Line 1:"));
    int bar = left, thumb = top + 1;  // right of the text: the up arrow, then the thumb below it
    while (bar < 80 && s.term.Glyph(bar, top) != U'\u2191') ++bar;
    while (thumb < 24 && s.term.Glyph(bar, thumb) != U'\u2588') ++thumb;
    ASSERT_LT(thumb, 24);
    auto at = [&](int y) { return std::to_string(bar + 1) + ";" + std::to_string(y + 1); };
    s.Type("\x1b[<0;" + at(thumb) + "M\x1b[<32;" + at(thumb + 2) + "M\x1b[<32;" + at(thumb + 4) + "M\x1b[<0;" +
           at(thumb + 4) + "m");
    // The thumb stays under the mouse and the view shows later lines, in order.
    EXPECT_TRUE(s.WaitUntil([&] {
        int first = std::atoi(s.term.RowText(top).c_str() + left + 5);
        for (int r = 0; r < 8; ++r)
            if (s.term.RowText(top + r).find("Line " + std::to_string(first + r) + ":") != static_cast<size_t>(left))
                return false;
        return first > 1 && s.term.Glyph(bar, thumb + 4) == U'\u2588';
    })) << s.term.RowText(top);
    s.Type("\x11");
    s.ExpectEnds(0);
}

TEST(PtyDemo, WithTheKeyboardProtocolAltAloneSelectsTheBarAndTheProtocolIsPoppedAtTheEnd)
{
    PtySession s({TUIKIT_DEMO_APP}, {.keyboardProtocol = true});
    ASSERT_TRUE(WaitDemoUp(s));
    ASSERT_NE(s.term.written.find("\x1b[>"), std::string::npos) << "the protocol was pushed";
    s.Type("\x1b[57443;3u\x1b[57443;1:3u\x1b[13u\x1b[13;1:3u");  // Alt pressed and released, Enter
    EXPECT_TRUE(s.WaitShows("Exit")) << "Alt selected File, Enter opened it";
    s.Type("\x1b[27u\x1b[27;1:3u\x1b[113;5u\x1b[113;5:3u\x1b[57442;1:3u");  // Escape, Ctrl+Q, late releases
    s.ExpectEnds(0);
}

TEST(PtyDemo, FileExitAsksFirstNoGivesTheScreenBackAndYesQuits)
{
    PtySession s({TUIKIT_DEMO_APP});
    ASSERT_TRUE(WaitDemoUp(s));
    std::string before = LeftHalf(s);
    s.Type("\x1b" "fx");  // Alt+F, then Exit by its mnemonic
    ASSERT_TRUE(s.WaitShows("Quit the demo?"));
    s.Type("n");
    EXPECT_TRUE(s.WaitUntil([&] { return !s.term.Shows("Quit the demo?") && s.term.Shows("staying"); }));
    EXPECT_EQ(LeftHalf(s), before) << "the screen under the menu and the box is back";
    s.Type("\x1b" "fx");
    ASSERT_TRUE(s.WaitShows("Quit the demo?"));
    s.Type(ClickOn(s, "Yes"));
    s.ExpectEnds(0);
}

}  // namespace
}  // namespace tuikit::test

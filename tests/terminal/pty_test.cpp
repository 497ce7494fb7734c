// The test program end to end in a pseudo-terminal with libvterm as the
// terminal: what it draws shows cell for cell, and however it ends or stops
// the terminal is as it was.
#include <fstream>
#include <iterator>

#include "pty_session.h"

namespace tuikit::test {
namespace {

constexpr char kPrinted[] = "written to stderr while the screen was up";

bool ShowsPattern(PtySession &s) { return s.term.altScreen && s.term.Difference(PatternScreen()).empty(); }

bool Stopped(pid_t pid)  // the state letter in /proc/<pid>/stat, after the name in parentheses
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    return std::string(std::istreambuf_iterator<char>(stat), {}).find(") T ") != std::string::npos;
}

TEST(PtyRestore, EveryByteAndColourShowsAndQuittingStoppingSignalsOrACrashGiveTheTerminalBack)
{
    for (int sig : {0, SIGTSTP, SIGTERM, SIGINT, SIGHUP, SIGSEGV}) {
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
        if (sig == 0 || sig == SIGTSTP) s.Type("\x11\x1b[<35;10;10M\x1b[<35;11;10M");  // Ctrl+Q, motion after it
        else s.Signal(sig);
        if (sig != SIGSEGV) {
            s.ExpectEnds(sig == SIGTSTP ? 0 : sig, kPrinted);  // the program still dies of the signal
        } else {  // a sanitizer may report on the restored screen: settings and modes matter
            EXPECT_NE(s.WaitExit(), -1);
            EXPECT_EQ(s.Settings(), s.beforeSettings);
            EXPECT_FALSE(s.term.altScreen);
            EXPECT_EQ(s.term.mouse, 0);
        }
    }
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

TEST(PtyInput, WithoutATerminalOnStandardInputDrawingWorksAndReadingFails)
{
    PtySession s({TUIKIT_TTY_APP, "records"}, {.stdinIsTerminal = false});
    EXPECT_TRUE(s.WaitShows("read failed"));
    s.Signal(SIGTERM);
    s.ExpectEnds(SIGTERM);
}

}  // namespace
}  // namespace tuikit::test

// The test program end to end in a pseudo-terminal with libvterm as the
// terminal: what it draws shows cell for cell, and however it ends the
// terminal is as it was.
#include <fstream>
#include <iterator>

#include "pty_session.h"

namespace tuikit::test {
namespace {

PtySession App(const char *mode, SessionOptions options = {}) { return PtySession({TUIKIT_TTY_APP, mode}, options); }

constexpr char kPrinted[] = "written to stderr while the screen was up";

bool ShowsPattern(PtySession &s) { return s.term.altScreen && s.term.Difference(PatternScreen()).empty(); }

TEST(PtyRestore, EveryByteAndColourShowsAndQuittingSignalsOrACrashGiveTheTerminalBack)
{
    for (int sig : {0, SIGTERM, SIGINT, SIGHUP, SIGSEGV}) {
        SCOPED_TRACE(sig ? strsignal(sig) : "Ctrl+Q");
        PtySession s = App("screen");
        ASSERT_NE(s.WaitReport("ready"), "");
        EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s) && s.term.Cursor().col == 5 && s.term.Cursor().row == 20; }))
            << s.term.Difference(PatternScreen());
        EXPECT_EQ(s.term.cursorShape, VTERM_PROP_CURSORSHAPE_UNDERLINE) << "a 25% cursor";
        EXPECT_NE(s.term.mouse, 0);
        EXPECT_NE(s.Settings(), s.beforeSettings) << "raw mode while running";
        if (sig) s.Signal(sig);
        else s.Type("\x11\x1b[<35;10;10M\x1b[<35;11;10M");  // motion sent before the terminal saw mouse reporting end
        int status = s.WaitExit();
        if (sig == SIGSEGV) {  // a sanitizer may report on the restored screen: settings and modes matter
            EXPECT_NE(status, -1);
            EXPECT_EQ(s.Settings(), s.beforeSettings);
            EXPECT_FALSE(s.term.altScreen);
            EXPECT_EQ(s.term.mouse, 0);
            continue;
        }
        if (sig) EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << "the program still dies of it: " << status;
        else EXPECT_EQ(status, 0);
        s.ExpectRestored(kPrinted);
    }
}

TEST(PtyRestore, AStopGivesTheTerminalBackAndContinuingTakesItAndRepaints)
{
    PtySession s = App("screen");
    ASSERT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); }));
    s.Signal(SIGTSTP);
    auto stopped = [&] {  // the state letter in /proc/<pid>/stat, after the name in parentheses
        std::ifstream stat("/proc/" + std::to_string(s.Pid()) + "/stat");
        std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        return all.find(") T ") != std::string::npos;
    };
    ASSERT_TRUE(s.WaitUntil([&] { return stopped() && !s.term.altScreen; }));
    EXPECT_EQ(s.Settings(), s.beforeSettings);
    EXPECT_TRUE(s.term.Shows(std::string("prompt$ ") + kPrinted));
    EXPECT_EQ(s.term.mouse, 0);

    s.Signal(SIGCONT);
    EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s) && s.term.mouse != 0; })) << s.term.Difference(PatternScreen());
    EXPECT_NE(s.Settings(), s.beforeSettings) << "raw mode again";
    s.Type("\x11");
    EXPECT_EQ(s.WaitExit(), 0);
    s.ExpectRestored(kPrinted);
}

TEST(PtyInput, AChangeOfTheTerminalsSizeIsARecordAndTheBufferFollows)
{
    PtySession s = App("records");
    ASSERT_NE(s.WaitReport("ready"), "");
    s.Resize(30, 100);
    EXPECT_EQ(s.WaitReport("size"), "size 100x30 buffer 100x30");
}

TEST(PtyInput, WithoutATerminalOnStandardInputDrawingWorksAndReadingFails)
{
    PtySession s = App("noinput", {.stdinIsTerminal = false});
    EXPECT_EQ(s.WaitReport("read"), "read 0");
    EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); })) << "drawn without a message loop";
    s.Signal(SIGTERM);
    s.WaitExit();
    EXPECT_EQ(s.Settings(), s.beforeSettings);
    EXPECT_FALSE(s.term.altScreen);
}

}  // namespace
}  // namespace tuikit::test

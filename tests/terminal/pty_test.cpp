// End to end in a pseudo-terminal: a program using TuiKit runs in a pty
// whose other side is libvterm. What it draws must show cell for cell,
// what is typed must arrive as records and messages, and however it ends
// the terminal must be as it was before.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "pty_session.h"
#include "records.h"

namespace tuikit::test {
namespace {

constexpr char kQuit[] = "\x11";  // Ctrl+Q

bool SameSettings(const termios &a, const termios &b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag && a.c_cflag == b.c_cflag &&
           std::equal(std::begin(a.c_cc), std::end(a.c_cc), std::begin(b.c_cc));
}

// The terminal is as it was: settings, main screen with its text and
// cursor, every mode the program switched on switched off again.
void ExpectRestored(PtySession &s)
{
    TestTerminal &t = s.Term();
    const TerminalBefore &before = s.Before();
    EXPECT_TRUE(SameSettings(s.Settings(), before.settings)) << "terminal settings differ";
    EXPECT_FALSE(t.AltScreen());
    EXPECT_EQ(t.RowText(0), before.firstRow);
    EXPECT_EQ(t.Cursor().row, before.cursor.row);
    EXPECT_EQ(t.Cursor().col, before.cursor.col);
    EXPECT_TRUE(t.CursorVisible());
    EXPECT_EQ(t.MouseMode(), 0);
    for (auto [mode, on] : t.PrivateModes()) {
        bool onByDefault = mode == 7 || mode == 25;
        EXPECT_EQ(on, onByDefault) << "private mode " << mode << " left switched";
    }
    EXPECT_EQ(t.KeyboardDepth(), 0) << "keyboard protocol flags left pushed";
    EXPECT_LE(t.CursorStyle(), 0) << "cursor style left changed";
    EXPECT_EQ(s.PendingInput(), 0) << "input left over for the shell";
}

bool ShowsScreen(PtySession &s, const platform::ScreenBuffer &screen)
{
    return s.Term().AltScreen() && s.Term().Difference(screen).empty();
}

TEST(PtyScreen, TheTerminalShowsEveryByteAndColourTheProgramDrew)
{
    PtySession s("screen");
    platform::ScreenBuffer screen = s.ReadScreen();
    ASSERT_EQ(screen.Width(), 80) << "the buffer follows the terminal's size";
    ASSERT_EQ(screen.Height(), 25);
    EXPECT_TRUE(s.WaitUntil([&] { return ShowsScreen(s, screen); })) << s.Term().Difference(screen);
    EXPECT_TRUE(s.WaitUntil([&] { return s.Term().Cursor().col == 5 && s.Term().Cursor().row == 20; }));
    EXPECT_TRUE(s.Term().CursorVisible());
    EXPECT_EQ(s.Term().CursorShape(), VTERM_PROP_CURSORSHAPE_BLOCK) << "a 100% cursor is a block";
    s.Type(kQuit);
    int status = s.WaitExit();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(PtyRestore, QuittingGivesTheTerminalBackAsItWas)
{
    PtySession s("messages");
    ASSERT_NE(s.WaitReport("ready"), "");
    ASSERT_TRUE(s.WaitUntil([&] { return s.Term().AltScreen() && s.Term().MouseMode() != 0; }));
    EXPECT_FALSE(SameSettings(s.Settings(), s.Before().settings)) << "raw mode while running";
    // Mouse motion the terminal sent before it saw mouse reporting end.
    s.Type(kQuit);
    s.Type("\x1b[<35;10;10M\x1b[<35;11;10M\x1b[<35;12;10M");
    int status = s.WaitExit();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ExpectRestored(s);
}

TEST(PtyRestore, TheKeyboardProtocolIsPushedOnTheAlternateScreenAndPoppedBeforeLeaving)
{
    SessionOptions options;
    options.keyboardProtocol = true;
    PtySession s("messages", options);
    ASSERT_NE(s.WaitReport("ready"), "");
    ASSERT_TRUE(s.WaitUntil([&] { return s.Term().KeyboardDepth() == 1; }));
    EXPECT_TRUE(s.Term().AltScreen());
    s.Type("\x1b[113;5u");  // Ctrl+Q as the protocol sends it
    s.Type("\x1b[113;5:3u\x1b[57442;1:3u");  // and its releases, arriving late
    int status = s.WaitExit();
    ASSERT_TRUE(WIFEXITED(status));
    ExpectRestored(s);
}

void ExpectSignalRestores(int sig)
{
    PtySession s("screen");
    platform::ScreenBuffer screen = s.ReadScreen();
    ASSERT_TRUE(s.WaitUntil([&] { return ShowsScreen(s, screen); }));
    s.Signal(sig);
    int status = s.WaitExit();
    ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
    EXPECT_EQ(WTERMSIG(status), sig) << "the program still dies of the signal";
    ExpectRestored(s);
}

TEST(PtyRestore, SigtermGivesTheTerminalBack) { ExpectSignalRestores(SIGTERM); }
TEST(PtyRestore, SigintFromOutsideGivesTheTerminalBack) { ExpectSignalRestores(SIGINT); }
TEST(PtyRestore, SighupGivesTheTerminalBack) { ExpectSignalRestores(SIGHUP); }

TEST(PtyRestore, ACrashGivesTheTerminalBack)
{
    PtySession s("screen");
    platform::ScreenBuffer screen = s.ReadScreen();
    ASSERT_TRUE(s.WaitUntil([&] { return ShowsScreen(s, screen); }));
    s.Signal(SIGSEGV);
    EXPECT_NE(s.WaitExit(), -1);
    // A sanitizer's report may follow on the restored screen; the settings
    // and modes are what matter here.
    EXPECT_TRUE(SameSettings(s.Settings(), s.Before().settings));
    EXPECT_FALSE(s.Term().AltScreen());
    EXPECT_EQ(s.Term().MouseMode(), 0);
}

TEST(PtyRestore, AStopGivesTheTerminalBackAndContinuingTakesItAndRepaints)
{
    PtySession s("screen");
    platform::ScreenBuffer screen = s.ReadScreen();
    ASSERT_TRUE(s.WaitUntil([&] { return ShowsScreen(s, screen); }));

    s.Signal(SIGTSTP);
    ASSERT_TRUE(s.WaitUntil([&] { return s.Stopped() && !s.Term().AltScreen(); }));
    EXPECT_TRUE(SameSettings(s.Settings(), s.Before().settings));
    EXPECT_EQ(s.Term().RowText(0), s.Before().firstRow);
    EXPECT_EQ(s.Term().MouseMode(), 0);

    s.Signal(SIGCONT);
    EXPECT_TRUE(s.WaitUntil([&] { return ShowsScreen(s, screen) && s.Term().MouseMode() != 0; }))
        << s.Term().Difference(screen);
    EXPECT_FALSE(SameSettings(s.Settings(), s.Before().settings)) << "raw mode again";
    s.Type(kQuit);
    int status = s.WaitExit();
    ASSERT_TRUE(WIFEXITED(status));
    ExpectRestored(s);
}

TEST(PtyRestore, WhatTheProgramWroteToStandardErrorShowsAfterTheScreenIsGone)
{
    PtySession s("stderr");
    ASSERT_NE(s.WaitReport("ready"), "");
    s.Type(kQuit);
    ASSERT_TRUE(WIFEXITED(s.WaitExit()));
    bool found = false;
    for (int y = 0; y < s.Term().Rows(); ++y)
        found = found || s.Term().RowText(y).find("written to stderr while the screen was up") != std::string::npos;
    EXPECT_TRUE(found);
}

// Types bytes and returns the messages the pump posted for them, up to an
// F12 marker typed after them.
std::vector<std::string> MessagesFor(PtySession &s, const std::string &bytes, bool waitForEscape = false)
{
    s.Type(bytes);
    if (waitForEscape) s.WaitUntil([] { return false; }, 150);
    s.Type("\x1b[24~");
    std::vector<std::string> out;
    std::string line;
    while (s.NextReport(line)) {
        if (line == "message 0100 7B 0") break;
        if (line == "message 0101 7B 0") continue;  // the previous marker's release
        out.push_back(line.substr(8));
    }
    return out;
}

struct Typed {
    const char *what;
    std::string bytes;
    std::vector<std::string> messages;  // "message wParam lParam" in hex
};

void ExpectMessages(PtySession &s, const std::vector<Typed> &table)
{
    for (const Typed &t : table) EXPECT_EQ(MessagesFor(s, t.bytes), t.messages) << t.what;
}

TEST(PtyInput, KeysAndTheMouseTypedIntoTheTerminalArriveAsMessages)
{
    PtySession s("messages");
    ASSERT_NE(s.WaitReport("ready"), "");
    ExpectMessages(s, {
        {"a letter", "a", {"0100 41 61", "0101 41 0"}},
        {"Shift+a", "A", {"0100 41 41", "0101 41 0"}},
        {"Ctrl+C is a key", "\x03", {"0100 43 3", "0101 43 0"}},
        {"Up", "\x1b[A", {"0100 26 0", "0101 26 0"}},
        {"Ctrl+Delete", "\x1b[3;5~", {"0100 2E 0", "0101 2E 0"}},
        {"F1", "\x1bOP", {"0100 70 0", "0101 70 0"}},
        {"Alt+x", "\x1bx", {"0100 12 0", "0104 58 0", "0105 58 0", "0101 12 0"}},
        {"F10 taps Alt", "\x1b[21~", {"0100 12 0", "0101 12 0"}},
        {"e acute typed as UTF-8", "\xC3\xA9", {"0100 0 FFFFFF82", "0101 0 0"}},
        {"left click at (10, 5)", "\x1b[<0;11;6M\x1b[<0;11;6m", {"0200 1 5000A", "0201 1 5000A", "0202 0 5000A"}},
        {"the same click again is a double click", "\x1b[<0;11;6M\x1b[<0;11;6m", {"0203 1 5000A", "0202 0 5000A"}},
        {"right press with Ctrl", "\x1b[<18;12;6M\x1b[<18;12;6m", {"0200 A 5000B", "0204 A 5000B", "0205 8 5000B"}},
        {"motion", "\x1b[<35;20;7M", {"0200 0 60013"}},
    });
    // The same click twice quickly: the second press is a double click.
    EXPECT_EQ(MessagesFor(s, "\x1b[<0;31;3M\x1b[<0;31;3m\x1b[<0;31;3M\x1b[<0;31;3m"),
              (std::vector<std::string>{"0200 1 2001E", "0201 1 2001E", "0202 0 2001E", "0203 1 2001E", "0202 0 2001E"}));
    EXPECT_EQ(MessagesFor(s, "\x1b", true), (std::vector<std::string>{"0100 1B 1B", "0101 1B 0"})) << "a lone Escape";
    s.Type(kQuit);
    EXPECT_TRUE(WIFEXITED(s.WaitExit()));
}

TEST(PtyInput, WithTheKeyboardProtocolReleasesAndAltAloneArrive)
{
    SessionOptions options;
    options.keyboardProtocol = true;
    PtySession s("messages", options);
    ASSERT_NE(s.WaitReport("ready"), "");
    ASSERT_TRUE(s.WaitUntil([&] { return s.Term().KeyboardDepth() == 1; }));
    ExpectMessages(s, {
        {"a pressed and released", "\x1b[97u\x1b[97;1:3u", {"0100 41 61", "0101 41 0"}},
        {"held: repeats", "\x1b[97u\x1b[97;1:2u\x1b[97;1:3u", {"0100 41 61", "0100 41 61", "0101 41 0"}},
        {"Alt alone", "\x1b[57443;3u\x1b[57443;1:3u", {"0100 12 0", "0101 12 0"}},
        {"Alt+f", "\x1b[57443;3u\x1b[102;3u\x1b[102;3:3u\x1b[57443;1:3u",
         {"0100 12 0", "0104 46 0", "0105 46 0", "0101 12 0"}},
        {"Caps Lock on", "\x1b[97;65u\x1b[97;65:3u", {"0100 41 41", "0101 41 0"}},
        {"Escape", "\x1b[27u\x1b[27;1:3u", {"0100 1B 1B", "0101 1B 0"}},
    });
    s.Type("\x1b[113;5u");
    EXPECT_TRUE(WIFEXITED(s.WaitExit()));
}

TEST(PtyInput, RecordsCarryKeysStateAndTheWindowSize)
{
    PtySession s("records");
    ASSERT_NE(s.WaitReport("ready"), "");
    s.Type("\x1b[1;6D");  // Ctrl+Shift+Left
    EXPECT_EQ(s.WaitReport("record"), "record " + Down(VK_LEFT, 0, LEFT_CTRL_PRESSED | SHIFT_PRESSED | ENHANCED_KEY));
    EXPECT_EQ(s.WaitReport("record"), "record " + Up(VK_LEFT, 0, LEFT_CTRL_PRESSED | SHIFT_PRESSED | ENHANCED_KEY));
    s.Type("\x1b[<12;3;4M");  // Shift+Alt+click
    EXPECT_EQ(s.WaitReport("record"), "record " + Mouse(2, 3, 1, SHIFT_PRESSED | LEFT_ALT_PRESSED));

    s.Resize(30, 100);
    EXPECT_EQ(s.WaitReport("record"), "record size 100x30");
    EXPECT_EQ(s.WaitReport("buffer"), "buffer 100 30") << "the buffer follows the terminal";
    s.Type(kQuit);
    EXPECT_TRUE(WIFEXITED(s.WaitExit()));
}

TEST(PtyInput, WithoutATerminalOnStandardInputDrawingWorksAndReadingFails)
{
    SessionOptions options;
    options.stdinIsTerminal = false;
    PtySession s("noinput", options);
    platform::ScreenBuffer screen = s.ReadScreen();
    EXPECT_EQ(s.WaitReport("read"), "read 0");
    EXPECT_TRUE(s.WaitUntil([&] { return ShowsScreen(s, screen); })) << "drawn without a message loop";
    s.Signal(SIGTERM);
    s.WaitExit();
    EXPECT_TRUE(SameSettings(s.Settings(), s.Before().settings));
    EXPECT_FALSE(s.Term().AltScreen());
}

// Reports up to the message of typing y, which follows the box.
std::vector<std::string> ReportsUntilY(PtySession &s)
{
    s.Type("y");
    std::vector<std::string> seen;
    std::string line;
    while (s.NextReport(line) && line != "message 0100 59 79") seen.push_back(line);
    return seen;
}

TEST(PtyMessageBox, TheBoxShowsOverTheScreenTakesTheInputAndPutsTheScreenBack)
{
    PtySession s("msgbox");
    platform::ScreenBuffer screen = s.ReadScreen();
    ASSERT_NE(s.WaitReport("ready"), "");
    ASSERT_TRUE(s.WaitUntil([&] { return ShowsScreen(s, screen); }));
    auto boxShown = [&] {
        for (int y = 0; y < 25; ++y)
            if (s.Term().RowText(y).find("Hello from the box") != std::string::npos) return true;
        return false;
    };
    struct Answer {
        const char *what;
        std::string keys;
        const char *result;
    };
    for (const Answer &a : {Answer{"Enter", "\r", "box 1"}, Answer{"Space", " ", "box 1"},
                            Answer{"a click", "\x1b[<0;40;12M\x1b[<0;40;12m", "box 1"},
                            Answer{"Escape", "\x1b", "box 2"}}) {
        s.Type("m");
        ASSERT_NE(s.WaitReport("message 0100 4D 6D"), "");
        ASSERT_TRUE(s.WaitUntil(boxShown)) << a.what;
        s.Type("x");  // the box has the input: this never reaches the application
        s.Type(a.keys);
        EXPECT_EQ(s.WaitReport("box"), a.result) << a.what;
        EXPECT_TRUE(s.WaitUntil([&] { return ShowsScreen(s, screen); })) << a.what << ": " << s.Term().Difference(screen);
        for (const std::string &line : ReportsUntilY(s))
            EXPECT_EQ(line.find("message 0100 58"), std::string::npos) << a.what << ": x leaked to the application";
    }
    s.Type(kQuit);
    EXPECT_TRUE(WIFEXITED(s.WaitExit()));
}

}  // namespace
}  // namespace tuikit::test

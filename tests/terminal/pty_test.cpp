// The test program end to end in a pseudo-terminal with libvterm as the
// terminal: what it draws shows cell for cell, what is typed arrives as
// records and messages, and however it ends the terminal is as it was.
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

PtySession App(const char *mode, SessionOptions options = {}) { return PtySession({TUIKIT_TTY_APP, mode}, options); }

platform::ScreenBuffer Pattern()
{
    platform::ScreenBuffer screen(80, kPatternCells / 80);
    for (int i = 0; i < kPatternCells; ++i) {
        char ch;
        WORD attr;
        PatternCell(i, ch, attr);
        screen.SetCell(i % 80, i / 80, platform::Cell{static_cast<uint8_t>(ch), attr});
    }
    return screen;
}

bool ShowsPattern(PtySession &s) { return s.term.altScreen && s.term.Difference(Pattern()).empty(); }

TEST(PtyScreen, EveryByteAndColourShowsAndQuittingGivesTheTerminalBack)
{
    PtySession s = App("screen");
    ASSERT_NE(s.WaitReport("ready"), "");
    EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s) && s.term.Cursor().col == 5 && s.term.Cursor().row == 20; }))
        << s.term.Difference(Pattern());
    EXPECT_EQ(s.term.cursorShape, VTERM_PROP_CURSORSHAPE_UNDERLINE) << "a 25% cursor";
    EXPECT_NE(s.term.mouse, 0);
    EXPECT_FALSE(SameSettings(s.Settings(), s.beforeSettings)) << "raw mode while running";
    s.Type(kQuit);
    s.Type("\x1b[<35;10;10M\x1b[<35;11;10M");  // motion sent before the terminal saw mouse reporting end
    EXPECT_EQ(s.WaitExit(), 0);
    ExpectRestored(s);
}

TEST(PtyRestore, SignalsAndACrashGiveTheTerminalBack)
{
    for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGSEGV}) {
        SCOPED_TRACE(strsignal(sig));
        PtySession s = App("screen");
        ASSERT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); }));
        s.Signal(sig);
        int status = s.WaitExit();
        if (sig == SIGSEGV) {  // a sanitizer may report on the restored screen: settings and modes matter
            EXPECT_NE(status, -1);
            EXPECT_TRUE(SameSettings(s.Settings(), s.beforeSettings));
            EXPECT_FALSE(s.term.altScreen);
            EXPECT_EQ(s.term.mouse, 0);
            continue;
        }
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << "the program still dies of it: " << status;
        ExpectRestored(s);
    }
}

TEST(PtyRestore, AStopGivesTheTerminalBackAndContinuingTakesItAndRepaints)
{
    PtySession s = App("screen");
    ASSERT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); }));
    s.Signal(SIGTSTP);
    ASSERT_TRUE(s.WaitUntil([&] { return s.Stopped() && !s.term.altScreen; }));
    EXPECT_TRUE(SameSettings(s.Settings(), s.beforeSettings));
    EXPECT_EQ(s.term.RowText(0), s.beforeRow);
    EXPECT_EQ(s.term.mouse, 0);

    s.Signal(SIGCONT);
    EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s) && s.term.mouse != 0; })) << s.term.Difference(Pattern());
    EXPECT_FALSE(SameSettings(s.Settings(), s.beforeSettings)) << "raw mode again";
    s.Type(kQuit);
    EXPECT_EQ(s.WaitExit(), 0);
    ExpectRestored(s);
}

TEST(PtyRestore, WhatTheProgramWroteToStandardErrorShowsAfterTheScreenIsGone)
{
    PtySession s = App("stderr");
    ASSERT_NE(s.WaitReport("ready"), "");
    s.Type(kQuit);
    EXPECT_EQ(s.WaitExit(), 0);
    EXPECT_TRUE(s.term.Shows("written to stderr while the screen was up"));
}

// Types each entry's bytes and expects the messages the pump posted for
// them ("message wParam lParam" in hex), up to an F12 typed after them.
void ExpectMessages(PtySession &s, const std::vector<std::pair<std::string, std::vector<std::string>>> &table)
{
    for (const auto &[bytes, messages] : table) {
        s.Type(bytes);
        if (bytes == "\x1b") s.WaitUntil([] { return false; }, 150);  // a lone Escape waits for its timeout
        s.Type("\x1b[24~");
        std::vector<std::string> seen;
        for (std::string line; (line = s.WaitReport("message ")) != "" && line != "message 0100 7B 0";)
            if (line != "message 0101 7B 0") seen.push_back(line.substr(8));  // the last marker's release
        EXPECT_EQ(seen, messages) << "typed " << testing::PrintToString(bytes);
    }
}

TEST(PtyInput, KeysAndTheMouseTypedIntoTheTerminalArriveAsMessages)
{
    PtySession s = App("screen");
    ASSERT_NE(s.WaitReport("ready"), "");
    ExpectMessages(s, {
        {"a", {"0100 41 61", "0101 41 0"}},
        {"\x03", {"0100 43 3", "0101 43 0"}},  // Ctrl+C is a key
        {"\x1b[3;5~", {"0100 2E 0", "0101 2E 0"}},
        {"\x1b" "x", {"0100 12 0", "0104 58 0", "0105 58 0", "0101 12 0"}},
        {"\x1b[21~", {"0100 12 0", "0101 12 0"}},  // F10 taps Alt
        {"\xC3\xA9", {"0100 0 FFFFFF82", "0101 0 0"}},  // e acute in UTF-8 is byte 0x82
        {"\x1b[<18;12;6M\x1b[<18;12;6m", {"0200 A 5000B", "0204 A 5000B", "0205 8 5000B"}},  // Ctrl+right click
        {"\x1b[<35;20;7M", {"0200 0 60013"}},
        {"\x1b[<0;31;3M\x1b[<0;31;3m\x1b[<0;31;3M\x1b[<0;31;3m",
         {"0200 1 2001E", "0201 1 2001E", "0202 0 2001E", "0203 1 2001E", "0202 0 2001E"}},
        {"\x1b", {"0100 1B 1B", "0101 1B 0"}},
    });
    s.Type(kQuit);
    EXPECT_EQ(s.WaitExit(), 0);
}

TEST(PtyInput, WithTheKeyboardProtocolReleasesAndAltAloneArriveAndItIsPoppedAtTheEnd)
{
    SessionOptions options;
    options.keyboardProtocol = true;
    PtySession s = App("screen", options);
    ASSERT_NE(s.WaitReport("ready"), "");
    ASSERT_TRUE(s.WaitUntil([&] { return s.term.keyboardDepth == 1 && s.term.altScreen; }));
    ExpectMessages(s, {
        {"\x1b[97u\x1b[97;1:2u\x1b[97;1:3u", {"0100 41 61", "0100 41 61", "0101 41 0"}},  // held: repeats
        {"\x1b[57443;3u\x1b[102;3u\x1b[102;3:3u\x1b[57443;1:3u", {"0100 12 0", "0104 46 0", "0105 46 0", "0101 12 0"}},
        {"\x1b[27u\x1b[27;1:3u", {"0100 1B 1B", "0101 1B 0"}},
    });
    s.Type("\x1b[113;5u\x1b[113;5:3u\x1b[57442;1:3u");  // Ctrl+Q, its releases arriving late
    EXPECT_EQ(s.WaitExit(), 0);
    ExpectRestored(s);
}

TEST(PtyInput, RecordsCarryKeysStateAndTheWindowSize)
{
    PtySession s = App("records");
    ASSERT_NE(s.WaitReport("ready"), "");
    DWORD ctrlShift = LEFT_CTRL_PRESSED | SHIFT_PRESSED | ENHANCED_KEY;
    s.Type("\x1b[1;6D\x1b[<12;3;4M");  // Ctrl+Shift+Left, Shift+Alt+click
    EXPECT_EQ(s.WaitReport("record"), "record " + Key(true, VK_LEFT, 0, ctrlShift));
    EXPECT_EQ(s.WaitReport("record"), "record " + Key(false, VK_LEFT, 0, ctrlShift));
    EXPECT_EQ(s.WaitReport("record"), "record " + Mouse(2, 3, 1, SHIFT_PRESSED | LEFT_ALT_PRESSED));
    s.Resize(30, 100);
    EXPECT_EQ(s.WaitReport("record"), "record size 100x30");
    EXPECT_EQ(s.WaitReport("buffer"), "buffer 100 30") << "the buffer follows the terminal";
    s.Type(kQuit);
    EXPECT_EQ(s.WaitExit(), 0);
}

TEST(PtyInput, WithoutATerminalOnStandardInputDrawingWorksAndReadingFails)
{
    SessionOptions options;
    options.stdinIsTerminal = false;
    PtySession s = App("noinput", options);
    EXPECT_EQ(s.WaitReport("read"), "read 0");
    EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); })) << "drawn without a message loop";
    s.Signal(SIGTERM);
    s.WaitExit();
    EXPECT_TRUE(SameSettings(s.Settings(), s.beforeSettings));
    EXPECT_FALSE(s.term.altScreen);
}

TEST(PtyMessageBox, TheBoxShowsOverTheScreenTakesTheInputAndPutsTheScreenBack)
{
    PtySession s = App("screen");
    ASSERT_NE(s.WaitReport("ready"), "");
    for (auto [keys, result] : std::vector<std::pair<std::string, std::string>>{
             {"\r", "box 1"}, {" ", "box 1"}, {"\x1b[<0;40;12M\x1b[<0;40;12m", "box 1"}, {"\x1b", "box 2"}}) {
        SCOPED_TRACE(testing::PrintToString(keys));
        s.Type("m");
        ASSERT_NE(s.WaitReport("message 0100 4D 6D"), "");
        ASSERT_TRUE(s.WaitShows("Hello from the box"));
        s.Type("x" + keys);  // x goes to the box, never to the application
        EXPECT_EQ(s.WaitReport("box"), result);
        EXPECT_TRUE(s.WaitUntil([&] { return ShowsPattern(s); })) << s.term.Difference(Pattern());
        s.Type("y");
        EXPECT_EQ(s.WaitReport("message 0100"), "message 0100 59 79");
    }
    s.Type(kQuit);
    EXPECT_EQ(s.WaitExit(), 0);
}

}  // namespace
}  // namespace tuikit::test

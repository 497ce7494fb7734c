// The input decoder as tables: bytes from the terminal in, the exact
// console input records out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/terminal/decoder.h"
#include "records.h"

namespace tuikit::test {
namespace {

using platform::InputDecoder;

constexpr DWORD kShift = SHIFT_PRESSED;
constexpr DWORD kCtrl = LEFT_CTRL_PRESSED;
constexpr DWORD kAlt = LEFT_ALT_PRESSED;
constexpr DWORD kEnh = ENHANCED_KEY;

struct Case {
    const char *what;
    std::string bytes;
    std::vector<std::string> records;
};

// Feeds each case in one read, then once more split into single bytes
// arriving 1 ms apart: a sequence cut across reads decodes the same.
void ExpectTable(const std::vector<Case> &table, bool releasesReported = false)
{
    for (const Case &c : table) {
        for (bool split : {false, true}) {
            InputDecoder d;
            d.SetReleasesReported(releasesReported);
            std::vector<INPUT_RECORD> out;
            uint64_t t = 1000;
            if (split) {
                for (char b : c.bytes) d.Feed(&b, 1, t++, out);
            } else {
                d.Feed(c.bytes.data(), c.bytes.size(), t, out);
            }
            EXPECT_EQ(Describe(out), c.records) << c.what << (split ? " (byte by byte)" : "");
            EXPECT_FALSE(d.Deadline().has_value()) << c.what << ": bytes left undecoded";
        }
    }
}

TEST(DecoderText, TypedCharactersBecomeKeysOfAUsLayout)
{
    ExpectTable({
        {"lower-case letter", "a", Press('A', 'a')},
        {"upper-case letter holds Shift", "Q", Press('Q', 'Q', kShift)},
        {"digit", "7", Press('7', '7')},
        {"shifted digit", "!", Press('1', '!', kShift)},
        {"punctuation", ";", Press(VK_OEM_1, ';')},
        {"shifted punctuation", "?", Press(VK_OEM_2, '?', kShift)},
        {"space", " ", Press(VK_SPACE, ' ')},
        {"UTF-8 letter in code page 437", "\xC3\xA9", Press(0, 0x82)},
        {"UTF-8 box drawing character", "\xE2\x94\x80", Press(0, 0xC4)},
        {"character code page 437 lacks", "\xE2\x82\xAC", Press(0, '?')},
        {"four-byte character", "\xF0\x9F\x98\x80", Press(0, '?')},
        {"a word", "hi", Join({Press('H', 'h'), Press('I', 'i')})},
    });
}

TEST(DecoderText, ControlBytesAreTheirKeys)
{
    ExpectTable({
        {"Enter", "\r", Press(VK_RETURN, '\r')},
        {"Tab", "\t", Press(VK_TAB, '\t')},
        {"Backspace", "\x7F", Press(VK_BACK, 0x08)},
        {"Ctrl+Backspace", "\x08", Press(VK_BACK, 0x7F, kCtrl)},
        {"Ctrl+C arrives as a key, not a signal", "\x03", Press('C', 0x03, kCtrl)},
        {"Ctrl+Q", "\x11", Press('Q', 0x11, kCtrl)},
        {"Ctrl+Space", std::string(1, '\0'), Press(VK_SPACE, ' ', kCtrl)},
        {"Ctrl+]", "\x1D", Press(VK_OEM_6, 0x1D, kCtrl)},
    });
}

TEST(DecoderLegacy, CursorAndEditingKeysWithTheirModifiers)
{
    ExpectTable({
        {"Up", "\x1b[A", Press(VK_UP, 0, kEnh)},
        {"Down in application mode", "\x1bOB", Press(VK_DOWN, 0, kEnh)},
        {"Ctrl+Right", "\x1b[1;5C", Press(VK_RIGHT, 0, kCtrl | kEnh)},
        {"Shift+Home", "\x1b[1;2H", Press(VK_HOME, 0, kShift | kEnh)},
        {"End", "\x1b[F", Press(VK_END, 0, kEnh)},
        {"Home as 1~", "\x1b[1~", Press(VK_HOME, 0, kEnh)},
        {"Insert", "\x1b[2~", Press(VK_INSERT, 0, kEnh)},
        {"Delete", "\x1b[3~", Press(VK_DELETE, 0, kEnh)},
        {"Ctrl+Shift+Delete", "\x1b[3;6~", Press(VK_DELETE, 0, kCtrl | kShift | kEnh)},
        {"Page Up", "\x1b[5~", Press(VK_PRIOR, 0, kEnh)},
        {"Page Down", "\x1b[6~", Press(VK_NEXT, 0, kEnh)},
        {"Shift+Tab", "\x1b[Z", Press(VK_TAB, '\t', kShift)},
    });
}

TEST(DecoderLegacy, FunctionKeysAndTheAltTapOfF10)
{
    ExpectTable({
        {"F1", "\x1bOP", Press(VK_F1)},
        {"F4", "\x1bOS", Press(VK_F4)},
        {"Shift+F3", "\x1b[1;2R", Press(VK_F3, 0, kShift)},
        {"F5", "\x1b[15~", Press(VK_F5)},
        {"F9", "\x1b[20~", Press(VK_F9)},
        {"F11", "\x1b[23~", Press(VK_F11)},
        {"Ctrl+F12", "\x1b[24;5~", Press(VK_F12, 0, kCtrl)},
        {"F10 alone taps Alt for the menu bar", "\x1b[21~", {Down(VK_MENU, 0, kAlt), Up(VK_MENU, 0, 0)}},
        {"Shift+F10 stays F10", "\x1b[21;2~", Press(VK_F10, 0, kShift)},
    });
}

TEST(DecoderLegacy, AltIsPressedAroundTheKeyItModifies)
{
    ExpectTable({
        {"Alt+x by ESC prefix", "\x1bx", AltPress('X', 'x')},
        {"Alt+Shift+F", "\x1b" "F", AltPress('F', 'F', kShift)},
        {"Alt+Enter", "\x1b\r", AltPress(VK_RETURN, '\r')},
        {"Alt+UTF-8 letter", "\x1b\xC3\xA9", AltPress(0, 0x82)},
        {"Alt+Up by modifier", "\x1b[1;3A", AltPress(VK_UP, 0, kEnh)},
        {"Ctrl+Alt+Delete", "\x1b[3;7~", AltPress(VK_DELETE, 0, kCtrl | kEnh)},
        {"two Escapes: the first is a key", "\x1b\x1bx", Join({Press(VK_ESCAPE, 0x1B), AltPress('X', 'x')})},
    });
}

TEST(DecoderEscape, ALoneEscapeWaitsForTheTimeout)
{
    InputDecoder d;
    std::vector<INPUT_RECORD> out;
    d.Feed("\x1b", 1, 100, out);
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(d.Deadline().has_value());
    EXPECT_EQ(*d.Deadline(), 100 + InputDecoder::kEscapeTimeoutMs);
    d.Expire(100 + InputDecoder::kEscapeTimeoutMs - 1, out);
    EXPECT_TRUE(out.empty()) << "resolved before the timeout";
    d.Expire(100 + InputDecoder::kEscapeTimeoutMs, out);
    EXPECT_EQ(Describe(out), Press(VK_ESCAPE, 0x1B));
    EXPECT_FALSE(d.Deadline().has_value());
}

TEST(DecoderEscape, AByteWithinTheTimeoutMakesASequence)
{
    InputDecoder d;
    std::vector<INPUT_RECORD> out;
    d.Feed("\x1b", 1, 100, out);
    d.Feed("[", 1, 130, out);
    d.Feed("B", 1, 160, out);  // each byte restarts the wait
    EXPECT_EQ(Describe(out), Press(VK_DOWN, 0, kEnh));
}

TEST(DecoderEscape, SequencesCutShortByTheTimeoutAreAltKeys)
{
    for (auto [bytes, expected] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"\x1b[", AltPress(VK_OEM_4, '[')},
             {"\x1bO", AltPress('O', 'O', kShift)},
             {"\x1b[1;", Join({AltPress(VK_OEM_4, '['), Press('1', '1'), Press(VK_OEM_1, ';')})},
         }) {
        InputDecoder d;
        std::vector<INPUT_RECORD> out;
        d.Feed(bytes.data(), bytes.size(), 0, out);
        EXPECT_TRUE(out.empty());
        d.Expire(1000, out);
        EXPECT_EQ(Describe(out), expected) << "after " << bytes.size() << " bytes";
    }
}

TEST(DecoderGarbage, BrokenInputIsDroppedAndWhatFollowsStillDecodes)
{
    ExpectTable({
        {"stray continuation byte", "\x80" "a", Press('A', 'a')},
        {"invalid lead byte", "\xFF" "b", Press('B', 'b')},
        {"UTF-8 broken by ASCII", "\xC3" "c", Press('C', 'c')},
        {"overlong encoding", "\xE0\x80\xAF" "d", Join({Press('D', 'd')})},
        {"unknown CSI", "\x1b[99x" "e", Press('E', 'e')},
        {"CSI broken by a control byte", "\x1b[12;\x01", Press('A', 0x01, kCtrl)},
        {"CSI broken by a new sequence", "\x1b[1;\x1b[A", Press(VK_UP, 0, kEnh)},
        {"unknown private reply", "\x1b[>1;2;3c" "f", Press('F', 'f')},
        {"focus report", "\x1b[I", {}},
        {"mouse report too short", "\x1b[<0;5M" "g", Press('G', 'g')},
    });
}

TEST(DecoderGarbage, AnEndlessSequenceIsDroppedWhole)
{
    std::string junk = "\x1b[" + std::string(InputDecoder::kMaxSequence + 10, '1') + "A" + "z";
    ExpectTable({{"over-long CSI", junk, Press('Z', 'z')}});
}

TEST(DecoderMouse, SgrReportsGivePressMotionAndRelease)
{
    ExpectTable({
        {"left press", "\x1b[<0;10;5M", {Mouse(9, 4, FROM_LEFT_1ST_BUTTON_PRESSED)}},
        {"press, drag, release",
         "\x1b[<0;1;1M\x1b[<32;2;1M\x1b[<0;2;1m",
         {Mouse(0, 0, 1), Mouse(1, 0, 1, 0, MOUSE_MOVED), Mouse(1, 0, 0)}},
        {"motion without a button", "\x1b[<35;80;25M", {Mouse(79, 24, 0, 0, MOUSE_MOVED)}},
        {"right press", "\x1b[<2;3;4M", {Mouse(2, 3, RIGHTMOST_BUTTON_PRESSED)}},
        {"middle press", "\x1b[<1;3;4M", {Mouse(2, 3, FROM_LEFT_2ND_BUTTON_PRESSED)}},
        {"left and right held together", "\x1b[<0;5;5M\x1b[<2;5;5M", {Mouse(4, 4, 1), Mouse(4, 4, 3)}},
        {"Shift+Ctrl+click", "\x1b[<20;5;5M", {Mouse(4, 4, 1, kShift | kCtrl)}},
        {"Alt+click", "\x1b[<8;5;5M", {Mouse(4, 4, 1, kAlt)}},
        {"wheel up", "\x1b[<64;5;5M", {Mouse(4, 4, 120u << 16, 0, MOUSE_WHEELED)}},
        {"wheel down", "\x1b[<65;5;5M", {Mouse(4, 4, 0xFF88u << 16, 0, MOUSE_WHEELED)}},
        {"X10 report", "\x1b[M !!\x1b[M#!!", {Mouse(0, 0, 1), Mouse(0, 0, 0)}},
    });
}

struct Click {
    uint64_t at;
    int x;
    int button;  // SGR button number
};

std::vector<std::string> Clicks(const std::vector<Click> &clicks)
{
    InputDecoder d;
    std::vector<INPUT_RECORD> out;
    for (const Click &c : clicks) {
        std::string press = "\x1b[<" + std::to_string(c.button) + ";" + std::to_string(c.x + 1) + ";1M";
        std::string release = "\x1b[<" + std::to_string(c.button) + ";" + std::to_string(c.x + 1) + ";1m";
        d.Feed(press.data(), press.size(), c.at, out);
        d.Feed(release.data(), release.size(), c.at + 20, out);
    }
    std::vector<std::string> presses;
    for (const auto &r : out)
        if (r.Event.MouseEvent.dwButtonState) presses.push_back(Describe(r));
    return presses;
}

TEST(DecoderMouse, ASecondPressOnTheSameCellWithin500msIsADoubleClick)
{
    EXPECT_EQ(Clicks({{0, 5, 0}, {300, 5, 0}}), (std::vector<std::string>{Mouse(5, 0, 1), Mouse(5, 0, 1, 0, DOUBLE_CLICK)}));
    EXPECT_EQ(Clicks({{0, 5, 0}, {500, 5, 0}})[1], Mouse(5, 0, 1, 0, DOUBLE_CLICK)) << "500 ms is still in time";
    EXPECT_EQ(Clicks({{0, 5, 0}, {501, 5, 0}})[1], Mouse(5, 0, 1)) << "too late";
    EXPECT_EQ(Clicks({{0, 5, 0}, {100, 6, 0}})[1], Mouse(6, 0, 1)) << "another cell";
    EXPECT_EQ(Clicks({{0, 5, 0}, {100, 5, 2}})[1], Mouse(5, 0, 2)) << "another button";
    EXPECT_EQ(Clicks({{0, 5, 2}, {100, 5, 2}})[1], Mouse(5, 0, 2, 0, DOUBLE_CLICK)) << "right double click";
    auto triple = Clicks({{0, 5, 0}, {100, 5, 0}, {200, 5, 0}, {300, 5, 0}});
    EXPECT_EQ(triple[2], Mouse(5, 0, 1)) << "a third press starts afresh";
    EXPECT_EQ(triple[3], Mouse(5, 0, 1, 0, DOUBLE_CLICK));
}

TEST(DecoderKeyboardProtocol, KeysReportTheirOwnReleases)
{
    ExpectTable(
        {
            {"a pressed", "\x1b[97u", {Down('A', 'a')}},
            {"a released", "\x1b[97;1:3u", {Up('A', 'a')}},
            {"a repeated", "\x1b[97;1:2u", {Down('A', 'a')}},
            {"Shift+a", "\x1b[97;2u", {Down('A', 'A', kShift)}},
            {"Caps Lock on", "\x1b[97;65u", {Down('A', 'A', CAPSLOCK_ON)}},
            {"Shift with Caps Lock", "\x1b[97;66u", {Down('A', 'a', kShift | CAPSLOCK_ON)}},
            {"Num Lock on", "\x1b[49;129u", {Down('1', '1', NUMLOCK_ON)}},
            {"Ctrl+q", "\x1b[113;5u", {Down('Q', 0x11, kCtrl)}},
            {"shifted digit", "\x1b[50;2u", {Down('2', '@', kShift)}},
            {"Enter", "\x1b[13u", {Down(VK_RETURN, '\r')}},
            {"Escape needs no timeout", "\x1b[27u", {Down(VK_ESCAPE, 0x1B)}},
            {"Up released", "\x1b[1;1:3A", {Up(VK_UP, 0, kEnh)}},
            {"F10 is F10", "\x1b[21~", {Down(VK_F10)}},
            {"keypad 5", "\x1b[57404u", {Down(VK_NUMPAD5, '5')}},
            {"keypad Enter", "\x1b[57414u", {Down(VK_RETURN, '\r', kEnh)}},
            {"Caps Lock key", "\x1b[57358;65u", {Down(VK_CAPITAL, 0, CAPSLOCK_ON)}},
            {"unknown private key", "\x1b[57430u", {}},
            {"non-ASCII key", "\x1b[233u", {Down(0, 0x82)}},
        },
        true);
}

TEST(DecoderKeyboardProtocol, AltAloneIsPressedAndReleased)
{
    ExpectTable(
        {
            {"left Alt", "\x1b[57443;3u\x1b[57443;1:3u", {Down(VK_MENU, 0, kAlt), Up(VK_MENU, 0, 0)}},
            {"Alt+f as the keyboard sends it", "\x1b[57443;3u\x1b[102;3u\x1b[102;3:3u\x1b[57443;1:3u",
             {Down(VK_MENU, 0, kAlt), Down('F', 'f', kAlt), Up('F', 'f', kAlt), Up(VK_MENU, 0, 0)}},
            {"right Alt marks the keys it holds", "\x1b[57449;3u\x1b[120;3u\x1b[57449;1:3u",
             {Down(VK_MENU, 0, RIGHT_ALT_PRESSED | kEnh), Down('X', 'x', RIGHT_ALT_PRESSED), Up(VK_MENU, 0, kEnh)}},
            {"Shift key", "\x1b[57441;2u\x1b[57441;1:3u", {Down(VK_SHIFT, 0, kShift), Up(VK_SHIFT, 0, 0)}},
        },
        true);
}

TEST(DecoderKeyboardProtocol, WithoutReleasesAKeyNumberIsPressedAndReleased)
{
    // Terminals send CSI u for combinations legacy bytes cannot tell apart.
    ExpectTable({{"Ctrl+Shift+i", "\x1b[105;6u", Press('I', 0x09, kCtrl | kShift)}});
}

TEST(DecoderWin32InputMode, SequencesCarryTheRecordsOwnFields)
{
    ExpectTable({
        {"a down", "\x1b[65;30;97;1;0;1_", {Down('A', 'a')}},
        {"a up with NumLock", "\x1b[65;30;97;0;32;1_", {Up('A', 'a', NUMLOCK_ON)}},
        {"Alt down", "\x1b[18;56;0;1;2;1_", {Down(VK_MENU, 0, kAlt)}},
        {"e acute", "\x1b[0;0;233;1;0;1_", {Down(0, 0x82)}},
    });
}

TEST(DecoderReplies, ProbeAnswersAreNotedAndKeysAroundThemKept)
{
    InputDecoder d;
    std::vector<INPUT_RECORD> out;
    std::string bytes = "x\x1b[?1u\x1b[?2026;2$y\x1b[?62;22cy";
    d.Feed(bytes.data(), bytes.size(), 0, out);
    EXPECT_EQ(Describe(out), Join({Press('X', 'x'), Press('Y', 'y')}));
    EXPECT_TRUE(d.Replies().deviceAttributes);
    EXPECT_EQ(d.Replies().keyboardFlags, 1);
    EXPECT_EQ(d.Replies().syncOutputMode, 2);
}

TEST(DecoderReplies, ATerminalThatIgnoresProbesAnswersOnlyDeviceAttributes)
{
    InputDecoder d;
    std::vector<INPUT_RECORD> out;
    d.Feed("\x1b[?1;2c", 7, 0, out);
    EXPECT_TRUE(d.Replies().deviceAttributes);
    EXPECT_EQ(d.Replies().keyboardFlags, -1);
    EXPECT_EQ(d.Replies().syncOutputMode, -1);
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace tuikit::test

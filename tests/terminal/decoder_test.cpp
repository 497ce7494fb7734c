// The input decoder as tables: bytes from the terminal in, the exact console
// input records out.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/terminal/decoder.h"

namespace tuikit::test {
namespace {

using platform::InputDecoder;
using Records = std::vector<std::string>;

constexpr DWORD kShift = SHIFT_PRESSED, kCtrl = LEFT_CTRL_PRESSED, kAlt = LEFT_ALT_PRESSED, kEnh = ENHANCED_KEY;
constexpr uint64_t kTimeout = InputDecoder::kEscapeTimeoutMs;

// Records as text: "down 41 61 0000" (key, character, state),
// "mouse 9,4 b=1 s=0 f=2" (cell, buttons, state, flags).
std::string Key(bool down, WORD vk, unsigned char ch = 0, DWORD state = 0)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s %02X %02X %04X", down ? "down" : "up", vk, ch, unsigned(state));
    return buf;
}
std::string Mouse(int x, int y, DWORD buttons, DWORD state = 0, DWORD flags = 0)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "mouse %d,%d b=%X s=%X f=%X", x, y, unsigned(buttons), unsigned(state), unsigned(flags));
    return buf;
}

Records Press(WORD vk, unsigned char ch = 0, DWORD state = 0)
{
    return {Key(true, vk, ch, state), Key(false, vk, ch, state)};
}

// Alt down, the key down and up with Alt, Alt up.
Records AltPress(WORD vk, unsigned char ch = 0, DWORD state = 0)
{
    DWORD around = state & ~DWORD{kEnh};
    return {Key(true, VK_MENU, 0, around | kAlt), Key(true, vk, ch, state | kAlt), Key(false, vk, ch, state | kAlt),
            Key(false, VK_MENU, 0, around)};
}

Records operator+(Records a, const Records &b) { return a.insert(a.end(), b.begin(), b.end()), a; }

Records Describe(const std::vector<INPUT_RECORD> &records)
{
    Records out;
    for (const INPUT_RECORD &r : records) {
        const KEY_EVENT_RECORD &k = r.Event.KeyEvent;
        const MOUSE_EVENT_RECORD &m = r.Event.MouseEvent;
        out.push_back(r.EventType == KEY_EVENT
                          ? Key(k.bKeyDown, k.wVirtualKeyCode, k.uChar.AsciiChar, k.dwControlKeyState)
                          : Mouse(m.dwMousePosition.X, m.dwMousePosition.Y, m.dwButtonState, m.dwControlKeyState,
                                  m.dwEventFlags));
    }
    return out;
}

Records Decode(InputDecoder &d, const std::string &bytes, uint64_t at)
{
    std::vector<INPUT_RECORD> out;
    d.Feed(bytes.data(), bytes.size(), at, out);
    return Describe(out);
}

struct Case {
    std::string bytes;
    Records records;
};

// Feeds each case in one read, then split into single bytes 1 ms apart: a
// sequence cut across reads decodes the same.
void ExpectTable(const std::vector<Case> &table, bool releasesReported = false, UINT codePage = 437)
{
    for (const Case &c : table) {
        for (bool split : {false, true}) {
            InputDecoder d;
            d.SetReleasesReported(releasesReported);
            d.SetInputCodePage(codePage);
            Records got;
            for (size_t i = 0; i < c.bytes.size(); i += split ? 1 : c.bytes.size())
                got = got + Decode(d, c.bytes.substr(i, split ? 1 : std::string::npos), 1000 + i);
            EXPECT_EQ(got, c.records) << testing::PrintToString(c.bytes) << (split ? " byte by byte" : "");
            EXPECT_FALSE(d.Deadline().has_value()) << testing::PrintToString(c.bytes) << ": bytes left undecoded";
        }
    }
}

TEST(Decoder, LegacyInputIsKeysOfAUsLayoutPressedAndReleasedAtOnce)
{
    ExpectTable({
        {"a", Press('A', 'a')}, {"Q", Press('Q', 'Q', kShift)}, {"!", Press('1', '!', kShift)},
        {"\r", Press(VK_RETURN, '\r')}, {"\x7F", Press(VK_BACK, 0x08)}, {"\x08", Press(VK_BACK, 0x7F, kCtrl)},
        {"\x03", Press('C', 0x03, kCtrl)},  // Ctrl+C is a key, not a signal
        {std::string(1, '\0'), Press(VK_SPACE, ' ', kCtrl)},
        {"\x1b[A", Press(VK_UP, 0, kEnh)}, {"\x1bOB", Press(VK_DOWN, 0, kEnh)},  // normal and application mode
        {"\x1b[1;5C", Press(VK_RIGHT, 0, kCtrl | kEnh)}, {"\x1b[3;6~", Press(VK_DELETE, 0, kCtrl | kShift | kEnh)},
        {"\x1b[Z", Press(VK_TAB, '\t', kShift)}, {"\x1b[24;5~", Press(VK_F12, 0, kCtrl)},
        {"\x1b[21~", Press(VK_F10)},  // F10 is F10: the menu bar gives it the meaning of an Alt tap
        {"\x1b[21;2~", Press(VK_F10, 0, kShift)},
        {"\x1b[105;6u", Press('I', 0x09, kCtrl | kShift)},  // CSI u without releases
        {"\x1b" "x", AltPress('X', 'x')}, {"\x1b[1;3A", AltPress(VK_UP, 0, kEnh)},
        {"\x1b\x1bx", Press(VK_ESCAPE, 0x1B) + AltPress('X', 'x')},
        {"\x1b[65;30;97;1;0;1_", {Key(true, 'A', 'a')}},  // win32-input-mode: the record's own fields
        {"\x1b[65;30;97;0;32;1_", {Key(false, 'A', 'a', NUMLOCK_ON)}},
    });
}

TEST(Decoder, TypedTextBecomesCharactersOfTheInputCodePageAndOtherPagesKeepOnlyAscii)
{
    std::string e = "\xC3\xA9", euro = "\xE2\x82\xAC";
    ExpectTable({{e, Press(0, 0x82)}, {euro, Press(0, '?')}, {"\x1b[233u", Press(0, 0x82)}});
    ExpectTable({{"\xC3\x98", Press(0, 0x9D)}}, false, 850);
    ExpectTable({{e, Press(0, 0xE9)}, {euro, Press(0, 0x80)}, {"\x1b" + e, AltPress(0, 0xE9)},
                 {"\x1b[0;0;8364;1;0;1_", {Key(true, 0, 0x80)}}},
                false, 1252);
    ExpectTable({{e, Press(0, '?')}, {"a", Press('A', 'a')}}, false, CP_UTF8);
    const std::string cyrillicA = "\xD0\x90";  // U+0410, in no page above
    ExpectTable({{cyrillicA, Press(0, 0x80)}}, false, 866);
    ExpectTable({{cyrillicA, Press(0, 0xC0)}, {e, Press(0, '?')}}, false, 1251);
}

TEST(Decoder, PastedTextIsCharactersEvenWhereItHoldsEscapesAndKeysFollowTheEndMarker)
{
    ExpectTable({
        {"\x1b[200~a\x1b" "b\x1b[A\r\x1b[201~", Press('A', 'a') + Press('B', 'b') + Press(VK_OEM_4, '[') +
                                                Press('A', 'A', kShift) + Press(VK_RETURN, '\r')},
        {"\x1b[200~\x1b[201x\x1b[201~\x1b" "x", Press(VK_OEM_4, '[') + Press('2', '2') + Press('0', '0') +
                                                 Press('1', '1') + Press('X', 'x') + AltPress('X', 'x')},
    });
}

TEST(Decoder, KeyRecordsCarryTheScanCodeOfTheirKeyOnAUsBoard)
{
    for (auto [bytes, scans] : std::vector<std::pair<std::string, std::vector<int>>>{
             {"a", {0x1E, 0x1E}}, {"!", {0x02, 0x02}}, {"\r", {0x1C, 0x1C}}, {"\x1b[A", {0x48, 0x48}},
             {"\x1b[24~", {0x58, 0x58}}, {"\x1b[21~", {0x44, 0x44}}, {"\x1b" "x", {0x38, 0x2D, 0x2D, 0x38}},
             {"\x1b[57447;2u", {0x36, 0x36}} /* right Shift */, {"\x1b[57399u", {0x52, 0x52}} /* keypad 0 */,
             {"\xC3\xA9", {0, 0}} /* no key types it */, {"\x1b[65;7;97;1;0;1_", {7}} /* its own */}) {
        InputDecoder d;
        std::vector<INPUT_RECORD> out;
        d.Feed(bytes.data(), bytes.size(), 0, out);
        std::vector<int> got;
        for (const INPUT_RECORD &r : out) got.push_back(r.Event.KeyEvent.wVirtualScanCode);
        EXPECT_EQ(got, scans) << testing::PrintToString(bytes);
    }
}

TEST(Decoder, AnEscapeOrACutSequenceIsResolvedWhenTheTimeoutHasPassed)
{
    InputDecoder d;
    EXPECT_EQ(Decode(d, "\x1b", 100), Records{});
    EXPECT_EQ(d.Deadline(), 100 + kTimeout);
    EXPECT_EQ(Decode(d, "[", 100 + kTimeout - 1), Records{}) << "each byte restarts the wait";
    EXPECT_EQ(Decode(d, "B", 98 + 2 * kTimeout), Press(VK_DOWN, 0, kEnh));
    for (auto [bytes, expected] : std::vector<Case>{
             {"\x1b", Press(VK_ESCAPE, 0x1B)}, {"\x1b[", AltPress(VK_OEM_4, '[')},
             {"\x1b[1;", AltPress(VK_OEM_4, '[') + Press('1', '1') + Press(VK_OEM_1, ';')}}) {
        std::vector<INPUT_RECORD> out;
        EXPECT_EQ(Decode(d, bytes, 0), Records{});
        d.Expire(kTimeout - 1, out);
        EXPECT_TRUE(out.empty()) << "resolved early";
        d.Expire(kTimeout, out);
        EXPECT_EQ(Describe(out), expected) << testing::PrintToString(bytes);
        EXPECT_FALSE(d.Deadline().has_value());
    }
}

TEST(Decoder, BrokenInputIsDroppedAndWhatFollowsStillDecodes)
{
    ExpectTable({
        {"\x80" "a", Press('A', 'a')}, {"\xC3" "c", Press('C', 'c')},
        {"\xE0\x80\xAF" "d", Press('D', 'd')},  // overlong
        {"\x1b[99x" "e", Press('E', 'e')}, {"\x1b[12;\x01", Press('A', 0x01, kCtrl)},
        {"\x1b[1;\x1b[A", Press(VK_UP, 0, kEnh)}, {"\x1b[>1;2;3c" "f", Press('F', 'f')},
        {"\x1b[<0;5M" "g", Press('G', 'g')},
        {"\x1b[" + std::string(InputDecoder::kMaxSequence + 10, '1') + "Az", Press('Z', 'z')},
    });
}

TEST(Decoder, MouseReportsGiveButtonsMotionWheelModifiersAndDoubleClicks)
{
    ExpectTable({
        {"\x1b[<0;1;1M\x1b[<32;2;1M\x1b[<0;2;1m", {Mouse(0, 0, 1), Mouse(1, 0, 1, 0, MOUSE_MOVED), Mouse(1, 0, 0)}},
        {"\x1b[<0;5;5M\x1b[<2;5;5M", {Mouse(4, 4, 1), Mouse(4, 4, 3)}},
        {"\x1b[<28;5;5M", {Mouse(4, 4, 1, kShift | kAlt | kCtrl)}},
        {"\x1b[<64;5;5M", {Mouse(4, 4, 120u << 16, 0, MOUSE_WHEELED)}},
        {"\x1b[M !!\x1b[M#!!", {Mouse(0, 0, 1), Mouse(0, 0, 0)}},  // X10
        {"\x1b[<2;5;1M\x1b[<2;5;1m\x1b[<2;5;1M", {Mouse(4, 0, 2), Mouse(4, 0, 0), Mouse(4, 0, 2, 0, DOUBLE_CLICK)}},
        {"\x1b[<0;5;1M\x1b[<0;5;1m\x1b[<0;6;1M", {Mouse(4, 0, 1), Mouse(4, 0, 0), Mouse(5, 0, 1)}},  // another cell
    });
    // Presses at these times: within 500 ms the second is a double click, a third starts afresh.
    for (auto [times, flags] : std::vector<std::pair<std::vector<uint64_t>, std::string>>{
             {{0, 500}, "02"}, {{0, 501}, "00"}, {{0, 100, 200, 300}, "0202"}}) {
        InputDecoder d;
        std::string seen;  // the flags of each press
        for (uint64_t t : times) seen += Decode(d, "\x1b[<0;5;1M\x1b[<0;5;1m", t).at(0).back();
        EXPECT_EQ(seen, flags);
    }
}

TEST(Decoder, WithTheKeyboardProtocolKeysReportTheirOwnReleasesAndAltAloneArrives)
{
    ExpectTable(
        {
            {"\x1b[97u\x1b[97;1:2u\x1b[97;1:3u", {Key(true, 'A', 'a'), Key(true, 'A', 'a'), Key(false, 'A', 'a')}},
            {"\x1b[97;2u", {Key(true, 'A', 'A', kShift)}}, {"\x1b[113;5u", {Key(true, 'Q', 0x11, kCtrl)}},
            {"\x1b[97;193u", {Key(true, 'A', 'A', CAPSLOCK_ON | NUMLOCK_ON)}},
            {"\x1b[27u", {Key(true, VK_ESCAPE, 0x1B)}},  // no timeout needed
            {"\x1b[1;1:3A", {Key(false, VK_UP, 0, kEnh)}}, {"\x1b[21~", {Key(true, VK_F10)}},
            {"\x1b[57404u", {Key(true, VK_NUMPAD5, '5')}}, {"\x1b[57430u", {}},
            {"\x1b[57443;3u\x1b[102;3u\x1b[102;3:3u\x1b[57443;1:3u",
             {Key(true, VK_MENU, 0, kAlt), Key(true, 'F', 'f', kAlt), Key(false, 'F', 'f', kAlt), Key(false, VK_MENU)}},
            {"\x1b[57449;3u\x1b[120;3u\x1b[57449;1:3u",
             {Key(true, VK_MENU, 0, RIGHT_ALT_PRESSED | kEnh), Key(true, 'X', 'x', RIGHT_ALT_PRESSED),
              Key(false, VK_MENU, 0, kEnh)}},
        },
        true);
}

TEST(Decoder, ProbeAnswersAreNotedAndKeysAroundThemKept)
{
    InputDecoder d, plain;
    EXPECT_EQ(Decode(d, "x\x1b[?1u\x1b[?2026;2$y\x1b[?62;22cy", 0), Press('X', 'x') + Press('Y', 'y'));
    EXPECT_TRUE(d.Replies().deviceAttributes);
    EXPECT_EQ(d.Replies().keyboardFlags, 1);
    EXPECT_EQ(d.Replies().syncOutputMode, 2);
    EXPECT_EQ(Decode(plain, "\x1b[?1;2c", 0), Records{}) << "a terminal that ignores the probes";
    EXPECT_TRUE(plain.Replies().deviceAttributes);
    EXPECT_EQ(plain.Replies().keyboardFlags, -1);
    EXPECT_EQ(plain.Replies().syncOutputMode, -1);
}

}  // namespace
}  // namespace tuikit::test

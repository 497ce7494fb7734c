// The input pump: console records in, thread messages out.
#include <gtest/gtest.h>

#include "support/console_driver.h"

using namespace tuikit::test;

namespace {

constexpr DWORD L = FROM_LEFT_1ST_BUTTON_PRESSED, R = RIGHTMOST_BUTTON_PRESSED;
constexpr long long At(int x, int y) { return (static_cast<long long>(y) << 16) | x; }
// After the first mouse cases everything happens at the cell (12, 7).
INPUT_RECORD Mouse(DWORD buttons, DWORD state = 0, DWORD flags = 0) { return MouseRecord(12, 7, buttons, state, flags); }
Msg Here(UINT message, long long flags) { return M(message, flags, At(12, 7)); }

struct Case {
    const char *story;
    std::vector<INPUT_RECORD> records;
    std::vector<Msg> expected;
};

TEST(InputPump, EachRecordBecomesTheMessagesOfTheTranslationTable)
{
    TuiInit();
    const INPUT_RECORD size{WINDOW_BUFFER_SIZE_EVENT, {}}, focus{FOCUS_EVENT, {}};
    const std::vector<Case> cases = {
        {"a key-down carries its character, a byte above 0x7F sign-extended, Ctrl+C as an ordinary 3; a release none",
         {KeyRecord(true, 0x41, 'A', SHIFT_PRESSED), KeyRecord(true, 0x45, '\xE9'), KeyRecord(true, 0x43, 3, LEFT_CTRL_PRESSED),
          KeyRecord(false, 0x41, 'A', SHIFT_PRESSED)},
         {M(WM_KEYDOWN, 0x41, 'A'), M(WM_KEYDOWN, 0x45, -23), M(WM_KEYDOWN, 0x43, 3), M(WM_KEYUP, 0x41, 0)}},
        {"Alt alone is an ordinary key; Alt+F is a system key both ways",
         {KeyRecord(true, VK_MENU, 0, LEFT_ALT_PRESSED), KeyRecord(true, 0x46, 'f', LEFT_ALT_PRESSED),
          KeyRecord(false, 0x46, 'f', RIGHT_ALT_PRESSED), KeyRecord(false, VK_MENU, 0, LEFT_ALT_PRESSED)},
         {M(WM_KEYDOWN, VK_MENU, 0), M(WM_SYSKEYDOWN, 0x46, 0), M(WM_SYSKEYUP, 0x46, 0), M(WM_KEYUP, VK_MENU, 0)}},
        {"AltGr and Alt with NumLock: system key down, plain key up",
         {KeyRecord(true, 0x51, '@', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED),
          KeyRecord(false, 0x51, '@', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED),
          KeyRecord(false, 0x58, 'x', LEFT_ALT_PRESSED | NUMLOCK_ON)},
         {M(WM_SYSKEYDOWN, 0x51, 0), M(WM_KEYUP, 0x51, 0), M(WM_KEYUP, 0x58, 0)}},
        {"a repeat count gives one message; other record types are dropped",
         {KeyRecord(true, VK_DOWN, 0, 0, 3), size, focus},
         {M(WM_KEYDOWN, VK_DOWN, 0)}},
        {"the first mouse event moves, even at the origin; motion within a cell is silent",
         {MouseRecord(0, 0, 0), MouseRecord(0, 0, 0, 0, MOUSE_MOVED), MouseRecord(1, 0, 0, 0, MOUSE_MOVED)},
         {M(WM_MOUSEMOVE, 0, At(0, 0)), M(WM_MOUSEMOVE, 0, At(1, 0))}},
        {"a press at a new cell moves first; flags come from the current record",
         {Mouse(L, LEFT_CTRL_PRESSED | SHIFT_PRESSED), Mouse(0, RIGHT_CTRL_PRESSED)},
         {Here(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL | MK_SHIFT), Here(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL | MK_SHIFT),
          Here(WM_LBUTTONUP, MK_CONTROL)}},
        {"a double click is marked on the second press, for either button",
         {Mouse(L), Mouse(0), Mouse(L, 0, DOUBLE_CLICK), Mouse(0), Mouse(R, 0, DOUBLE_CLICK), Mouse(0)},
         {Here(WM_LBUTTONDOWN, MK_LBUTTON), Here(WM_LBUTTONUP, 0), Here(WM_LBUTTONDBLCLK, MK_LBUTTON),
          Here(WM_LBUTTONUP, 0), Here(WM_RBUTTONDBLCLK, MK_RBUTTON), Here(WM_RBUTTONUP, 0)}},
        {"both buttons at once post left first; the middle button only updates the state",
         {Mouse(L | R), Mouse(L | R | FROM_LEFT_2ND_BUTTON_PRESSED), Mouse(FROM_LEFT_2ND_BUTTON_PRESSED), Mouse(0)},
         {Here(WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON), Here(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON),
          Here(WM_LBUTTONUP, 0), Here(WM_RBUTTONUP, 0)}},
    };
    for (const Case &c : cases) EXPECT_EQ(Compact(Feed(c.records)), c.expected) << c.story;
}

TEST(InputPumpStart, InitTwiceStartsOnePumpThatLocksHoldUntilOneUnlockReleasesIt)
{
    EXPECT_EQ(TuiInit() + TuiInit(), 0);
    DWORD mode = 0, n = 0;
    GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode);
    EXPECT_EQ(mode, static_cast<DWORD>(ENABLE_MOUSE_INPUT));
    EXPECT_EQ(GetConsoleOutputCP(), 437u);
    Feed({});  // the pump now waits in its read
    EXPECT_EQ(TuiLockInput() + TuiLockInput(), 0);
    Append({KeyRecord(true, 0x31, '1')});
    MSG msg;
    EXPECT_FALSE(NextMessage(msg, 150));
    // The pump ate the first wake-up record and stopped; the second one and
    // the key are left for the application (a second pump would take one).
    GetNumberOfConsoleInputEvents(GetStdHandle(STD_INPUT_HANDLE), &n);
    EXPECT_EQ(n, 2u);
    TuiUnlockInput();
    EXPECT_EQ(Compact(Feed({})), (std::vector<Msg>{M(WM_KEYDOWN, 0x31, '1')}));
}

}  // namespace

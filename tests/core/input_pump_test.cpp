// The input pump: console records in, thread messages out.
#include <gtest/gtest.h>

#include "support/console_driver.h"

using namespace tuikit::test;

namespace {

class InputPump : public ::testing::Test {
protected:
    void SetUp() override { TuiInit(); }
};

TEST_F(InputPump, KeysWithCharactersCarryTheSignExtendedByte)
{
    auto got = Compact(Feed({
        KeyRecord(true, 0x41, 'A', SHIFT_PRESSED),
        KeyRecord(false, 0x41, 'A', SHIFT_PRESSED),
        KeyRecord(true, 0x45, static_cast<char>(0xE9)),
        KeyRecord(true, VK_F5, 0),
        KeyRecord(true, 0x43, 3, LEFT_CTRL_PRESSED),  // Ctrl+C is an ordinary key
    }));
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_KEYDOWN, 0x41, 0x41), M(WM_KEYUP, 0x41, 0), M(WM_KEYDOWN, 0x45, -23),
                                     M(WM_KEYDOWN, VK_F5, 0), M(WM_KEYDOWN, 0x43, 3)}));
}

TEST_F(InputPump, AltMakesSystemKeysButAltItselfIsAnOrdinaryKey)
{
    auto got = Compact(Feed({
        KeyRecord(true, VK_MENU, 0, LEFT_ALT_PRESSED),
        KeyRecord(true, 0x46, 'f', LEFT_ALT_PRESSED),
        KeyRecord(false, 0x46, 'f', LEFT_ALT_PRESSED),
        KeyRecord(false, VK_MENU, 0, 0),
        KeyRecord(true, 0x46, 'f', RIGHT_ALT_PRESSED),
        KeyRecord(false, 0x46, 'f', RIGHT_ALT_PRESSED),
    }));
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_KEYDOWN, VK_MENU, 0), M(WM_SYSKEYDOWN, 0x46, 0), M(WM_SYSKEYUP, 0x46, 0),
                                     M(WM_KEYUP, VK_MENU, 0), M(WM_SYSKEYDOWN, 0x46, 0), M(WM_SYSKEYUP, 0x46, 0)}));
}

TEST_F(InputPump, OnlyALoneAltBitMakesASystemKeyUp)
{
    // AltGr (right Alt with Ctrl) and Alt with NumLock: system key down, plain key up.
    auto got = Compact(Feed({
        KeyRecord(true, 0x51, '@', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED),
        KeyRecord(false, 0x51, '@', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED),
        KeyRecord(true, 0x58, 'x', LEFT_ALT_PRESSED | NUMLOCK_ON),
        KeyRecord(false, 0x58, 'x', LEFT_ALT_PRESSED | NUMLOCK_ON),
        KeyRecord(false, VK_MENU, 0, LEFT_ALT_PRESSED),
    }));
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_SYSKEYDOWN, 0x51, 0), M(WM_KEYUP, 0x51, 0), M(WM_SYSKEYDOWN, 0x58, 0),
                                     M(WM_KEYUP, 0x58, 0), M(WM_KEYUP, VK_MENU, 0)}));
}

TEST_F(InputPump, ARepeatCountMakesOneMessageAndOtherRecordTypesAreDropped)
{
    INPUT_RECORD size{};
    size.EventType = WINDOW_BUFFER_SIZE_EVENT;
    INPUT_RECORD focus{};
    focus.EventType = FOCUS_EVENT;
    auto got = Compact(Feed({KeyRecord(true, VK_DOWN, 0, 0, 3), size, focus}));
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_KEYDOWN, VK_DOWN, 0)}));
}

TEST_F(InputPump, TheFirstMouseEventIsAMoveEvenAtTheOrigin)
{
    auto got = Compact(Feed({MouseRecord(0, 0, 0), MouseRecord(0, 0, 0, 0, MOUSE_MOVED)}));
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_MOUSEMOVE, 0, 0)}));
}

TEST_F(InputPump, APressAtANewCellMovesFirstAndFlagsFollowTheCurrentRecord)
{
    const long long at = (7LL << 16) | 12;
    auto got = Compact(Feed({
        MouseRecord(12, 7, FROM_LEFT_1ST_BUTTON_PRESSED, LEFT_CTRL_PRESSED | SHIFT_PRESSED),
        MouseRecord(12, 7, 0, RIGHT_CTRL_PRESSED),
    }));
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL | MK_SHIFT, at),
                                     M(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL | MK_SHIFT, at),
                                     M(WM_LBUTTONUP, MK_CONTROL, at)}));
}

TEST_F(InputPump, ADoubleClickIsMarkedOnTheSecondPress)
{
    auto got = Compact(Feed({
        MouseRecord(3, 2, FROM_LEFT_1ST_BUTTON_PRESSED),
        MouseRecord(3, 2, 0),
        MouseRecord(3, 2, FROM_LEFT_1ST_BUTTON_PRESSED, 0, DOUBLE_CLICK),
        MouseRecord(3, 2, 0),
        MouseRecord(3, 2, RIGHTMOST_BUTTON_PRESSED, 0, DOUBLE_CLICK),
    }));
    const long long at = (2LL << 16) | 3;
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_MOUSEMOVE, MK_LBUTTON, at), M(WM_LBUTTONDOWN, MK_LBUTTON, at),
                                     M(WM_LBUTTONUP, 0, at), M(WM_LBUTTONDBLCLK, MK_LBUTTON, at),
                                     M(WM_LBUTTONUP, 0, at), M(WM_RBUTTONDBLCLK, MK_RBUTTON, at)}));
}

TEST_F(InputPump, BothButtonsInOneRecordPostLeftFirstAndOtherButtonsOnlyUpdateState)
{
    const long long at = (1LL << 16) | 1;
    auto got = Compact(Feed({
        MouseRecord(1, 1, FROM_LEFT_1ST_BUTTON_PRESSED | RIGHTMOST_BUTTON_PRESSED),
        MouseRecord(1, 1, FROM_LEFT_1ST_BUTTON_PRESSED | RIGHTMOST_BUTTON_PRESSED | FROM_LEFT_2ND_BUTTON_PRESSED),
        MouseRecord(1, 1, FROM_LEFT_2ND_BUTTON_PRESSED),
        MouseRecord(2, 1, FROM_LEFT_2ND_BUTTON_PRESSED, 0, MOUSE_MOVED),
        MouseRecord(2, 1, 0, 0, MOUSE_MOVED),
    }));
    const WPARAM both = MK_LBUTTON | MK_RBUTTON;
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_MOUSEMOVE, both, at), M(WM_LBUTTONDOWN, both, at),
                                     M(WM_RBUTTONDOWN, both, at), M(WM_LBUTTONUP, 0, at), M(WM_RBUTTONUP, 0, at),
                                     M(WM_MOUSEMOVE, 0, at + 1)}));
}

TEST_F(InputPump, MotionWithinOneCellPostsNothing)
{
    auto got = Compact(Feed({MouseRecord(5, 5, 0, 0, MOUSE_MOVED), MouseRecord(5, 5, 0, 0, MOUSE_MOVED),
                             MouseRecord(6, 5, 0, 0, MOUSE_MOVED)}));
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_MOUSEMOVE, 0, (5 << 16) | 5), M(WM_MOUSEMOVE, 0, (5 << 16) | 6)}));
}

TEST_F(InputPump, LockingHoldsThePumpAndUnlockingReleasesIt)
{
    // Let the pump block in its read, then lock: the wake-up record is eaten.
    Feed({});
    TuiLockInput();
    Append({KeyRecord(true, 0x31, '1')});
    MSG msg;
    EXPECT_FALSE(NextMessage(msg, 150));
    // Input is left for the application to read itself.
    DWORD n = 0;
    GetNumberOfConsoleInputEvents(GetStdHandle(STD_INPUT_HANDLE), &n);
    EXPECT_EQ(n, 1u);
    TuiUnlockInput();
    ASSERT_TRUE(NextMessage(msg));
    EXPECT_EQ(Compact({msg}), (std::vector<Msg>{M(WM_KEYDOWN, 0x31, '1')}));
}

TEST_F(InputPump, OneUnlockUndoesAnyNumberOfLocks)
{
    TuiLockInput();
    TuiLockInput();
    TuiLockInput();
    MSG msg;
    EXPECT_FALSE(NextMessage(msg, 100));
    TuiUnlockInput();
    auto got = Compact(Feed({KeyRecord(true, 0x32, '2')}));
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_KEYDOWN, 0x32, '2')}));
}

TEST_F(InputPump, ASecondInitKeepsTheFirstPumpAndMainThread)
{
    TuiInit();
    auto got = Compact(Feed({KeyRecord(true, 0x33, '3')}));
    EXPECT_EQ(got, (std::vector<Msg>{M(WM_KEYDOWN, 0x33, '3')}));
}

TEST(InputPumpStart, InitSetsTheModesCodePageAndInitialisedFlag)
{
    EXPECT_EQ(TuiDrawLine(0, 0, 1, 0, 7), 1);  // drawing before TuiInit reports it
    EXPECT_EQ(TuiInit(), 0);
    DWORD mode = 0;
    GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode);
    EXPECT_EQ(mode, static_cast<DWORD>(ENABLE_MOUSE_INPUT));
    EXPECT_EQ(GetConsoleOutputCP(), 437u);
    EXPECT_EQ(TuiOutputHandle(), GetStdHandle(STD_OUTPUT_HANDLE));
    EXPECT_EQ(TuiDrawLine(0, 0, 1, 0, 7), 0);
}

}  // namespace

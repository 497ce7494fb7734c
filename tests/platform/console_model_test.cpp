// The console model behind the Win32 console calls, in memory mode.
#include <gtest/gtest.h>

#include <cstddef>

#include "support/console_driver.h"

// Records and structures keep the platform's layouts.
static_assert(sizeof(INPUT_RECORD) == 20 && offsetof(INPUT_RECORD, Event) == 4);
static_assert(sizeof(KEY_EVENT_RECORD) == 16 && offsetof(KEY_EVENT_RECORD, dwControlKeyState) == 12);
static_assert(sizeof(CHAR_INFO) == 4 && sizeof(CONSOLE_SCREEN_BUFFER_INFO) == 22);

namespace {

using namespace tuikit::test;

HANDLE Out() { return CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr); }
COORD C(int x, int y) { return COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}; }

void Put(int x, int y, const std::string &s)
{
    DWORD n = 0;
    WriteConsoleOutputCharacterA(Out(), s.data(), static_cast<DWORD>(s.size()), C(x, y), &n);
}

COORD Size(COORD CONSOLE_SCREEN_BUFFER_INFO::*field)
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(Out(), &info);
    return info.*field;
}

TEST(ConsoleModel, TheMemoryConsoleIs80By25UntilResizedAndKeepsWhatStillFits)
{
    EXPECT_EQ(GetStdHandle(STD_OUTPUT_HANDLE), Out());
    for (auto field : {&CONSOLE_SCREEN_BUFFER_INFO::dwSize, &CONSOLE_SCREEN_BUFFER_INFO::dwMaximumWindowSize})
        EXPECT_EQ(Size(field).X * 100 + Size(field).Y, 8025);
    Put(0, 0, "keep");
    Put(70, 20, "lost");
    ASSERT_TRUE(SetConsoleScreenBufferSize(Out(), C(40, 10)));
    EXPECT_EQ(Size(&CONSOLE_SCREEN_BUFFER_INFO::dwMaximumWindowSize).X, 40);
    ASSERT_TRUE(SetConsoleScreenBufferSize(Out(), C(200, 60)));
    EXPECT_EQ(RowText(0, 0, 4) + RowText(20, 70, 4), "keep    ");
    for (COORD bad : {C(0, 10), C(-5, 10), C(32767, 32767)}) EXPECT_FALSE(SetConsoleScreenBufferSize(Out(), bad));
    EXPECT_EQ(Size(&CONSOLE_SCREEN_BUFFER_INFO::dwSize).X, 200);
}

TEST(ConsoleModel, RunsContinueOnTheNextRowAndStopAtTheEnd)
{
    DWORD n = 0;
    ASSERT_TRUE(WriteConsoleOutputCharacterA(Out(), "abcdef", 6, C(77, 3), &n));
    EXPECT_EQ(RowText(3, 77, 3) + RowText(4, 0, 3), "abcdef");
    ASSERT_TRUE(FillConsoleOutputAttribute(Out(), 0x4E, 10, C(75, 24), &n));
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(AttrAt(79, 24), 0x4E);
    EXPECT_EQ(AttrAt(0, 0), 0x07);  // nothing wrapped round to the top
    ASSERT_TRUE(FillConsoleOutputCharacterA(Out(), 'x', 100000, C(0, 0), &n));
    EXPECT_EQ(n, 80u * 25u);
}

TEST(ConsoleModel, ScrollingMovesTheBlockFillsWhatItLeavesAndRespectsTheClip)
{
    for (int y = 0; y < 5; ++y) Put(0, y, std::string(5, static_cast<char>('0' + y)));
    SMALL_RECT rect{0, 0, 4, 4};
    CHAR_INFO fill{};
    fill.Char.AsciiChar = '.';
    fill.Attributes = 0x2A;
    ASSERT_TRUE(ScrollConsoleScreenBufferA(Out(), &rect, &rect, C(0, -1), &fill));
    EXPECT_EQ(RowText(0, 0, 5) + RowText(4, 0, 5), "11111.....");
    EXPECT_EQ(AttrAt(0, 4), 0x2A);
    // Without a clip the block may spill outside its own rectangle.
    ASSERT_TRUE(ScrollConsoleScreenBufferA(Out(), &rect, nullptr, C(2, 0), &fill));
    EXPECT_EQ(RowText(0, 0, 8), "..11111 ");
    SMALL_RECT off{100, 100, 120, 120};
    EXPECT_FALSE(ScrollConsoleScreenBufferA(Out(), &off, nullptr, C(0, 0), &fill));
}

TEST(ConsoleModel, ACursorShapeOutsideOneToAHundredPercentIsRefused)
{
    CONSOLE_CURSOR_INFO info{100, FALSE}, empty{0, TRUE}, tall{101, TRUE};
    ASSERT_TRUE(SetConsoleCursorInfo(Out(), &info));
    EXPECT_FALSE(SetConsoleCursorInfo(Out(), &empty));
    EXPECT_FALSE(SetConsoleCursorInfo(Out(), &tall));
    EXPECT_EQ(CursorInfo().dwSize, 100u);
    EXPECT_FALSE(CursorInfo().bVisible);
}

TEST(ConsoleModel, InputRecordsComeOutInOrderAndHandlesKeepToTheirKind)
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    INPUT_RECORD recs[3]{}, got[4]{};
    for (int i = 0; i < 3; ++i) recs[i].Event.KeyEvent.wVirtualKeyCode = static_cast<WORD>(0x41 + i);
    DWORD n = 0;
    ASSERT_TRUE(WriteConsoleInputA(in, recs, 3, &n));
    ASSERT_TRUE(PeekConsoleInputA(in, got, 4, &n));
    EXPECT_EQ(n, 3u);
    ASSERT_TRUE(ReadConsoleInputA(in, got, 2, &n));
    EXPECT_EQ(got[0].Event.KeyEvent.wVirtualKeyCode * 0x100 + got[1].Event.KeyEvent.wVirtualKeyCode, 0x4142);
    ASSERT_TRUE(FlushConsoleInputBuffer(in));
    ASSERT_TRUE(GetNumberOfConsoleInputEvents(in, &n));
    EXPECT_EQ(n, 0u);
    EXPECT_FALSE(ReadConsoleInputA(Out(), got, 1, &n));
    EXPECT_FALSE(WriteConsoleOutputCharacterA(in, "x", 1, C(0, 0), &n));
    EXPECT_EQ(CreateFileA("/etc/passwd", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(Out()));  // the console outlives its handles
    EXPECT_EQ(RowText(0, 0, 1), " ");
}

}  // namespace

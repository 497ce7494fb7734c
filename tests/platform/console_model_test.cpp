// The console model behind the Win32 console calls, in memory mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tuikit/win32.h"

namespace {

HANDLE Out() { return CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr); }

std::string Chars(int x, int y, DWORD n)
{
    std::string s(n, '\0');
    DWORD read = 0;
    ReadConsoleOutputCharacterA(Out(), s.data(), n, COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}, &read);
    s.resize(read);
    return s;
}

WORD Attr(int x, int y)
{
    WORD a = 0;
    DWORD read = 0;
    ReadConsoleOutputAttribute(Out(), &a, 1, COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}, &read);
    return a;
}

void Put(int x, int y, const std::string &s)
{
    DWORD n = 0;
    WriteConsoleOutputCharacterA(Out(), s.data(), static_cast<DWORD>(s.size()),
                                 COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}, &n);
}

TEST(ConsoleModel, MemoryConsoleIs80By25WithMatchingMaximumWindow)
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    ASSERT_TRUE(GetConsoleScreenBufferInfo(Out(), &info));
    EXPECT_EQ(info.dwSize.X, 80);
    EXPECT_EQ(info.dwSize.Y, 25);
    EXPECT_EQ(info.dwMaximumWindowSize.X, 80);
    EXPECT_EQ(info.dwMaximumWindowSize.Y, 25);
    EXPECT_EQ(info.srWindow.Right, 79);
    EXPECT_EQ(info.srWindow.Bottom, 24);

    ASSERT_TRUE(SetConsoleScreenBufferSize(Out(), COORD{200, 60}));
    ASSERT_TRUE(GetConsoleScreenBufferInfo(Out(), &info));
    EXPECT_EQ(info.dwSize.X, 200);
    EXPECT_EQ(info.dwSize.Y, 60);
    EXPECT_EQ(info.dwMaximumWindowSize.X, 200);
    EXPECT_EQ(info.dwMaximumWindowSize.Y, 60);

    EXPECT_FALSE(SetConsoleScreenBufferSize(Out(), COORD{0, 10}));
    EXPECT_FALSE(SetConsoleScreenBufferSize(Out(), COORD{-5, 10}));
    EXPECT_FALSE(SetConsoleScreenBufferSize(Out(), COORD{32767, 32767}));
}

TEST(ConsoleModel, ResizingKeepsTheCellsThatStillFit)
{
    Put(0, 0, "keep");
    Put(70, 20, "lost");
    ASSERT_TRUE(SetConsoleScreenBufferSize(Out(), COORD{40, 10}));
    EXPECT_EQ(Chars(0, 0, 4), "keep");
    ASSERT_TRUE(SetConsoleScreenBufferSize(Out(), COORD{80, 25}));
    EXPECT_EQ(Chars(70, 20, 4), "    ");
}

TEST(ConsoleModel, StandardHandlesAndTheScreenDeviceAreTheConsole)
{
    EXPECT_EQ(GetStdHandle(STD_OUTPUT_HANDLE), Out());
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    ASSERT_TRUE(SetConsoleMode(in, ENABLE_MOUSE_INPUT));
    ASSERT_TRUE(GetConsoleMode(in, &mode));
    EXPECT_EQ(mode, static_cast<DWORD>(ENABLE_MOUSE_INPUT));
    EXPECT_EQ(CreateFileA("/etc/passwd", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    // Closing the console's handles does not take the console away.
    EXPECT_TRUE(CloseHandle(Out()));
    EXPECT_EQ(Chars(0, 0, 1), " ");
}

TEST(ConsoleModel, RunsContinueOnTheNextRowAndStopAtTheEndOfTheBuffer)
{
    DWORD n = 0;
    ASSERT_TRUE(WriteConsoleOutputCharacterA(Out(), "abcdef", 6, COORD{77, 3}, &n));
    EXPECT_EQ(n, 6u);
    EXPECT_EQ(Chars(77, 3, 3), "abc");
    EXPECT_EQ(Chars(0, 4, 3), "def");

    ASSERT_TRUE(FillConsoleOutputAttribute(Out(), 0x4E, 10, COORD{75, 24}, &n));
    EXPECT_EQ(n, 5u);  // only the last five cells of the buffer exist
    EXPECT_EQ(Attr(79, 24), 0x4E);
    EXPECT_EQ(Attr(0, 0), 0x07);  // nothing wrapped round to the top

    ASSERT_TRUE(FillConsoleOutputCharacterA(Out(), 'x', 100000, COORD{0, 0}, &n));
    EXPECT_EQ(n, 80u * 25u);
    ASSERT_TRUE(ReadConsoleOutputCharacterA(Out(), std::string(10, '\0').data(), 10, COORD{79, 24}, &n));
    EXPECT_EQ(n, 1u);
}

TEST(ConsoleModel, RunsStartingOutsideTheBufferFailAndWriteNothing)
{
    DWORD n = 99;
    for (COORD at : {COORD{-1, 0}, COORD{0, -1}, COORD{80, 0}, COORD{0, 25}, COORD{-32768, -32768}}) {
        EXPECT_FALSE(WriteConsoleOutputCharacterA(Out(), "zz", 2, at, &n));
        EXPECT_EQ(n, 0u);
        EXPECT_FALSE(FillConsoleOutputAttribute(Out(), 0x11, 5, at, &n));
    }
    EXPECT_EQ(Chars(0, 0, 80), std::string(80, ' '));
    EXPECT_FALSE(SetConsoleCursorPosition(Out(), COORD{80, 0}));
}

TEST(ConsoleModel, RectangleTransfersAreClippedToTheBufferAndTheCallersArray)
{
    std::vector<CHAR_INFO> block(4 * 3);
    for (size_t i = 0; i < block.size(); ++i) {
        block[i].Char.AsciiChar = static_cast<CHAR>('a' + i);
        block[i].Attributes = static_cast<WORD>(0x10 + i);
    }
    // A 4x3 block placed at the bottom-right corner: only its top-left 2x2 fits.
    SMALL_RECT region{78, 23, 81, 25};
    ASSERT_TRUE(WriteConsoleOutputA(Out(), block.data(), COORD{4, 3}, COORD{0, 0}, &region));
    EXPECT_EQ(region.Left, 78);
    EXPECT_EQ(region.Top, 23);
    EXPECT_EQ(region.Right, 79);
    EXPECT_EQ(region.Bottom, 24);
    EXPECT_EQ(Chars(78, 23, 2), "ab");
    EXPECT_EQ(Chars(78, 24, 2), "ef");
    EXPECT_EQ(Attr(79, 24), 0x15);

    // Reading back into a larger array at an offset.
    std::vector<CHAR_INFO> back(10 * 10);
    SMALL_RECT from{78, 23, 79, 24};
    ASSERT_TRUE(ReadConsoleOutputA(Out(), back.data(), COORD{10, 10}, COORD{3, 4}, &from));
    EXPECT_EQ(back[4 * 10 + 3].Char.AsciiChar, 'a');
    EXPECT_EQ(back[5 * 10 + 4].Char.AsciiChar, 'f');
    EXPECT_EQ(back[5 * 10 + 4].Attributes, 0x15);

    // The array limits the transfer too: 2 columns from bufCoord.X = 2 of 4.
    SMALL_RECT wide{0, 0, 9, 0};
    ASSERT_TRUE(WriteConsoleOutputA(Out(), block.data(), COORD{4, 3}, COORD{2, 0}, &wide));
    EXPECT_EQ(wide.Right, 1);
    EXPECT_EQ(Chars(0, 0, 3), "cd ");

    SMALL_RECT bad{0, 0, 1, 1};
    EXPECT_FALSE(WriteConsoleOutputA(Out(), block.data(), COORD{4, 3}, COORD{4, 0}, &bad));
}

TEST(ConsoleModel, ScrollingMovesTheBlockFillsWhatItLeavesAndRespectsTheClip)
{
    for (int y = 0; y < 5; ++y) Put(0, y, std::string(5, static_cast<char>('0' + y)));
    SMALL_RECT rect{0, 0, 4, 4};
    CHAR_INFO fill{};
    fill.Char.AsciiChar = '.';
    fill.Attributes = 0x2A;
    // Up one row inside the rectangle: row 0 is lost, row 4 is filled.
    ASSERT_TRUE(ScrollConsoleScreenBufferA(Out(), &rect, &rect, COORD{0, -1}, &fill));
    EXPECT_EQ(Chars(0, 0, 5), "11111");
    EXPECT_EQ(Chars(0, 3, 5), "44444");
    EXPECT_EQ(Chars(0, 4, 5), ".....");
    EXPECT_EQ(Attr(0, 4), 0x2A);

    // Two columns right without a clip: the block spills outside its rectangle.
    ASSERT_TRUE(ScrollConsoleScreenBufferA(Out(), &rect, nullptr, COORD{2, 0}, &fill));
    EXPECT_EQ(Chars(0, 0, 8), "..11111 ");

    // A source wholly outside the buffer is refused.
    SMALL_RECT off{100, 100, 120, 120};
    EXPECT_FALSE(ScrollConsoleScreenBufferA(Out(), &off, nullptr, COORD{0, 0}, &fill));
}

TEST(ConsoleModel, CursorAndCodePages)
{
    CONSOLE_CURSOR_INFO info{100, FALSE};
    ASSERT_TRUE(SetConsoleCursorInfo(Out(), &info));
    CONSOLE_CURSOR_INFO got{};
    ASSERT_TRUE(GetConsoleCursorInfo(Out(), &got));
    EXPECT_EQ(got.dwSize, 100u);
    EXPECT_FALSE(got.bVisible);
    info.dwSize = 0;
    EXPECT_FALSE(SetConsoleCursorInfo(Out(), &info));
    info.dwSize = 101;
    EXPECT_FALSE(SetConsoleCursorInfo(Out(), &info));

    ASSERT_TRUE(SetConsoleCursorPosition(Out(), COORD{79, 24}));
    CONSOLE_SCREEN_BUFFER_INFO sbi{};
    GetConsoleScreenBufferInfo(Out(), &sbi);
    EXPECT_EQ(sbi.dwCursorPosition.X, 79);
    EXPECT_EQ(sbi.dwCursorPosition.Y, 24);

    EXPECT_EQ(GetOEMCP(), 437u);
    CPINFO cp{};
    ASSERT_TRUE(GetCPInfo(437, &cp));
    EXPECT_EQ(cp.MaxCharSize, 1u);
    ASSERT_TRUE(GetCPInfo(CP_UTF8, &cp));
    EXPECT_GT(cp.MaxCharSize, 1u);
    EXPECT_FALSE(GetCPInfo(12345, &cp));
    ASSERT_TRUE(SetConsoleOutputCP(850));
    EXPECT_EQ(GetConsoleOutputCP(), 850u);
    EXPECT_FALSE(SetConsoleOutputCP(12345));
    EXPECT_EQ(GetConsoleOutputCP(), 850u);
}

TEST(ConsoleModel, InputRecordsComeOutInTheOrderTheyWentIn)
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    INPUT_RECORD recs[3]{};
    for (int i = 0; i < 3; ++i) {
        recs[i].EventType = KEY_EVENT;
        recs[i].Event.KeyEvent.wVirtualKeyCode = static_cast<WORD>(0x41 + i);
    }
    DWORD n = 0;
    ASSERT_TRUE(WriteConsoleInputA(in, recs, 3, &n));
    ASSERT_TRUE(GetNumberOfConsoleInputEvents(in, &n));
    EXPECT_EQ(n, 3u);
    INPUT_RECORD got[4]{};
    ASSERT_TRUE(PeekConsoleInputA(in, got, 4, &n));
    EXPECT_EQ(n, 3u);
    ASSERT_TRUE(ReadConsoleInputA(in, got, 2, &n));
    ASSERT_EQ(n, 2u);
    EXPECT_EQ(got[0].Event.KeyEvent.wVirtualKeyCode, 0x41);
    EXPECT_EQ(got[1].Event.KeyEvent.wVirtualKeyCode, 0x42);
    ASSERT_TRUE(FlushConsoleInputBuffer(in));
    ASSERT_TRUE(GetNumberOfConsoleInputEvents(in, &n));
    EXPECT_EQ(n, 0u);
    // The screen buffer is not an input handle, nor the reverse.
    EXPECT_FALSE(ReadConsoleInputA(Out(), got, 1, &n));
    EXPECT_FALSE(WriteConsoleOutputCharacterA(in, "x", 1, COORD{0, 0}, &n));
}

}  // namespace

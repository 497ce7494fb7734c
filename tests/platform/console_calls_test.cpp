// The console calls where Win32 console programs rely on their exact
// behaviour: runs and regions at and beyond the buffer's edges, the order in
// which arguments are refused, "CON", and WriteConsoleA's processed output.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/console_driver.h"

namespace {

using namespace tuikit::test;

HANDLE Out() { return GetStdHandle(STD_OUTPUT_HANDLE); }
HANDLE In() { return GetStdHandle(STD_INPUT_HANDLE); }
COORD C(int x, int y) { return COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}; }
std::string Sides(const SMALL_RECT &r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}

TEST(ConsoleCalls, ARunThatStartsOutsideTheBufferSucceedsWithACountOfZero)
{
    char chars[4] = "abc";
    WORD attrs[3] = {1, 2, 3};
    using RunCall = BOOL (*)(COORD, LPDWORD, char *, WORD *);
    const std::pair<const char *, RunCall> calls[] = {
        {"WriteConsoleOutputCharacterA", [](COORD at, LPDWORD n, char *c, WORD *) { return WriteConsoleOutputCharacterA(Out(), c, 3, at, n); }},
        {"WriteConsoleOutputAttribute", [](COORD at, LPDWORD n, char *, WORD *a) { return WriteConsoleOutputAttribute(Out(), a, 3, at, n); }},
        {"FillConsoleOutputCharacterA", [](COORD at, LPDWORD n, char *, WORD *) { return FillConsoleOutputCharacterA(Out(), 'x', 3, at, n); }},
        {"FillConsoleOutputAttribute", [](COORD at, LPDWORD n, char *, WORD *) { return FillConsoleOutputAttribute(Out(), 0x1F, 3, at, n); }},
        {"ReadConsoleOutputCharacterA", [](COORD at, LPDWORD n, char *c, WORD *) { return ReadConsoleOutputCharacterA(Out(), c, 3, at, n); }},
        {"ReadConsoleOutputAttribute", [](COORD at, LPDWORD n, char *, WORD *a) { return ReadConsoleOutputAttribute(Out(), a, 3, at, n); }},
    };
    for (const auto &[name, call] : calls)
        for (COORD at : {C(-1, 0), C(0, -1), C(80, 0), C(0, 25), C(-32768, 32767)}) {
            DWORD n = 99;
            EXPECT_TRUE(call(at, &n, chars, attrs)) << name << " at " << at.X << "," << at.Y;
            EXPECT_EQ(n, 0u) << name << " at " << at.X << "," << at.Y;
        }
    EXPECT_EQ(RowText(0, 0, 3) + RowText(24, 77, 3), "      ") << "nothing was written";
}

TEST(ConsoleCalls, RegionsAreCutToTheCallersArrayThenToTheBuffer)
{
    std::vector<CHAR_INFO> cells(4 * 4);
    for (size_t i = 0; i < cells.size(); ++i) cells[i].Char.AsciiChar = static_cast<CHAR>('a' + i);
    struct Case {
        const char *story;
        COORD size, from;
        SMALL_RECT region;
        BOOL result;
        const char *after;
    };
    for (const Case &c : std::vector<Case>{
             {"a region inside both is unchanged", C(4, 4), C(0, 0), {1, 1, 2, 2}, TRUE, "1,1,2,2"},
             {"an inverted region fails unchanged", C(4, 4), C(0, 0), {5, 5, 4, 5}, FALSE, "5,5,4,5"},
             {"a region wholly outside the buffer is done unchanged", C(4, 4), C(0, 0), {90, 30, 92, 31}, TRUE,
              "90,30,92,31"},
             {"a region past the array is cut to it", C(4, 4), C(2, 1), {10, 10, 20, 20}, TRUE, "10,10,11,12"},
             {"a position outside the array leaves the region empty", C(4, 4), C(4, 0), {0, 0, 3, 3}, TRUE,
              "0,0,-1,-1"},
             {"so does an array of no cells", C(0, 4), C(0, 0), {0, 0, 3, 3}, TRUE, "0,0,-1,-1"},
             {"a region over the edge is cut to the buffer", C(4, 4), C(0, 0), {78, 23, 81, 26}, TRUE, "78,23,79,24"},
         }) {
        for (bool write : {true, false}) {
            SCOPED_TRACE(std::string(c.story) + (write ? " (write)" : " (read)"));
            SMALL_RECT region = c.region;
            SetLastError(0);
            BOOL result = write ? WriteConsoleOutputA(Out(), cells.data(), c.size, c.from, &region)
                                : ReadConsoleOutputA(Out(), cells.data(), c.size, c.from, &region);
            EXPECT_EQ(result, c.result);
            EXPECT_EQ(Sides(region), c.after);
            if (!c.result) {
                EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
            }
        }
    }
    EXPECT_EQ(RowText(10, 10, 2) + RowText(12, 10, 2), "ghop") << "the cut region came from its place in the array";
}

TEST(ConsoleCalls, CellsCutOffOnTheLeftAndTopLeaveTheRestAtTheirPlacesWithTheirColours)
{
    std::vector<CHAR_INFO> block(3 * 3), back(3 * 3);
    for (size_t i = 0; i < block.size(); ++i) {
        block[i].Char.AsciiChar = static_cast<CHAR>('a' + i);
        block[i].Attributes = static_cast<WORD>(0x10 + i);
    }
    SMALL_RECT region{-1, -1, 1, 1};
    ASSERT_TRUE(WriteConsoleOutputA(Out(), block.data(), C(3, 3), C(0, 0), &region));
    EXPECT_EQ(Sides(region), "0,0,1,1");
    EXPECT_EQ(RowText(0, 0, 2) + RowText(1, 0, 2), "efhi");
    EXPECT_EQ(AttrAt(1, 1), 0x18);
    region = {-1, -1, 1, 1};
    ASSERT_TRUE(ReadConsoleOutputA(Out(), back.data(), C(3, 3), C(0, 0), &region));
    EXPECT_EQ(back[4].Char.AsciiChar, 'e');
    EXPECT_EQ(back[8].Attributes, 0x18);
}

TEST(ConsoleCalls, ABadHandleIsReportedBeforeAnyPointerAndANullBufferIsNoAccess)
{
    DWORD n = 0;
    CONSOLE_SCREEN_BUFFER_INFO info;
    HANDLE bogus = reinterpret_cast<HANDLE>(0x1234);
    struct Case {
        const char *call;
        std::function<BOOL()> run;
        DWORD error;
    };
    for (const Case &c : std::vector<Case>{
             {"WriteConsoleInputA, no handle", [] { return WriteConsoleInputA(nullptr, nullptr, 1, nullptr); }, ERROR_INVALID_HANDLE},
             {"WriteConsoleInputA, the output", [] { return WriteConsoleInputA(Out(), nullptr, 1, nullptr); }, ERROR_INVALID_HANDLE},
             {"WriteConsoleInputA, no records", [] { return WriteConsoleInputA(In(), nullptr, 1, nullptr); }, ERROR_NOACCESS},
             {"ReadConsoleInputA, no records", [&] { return ReadConsoleInputA(In(), nullptr, 1, &n); }, ERROR_NOACCESS},
             {"PeekConsoleInputA, bad handle", [&] { return PeekConsoleInputA(bogus, nullptr, 1, &n); }, ERROR_INVALID_HANDLE},
             {"GetConsoleMode, bad handle", [&] { return GetConsoleMode(bogus, nullptr); }, ERROR_INVALID_HANDLE},
             {"GetConsoleScreenBufferInfo, the input", [&] { return GetConsoleScreenBufferInfo(In(), nullptr); }, ERROR_INVALID_HANDLE},
             {"GetConsoleScreenBufferInfo, no record", [&] { return GetConsoleScreenBufferInfo(Out(), nullptr); }, ERROR_NOACCESS},
             {"WriteConsoleOutputCharacterA, bad handle", [&] { return WriteConsoleOutputCharacterA(bogus, nullptr, 2, C(0, 0), &n); }, ERROR_INVALID_HANDLE},
             {"WriteConsoleOutputCharacterA, no text", [&] { return WriteConsoleOutputCharacterA(Out(), nullptr, 2, C(0, 0), &n); }, ERROR_NOACCESS},
             {"ReadConsoleOutputA, bad handle", [&] { return ReadConsoleOutputA(bogus, nullptr, C(1, 1), C(0, 0), nullptr); }, ERROR_INVALID_HANDLE},
             {"ScrollConsoleScreenBufferA, no rectangle", [&] { return ScrollConsoleScreenBufferA(Out(), nullptr, nullptr, C(0, 0), nullptr); }, ERROR_NOACCESS},
         }) {
        SetLastError(0);
        EXPECT_FALSE(c.run()) << c.call;
        EXPECT_EQ(GetLastError(), c.error) << c.call;
    }
    (void)info;
    // Even then the region was first cut to the caller's array.
    CHAR_INFO cell{};
    SMALL_RECT region{0, 0, 9, 9};
    EXPECT_FALSE(WriteConsoleOutputA(bogus, &cell, C(2, 3), C(0, 0), &region));
    EXPECT_EQ(Sides(region), "0,0,1,2");
}

TEST(ConsoleCalls, ConIsTheInputWhenReadAndTheOutputWhenWritten)
{
    EXPECT_EQ(CreateFileA("CON", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), In());
    EXPECT_EQ(CreateFileA("con", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), Out());
    EXPECT_EQ(CreateFileA("CON", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), In());
    EXPECT_EQ(CreateFileA("CON.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
}

// Prints through WriteConsoleA; returns the count it reports.
DWORD Print(const std::string &text)
{
    DWORD n = 0;
    EXPECT_TRUE(WriteConsoleA(Out(), text.data(), static_cast<DWORD>(text.size()), &n, nullptr));
    return n;
}

TEST(ConsoleCalls, WriteConsolePrintsAtTheCursorWithLineFeedsTabsBackspaceWrapAndScrolling)
{
    SetConsoleScreenBufferSize(Out(), C(12, 4));
    SetConsoleTextAttribute(Out(), 0x1E);
    EXPECT_EQ(Print("ab\tc\r\nxy\bz\nwrapped line!"), 24u);
    EXPECT_EQ(Picture(0, 0, 12, 4), "ab      c   /xz          /wrapped line/!           ");
    EXPECT_EQ(CursorPos().X * 10 + CursorPos().Y, 13);
    EXPECT_EQ(AttrAt(8, 0), 0x1E);
    EXPECT_EQ(AttrAt(11, 0), 0x07) << "only what was printed takes the colour";
    EXPECT_EQ(Print("\n\n"), 2u);  // two rows past the bottom: the buffer scrolls up twice
    EXPECT_EQ(Picture(0, 0, 12, 4), "wrapped line/!           /            /            ");
    EXPECT_EQ(AttrAt(0, 3), 0x1E) << "the new row is blank in the text colour";
    // Without processed output control bytes are shown; without wrapping the
    // last column takes every further character.
    SetConsoleMode(Out(), ENABLE_PROCESSED_OUTPUT);
    SetConsoleCursorPosition(Out(), C(9, 3));
    Print("abcd");
    EXPECT_EQ(RowText(3, 9, 3), "abd");
    SetConsoleMode(Out(), 0);
    SetConsoleCursorPosition(Out(), C(0, 2));
    Print("\n\t");
    EXPECT_EQ(CharAt(0, 2), '\n');
    EXPECT_EQ(CharAt(1, 2), '\t');
    SetLastError(0);
    EXPECT_FALSE(WriteConsoleA(In(), "x", 1, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(ConsoleCalls, EverySingleBytePageTheSystemConvertsIsAConsoleCodePage)
{
    for (UINT page : {437u, 850u, 866u, 1250u, 1251u, 1252u, 1253u, 852u}) {
        CPINFO info{};
        EXPECT_TRUE(GetCPInfo(page, &info)) << page;
        EXPECT_EQ(info.MaxCharSize, 1u) << page;
        EXPECT_TRUE(SetConsoleOutputCP(page)) << page;
        EXPECT_EQ(GetConsoleOutputCP(), page);
        EXPECT_TRUE(SetConsoleCP(page)) << page;
        EXPECT_EQ(GetConsoleCP(), page);
    }
    CPINFO utf8{}, none{};
    ASSERT_TRUE(GetCPInfo(CP_UTF8, &utf8));
    EXPECT_GT(utf8.MaxCharSize, 1u);
    EXPECT_FALSE(GetCPInfo(12345, &none));
    for (UINT page : {932u, 12345u, 0xFFFFu}) {  // a double-byte page, and none at all
        SetLastError(0);
        EXPECT_FALSE(SetConsoleOutputCP(page)) << page;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << page;
    }
    EXPECT_EQ(GetConsoleOutputCP(), 852u);
}

}  // namespace

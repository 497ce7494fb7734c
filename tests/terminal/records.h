// Readable forms of console input records for assertions, and the pattern
// the test program draws.
#pragma once

#include <string>
#include <vector>

#include "tuikit/win32.h"

namespace tuikit::test {

// "down 0x41 'a' 0x0000", "up 0x0D 0x0D 0x0100", "mouse 9,4 b=0x1 s=0x0 f=0x2", "size 100x30"
std::string Describe(const INPUT_RECORD &r);
std::vector<std::string> Describe(const std::vector<INPUT_RECORD> &records);

std::string Key(bool down, WORD vk, unsigned char ch = 0, DWORD state = 0);
std::string Mouse(int x, int y, DWORD buttons, DWORD state = 0, DWORD flags = 0);
// Down then up.
std::vector<std::string> Press(WORD vk, unsigned char ch = 0, DWORD state = 0);
// Alt down, the key down and up with Alt, Alt up.
std::vector<std::string> AltPress(WORD vk, unsigned char ch = 0, DWORD state = 0);
std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts);

// Cell i (row-major, 80 columns, 7 rows) of the test pattern: every byte
// value, and every attribute value twice.
constexpr int kPatternCells = 560;
inline void PatternCell(int i, char &ch, WORD &attr)
{
    ch = static_cast<char>(i & 0xFF);
    attr = static_cast<WORD>(i < 256 ? i : 255 - (i & 0xFF));
}

}  // namespace tuikit::test

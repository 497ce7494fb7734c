// The pattern the test program draws and the tests expect: cell i
// (row-major, 80 columns, 7 rows) holds byte i & 0xFF, so every byte value
// shows, in an attribute that takes every value twice.
#pragma once

#include "tuikit/win32.h"

namespace tuikit::test {

constexpr int kPatternCells = 560;

inline void PatternCell(int i, char &ch, WORD &attr)
{
    ch = static_cast<char>(i & 0xFF);
    attr = static_cast<WORD>(i < 256 ? i : 255 - (i & 0xFF));
}

}  // namespace tuikit::test

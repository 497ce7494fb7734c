// The pattern the test program draws and the tests expect: cell i
// (row-major, 80 columns, 7 rows) holds byte i & 0xFF, so every byte value
// shows, in an attribute that takes every value twice.
#pragma once

#include "tuikit/win32.h"

namespace tuikit::test {

struct Pattern {
    static constexpr int kCells = 560;
    char chars[kCells];
    WORD attrs[kCells];

    Pattern()
    {
        for (int i = 0; i < kCells; ++i) {
            chars[i] = static_cast<char>(i & 0xFF);
            attrs[i] = static_cast<WORD>(i < 256 ? i : 255 - (i & 0xFF));
        }
    }
};

}  // namespace tuikit::test

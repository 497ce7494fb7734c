// The screen the menu and dialog benches draw over: every row a letter in a
// colour of its own, so that what a popup or dialog covers differs from it.
#pragma once

#include <string>

#include "tuikit/tuikit.h"

namespace tuikit::bench {

inline void DrawBusyScreen(int width, int height)
{
    for (int y = 0; y < height; ++y) {
        std::string row(static_cast<size_t>(width), static_cast<char>('a' + y % 26));
        TuiWriteText(0, y, row.c_str(), 0x10 + y % 7);
    }
}

// The console up with the busy screen, once per process; true the first time.
inline bool StartBusyConsole(int width, int height)
{
    static bool started = false;
    if (started) return false;
    started = true;
    TuiInit();
    DrawBusyScreen(width, height);
    return true;
}

}  // namespace tuikit::bench

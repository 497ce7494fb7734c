// Library-wide console state set up by TuiInit and read by every subsystem.
#pragma once

#include "tuikit/win32.h"

namespace tuikit::core {

struct ConsoleState {
    HANDLE consoleOutput = nullptr;  // every drawing and screen-reading call goes here
    HANDLE consoleInput = nullptr;   // the console input buffer the pump reads
    DWORD mainThreadId = 0;          // every input, menu and scroll bar message is posted here
    HANDLE inputGate = nullptr;      // manual reset; signalled = the pump may read
    int initialised = 0;
};

extern ConsoleState console;

// Posts a thread message to the main thread (result ignored, as everywhere).
void PostToMain(UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tuikit::core

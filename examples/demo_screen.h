// The demo's screen and its application procedure, shared by the demo and
// the tool that takes pictures of it.
#pragma once

#include <tuikit/tuikit.h>

// The status line while the demo waits for the user.
extern const char *const kDemoHelp;
// Draws the whole screen at the console's size, status on the last row, and
// builds the menu bar.
void DemoDrawScreen(const char *status);
// Lists each message in the panel, carries out menu commands, Ctrl+Q (quit)
// and F2 (a message box), and redraws the screen when the console was resized.
LRESULT CALLBACK DemoAppProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam);

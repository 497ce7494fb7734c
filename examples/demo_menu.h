// The demo's menu bar, built from demo_menu.rc, and its commands.
#pragma once

#include <string>

#include <tuikit/tuikit.h>

// Builds the bar on the top row; false when the menu could not be loaded.
bool DemoMenuStart();
// Answers WM_INITMENUPOPUP (grays what cannot be chosen now) and
// WM_COMMAND from the bar; false for any other message. Exit posts the
// quit message.
bool DemoMenuMessage(UINT message, WPARAM wParam);
// Carries out one menu command; false when the id is not one of the bar's.
bool DemoMenuCommand(WPARAM id);
// Adds a line to the messages panel, wrapped to its width (demo_screen.cpp).
void DemoPanelLine(const std::string &line);

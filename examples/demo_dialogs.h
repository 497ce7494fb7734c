// The demo's dialogs from demo_dialogs.rc: Help > About and the dialog that
// opens each kind of message box.
#pragma once

#include <string>

// Shows the About dialog until OK, Enter or Escape closes it.
void DemoAbout();
// Runs the Message boxes dialog: its Show button opens the chosen box over
// it and shows the result in the dialog; once the dialog is closed each
// result goes to report as one line for the messages panel.
void DemoMessageBoxes(void (*report)(const std::string &line));

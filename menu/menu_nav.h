// Menu navigation: the active bar's message entry, turning Alt, arrows,
// Enter, Escape, mnemonic letters and the left mouse button into selection,
// opening and closing of popups, and WM_COMMAND messages.
#pragma once

#include "menu/menu_model.h"
#include "tuikit/win32.h"

namespace tuikit::menu {

// Offers a message to the bar: nonzero when the menu consumed it.
int HandleMessage(MenuBar &bar, const MSG &msg);

// The dispatch hook: the message offered to ActiveMenu.
int HandleMenuMessage(const MSG &msg);

}  // namespace tuikit::menu

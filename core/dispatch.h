// Message dispatch: the road from the application's loop to the menu bar,
// the scroll bars and the application's procedure.
#pragma once

#include "tuikit/win32.h"

namespace tuikit::core {

// A subsystem's message entry: nonzero when it consumed the message.
using MessageHook = int (*)(const MSG &msg);

// The active menu bar's entry (null: no menu bar yet).
void SetMenuHook(MessageHook hook);
// The scroll bars' entry (null: no scroll bar code linked in).
void SetScrollBarHook(MessageHook hook);

// Calls the application's procedure directly; false when none is set.
bool CallAppProc(UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tuikit::core

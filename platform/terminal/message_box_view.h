// The platform message box as drawn on a terminal: a framed box centred
// over the screen with the caption in its top edge, the text wrapped inside
// and the buttons of its type below. Enter, Space or a click choose the
// first button, Escape the cancelling one.
#pragma once

#include "platform/console/screen_buffer.h"
#include "tuikit/win32.h"

namespace tuikit::platform {

// Draws the box into screen (a copy of the console's, so the console's own
// cells stay as they are) and hides the cursor.
void DrawMessageBox(ScreenBuffer &screen, const char *text, const char *caption, UINT type);

// The result of a box of this type: its first button, or with cancel the
// button Escape stands for.
int MessageBoxAnswer(UINT type, bool cancel);

}  // namespace tuikit::platform

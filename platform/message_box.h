// The platform's own message box. In a terminal it is shown over the screen
// and waits; in memory mode it is recorded and answers IDOK at once.
#pragma once

#include <string>
#include <vector>

#include "tuikit/win32.h"

namespace tuikit::platform {

struct RecordedMessageBox {
    std::string caption;
    std::string text;
    UINT type;
};

// Every box shown in memory mode, oldest first.
std::vector<RecordedMessageBox> RecordedMessageBoxes();

}  // namespace tuikit::platform

// The calling thread's last-error value.
#pragma once

#include "tuikit/win32.h"

namespace tuikit::platform {

// Sets the last error and returns FALSE, for the common failure path.
BOOL Fail(DWORD error);

}  // namespace tuikit::platform

// Characters typed on the terminal as bytes of the console's input code
// page: every single-byte page converts exactly; any other page keeps
// ASCII and has nothing else.
#pragma once

#include <cstdint>

#include "tuikit/win32.h"

namespace tuikit::platform {

// The byte of codePage that stands for the code point cp, or -1 when the
// page has none (or is not known here).
int CodePageByte(char32_t cp, UINT codePage);

}  // namespace tuikit::platform

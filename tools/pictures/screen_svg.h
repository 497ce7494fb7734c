// Console cells as an SVG picture: every cell a box of the classic 16-colour
// console palette with its code page 437 character drawn as Unicode text.
#pragma once

#include <string>

#include "tuikit/win32.h"

namespace tuikit::pictures {

// cells holds width x height cells row by row, as ReadConsoleOutputA gives
// them: attribute bits 0-3 the foreground colour, bits 4-7 the background.
std::string ScreenToSvg(const CHAR_INFO *cells, int width, int height);

}  // namespace tuikit::pictures

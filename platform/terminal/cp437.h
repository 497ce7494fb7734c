// Code page 437: the glyph of every byte, as Unicode.
#pragma once

#include <cstdint>
#include <string>

namespace tuikit::platform {

// The Unicode code point shown for a code page 437 byte. Control bytes map to
// their graphic glyphs (0x01 is a smiling face), 0x00 to a space.
char32_t Cp437ToUnicode(uint8_t byte);
// The same glyph as UTF-8 (1 to 3 bytes).
const std::string &Cp437ToUtf8(uint8_t byte);
// A character of the Basic Multilingual Plane as UTF-8.
std::string CodePointToUtf8(char32_t cp);

}  // namespace tuikit::platform

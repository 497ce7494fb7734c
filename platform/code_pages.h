// Single-byte code pages as the system's iconv knows them: every page it can
// convert one byte at a time is a console code page here, its table read
// from iconv once, when first asked for.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tuikit/win32.h"

namespace tuikit::platform {

class CodePage {
public:
    // The page numbered number (866, 1251, ...), or null when iconv has no
    // single-byte page of that number. Pages live for the whole process.
    static const CodePage *Find(UINT number);

    // The character of a byte; 0 where the page has none.
    char32_t ToUnicode(uint8_t byte) const { return chars_[byte]; }
    // The byte that stands for a character, or -1 when the page has none.
    int FromUnicode(char32_t ch) const;
    // What a terminal shows for a byte, as UTF-8: control bytes and bytes
    // without a character show code page 437's glyphs, so no control byte
    // ever reaches the terminal.
    const std::string &Glyph(uint8_t byte) const { return glyphs_[byte]; }

private:
    std::array<char32_t, 256> chars_{};
    std::array<std::string, 256> glyphs_;
};

}  // namespace tuikit::platform

// The sequential cursor with which the menu and dialog loaders walk a
// template in memory: 16-bit little-endian units, peeks, fixed parts,
// zero-terminated strings and whole menu item entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tuikit::menu {

// One menu template entry (MENUITEMTEMPLATE) as stored.
struct MenuItemRecord {
    uint16_t flags = 0;  // mtOption, every bit as stored
    uint16_t id = 0;     // mtID; 0 for a popup entry, which stores none
    std::string text;    // mtString, one byte per unit
};

// Attached with a size, the reader never touches a byte outside the
// template: a unit or peek that reaches past the end reads the missing bytes
// as 0, and `remaining` stops at 0. Attached without a size it trusts the
// template's structure and does not count.
class TemplateReader {
public:
    int Attach(const void *data, uint32_t size);
    int Attach(const void *data);

    void ReadWord(uint16_t &out);
    // The next unit, as a signed value so the ordinal marker 0xFFFF is -1.
    int16_t PeekWord() const;
    // The next two units, the first in the low half.
    uint32_t PeekDword() const;
    // Copies the next 18 bytes (a dialog header's or item's fixed part).
    void ReadFixedPart(void *out);
    // Appends the low byte of every unit up to the zero unit; units whose
    // low byte is 0 add nothing. Moves past the terminator.
    void ReadString(std::string &out);
    void ReadMenuItem(MenuItemRecord &record);

    // A sized template was read past its end (the missing bytes came as 0).
    bool Overran() const { return sized_ && position > size_; }

    // Bytes read so far from the template's start; always whole units
    // (or 18-byte fixed parts).
    size_t position = 0;
    // Template bytes not yet read (sized attach only).
    uint32_t remaining = 0;

private:
    // Copies count bytes from offset at, zero past the end of a sized template.
    void Fetch(size_t at, uint8_t *out, size_t count) const;
    void Advance(size_t bytes, bool counted);

    const uint8_t *data_ = nullptr;
    size_t size_ = 0;
    bool sized_ = false;
};

}  // namespace tuikit::menu

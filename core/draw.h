// Internal drawing helpers shared by menus, scroll bars, dialogs and
// controls. All write straight into the console screen buffer.
#pragma once

#include <cstdint>

namespace tuikit::core {

// The single-line drawing characters, low byte = code page 437 character.
enum BoxCharIndex { kVertical, kHorizontal, kLowerRight, kLowerLeft, kUpperRight, kUpperLeft, kSpace };
extern const uint32_t BoxChars[7];

// Attribute used when a call asks for the current one.
extern uint16_t CurrentTextAttribute;

// Cell by cell from (x, y) rightwards: attribute first, then the character;
// with moveCursor the cursor follows behind each character. Returns 1 when
// not initialised, else 0.
int PutString(int32_t x, int32_t y, const char *text, int32_t attribute, int32_t moveCursor);
// Runs from (x, y), continuing on the next row; nothing when x or y < 0.
void WriteCharRun(int32_t x, int32_t y, const char *chars, int32_t count);
void WriteAttrRun(int32_t x, int32_t y, const uint16_t *attributes, int32_t count);
void FillAttrRun(int32_t x, int32_t y, int32_t attribute, int32_t count);
// A framed box whose whole rectangle is filled first (and blanked when clear
// is 1). 1 not initialised, 2 bad argument, else 0.
int DrawFilledBox(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t frameAttribute,
                  int32_t fillAttribute, int32_t clear);

}  // namespace tuikit::core

// Input records for driving the library the way a user does: keys pressed
// and released, Alt chords, mouse presses, drags and clicks.
#pragma once

#include <vector>

#include "support/console_driver.h"

namespace tuikit::test {

using Records = std::vector<INPUT_RECORD>;
inline Records operator+(Records a, const Records &b) { return a.insert(a.end(), b.begin(), b.end()), a; }
inline Records AltDown() { return {KeyRecord(true, VK_MENU, 0, LEFT_ALT_PRESSED)}; }
inline Records AltUp() { return {KeyRecord(false, VK_MENU)}; }
inline Records AltTap() { return AltDown() + AltUp(); }
// A key pressed and released, typing ch; or pressed and released with Alt held.
inline Records Press(WORD vk, char ch = 0) { return {KeyRecord(true, vk, ch), KeyRecord(false, vk, ch)}; }
inline Records WithAlt(WORD vk) { return {KeyRecord(true, vk, 0, LEFT_ALT_PRESSED), KeyRecord(false, vk, 0, LEFT_ALT_PRESSED)}; }
inline Records ButtonDown(int x, int y) { return {MouseRecord(x, y, FROM_LEFT_1ST_BUTTON_PRESSED)}; }
inline Records ButtonUp(int x, int y) { return {MouseRecord(x, y, 0)}; }
inline Records DragTo(int x, int y) { return {MouseRecord(x, y, FROM_LEFT_1ST_BUTTON_PRESSED, 0, MOUSE_MOVED)}; }
inline Records Click(int x, int y) { return ButtonDown(x, y) + ButtonUp(x, y); }

}  // namespace tuikit::test

// A screen filled with a known pattern, an application procedure that notes
// what it is called with, and input records for driving the bar the way a
// user does.
#pragma once

#include <string>
#include <vector>

#include "menu/menu_draw.h"
#include "menu/menu_model.h"
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

// Feeds the records through the pump into TuiDispatchMessage, then
// dispatches what the menu posted, as an application loop does.
void Drive(const Records &records);

struct Screen {
    std::string chars;
    std::vector<WORD> attrs;
    bool operator==(const Screen &) const = default;
};
Screen CaptureScreen();
extern Screen idleScreen;  // as the last LoadMenu left it
// Attributes of a run of cells as letters: w 0x70, W 0x7F, k 0x07, K 0x0F,
// g 0x78, and '.' for anything else (the pattern never uses those five).
std::string AttrLetters(int y, int x, int count);
char PatternChar(int x, int y);

// The application's calls, oldest first: "init", "cmd:102", "key:65",
// "down:40,15" (mouse messages give the cell). Key releases are left out:
// they come after whatever the key started. A WM_COMMAND that arrives while
// the menu is still active or not yet off the screen fails the test.
extern std::string appCalls;
LRESULT CALLBACK RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM lParam);

// Console started, the screen filled with the pattern, the cursor at
// (40, 12), 60% and visible, the recording procedure set.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override;
    void LoadMenu(const char *name);  // must succeed; notes the idle screen
    menu::MenuBar &Bar() { return *menu::ActiveMenu; }
    menu::MenuPopup &Popup(size_t i) { return Bar().popups.at(i); }
};

}  // namespace tuikit::test

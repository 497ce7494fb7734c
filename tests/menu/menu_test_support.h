// A screen with a known pattern, an application procedure that records what
// it is called with, and input helpers for driving the menu bar the way a
// user does.
#pragma once

#include <string>
#include <vector>

#include "menu/menu_draw.h"
#include "menu/menu_model.h"
#include "menu_ids.h"
#include "support/console_driver.h"

namespace tuikit::test {

// Every character and attribute of the screen buffer.
struct Screen {
    std::string chars;
    std::vector<WORD> attrs;
    bool operator==(const Screen &) const = default;
};
Screen CaptureScreen();
// How many cells differ between two screens.
int CellsChanged(const Screen &a, const Screen &b);

// The application procedure's calls, oldest first.
extern std::vector<Msg> appCalls;
std::vector<Msg> AppCallsOf(UINT message);

// Input records.
std::vector<INPUT_RECORD> AltDown();
std::vector<INPUT_RECORD> AltUp();
std::vector<INPUT_RECORD> AltTap();
// Press and release of a key; ch is the character it types (0 for none).
std::vector<INPUT_RECORD> Press(WORD vk, char ch = 0);
// A key pressed and released while Alt is held.
std::vector<INPUT_RECORD> WithAlt(WORD vk);
std::vector<INPUT_RECORD> ButtonDown(int x, int y);
std::vector<INPUT_RECORD> DragTo(int x, int y);
std::vector<INPUT_RECORD> ButtonUp(int x, int y);
std::vector<INPUT_RECORD> Click(int x, int y);
std::vector<INPUT_RECORD> HoverTo(int x, int y);
std::vector<INPUT_RECORD> operator+(std::vector<INPUT_RECORD> a, const std::vector<INPUT_RECORD> &b);

// Feeds the records through the pump into TuiDispatchMessage, then hands
// on whatever the menu posted (WM_COMMAND), as an application loop does.
// Returns the result of TuiDispatchMessage for each retrieved message.
std::vector<int> Drive(const std::vector<INPUT_RECORD> &records);

// Console started, the screen filled with a pattern of characters and
// attributes, the cursor at (40, 12) at 25% and visible, and a recording
// application procedure.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override;
    // TuiMenu with the name; fails the test when it does not return 1.
    void LoadMenu(const char *name);

    menu::MenuBar &Bar() { return *menu::ActiveMenu; }
    menu::MenuPopup &Popup(size_t i) { return Bar().popups.at(i); }
    std::string BarText() { return RowText(0, menu::MenuBarColumn, static_cast<int>(Bar().barText.size())); }
};

// The pattern cell the fixture wrote at (x, y).
char PatternChar(int x, int y);
WORD PatternAttr(int x, int y);

}  // namespace tuikit::test

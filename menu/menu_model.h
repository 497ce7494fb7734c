// The menu model: a bar of titles, each with one popup of command items,
// read from a menu template; and the process-wide menu state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tuikit/win32.h"

namespace tuikit::menu {

constexpr int32_t MenuBarRow = 0;     // the bar is always on the top row
constexpr int32_t MenuBarColumn = 2;  // and its text starts at this column

constexpr uint16_t kMenuGrayed = 0x0001;  // MF_GRAYED, the only flag that counts

enum MenuModeValue { MenuModeIdle = 0, MenuModeBar = 1, MenuModePopup = 2 };

// One template entry: a command item of a popup, or the entry naming a popup.
struct MenuItem {
    std::string text;     // after layout without its first & marker
    uint16_t flags = 0;   // the option word as read
    uint16_t id = 0;      // command id sent with WM_COMMAND
    int32_t mnemonic = -1;  // index of the mnemonic letter in text, or -1

    bool Grayed() const { return (flags & kMenuGrayed) != 0; }
    // True when the item has a mnemonic letter equal to c, both upper-cased.
    bool MatchesMnemonic(int32_t c) const;
};

// One title of the bar with its drop-down list.
struct MenuPopup {
    int32_t x = 0;             // column of the space in front of the title
    uint32_t titleLength = 0;  // characters of the title text
    uint32_t widestItem = 0;   // longest item text; 0 without items
    uint32_t itemCount = 0;
    MenuItem title;                   // text and mnemonic as shown on the bar
    std::vector<MenuItem> items;      // in template order; the first is firstItem
    MenuItem *currentItem = nullptr;  // the highlighted item

    MenuItem *FirstItem() { return items.empty() ? nullptr : &items.front(); }
    // 0-based position of an item of this popup.
    int32_t IndexOf(const MenuItem *item) const { return static_cast<int32_t>(item - items.data()); }
};

struct MenuBar {
    std::vector<MenuPopup> popups;       // bar order, left to right; the first is firstPopup
    MenuPopup *currentPopup = nullptr;   // selected title, the open popup in mode 2
    std::string barText;                 // the whole bar as drawn
    std::vector<uint16_t> barAttrs;      // 0x70 per character
    std::vector<uint16_t> barMnemonicAttrs;  // 0x70, 0x7F on title mnemonics
    // The console cursor as it was when the menu last left the idle state.
    int16_t savedCursorX = 0;
    int16_t savedCursorY = 0;
    uint32_t savedCursorSize = 25;
    int32_t savedCursorVisible = 1;

    MenuPopup *FirstPopup() { return popups.empty() ? nullptr : &popups.front(); }
    // Neighbours in bar order, wrapping around.
    MenuPopup *NextPopup(MenuPopup *p);
    MenuPopup *PreviousPopup(MenuPopup *p);

    // Reads a menu template (version 0) of size bytes, builds the popups,
    // lays the bar out and draws it. False when the template is refused.
    bool Load(const void *data, uint32_t size);
    void BuildPopups(std::vector<MenuItem> &entries);
    void Layout();
};

// Removes the first & of the text and notes the letter behind it.
void ExtractMnemonic(MenuItem &item);

// ---- Process-wide menu state (main thread only) ----------------------------

extern MenuBar *ActiveMenu;  // the bar that receives messages, or none
extern int MenuMode;         // MenuModeValue
extern int MenuMouseCapture; // a left press taken by the menu, until release
extern int AltChord;         // a key was pressed with Alt since Alt went down

// Builds a bar from the menu resource name and makes it active (TuiMenu).
int BuildActiveMenu(const char *name);

}  // namespace tuikit::menu

// Menu drawing: the bar in the look of the current mode, popups with their
// frame and shadow, the item highlight, the screen saved under an open
// popup, and the console cursor hidden while the menu holds the keyboard.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "menu/menu_model.h"

namespace tuikit::menu {

// Colours (console attributes).
constexpr uint16_t kBarAttr = 0x70;              // bar text, popup frame, enabled items
constexpr uint16_t kMnemonicAttr = 0x7F;         // mnemonic letters on light gray
constexpr uint16_t kSelectedAttr = 0x07;         // selected title block, highlighted item
constexpr uint16_t kSelectedMnemonicAttr = 0x0F; // mnemonic on the selection
constexpr uint16_t kGrayedAttr = 0x78;           // text of a grayed item
constexpr uint16_t kShadowAttr = 0x07;

void DrawBarPlain(const MenuBar &bar);
void DrawBarMnemonics(const MenuBar &bar);
// Redraws the bar for the current MenuMode.
void DrawBar(const MenuBar &bar);
// Switches MenuMode; leaving idle saves and hides the cursor, returning to
// idle puts it back. Does not redraw.
void SetMenuMode(MenuBar &bar, int mode);

// Box, items and shadow; no item highlighted afterwards. Nothing for a
// popup without items.
void DrawPopup(MenuPopup &popup);
// Moves the highlight to item (null: only removes the old highlight).
void SelectItem(MenuPopup &popup, MenuItem *item);
// Redraws one item row in its plain colours.
void UnselectItem(MenuPopup &popup, MenuItem *item);
// Keeps the cells DrawPopup will change; nothing when an area is already
// kept or the popup has no items.
void SaveUnder(const MenuPopup &popup);
// Puts the kept cells back and releases them.
void RestoreUnder(const MenuPopup &popup);

// The screen under the open popup: the box's characters and attributes row
// by row, then the bottom shadow's attributes, then the right shadow's two
// attributes per row. Both arrays exist together or not at all. Rows and
// runs that lie off the screen buffer are not kept.
struct PopupSaveArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t boxWidth = 0;     // W, where the right shadow starts
    int32_t boxHeight = 0;    // H
    uint32_t rowLength = 0;   // cells kept per box row
    uint32_t rows = 0;        // box rows kept
    uint32_t shadowLength = 0;  // cells kept of the bottom shadow
};
extern std::unique_ptr<char[]> PopupSaveChars;
extern std::unique_ptr<uint16_t[]> PopupSaveAttrs;
extern PopupSaveArea PopupSaveGeometry;
size_t PopupSaveCharCount();
size_t PopupSaveAttrCount();

}  // namespace tuikit::menu

#include "menu/menu_draw.h"

#include <algorithm>
#include <vector>

#include "core/console_state.h"
#include "core/draw.h"
#include "tuikit/tuikit.h"

namespace tuikit::menu {

using core::FillAttrRun;
using core::WriteAttrRun;
using core::WriteCharRun;

std::unique_ptr<char[]> PopupSaveChars;
std::unique_ptr<uint16_t[]> PopupSaveAttrs;
PopupSaveArea PopupSaveGeometry;

namespace {

// Geometry is computed wide and saturated, so that a popup made from a
// hostile template (thousands of items, very long texts) only draws off
// the screen instead of wrapping its arithmetic.
int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

struct PopupBox {
    int32_t left, top, right, bottom;
    int32_t width, height;  // W and H
};

PopupBox BoxOf(const MenuPopup &p)
{
    PopupBox b;
    b.left = Clamp32(int64_t{p.x} - 1);
    b.top = MenuBarRow + 1;
    b.width = Clamp32(int64_t{p.widestItem} + 7);
    b.height = Clamp32(int64_t{p.itemCount} + 2);
    b.right = Clamp32(int64_t{b.left} + b.width - 1);
    b.bottom = Clamp32(int64_t{b.top} + b.height - 1);
    return b;
}

int32_t ItemRow(const MenuPopup &p, const MenuItem *item) { return Clamp32(int64_t{MenuBarRow} + 2 + p.IndexOf(item)); }

// Cells of the item row that the highlight covers: x to x+w+4.
int32_t HighlightLength(const MenuPopup &p) { return Clamp32(int64_t{p.widestItem} + 5); }

int32_t MnemonicColumn(const MenuPopup &p, const MenuItem &item) { return Clamp32(int64_t{p.x} + 1 + item.mnemonic); }

bool OnBuffer(int64_t x, int64_t y) { return x >= 0 && y >= 0 && x <= 0x7FFF && y <= 0x7FFF; }
COORD At(int64_t x, int64_t y) { return COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}; }

void ReadChars(int64_t x, int64_t y, char *out, uint32_t count)
{
    DWORD n = 0;
    if (count && OnBuffer(x, y)) ReadConsoleOutputCharacterA(core::console.consoleOutput, out, count, At(x, y), &n);
}

void ReadAttrs(int64_t x, int64_t y, uint16_t *out, uint32_t count)
{
    DWORD n = 0;
    if (count && OnBuffer(x, y)) ReadConsoleOutputAttribute(core::console.consoleOutput, out, count, At(x, y), &n);
}

int32_t Count32(uint64_t n) { return static_cast<int32_t>(std::min<uint64_t>(n, INT32_MAX)); }

void DrawBarWith(const MenuBar &bar, const std::vector<uint16_t> &attrs)
{
    int32_t n = Count32(bar.barText.size());
    WriteCharRun(MenuBarColumn, MenuBarRow, bar.barText.data(), n);
    WriteAttrRun(MenuBarColumn, MenuBarRow, attrs.data(), n);
}

}  // namespace

namespace {

size_t CharCount(const PopupSaveArea &g) { return size_t{g.rowLength} * g.rows; }
size_t AttrCount(const PopupSaveArea &g) { return size_t{g.rowLength} * g.rows + g.shadowLength + size_t{2} * g.rows; }

}  // namespace

size_t PopupSaveCharCount() { return PopupSaveChars ? CharCount(PopupSaveGeometry) : 0; }

size_t PopupSaveAttrCount() { return PopupSaveAttrs ? AttrCount(PopupSaveGeometry) : 0; }

void DrawBarPlain(const MenuBar &bar) { DrawBarWith(bar, bar.barAttrs); }

void DrawBarMnemonics(const MenuBar &bar) { DrawBarWith(bar, bar.barMnemonicAttrs); }

void DrawBar(const MenuBar &bar)
{
    const MenuPopup *p = bar.currentPopup;
    switch (MenuMode) {
    case MenuModeBar:
        DrawBarMnemonics(bar);
        if (p) {
            FillAttrRun(p->x, MenuBarRow, kSelectedAttr, Clamp32(int64_t{p->titleLength} + 2));
            if (p->title.mnemonic >= 0)
                FillAttrRun(Clamp32(int64_t{p->x} + 1 + p->title.mnemonic), MenuBarRow, kSelectedMnemonicAttr, 1);
        }
        break;
    case MenuModePopup:
        DrawBarPlain(bar);
        if (p) FillAttrRun(p->x, MenuBarRow, kSelectedAttr, Clamp32(int64_t{p->titleLength} + 2));
        break;
    default:
        DrawBarPlain(bar);
        break;
    }
}

void SetMenuMode(MenuBar &bar, int mode)
{
    if (mode == MenuMode) return;
    if (MenuMode == MenuModeIdle) {
        CONSOLE_SCREEN_BUFFER_INFO info;
        if (GetConsoleScreenBufferInfo(core::console.consoleOutput, &info)) {
            bar.savedCursorX = info.dwCursorPosition.X;
            bar.savedCursorY = info.dwCursorPosition.Y;
        }
        CONSOLE_CURSOR_INFO cursor;
        if (GetConsoleCursorInfo(core::console.consoleOutput, &cursor)) {
            bar.savedCursorSize = cursor.dwSize;
            bar.savedCursorVisible = cursor.bVisible ? 1 : 0;
        }
        TuiSetCursorInfo(static_cast<int32_t>(bar.savedCursorSize), 0);
    }
    if (mode == MenuModeIdle) {
        TuiSetCursorPos(bar.savedCursorX, bar.savedCursorY);
        TuiSetCursorInfo(static_cast<int32_t>(bar.savedCursorSize), bar.savedCursorVisible);
    }
    MenuMode = mode;
}

void DrawPopup(MenuPopup &popup)
{
    if (popup.itemCount == 0) return;
    popup.currentItem = nullptr;
    PopupBox b = BoxOf(popup);
    core::DrawFilledBox(b.left, b.top, b.right, b.bottom, kBarAttr, kBarAttr, 1);
    std::vector<uint16_t> attrs;
    for (const MenuItem &item : popup.items) {
        int32_t row = ItemRow(popup, &item);
        if (row > 0x7FFF) break;  // the rest lies below any screen buffer
        attrs.assign(item.text.size(), item.Grayed() ? kGrayedAttr : kBarAttr);
        if (item.mnemonic >= 0 && !item.Grayed()) attrs[static_cast<size_t>(item.mnemonic)] = kMnemonicAttr;
        int32_t n = Count32(item.text.size());
        WriteCharRun(Clamp32(int64_t{popup.x} + 1), row, item.text.data(), n);
        WriteAttrRun(Clamp32(int64_t{popup.x} + 1), row, attrs.data(), n);
    }
    FillAttrRun(Clamp32(int64_t{b.left} + 1), Clamp32(int64_t{b.bottom} + 1), kShadowAttr, Clamp32(int64_t{b.width} + 1));
    TuiDrawPanel(Clamp32(int64_t{b.right} + 1), b.top, Clamp32(int64_t{b.right} + 2), b.bottom, kShadowAttr);
}

void SelectItem(MenuPopup &popup, MenuItem *item)
{
    if (popup.currentItem) UnselectItem(popup, popup.currentItem);
    popup.currentItem = item;
    if (!item) return;
    int32_t row = ItemRow(popup, item);
    FillAttrRun(popup.x, row, kSelectedAttr, HighlightLength(popup));
    if (item->mnemonic >= 0 && !item->Grayed()) FillAttrRun(MnemonicColumn(popup, *item), row, kSelectedMnemonicAttr, 1);
}

void UnselectItem(MenuPopup &popup, MenuItem *item)
{
    if (!item) return;
    int32_t row = ItemRow(popup, item);
    FillAttrRun(popup.x, row, item->Grayed() ? kGrayedAttr : kBarAttr, HighlightLength(popup));
    if (item->mnemonic >= 0 && !item->Grayed()) FillAttrRun(MnemonicColumn(popup, *item), row, kMnemonicAttr, 1);
}

void SaveUnder(const MenuPopup &popup)
{
    if (popup.itemCount == 0 || PopupSaveChars || PopupSaveAttrs) return;
    PopupBox b = BoxOf(popup);
    // Nothing is read beyond the screen buffer, so the arrays never exceed
    // what the buffer holds, however large the popup.
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(core::console.consoleOutput, &info);
    uint64_t bufferCells = uint64_t(std::max<SHORT>(info.dwSize.X, 0)) * uint64_t(std::max<SHORT>(info.dwSize.Y, 0));
    PopupSaveArea g;
    g.left = b.left;
    g.top = b.top;
    g.boxWidth = b.width;
    g.boxHeight = b.height;
    g.rowLength = static_cast<uint32_t>(std::min<uint64_t>(uint64_t(b.width), bufferCells));
    g.rows = static_cast<uint32_t>(std::clamp<int64_t>(int64_t{info.dwSize.Y} - b.top, 0, b.height));
    g.shadowLength = static_cast<uint32_t>(std::min<uint64_t>(uint64_t(b.width) + 1, bufferCells));
    PopupSaveGeometry = g;
    PopupSaveChars = std::make_unique<char[]>(CharCount(g));
    PopupSaveAttrs = std::make_unique<uint16_t[]>(AttrCount(g));

    char *chars = PopupSaveChars.get();
    uint16_t *attrs = PopupSaveAttrs.get();
    for (uint32_t r = 0; r < g.rows; ++r) {
        ReadChars(g.left, int64_t{g.top} + r, chars, g.rowLength);
        ReadAttrs(g.left, int64_t{g.top} + r, attrs, g.rowLength);
        chars += g.rowLength;
        attrs += g.rowLength;
    }
    ReadAttrs(int64_t{g.left} + 1, int64_t{g.top} + g.boxHeight, attrs, g.shadowLength);
    attrs += g.shadowLength;
    for (uint32_t r = 0; r < g.rows; ++r, attrs += 2) ReadAttrs(int64_t{g.left} + g.boxWidth, int64_t{g.top} + r, attrs, 2);
}

// Restores with the geometry recorded when the area was kept, which is the
// popup's own; so a caller passing another popup cannot make it read past
// the saved arrays.
void RestoreUnder(const MenuPopup &popup)
{
    if (popup.itemCount == 0 || !PopupSaveChars || !PopupSaveAttrs) return;
    const PopupSaveArea &g = PopupSaveGeometry;
    const char *chars = PopupSaveChars.get();
    const uint16_t *attrs = PopupSaveAttrs.get();
    const uint16_t *boxAttrs = attrs;
    const uint16_t *bottomShadow = attrs + size_t{g.rowLength} * g.rows;
    const uint16_t *rightShadow = bottomShadow + g.shadowLength;
    auto rowLength = Count32(g.rowLength);

    for (uint32_t r = 0; r < g.rows; ++r)
        WriteAttrRun(Clamp32(int64_t{g.left} + g.boxWidth), Clamp32(int64_t{g.top} + r), rightShadow + 2 * r, 2);
    WriteAttrRun(Clamp32(int64_t{g.left} + 1), Clamp32(int64_t{g.top} + g.boxHeight), bottomShadow, Count32(g.shadowLength));
    std::vector<char> text(size_t{g.rowLength} + 1, '\0');
    for (uint32_t r = 0; r < g.rows; ++r) {
        int32_t row = Clamp32(int64_t{g.top} + r);
        std::copy(chars, chars + g.rowLength, text.begin());
        // A zero byte among the saved characters ends what is written of
        // the row; the attributes are put back in full.
        TuiWriteText(g.left, row, text.data(), 0);
        WriteAttrRun(g.left, row, boxAttrs, rowLength);
        chars += g.rowLength;
        boxAttrs += g.rowLength;
    }
    PopupSaveChars.reset();
    PopupSaveAttrs.reset();
    PopupSaveGeometry = PopupSaveArea{};
}

}  // namespace tuikit::menu

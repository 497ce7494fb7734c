#include "menu/menu_nav.h"

#include <new>

#include "core/console_state.h"
#include "core/dispatch.h"
#include "menu/menu_draw.h"

namespace tuikit::menu {

namespace {

enum class Result { NotHandled, Consumed };

constexpr int32_t kEnter = 0x0D;
constexpr int32_t kEscape = 0x1B;

// Just before a popup is drawn the application may gray or enable items.
void OpenPopup(MenuPopup &p)
{
    SaveUnder(p);
    core::CallAppProc(WM_INITMENUPOPUP, 0, 0);
    DrawPopup(p);
}

void ClosePopup(MenuPopup &p) { RestoreUnder(p); }

void PostCommand(const MenuItem &item) { core::PostToMain(WM_COMMAND, item.id, 0); }

// The title whose block (space, text, space) holds the column.
MenuPopup *TitleAt(MenuBar &bar, uint32_t column)
{
    for (MenuPopup &p : bar.popups)
        if (p.x >= 0 && column >= uint32_t(p.x) && int64_t{column} <= int64_t{p.x} + p.titleLength + 1) return &p;
    return nullptr;
}

// The item under the cell; the frame counts as outside.
MenuItem *ItemAt(MenuPopup &p, uint32_t column, uint32_t row)
{
    if (int64_t{column} < p.x || int64_t{column} > int64_t{p.x} + p.widestItem + 4) return nullptr;
    if (int64_t{row} < MenuBarRow + 2 || int64_t{row} > int64_t{MenuBarRow} + p.itemCount + 1) return nullptr;
    return &p.items[row - MenuBarRow - 2];
}

MenuItem *ItemAfter(MenuPopup &p, MenuItem *item)
{
    return item == &p.items.back() ? p.FirstItem() : item + 1;
}

MenuItem *ItemBefore(MenuPopup &p, MenuItem *item)
{
    return (!item || item == p.FirstItem()) ? &p.items.back() : item - 1;
}

// Leaves the menu after a command or Escape.
void ReturnToIdle(MenuBar &bar)
{
    SetMenuMode(bar, MenuModeIdle);
    DrawBar(bar);
}

// Opens the popup from the bar with its first item highlighted.
void OpenFromBar(MenuBar &bar, MenuPopup &p)
{
    OpenPopup(p);
    bar.currentPopup = &p;
    SelectItem(p, p.FirstItem());
    SetMenuMode(bar, MenuModePopup);
    DrawBar(bar);
}

void OnAltDown(MenuBar &bar)
{
    if (MenuMode == MenuModeIdle) {
        bar.currentPopup = nullptr;
        SetMenuMode(bar, MenuModeBar);
        DrawBar(bar);
    }
    AltChord = 0;
}

// Alt pressed and released alone toggles the bar; after Alt+key the release
// changes nothing but an active bar without a popup goes back to idle.
void OnAltUp(MenuBar &bar)
{
    if (MenuMode == MenuModeBar) {
        if (!AltChord && !bar.currentPopup) {
            bar.currentPopup = bar.FirstPopup();
            DrawBar(bar);
        } else {
            ReturnToIdle(bar);
        }
    } else if (MenuMode == MenuModePopup && !AltChord) {
        if (bar.currentPopup) ClosePopup(*bar.currentPopup);
        SetMenuMode(bar, MenuModeBar);
        DrawBar(bar);
    }
}

void OnEnter(MenuBar &bar)
{
    MenuPopup *p = bar.currentPopup;
    if (!p) return;
    if (MenuMode == MenuModeBar) {
        OpenFromBar(bar, *p);
    } else if (MenuMode == MenuModePopup) {
        MenuItem *item = p->currentItem;
        if (!item || item->Grayed()) return;
        ClosePopup(*p);
        PostCommand(*item);
        ReturnToIdle(bar);
    }
}

void OnEscape(MenuBar &bar)
{
    if (MenuMode == MenuModePopup && bar.currentPopup) ClosePopup(*bar.currentPopup);
    ReturnToIdle(bar);
}

Result OnChar(MenuBar &bar, int32_t c)
{
    if (MenuMode == MenuModeIdle) return Result::NotHandled;
    if (c == kEnter) {
        OnEnter(bar);
    } else if (c == kEscape) {
        OnEscape(bar);
    } else if (MenuMode == MenuModeBar) {
        for (MenuPopup &p : bar.popups) {
            if (!p.title.MatchesMnemonic(c)) continue;
            OpenFromBar(bar, p);
            break;
        }
    } else if (MenuPopup *p = bar.currentPopup) {
        for (MenuItem &item : p->items) {
            if (!item.MatchesMnemonic(c)) continue;
            if (!item.Grayed()) {
                ClosePopup(*p);
                PostCommand(item);
                ReturnToIdle(bar);
            }
            break;
        }
    }
    return Result::Consumed;
}

void OnArrow(MenuBar &bar, WPARAM key)
{
    MenuPopup *p = bar.currentPopup;
    if (!p) return;
    switch (key) {
    case VK_DOWN:
        if (MenuMode == MenuModeBar) {
            OpenPopup(*p);
            SetMenuMode(bar, MenuModePopup);
            DrawBar(bar);
            SelectItem(*p, p->FirstItem());
        } else if (MenuMode == MenuModePopup && p->currentItem) {
            SelectItem(*p, ItemAfter(*p, p->currentItem));
        }
        break;
    case VK_UP:
        if (MenuMode == MenuModePopup && !p->items.empty()) SelectItem(*p, ItemBefore(*p, p->currentItem));
        break;
    case VK_RIGHT:
    case VK_LEFT: {
        MenuPopup *target = key == VK_RIGHT ? bar.NextPopup(p) : bar.PreviousPopup(p);
        if (MenuMode == MenuModePopup) {
            ClosePopup(*p);
            OpenPopup(*target);
            SelectItem(*target, target->FirstItem());
        }
        bar.currentPopup = target;
        DrawBar(bar);
        break;
    }
    default:
        break;
    }
}

Result OnKeyDown(MenuBar &bar, WPARAM key)
{
    if (key == VK_MENU) {
        OnAltDown(bar);
        return Result::Consumed;
    }
    if (key == VK_F10 && MenuMode == MenuModeIdle) {
        // F10 is a tap of Alt: where a terminal cannot report Alt alone it is
        // the key that reaches the bar.
        OnAltDown(bar);
        OnAltUp(bar);
        return Result::Consumed;
    }
    if (MenuMode == MenuModeIdle) return Result::NotHandled;
    if (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) OnArrow(bar, key);
    return Result::Consumed;
}

Result OnKeyUp(MenuBar &bar, WPARAM key)
{
    if (key != VK_MENU) return Result::NotHandled;
    OnAltUp(bar);
    return Result::Consumed;
}

Result OnSysKeyDown(MenuBar &bar, WPARAM key)
{
    AltChord = 1;
    OnChar(bar, static_cast<int32_t>(key));
    return Result::Consumed;
}

// A press the menu does not take also ends a capture whose release was
// never seen, so that a later drag cannot open a popup over an idle menu.
Result OnLButtonDown(MenuBar &bar, uint32_t column, uint32_t row)
{
    if (row == MenuBarRow) {
        MenuPopup *p = TitleAt(bar, column);
        if (MenuMode == MenuModePopup && bar.currentPopup) ClosePopup(*bar.currentPopup);
        SetMenuMode(bar, MenuModePopup);
        if (p) OpenPopup(*p);
        bar.currentPopup = p;
        DrawBar(bar);
        MenuMouseCapture = 1;
        return Result::Consumed;
    }
    if (MenuMode == MenuModeBar) {
        ReturnToIdle(bar);
        MenuMouseCapture = 0;
        return Result::NotHandled;
    }
    if (MenuMode == MenuModePopup && bar.currentPopup) {
        MenuPopup &p = *bar.currentPopup;
        if (MenuItem *item = ItemAt(p, column, row)) {
            SelectItem(p, item);
            MenuMouseCapture = 1;
            return Result::Consumed;
        }
        SetMenuMode(bar, MenuModeIdle);
        ClosePopup(p);
        DrawBar(bar);
    }
    MenuMouseCapture = 0;
    return Result::NotHandled;
}

Result OnLButtonUp(MenuBar &bar, uint32_t row)
{
    if (!MenuMouseCapture) return Result::NotHandled;
    MenuMouseCapture = 0;
    if (MenuMode != MenuModePopup) return Result::NotHandled;
    MenuPopup *p = bar.currentPopup;
    if (row == MenuBarRow) {
        if (p)
            SelectItem(*p, p->FirstItem());
        else
            SetMenuMode(bar, MenuModeIdle);
        return Result::Consumed;
    }
    if (p && p->currentItem) {
        if (p->currentItem->Grayed()) return Result::Consumed;
        PostCommand(*p->currentItem);
    }
    if (p) ClosePopup(*p);
    ReturnToIdle(bar);
    return Result::Consumed;
}

// Moving with the button held drags the selection along the bar or the
// highlight over the items; without it nothing happens.
Result OnMouseMove(MenuBar &bar, uint32_t column, uint32_t row)
{
    if (!MenuMouseCapture) return Result::NotHandled;
    if (row == MenuBarRow) {
        MenuPopup *p = TitleAt(bar, column);
        if (p == bar.currentPopup) return Result::Consumed;
        if (bar.currentPopup) ClosePopup(*bar.currentPopup);
        bar.currentPopup = p;
        if (p) OpenPopup(*p);
        DrawBar(bar);
        return Result::Consumed;
    }
    if (MenuPopup *p = bar.currentPopup) SelectItem(*p, ItemAt(*p, column, row));
    return Result::Consumed;
}

}  // namespace

int HandleMessage(MenuBar &bar, const MSG &msg)
{
    const WPARAM w = msg.wParam;
    const uint32_t column = LOWORD(msg.lParam);
    const uint32_t row = HIWORD(msg.lParam);
    const bool captured = MenuMouseCapture != 0;
    Result result = Result::NotHandled;
    switch (msg.message) {
    case WM_KEYDOWN: result = captured ? Result::Consumed : OnKeyDown(bar, w); break;
    case WM_KEYUP: result = captured ? Result::Consumed : OnKeyUp(bar, w); break;
    case WM_CHAR: result = captured ? Result::Consumed : OnChar(bar, static_cast<int32_t>(w)); break;
    case WM_SYSKEYDOWN: result = captured ? Result::Consumed : OnSysKeyDown(bar, w); break;
    case WM_SYSKEYUP: result = captured ? Result::Consumed : Result::NotHandled; break;
    case WM_MOUSEMOVE: result = OnMouseMove(bar, column, row); break;
    case WM_LBUTTONDOWN: result = OnLButtonDown(bar, column, row); break;
    case WM_LBUTTONUP: result = OnLButtonUp(bar, row); break;
    default: break;
    }
    // While the menu is active it keeps every message to itself.
    if (result == Result::Consumed) return 1;
    return MenuMode != MenuModeIdle ? 1 : 0;
}

int HandleMenuMessage(const MSG &msg)
{
    if (!ActiveMenu) return 0;
    try {
        return HandleMessage(*ActiveMenu, msg);
    } catch (const std::bad_alloc &) {
        return MenuMode != MenuModeIdle ? 1 : 0;
    }
}

}  // namespace tuikit::menu

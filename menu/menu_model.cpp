// Loading a menu bar from a menu template, its layout, and the exported
// TuiMenu and TuiEnableMenuItem.
#include "menu/menu_model.h"

#include <algorithm>
#include <optional>

#include "core/boundary.h"
#include "core/dispatch.h"
#include "menu/menu_draw.h"
#include "menu/menu_nav.h"
#include "menu/template_reader.h"
#include "tuikit/tuikit.h"

namespace tuikit::menu {

MenuBar *ActiveMenu = nullptr;
int MenuMode = MenuModeIdle;
int MenuMouseCapture = 0;
int AltChord = 0;

namespace {

constexpr uint16_t kNoCommand = 0xFFFF;  // an id that marks a title entry too

// Every bar that was ever made active. A bar replaced by a later TuiMenu is
// kept: the application may call TuiMenu while the old bar is in the middle
// of handling a message (from WM_INITMENUPOPUP, say).
std::vector<std::unique_ptr<MenuBar>> &Bars()
{
    static auto *bars = new std::vector<std::unique_ptr<MenuBar>>;
    return *bars;
}

int32_t UpperCase(int32_t c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

bool IsTitleEntry(const MenuItem &entry) { return entry.id == 0 || entry.id == kNoCommand; }

MenuPopup PopupTitled(const MenuItem &title)
{
    MenuPopup p;
    p.title = title;
    return p;
}

}  // namespace

bool MenuItem::MatchesMnemonic(int32_t c) const
{
    if (mnemonic < 0 || static_cast<size_t>(mnemonic) >= text.size()) return false;
    auto letter = static_cast<int32_t>(static_cast<signed char>(text[static_cast<size_t>(mnemonic)]));
    return UpperCase(letter) == UpperCase(c);
}

void ExtractMnemonic(MenuItem &item)
{
    size_t at = item.text.find('&');
    if (at == std::string::npos || at + 1 >= item.text.size() || at > INT32_MAX) {
        item.mnemonic = -1;
        return;
    }
    item.text.erase(at, 1);
    item.mnemonic = static_cast<int32_t>(at);
}

MenuPopup *MenuBar::NextPopup(MenuPopup *p)
{
    if (popups.empty() || !p) return nullptr;
    return p == &popups.back() ? &popups.front() : p + 1;
}

MenuPopup *MenuBar::PreviousPopup(MenuPopup *p)
{
    if (popups.empty() || !p) return nullptr;
    return p == &popups.front() ? &popups.back() : p - 1;
}

bool MenuBar::Load(const void *data, uint32_t size)
{
    TemplateReader reader;
    reader.Attach(data, size);
    uint16_t version = 0, offset = 0;
    reader.ReadWord(version);
    if (version != 0) return false;  // MENUEX templates (version 1) included
    reader.ReadWord(offset);
    if (offset != 0) return false;

    // The template is read as one flat sequence; the first empty text, or
    // entry with flags and id both 0 (a separator), ends it.
    std::vector<MenuItem> entries;
    MenuItemRecord record;
    for (;;) {
        if (reader.PeekDword() == 0) break;
        reader.ReadMenuItem(record);
        if (record.text.empty()) break;
        if (record.flags == 0 && record.id == 0) break;
        entries.push_back(MenuItem{std::move(record.text), record.flags, record.id, -1});
    }
    BuildPopups(entries);
    if (popups.empty()) {
        MessageBoxA(nullptr, "can not load the menu ,Please check you Menu construction", "Warning", MB_OK);
        return false;
    }
    Layout();
    DrawBarPlain(*this);
    return true;
}

// Each title takes the command items that follow it up to the next title.
// Titles before the first title with items are dropped, later titles
// without items become empty popups, and command items before any title
// have no popup to go to and are dropped.
void MenuBar::BuildPopups(std::vector<MenuItem> &entries)
{
    std::optional<MenuItem> pendingTitle;
    bool previousWasTitle = false;
    for (MenuItem &entry : entries) {
        if (IsTitleEntry(entry)) {
            if (!popups.empty() && previousWasTitle) popups.push_back(PopupTitled(*pendingTitle));
            pendingTitle = std::move(entry);
            previousWasTitle = true;
            continue;
        }
        if (previousWasTitle) {
            popups.push_back(PopupTitled(*pendingTitle));
            popups.back().items.push_back(std::move(entry));
        } else if (!popups.empty()) {
            popups.back().items.push_back(std::move(entry));
        }
        previousWasTitle = false;
    }
    if (previousWasTitle && !popups.empty()) popups.push_back(PopupTitled(*pendingTitle));
}

// Titles stand side by side from MenuBarColumn, each as a space, the title
// text and a space; the text of a title starts at its popup's x + 1.
void MenuBar::Layout()
{
    int64_t column = MenuBarColumn;
    std::vector<int64_t> mnemonicColumns;
    barText.clear();
    for (MenuPopup &p : popups) {
        ExtractMnemonic(p.title);
        p.x = static_cast<int32_t>(std::min<int64_t>(column, INT32_MAX));
        p.titleLength = static_cast<uint32_t>(std::min<size_t>(p.title.text.size(), UINT32_MAX));
        if (p.title.mnemonic >= 0) mnemonicColumns.push_back(column + 1 + p.title.mnemonic);
        barText += ' ';
        barText += p.title.text;
        barText += ' ';
        column += int64_t{p.titleLength} + 2;
        p.itemCount = 0;
        p.widestItem = 0;
        for (MenuItem &item : p.items) {
            ExtractMnemonic(item);
            ++p.itemCount;
            p.widestItem = std::max(p.widestItem, static_cast<uint32_t>(std::min<size_t>(item.text.size(), UINT32_MAX)));
        }
    }
    barAttrs.assign(barText.size(), kBarAttr);
    barMnemonicAttrs = barAttrs;
    for (int64_t c : mnemonicColumns) barMnemonicAttrs[static_cast<size_t>(c - MenuBarColumn)] = kMnemonicAttr;
}

int BuildActiveMenu(const char *name)
{
    HRSRC found = FindResourceA(nullptr, name, RT_MENU);
    if (!found) {
        MessageBoxA(nullptr, "can not find the specified resource", "Error Message", MB_OK);
        return 0;
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    if (!loaded) {
        MessageBoxA(nullptr, "can not load the specified resource", "Error Message", MB_OK);
        return 0;
    }
    DWORD size = SizeofResource(nullptr, found);
    const void *data = LockResource(loaded);
    auto bar = std::make_unique<MenuBar>();
    if (!bar->Load(data, size)) return 0;
    MenuBar *built = bar.get();
    Bars().push_back(std::move(bar));
    ActiveMenu = built;
    core::SetMenuHook(HandleMenuMessage);
    return 1;
}

}  // namespace tuikit::menu

using namespace tuikit::menu;

extern "C" {

TUIKIT_API int TuiMenu(int32_t first, int32_t second, const char *name)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        (void)first;
        (void)second;
        return BuildActiveMenu(name);
    });
}

TUIKIT_API int TuiEnableMenuItem(uint32_t id, int32_t enable)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        if (!ActiveMenu) return 0;
        for (MenuPopup &p : ActiveMenu->popups) {
            for (MenuItem &item : p.items) {
                if (item.id != id) continue;
                if (enable) item.flags = static_cast<uint16_t>(item.flags & ~kMenuGrayed);
                else item.flags = static_cast<uint16_t>(item.flags | kMenuGrayed);
                return 1;
            }
        }
        return 0;
    });
}

}  // extern "C"

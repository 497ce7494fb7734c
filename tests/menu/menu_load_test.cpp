// Building the bar from the test program's own menu resources: layout,
// mnemonics, what ends a menu, nested popups, refused templates with their
// message boxes, and templates cut short.
#include <numeric>
#include <tuple>

#include "menu_test_support.h"
#include "platform/message_box.h"

namespace tuikit::test {
namespace {

using MenuLoad = MenuTest;

// "_File(_Open E_xit) _Edit()": titles with their items, '_' before each
// mnemonic letter.
std::string Describe(const menu::MenuBar &bar)
{
    auto marked = [](std::string text, int mnemonic) { return mnemonic < 0 ? text : text.insert(size_t(mnemonic), "_"); };
    std::string out;
    for (const menu::MenuPopup &p : bar.popups) {
        out += (out.empty() ? "" : " ") + marked(p.title.text, p.title.mnemonic) + "(";
        for (const menu::MenuItem &i : p.items) out += (&i == &p.items[0] ? "" : " ") + marked(i.text, i.mnemonic);
        out += ")";
    }
    return out;
}

TEST_F(MenuLoad, TitlesStandSideBySideFromColumnTwoAndALaterBarOnlyOverwritesItsOwnCells)
{
    std::string row = CaptureScreen().first.replace(2, 18, " File  Edit  Help ").substr(0, 21);
    LoadMenu("Main");
    EXPECT_EQ(RowText(0, 0, 21) + AttrLetters(0, 0, 21), row + "..wwwwwwwwwwwwwwwwww.");
    LoadMenu("Separated");  // " File ": it alone answers Alt now
    Drive(AltDown());
    EXPECT_EQ(RowText(0, 0, 21) + AttrLetters(0, 0, 21), row + "..wWwwwwwwwwwwwwwwww.");
}

TEST_F(MenuLoad, BuildsTitlesAndItemsFromTheTemplate)
{
    const std::pair<const char *, const char *> menus[] = {
        {"main", "_File(_Open _Save E_xit) _Edit(_Copy _Paste) _Help(_About)"},
        // Only the first & counts; a trailing one stays, a doubled one is the letter.
        {"MNEMONICS", "_Marks(_Open E_xit Save& A_&B)"},
        {"Separated", "_File(_Open)"},  // nothing after a separator is loaded
        {"Nested", "_File(_Open) _Recent(a.txt E_xit)"},
        // Lost has no items before the first title with items; Tools is a
        // grayed command with id 0; Empty stays without items.
        {"Titles", "_Tools(_Hammer) _Empty() _View(_Zoom)"},
        {"Headless", "_Tail(_Item)"},
        {"Units", "_F(A:\xE9)"},
    };
    for (auto [name, expected] : menus) {
        LoadMenu(name);
        EXPECT_EQ(Describe(*menu::ActiveMenu), expected);
    }
}

TEST_F(MenuLoad, RefusedMenusChangeNothingAndOnlyMissingOrEmptyOnesSayWhy)
{
    Screen before = CaptureScreen();
    for (const char *name : {"NoSuchMenu", static_cast<const char *>(nullptr), "TitlesOnly", "Extended", "Offset"})
        EXPECT_EQ(TuiMenu(0, 0, name), 0) << (name ? name : "null");
    EXPECT_EQ(std::tuple(menu::ActiveMenu, TuiEnableMenuItem(101, 0), CaptureScreen() == before), std::tuple(nullptr, 0, true));
    std::string boxes;
    for (const auto &b : platform::RecordedMessageBoxes())
        boxes += b.caption + ": " + b.text + (b.type == MB_OK ? "\n" : " (not MB_OK)\n");
    const std::string missing = "Error Message: can not find the specified resource\n";
    EXPECT_EQ(boxes, missing + missing + "Warning: can not load the menu ,Please check you Menu construction\n");
}

// Loads bytes held in an allocation of exactly their size, so that
// AddressSanitizer sees any read past them; gives the number of items built.
size_t ItemsLoaded(const uint8_t *data, uint32_t size)
{
    std::vector<uint8_t> copy(data, data + size);
    menu::MenuBar bar;
    bar.Load(copy.data(), size);
    return std::accumulate(bar.popups.begin(), bar.popups.end(), size_t{0}, [](size_t n, auto &p) { return n + p.items.size(); });
}

TEST_F(MenuLoad, ATemplateCutAnywhereGivesASmallerMenuOrNone)
{
    HRSRC main = FindResourceA(nullptr, "Main", RT_MENU);
    auto *whole = static_cast<const uint8_t *>(LockResource(LoadResource(nullptr, main)));
    uint32_t size = SizeofResource(nullptr, main);
    for (uint32_t cut = 0; cut < size; ++cut) EXPECT_LE(ItemsLoaded(whole, cut), 6u) << cut;
    EXPECT_EQ(ItemsLoaded(whole, size), 6u);
}

}  // namespace
}  // namespace tuikit::test

// Building the bar from the test program's own menu resources: layout,
// mnemonics, what ends a menu, nested popups, refused templates, graying,
// and templates cut short or made of hostile bytes.
#include <cstring>
#include <memory>
#include <random>

#include "menu_test_support.h"
#include "platform/message_box.h"

namespace tuikit::test {
namespace {

using menu::MenuBar;
using menu::MenuPopup;

std::vector<std::string> Titles(const MenuBar &bar)
{
    std::vector<std::string> out;
    for (const MenuPopup &p : bar.popups) out.push_back(p.title.text);
    return out;
}

std::vector<std::string> Items(const MenuPopup &p)
{
    std::vector<std::string> out;
    for (const menu::MenuItem &i : p.items) out.push_back(i.text);
    return out;
}

std::vector<platform::RecordedMessageBox> Boxes() { return platform::RecordedMessageBoxes(); }

using MenuLoad = MenuTest;

TEST_F(MenuLoad, LaysTheTitlesOutOnTheTopRowWithTheirMnemonics)
{
    LoadMenu("Main");
    EXPECT_EQ(Bar().barText, " File  Edit  Help ");
    EXPECT_EQ(RowText(0, 2, 18), " File  Edit  Help ");
    EXPECT_EQ(Popup(0).x, 2);
    EXPECT_EQ(Popup(1).x, 8);
    EXPECT_EQ(Popup(2).x, 14);
    std::vector<WORD> expected(18, 0x70);
    EXPECT_EQ(Bar().barAttrs, expected);
    EXPECT_EQ(RowAttrs(0, 2, 18), expected);
    expected[1] = expected[7] = expected[13] = 0x7F;
    EXPECT_EQ(Bar().barMnemonicAttrs, expected);
    // Only the bar's cells of row 0 are written.
    EXPECT_EQ(CharAt(1, 0), PatternChar(1, 0));
    EXPECT_EQ(AttrAt(20, 0), PatternAttr(20, 0));
    EXPECT_EQ(Popup(0).itemCount, 3u);
    EXPECT_EQ(Popup(0).widestItem, 4u);
    EXPECT_EQ(Popup(1).itemCount, 2u);
    EXPECT_EQ(Popup(1).widestItem, 5u);
}

TEST_F(MenuLoad, TakesTheFirstAmpersandAsTheMnemonicMarker)
{
    LoadMenu("Mnemonics");
    const MenuPopup &p = Popup(0);
    EXPECT_EQ(Items(p), (std::vector<std::string>{"Open", "Exit", "Save&", "A&B"}));
    EXPECT_EQ(p.items[0].mnemonic, 0);
    EXPECT_EQ(p.items[1].mnemonic, 1);
    EXPECT_EQ(p.items[2].mnemonic, -1);
    EXPECT_EQ(p.items[3].mnemonic, 1);
    EXPECT_TRUE(p.items[1].MatchesMnemonic('x'));
    EXPECT_TRUE(p.items[1].MatchesMnemonic('X'));
    EXPECT_TRUE(p.items[3].MatchesMnemonic('&'));
    EXPECT_FALSE(p.items[2].MatchesMnemonic('&'));
}

TEST_F(MenuLoad, ASeparatorEndsTheWholeMenu)
{
    LoadMenu("Separated");
    EXPECT_EQ(Titles(Bar()), std::vector<std::string>{"File"});
    EXPECT_EQ(Items(Popup(0)), std::vector<std::string>{"Open"});
    EXPECT_EQ(Bar().barText, " File ");
}

TEST_F(MenuLoad, ANestedPopupBecomesANeighbouringTitleThatKeepsTheItemsAfterIt)
{
    LoadMenu("Nested");
    EXPECT_EQ(Titles(Bar()), (std::vector<std::string>{"File", "Recent"}));
    EXPECT_EQ(Items(Popup(0)), std::vector<std::string>{"Open"});
    EXPECT_EQ(Items(Popup(1)), (std::vector<std::string>{"a.txt", "b.txt", "Exit"}));
}

TEST_F(MenuLoad, TitleEntriesComeFromPopupsAndFromCommandsWithoutAnId)
{
    LoadMenu("Titles");
    // Lost has no items before the first title with items and is dropped;
    // the grayed command with id 0 is a title; Empty stays, without items.
    EXPECT_EQ(Titles(Bar()), (std::vector<std::string>{"Tools", "Empty", "View"}));
    EXPECT_EQ(Items(Popup(0)), std::vector<std::string>{"Hammer"});
    EXPECT_EQ(Popup(1).itemCount, 0u);
    EXPECT_EQ(Popup(1).widestItem, 0u);
    EXPECT_EQ(Items(Popup(2)), std::vector<std::string>{"Zoom"});
}

TEST_F(MenuLoad, FindsAMenuByIntegerIdInBothForms)
{
    LoadMenu(MAKEINTRESOURCE(ID_NUMBERED_MENU));
    EXPECT_EQ(Titles(Bar()), std::vector<std::string>{"Numbered"});
    LoadMenu("#7");
    LoadMenu("main");
    EXPECT_EQ(Titles(Bar()), (std::vector<std::string>{"File", "Edit", "Help"}));
}

TEST_F(MenuLoad, AMissingResourceShowsTheErrorBoxAndChangesNothing)
{
    LoadMenu("Main");
    MenuBar *before = menu::ActiveMenu;
    Screen screen = CaptureScreen();
    EXPECT_EQ(TuiMenu(0, 0, "NoSuchMenu"), 0);
    EXPECT_EQ(TuiMenu(0, 0, nullptr), 0);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, "can not find the specified resource");
    EXPECT_EQ(Boxes()[0].caption, "Error Message");
    EXPECT_EQ(Boxes()[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(menu::ActiveMenu, before);
    EXPECT_EQ(CaptureScreen(), screen);
}

TEST_F(MenuLoad, TitlesWithoutAnyCommandGiveTheWarningAndNoBar)
{
    Screen screen = CaptureScreen();
    EXPECT_EQ(TuiMenu(0, 0, "TitlesOnly"), 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "can not load the menu ,Please check you Menu construction");
    EXPECT_EQ(Boxes()[0].caption, "Warning");
    EXPECT_EQ(menu::ActiveMenu, nullptr);
    EXPECT_EQ(CaptureScreen(), screen);
}

TEST_F(MenuLoad, RefusesExtendedTemplatesAndNonzeroOffsetsSilently)
{
    Screen screen = CaptureScreen();
    EXPECT_EQ(TuiMenu(0, 0, "Extended"), 0);
    EXPECT_EQ(TuiMenu(0, 0, "Offset"), 0);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(menu::ActiveMenu, nullptr);
    EXPECT_EQ(CaptureScreen(), screen);
    // Without a bar, messages go on to the application.
    EXPECT_EQ(Drive(AltTap()), (std::vector<int>{1, 1}));
}

TEST_F(MenuLoad, GraysAndEnablesTheFirstItemWithTheId)
{
    EXPECT_EQ(TuiEnableMenuItem(IDM_OPEN, 0), 0);  // no bar yet
    LoadMenu("Main");
    EXPECT_EQ(TuiEnableMenuItem(IDM_OPEN, 0), 1);
    EXPECT_TRUE(Popup(0).items[0].Grayed());
    EXPECT_EQ(TuiEnableMenuItem(IDM_PASTE, 1), 1);
    EXPECT_FALSE(Popup(1).items[1].Grayed());
    EXPECT_EQ(TuiEnableMenuItem(IDM_OPEN, 5), 1);
    EXPECT_FALSE(Popup(0).items[0].Grayed());
    EXPECT_EQ(TuiEnableMenuItem(65536 + IDM_OPEN, 0), 0);
    EXPECT_EQ(TuiEnableMenuItem(999, 0), 0);
    // Title entries are not items.
    EXPECT_EQ(TuiEnableMenuItem(0, 0), 0);
}

TEST_F(MenuLoad, ALaterBarTakesOverAndTheEarlierCellsStayWhereNotOverwritten)
{
    LoadMenu("Main");
    LoadMenu("Separated");
    EXPECT_EQ(RowText(0, 2, 18), " File  Edit  Help ");
    EXPECT_EQ(Titles(Bar()), std::vector<std::string>{"File"});
    Drive(AltDown());
    EXPECT_EQ(AttrAt(3, 0), 0x7F);
    EXPECT_EQ(AttrAt(9, 0), 0x70);  // Edit belongs to the old bar
}

// The Main template's own bytes, as the resource lookup hands them out.
std::vector<uint8_t> MainTemplate()
{
    HRSRC r = FindResourceA(nullptr, "Main", RT_MENU);
    auto *data = static_cast<const uint8_t *>(LockResource(LoadResource(nullptr, r)));
    return std::vector<uint8_t>(data, data + SizeofResource(nullptr, r));
}

size_t LoadCount(const uint8_t *data, uint32_t size, size_t &popups)
{
    MenuBar bar;
    bool ok = bar.Load(data, size);
    popups = bar.popups.size();
    size_t items = 0;
    for (const MenuPopup &p : bar.popups) items += p.items.size();
    return ok ? items : 0;
}

TEST_F(MenuLoad, ATemplateCutAnywhereGivesASmallerMenuOrNone)
{
    std::vector<uint8_t> whole = MainTemplate();
    for (uint32_t cut = 0; cut <= whole.size(); ++cut) {
        std::unique_ptr<uint8_t[]> part(new uint8_t[cut]);
        if (cut) std::memcpy(part.get(), whole.data(), cut);
        size_t popups = 0;
        size_t items = LoadCount(part.get(), cut, popups);
        EXPECT_LE(popups, 3u) << cut;
        EXPECT_LE(items, 6u) << cut;
        if (cut == whole.size()) {
            EXPECT_EQ(items, 6u);
        }
    }
}

TEST_F(MenuLoad, HostileBytesNeverReadOutsideTheTemplate)
{
    std::mt19937 random(1234);
    for (int round = 0; round < 2000; ++round) {
        uint32_t size = random() % 64;
        std::unique_ptr<uint8_t[]> bytes(new uint8_t[size]);
        for (uint32_t i = 0; i < size; ++i) {
            // Mostly small units, so entries and strings actually form.
            uint32_t r = random();
            bytes[i] = (i < 4) ? 0 : static_cast<uint8_t>((r & 3) ? (r >> 8) % 0x20 + (i % 2 ? 0 : 0x20) : r >> 16);
        }
        size_t popups = 0;
        LoadCount(bytes.get(), size, popups);
    }
    // Every unit a popup flag: titles only, nothing to build.
    std::vector<uint8_t> titles = {0, 0, 0, 0};
    for (int i = 0; i < 100; ++i) titles.insert(titles.end(), {0x10, 0, 'A', 0, 0, 0});
    size_t popups = 0;
    EXPECT_EQ(LoadCount(titles.data(), static_cast<uint32_t>(titles.size()), popups), 0u);
    EXPECT_EQ(popups, 0u);
}

TEST_F(MenuLoad, CommandsBeforeAnyTitleAreDropped)
{
    // Hand-made: a command, then a title with one command.
    const uint8_t bytes[] = {0, 0, 0, 0, 0, 0, 5, 0, 'X', 0, 0, 0, 0x10, 0, 'T', 0, 0, 0, 0x80, 0, 6, 0, 'Y', 0, 0, 0};
    MenuBar bar;
    ASSERT_TRUE(bar.Load(bytes, sizeof bytes));
    ASSERT_EQ(bar.popups.size(), 1u);
    EXPECT_EQ(bar.popups[0].title.text, "T");
    EXPECT_EQ(Items(bar.popups[0]), std::vector<std::string>{"Y"});
}

}  // namespace
}  // namespace tuikit::test

// Driving the bar with keys and the left mouse button: input records through
// the pump and TuiDispatchMessage, checked on the bar's and the popup's
// cells, the cursor, and what reaches the application procedure (WM_COMMAND
// back through the queue once the menu has closed).
#include <tuple>

#include "menu_test_support.h"

namespace tuikit::test {
namespace {

using namespace menu;

// The bar's attributes on Main: Alt down, a title selected, a popup open.
const char *const kIdle = "wwwwwwwwwwwwwwwwww", *const kLit = "wWwwwwwWwwwwwWwwww";
const char *const kFileSel = "kKkkkkwWwwwwwWwwww", *const kEditSel = "wWwwwwkKkkkkwWwwww", *const kHelpSel = "wWwwwwwWwwwwkKkkkk";
const char *const kFile = "kkkkkkwwwwwwwwwwww", *const kEdit = "wwwwwwkkkkkkwwwwww", *const kHelp = "wwwwwwwwwwwwkkkkkk";
const Records kDown = Press(VK_DOWN), kUp = Press(VK_UP), kLeft = Press(VK_LEFT), kRight = Press(VK_RIGHT);
const Records kEnter = Press(VK_RETURN, '\r'), kEscape = Press(VK_ESCAPE, '\x1b');

// What input does to a freshly loaded menu: MenuMode, the bar, the open
// popup as on the screen, and the application's calls afterwards.
struct Case { const char *story; Records input; int mode; const char *bar, *popup, *app, *menu = "Main"; };

// "Edit: Copy [Paste]": the open popup's items read from the screen, the
// highlighted row in brackets; "" when no popup is open.
std::string PopupOnScreen()
{
    const MenuPopup *p = MenuMode == MenuModePopup ? ActiveMenu->currentPopup : nullptr;
    std::string out = p ? p->title.text + ":" : "";
    for (size_t i = 0; p && i < p->itemCount; ++i) {
        std::string text = RowText(int(2 + i), p->x + 1, int(p->items[i].text.size()));
        out += AttrAt(p->x, int(2 + i)) == kSelectedAttr ? " [" + text + "]" : " " + text;
    }
    return out;
}

class MenuNavigation : public MenuTest {
protected:
    void Run(const std::vector<Case> &cases)
    {
        for (const Case &c : cases) {
            SCOPED_TRACE(c.story);
            LoadMenu(c.menu);
            Drive(c.input);
            std::string bar = AttrLetters(0, MenuBarColumn, static_cast<int>(ActiveMenu->barText.size()));
            EXPECT_EQ(std::tuple(MenuMode, bar, PopupOnScreen(), appCalls, CursorInfo().bVisible),
                      std::tuple(c.mode, c.bar, c.popup, c.app, c.mode == MenuModeIdle));
            // However the menu is left, the screen and the cursor come back.
            Drive(ButtonUp(79, 24) + (MenuMode == MenuModeIdle ? Records{} : kEscape));
            EXPECT_EQ(CaptureScreen(), idleScreen);
            EXPECT_EQ(std::tuple(CursorInfo().bVisible, CursorInfo().dwSize, CursorPos().X, CursorPos().Y), std::tuple(1, 60u, 40, 12));
        }
    }
};

TEST_F(MenuNavigation, TheKeyboardSelectsTitlesOpensPopupsAndChoosesItems)
{
    Run({
        {"pressing Alt lights every title's mnemonic", AltDown(), 1, kLit, "", ""},
        {"pressing Alt then releasing it selects the first title", AltTap(), 1, kFileSel, "", ""},
        {"Right selects the next title", AltTap() + kRight, 1, kEditSel, "", ""},
        {"Right wraps, Up does nothing, Left wraps", AltTap() + kRight + kRight + kRight + kUp + kLeft, 1, kHelpSel, "", ""},
        {"Down opens the popup with its first item lit", AltTap() + kDown, 2, kFile, "File: [Open] Save Exit", "init"},
        {"so does Enter", AltTap() + kRight + kEnter, 2, kEdit, "Edit: [Copy] Paste", "init"},
        {"typing an item's mnemonic chooses it", AltTap() + kDown + Press('X', 'x'), 0, kIdle, "", "init cmd:102"},
        {"Alt+F opens File, the Alt release keeps it, Alt+X chooses Exit", AltDown() + WithAlt('F') + AltUp() + WithAlt('X'), 0,
         kIdle, "", "init cmd:102"},
        {"after Alt+Q, which no title has, the Alt release leaves", AltDown() + WithAlt('Q') + AltUp(), 0, kIdle, "", ""},
        {"a title's mnemonic opens its popup, other letters do nothing", AltTap() + Press('H', 'h') + Press('Z', 'z'), 2, kHelp,
         "Help: [About]", "init"},
        {"a grayed item is lit on the way, but Enter and its letter do nothing",
         AltTap() + kRight + kDown + kDown + kEnter + Press('P', 'p'), 2, kEdit, "Edit: Copy [Paste]", "init"},
        {"Down wraps to the first item", AltTap() + kRight + kDown + kDown + kDown, 2, kEdit, "Edit: [Copy] Paste", "init"},
        {"Up wraps to the last item", AltTap() + kDown + kUp, 2, kFile, "File: Open Save [Exit]", "init"},
        {"Right in a popup opens the next one instead", AltTap() + kDown + kRight, 2, kEdit, "Edit: [Copy] Paste", "init init"},
        {"an Alt tap closes the popup, keeping its title", AltTap() + kRight + kDown + AltTap(), 1, kEditSel, "", "init"},
        {"a second one leaves the menu", AltTap() + kRight + kDown + AltTap() + AltTap(), 0, kIdle, "", "init"},
        {"F10 selects the first title, as an Alt tap does", Press(VK_F10), 1, kFileSel, "", ""},
        {"then Down opens its popup, and F10 again changes nothing", Press(VK_F10) + kDown + Press(VK_F10), 2, kFile,
         "File: [Open] Save Exit", "init"},
        {"keys reach the application while the menu is idle", Press('A', 'a'), 0, kIdle, "", "key:65 char:97"},
        {"and none while it is active", AltTap() + Press('A', 'a') + Press(VK_F5) + kDown + Press('A', 'a'), 2, kFile,
         "File: [Open] Save Exit", "init"},
    });
}

TEST_F(MenuNavigation, TheLeftButtonOpensPopupsByPressOrDragAndChoosesOnRelease)
{
    // The move to a pressed cell reaches the application while the menu is idle.
    const Records kPressFile = ButtonDown(3, 0);
    Run({
        {"pressing a title opens its popup unlit, keys are swallowed until release",
         ButtonDown(4, 0) + Press('X', 'x') + kEscape + AltTap(), 2, kFile, "File: Open Save Exit", "move:4,0 init"},
        {"releasing on the title lights the first item", Click(4, 0) + kDown + kEnter, 0, kIdle, "", "move:4,0 init cmd:103"},
        {"clicking an item then chooses it", Click(9, 0) + Click(10, 2), 0, kIdle, "", "move:9,0 init cmd:201"},
        {"dragging down lights the item under the mouse", kPressFile + DragTo(3, 1) + DragTo(5, 3), 2, kFile,
         "File: Open [Save] Exit", "move:3,0 init"},
        {"over the frame none", kPressFile + DragTo(5, 3) + DragTo(11, 3), 2, kFile, "File: Open Save Exit", "move:3,0 init"},
        {"releasing on an item chooses it", kPressFile + DragTo(10, 4) + ButtonUp(10, 4), 0, kIdle, "", "move:3,0 init cmd:102"},
        {"dragging along the bar swaps popups once per title", kPressFile + DragTo(10, 0) + DragTo(11, 0), 2, kEdit,
         "Edit: Copy Paste", "move:3,0 init init"},
        {"off the titles the popup closes; releasing on one lights its first item",
         kPressFile + DragTo(40, 0) + DragTo(15, 0) + ButtonUp(15, 0), 2, kHelp, "Help: [About]", "move:3,0 init init"},
        {"releasing away from the items closes without a command", kPressFile + ButtonUp(30, 15), 0, kIdle, "", "move:3,0 init"},
        {"releasing on a grayed item keeps the popup", Click(9, 0) + Click(10, 3), 2, kEdit, "Edit: Copy [Paste]", "move:9,0 init"},
        {"a click away from the popup closes it and goes on", Click(3, 0) + Click(40, 15), 0, kIdle, "",
         "move:3,0 init down:40,15 up:40,15"},
        {"a click below the active bar leaves the menu and goes on", AltTap() + Click(20, 20), 0, kIdle, "", "down:20,20 up:20,20"},
        {"a click on the bar row beside the titles opens nothing", Click(20, 0) + Click(1, 0), 0, kIdle, "", "move:20,0 move:1,0"},
        {"a press on a title closes the open popup", AltTap() + kDown + ButtonDown(15, 0), 2, kHelp, "Help: About", "init init"},
        {"a popup without items opens empty and ignores Down, Up and Enter", Click(10, 0) + kDown + kUp + kEnter, 2,
         "wwwwwwwkkkkkkkwwwwww", "Empty:", "move:10,0 init", "Titles"},
    });
}

TEST_F(MenuNavigation, AnItemGrayedAsItsPopupOpensShowsGrayAndCannotBeChosen)
{
    LoadMenu("Main");
    TuiSetProc([](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        // A mark under the popup, made after its screen was kept, goes when it closes; the cursor comes back.
        EXPECT_TRUE(m != WM_INITMENUPOPUP || TuiEnableMenuItem(103, 0) + TuiWriteText(1, 1, "#", 0x4E) + TuiSetCursorPos(5, 5) == 1);
        return RecordingProc(w, m, wp, lp);
    });
    auto openAndSave = [] { return AttrLetters(2, 2, 9) + " " + AttrLetters(3, 2, 9); };
    Drive(AltTap() + kDown);  // Open lit, Save grayed as its popup opened
    EXPECT_EQ(openAndSave(), "kKkkkkkkk wggggwwww");
    Drive(Press('S', 's') + kDown + kEnter);  // the highlight on the grayed item leaves its letter unmarked
    EXPECT_EQ(openAndSave(), "wWwwwwwww kkkkkkkkk");
    Drive(kDown);
    EXPECT_EQ(openAndSave(), "wWwwwwwww ggggggggg");
    // Enabled while open: the next change of highlight shows it. Only the
    // whole 32-bit id of an item counts, never a title's.
    EXPECT_EQ(std::tuple(TuiEnableMenuItem(103, 1), TuiEnableMenuItem(65536 + 103, 0), TuiEnableMenuItem(0, 0)), std::tuple(1, 0, 0));
    Drive(kUp + kDown);
    EXPECT_EQ(openAndSave(), "wWwwwwwww wWwwwwwww");
    // Everything else is the menu's while it is active, a timer's message too.
    MSG timer{nullptr, WM_TIMER, 1, 0, 0, {}};
    TuiDispatchMessage(&timer);
    Drive(kEscape);
    TuiDispatchMessage(&timer);
    EXPECT_EQ(appCalls, "init timer:1");
    EXPECT_EQ(std::tuple(CaptureScreen() == idleScreen, CursorPos().X, CursorPos().Y), std::tuple(true, 40, 12));
}

}  // namespace
}  // namespace tuikit::test

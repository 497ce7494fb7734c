// Driving the bar with the left mouse button: clicks and drags on titles and
// items, clicks away from the menu that go on to the application, and keys
// swallowed while the button is held.
#include "menu_test_support.h"

namespace tuikit::test {
namespace {

using namespace menu;

constexpr Msg kInitPopup{WM_INITMENUPOPUP, 0, 0};

class MenuMouse : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        LoadMenu("Main");
        idle = CaptureScreen();
    }
    void ExpectIdleAgain()
    {
        EXPECT_EQ(MenuMode, MenuModeIdle);
        EXPECT_EQ(MenuMouseCapture, 0);
        EXPECT_EQ(CaptureScreen(), idle);
        EXPECT_EQ(CursorInfo().bVisible, 1);
        EXPECT_EQ(CursorPos().X, 40);
        EXPECT_EQ(CursorPos().Y, 12);
    }
    Screen idle;
};

TEST_F(MenuMouse, PressingATitleOpensItsPopupWithoutHighlightAndSwallowsKeysUntilRelease)
{
    Drive(ButtonDown(4, 0));
    EXPECT_EQ(MenuMode, MenuModePopup);
    EXPECT_EQ(MenuMouseCapture, 1);
    EXPECT_EQ(Bar().currentPopup, &Popup(0));
    EXPECT_EQ(Popup(0).currentItem, nullptr);
    EXPECT_EQ(RowText(2, 3, 4), "Open");
    EXPECT_EQ(AttrAt(2, 2), 0x70);
    EXPECT_EQ(AttrAt(2, 0), 0x07);
    EXPECT_EQ(CursorInfo().bVisible, 0);

    Drive(Press('X', 'x') + Press(VK_ESCAPE, '\x1b') + AltTap());
    EXPECT_EQ(MenuMode, MenuModePopup);
    EXPECT_TRUE(AppCallsOf(WM_COMMAND).empty());

    Drive(ButtonUp(4, 0));
    EXPECT_EQ(MenuMouseCapture, 0);
    EXPECT_EQ(Popup(0).currentItem, &Popup(0).items[0]);
    EXPECT_EQ(AttrAt(3, 2), 0x0F);
    // The popup stays open for the keyboard.
    Drive(Press(VK_DOWN) + Press(VK_RETURN, '\r'));
    EXPECT_EQ(AppCallsOf(WM_COMMAND), std::vector<Msg>{M(WM_COMMAND, IDM_SAVE, 0)});
    ExpectIdleAgain();
}

TEST_F(MenuMouse, ClickingAnItemOfTheOpenPopupChoosesIt)
{
    Drive(Click(9, 0));
    EXPECT_EQ(AppCallsOf(WM_INITMENUPOPUP), std::vector<Msg>{kInitPopup});
    Drive(Click(10, 2));  // Copy
    EXPECT_EQ(AppCallsOf(WM_COMMAND), std::vector<Msg>{M(WM_COMMAND, IDM_COPY, 0)});
    ExpectIdleAgain();
}

TEST_F(MenuMouse, DraggingFromTheTitleDownToAnItemAndReleasingChoosesIt)
{
    Drive(ButtonDown(3, 0) + DragTo(3, 1) + DragTo(5, 3));
    EXPECT_EQ(Popup(0).currentItem, &Popup(0).items[1]);
    EXPECT_EQ(RowAttrs(3, 2, 9), (std::vector<WORD>{0x07, 0x0F, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07}));
    // Over the frame the highlight goes away.
    Drive(DragTo(11, 3));
    EXPECT_EQ(Popup(0).currentItem, nullptr);
    Drive(DragTo(10, 4) + ButtonUp(10, 4));
    EXPECT_EQ(AppCallsOf(WM_COMMAND), std::vector<Msg>{M(WM_COMMAND, IDM_EXIT, 0)});
    ExpectIdleAgain();
}

TEST_F(MenuMouse, DraggingAlongTheBarSwapsThePopups)
{
    Drive(ButtonDown(3, 0) + DragTo(10, 0));
    EXPECT_EQ(Bar().currentPopup, &Popup(1));
    EXPECT_EQ(AppCallsOf(WM_INITMENUPOPUP), (std::vector<Msg>{kInitPopup, kInitPopup}));
    EXPECT_EQ(CharAt(1, 2), PatternChar(1, 2));  // File's box is gone
    EXPECT_EQ(RowText(2, 9, 4), "Copy");
    Drive(DragTo(11, 0));  // the same title: nothing new
    EXPECT_EQ(AppCallsOf(WM_INITMENUPOPUP).size(), 2u);
    // Off every title the popup closes but the menu stays active.
    Drive(DragTo(40, 0));
    EXPECT_EQ(Bar().currentPopup, nullptr);
    EXPECT_EQ(MenuMode, MenuModePopup);
    EXPECT_EQ(CharAt(7, 1), PatternChar(7, 1));
    Drive(DragTo(15, 0) + ButtonUp(15, 0));
    EXPECT_EQ(Popup(2).currentItem, &Popup(2).items[0]);
    EXPECT_EQ(MenuMode, MenuModePopup);
}

TEST_F(MenuMouse, ReleasingAwayFromTheItemsClosesWithoutACommand)
{
    Drive(ButtonDown(3, 0) + DragTo(4, 3) + DragTo(30, 15) + ButtonUp(30, 15));
    EXPECT_TRUE(AppCallsOf(WM_COMMAND).empty());
    EXPECT_TRUE(AppCallsOf(WM_LBUTTONUP).empty());
    ExpectIdleAgain();
}

TEST_F(MenuMouse, ReleasingOnAGrayedItemLeavesThePopupOpen)
{
    Drive(Click(9, 0) + Click(10, 3));
    EXPECT_EQ(MenuMode, MenuModePopup);
    EXPECT_EQ(Popup(1).currentItem, &Popup(1).items[1]);
    EXPECT_TRUE(AppCallsOf(WM_COMMAND).empty());
}

TEST_F(MenuMouse, AClickAwayFromTheOpenPopupClosesItAndGoesOnToTheApplication)
{
    Drive(Click(3, 0));
    appCalls.clear();
    std::vector<int> results = Drive(Click(40, 15));
    ExpectIdleAgain();
    LPARAM at = MAKELONG(40, 15);
    EXPECT_EQ(AppCallsOf(WM_LBUTTONDOWN), std::vector<Msg>{M(WM_LBUTTONDOWN, MK_LBUTTON, at)});
    EXPECT_EQ(AppCallsOf(WM_LBUTTONUP), std::vector<Msg>{M(WM_LBUTTONUP, 0, at)});
    // The move to the spot came while the popup was open and was kept.
    EXPECT_TRUE(AppCallsOf(WM_MOUSEMOVE).empty());
    EXPECT_EQ(results, (std::vector<int>{1, 1, 1}));
}

TEST_F(MenuMouse, AClickBelowTheActiveBarLeavesTheMenuAndGoesOn)
{
    Drive(AltTap());
    Drive(Click(20, 20));
    ExpectIdleAgain();
    EXPECT_EQ(AppCallsOf(WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(MenuMouse, MovingWithoutTheButtonOverTheBarOpensNothing)
{
    Drive(HoverTo(3, 0) + HoverTo(9, 0));
    ExpectIdleAgain();
    EXPECT_EQ(AppCallsOf(WM_MOUSEMOVE).size(), 2u);
}

TEST_F(MenuMouse, APressOnTheBarRowAwayFromTheTitlesOpensNothingUntilRelease)
{
    Drive(ButtonDown(30, 0));
    EXPECT_EQ(MenuMode, MenuModePopup);
    EXPECT_EQ(Bar().currentPopup, nullptr);
    EXPECT_EQ(CaptureScreen().chars, idle.chars);
    EXPECT_EQ(CursorInfo().bVisible, 0);
    Drive(ButtonUp(30, 0));
    ExpectIdleAgain();
    Drive(Click(0, 0) + Click(1, 0));
    ExpectIdleAgain();
    EXPECT_TRUE(AppCallsOf(WM_INITMENUPOPUP).empty());
}

TEST_F(MenuMouse, APressOnATitleClosesThePopupThatWasOpen)
{
    Drive(AltTap() + Press(VK_DOWN));
    Drive(ButtonDown(15, 0));
    EXPECT_EQ(Bar().currentPopup, &Popup(2));
    EXPECT_EQ(CharAt(1, 2), PatternChar(1, 2));
    Drive(ButtonUp(15, 0) + Press(VK_ESCAPE, '\x1b'));
    ExpectIdleAgain();
}

TEST_F(MenuMouse, APopupWithoutItemsOpensEmptyAndTellsTheApplication)
{
    LoadMenu("Titles");
    Screen before = CaptureScreen();
    int emptyX = Popup(1).x + 1;
    Drive(Click(emptyX, 0));
    EXPECT_EQ(AppCallsOf(WM_INITMENUPOPUP), std::vector<Msg>{kInitPopup});
    EXPECT_EQ(MenuMode, MenuModePopup);
    EXPECT_EQ(CaptureScreen().chars, before.chars);
    Drive(Press(VK_DOWN) + Press(VK_UP) + Press(VK_RETURN, '\r'));
    EXPECT_EQ(MenuMode, MenuModePopup);
    Drive(Press(VK_ESCAPE, '\x1b'));
    EXPECT_EQ(CaptureScreen(), before);
}

}  // namespace
}  // namespace tuikit::test

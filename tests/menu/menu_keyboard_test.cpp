// Driving the bar with the keyboard: input records through the pump and
// TuiDispatchMessage, checked on the screen, the cursor, the calls of the
// application procedure and the WM_COMMAND messages that come back.
#include <functional>

#include "menu_test_support.h"

namespace tuikit::test {
namespace {

using namespace menu;

constexpr Msg kInitPopup{WM_INITMENUPOPUP, 0, 0};

class MenuKeyboard : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        LoadMenu("Main");
        idle = CaptureScreen();
    }
    // Attributes of the bar's 18 cells with the title block at index
    // [from, from + 6) selected, as in bar mode.
    static std::vector<WORD> BarWithSelected(int from)
    {
        std::vector<WORD> a(18, 0x70);
        a[1] = a[7] = a[13] = 0x7F;
        for (int i = from; i < from + 6; ++i) a[static_cast<size_t>(i)] = 0x07;
        a[static_cast<size_t>(from + 1)] = 0x0F;
        return a;
    }
    void ExpectIdleAgain()
    {
        EXPECT_EQ(MenuMode, MenuModeIdle);
        EXPECT_EQ(CaptureScreen(), idle);
        EXPECT_EQ(CursorInfo().bVisible, 1);
        EXPECT_EQ(CursorPos().X, 40);
        EXPECT_EQ(CursorPos().Y, 12);
    }
    Screen idle;
};

TEST_F(MenuKeyboard, AltLightsTheMnemonicsAndItsReleaseSelectsTheFirstTitle)
{
    Drive(AltDown());
    EXPECT_EQ(MenuMode, MenuModeBar);
    EXPECT_EQ(Bar().currentPopup, nullptr);
    std::vector<WORD> lit(18, 0x70);
    lit[1] = lit[7] = lit[13] = 0x7F;
    EXPECT_EQ(RowAttrs(0, 2, 18), lit);
    EXPECT_EQ(CursorInfo().bVisible, 0);

    Drive(AltUp());
    EXPECT_EQ(Bar().currentPopup, &Popup(0));
    EXPECT_EQ(RowAttrs(0, 2, 18), BarWithSelected(0));
    EXPECT_TRUE(appCalls.empty());
}

TEST_F(MenuKeyboard, LeftAndRightWalkTheTitlesAndWrap)
{
    Drive(AltTap() + Press(VK_RIGHT));
    EXPECT_EQ(RowAttrs(0, 2, 18), BarWithSelected(6));
    Drive(Press(VK_RIGHT) + Press(VK_RIGHT));
    EXPECT_EQ(Bar().currentPopup, &Popup(0));
    Drive(Press(VK_LEFT));
    EXPECT_EQ(Bar().currentPopup, &Popup(2));
    EXPECT_EQ(RowAttrs(0, 2, 18), BarWithSelected(12));
    EXPECT_EQ(MenuMode, MenuModeBar);
    Drive(Press(VK_UP));  // nothing on the bar
    EXPECT_EQ(MenuMode, MenuModeBar);
    EXPECT_TRUE(appCalls.empty());
}

TEST_F(MenuKeyboard, DownOpensTheSelectedPopupWithItsFirstItemAndTellsTheApplicationOnce)
{
    Drive(AltTap() + Press(VK_DOWN));
    EXPECT_EQ(MenuMode, MenuModePopup);
    EXPECT_EQ(appCalls, std::vector<Msg>{kInitPopup});
    EXPECT_EQ(Popup(0).currentItem, &Popup(0).items[0]);
    EXPECT_EQ(RowText(2, 3, 4), "Open");
    EXPECT_EQ(AttrAt(2, 2), 0x07);
    EXPECT_EQ(AttrAt(3, 2), 0x0F);
    std::vector<WORD> open(18, 0x70);
    for (int i = 0; i < 6; ++i) open[static_cast<size_t>(i)] = 0x07;
    EXPECT_EQ(RowAttrs(0, 2, 18), open);
    EXPECT_EQ(CursorInfo().bVisible, 0);
}

TEST_F(MenuKeyboard, EnterOnTheBarOpensThePopupToo)
{
    Drive(AltTap() + Press(VK_RIGHT) + Press(VK_RETURN, '\r'));
    EXPECT_EQ(MenuMode, MenuModePopup);
    EXPECT_EQ(Popup(1).currentItem, &Popup(1).items[0]);
    EXPECT_EQ(RowText(2, 9, 4), "Copy");
}

TEST_F(MenuKeyboard, TypingAnItemsMnemonicChoosesItAndTheCommandComesBackAfterTheMenuClosed)
{
    int modeAtCommand = -1;
    bool screenBackAtCommand = false;
    static std::function<void()> onCommand;
    onCommand = [&] {
        modeAtCommand = MenuMode;
        screenBackAtCommand = CaptureScreen() == idle;
    };
    TuiSetProc([](HWND, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        appCalls.push_back(M(m, static_cast<long long>(w), static_cast<long long>(l)));
        if (m == WM_COMMAND) onCommand();
        return 0;
    });
    Drive(AltTap() + Press(VK_RETURN, '\r') + Press('X', 'x'));
    EXPECT_EQ(AppCallsOf(WM_COMMAND), std::vector<Msg>{M(WM_COMMAND, IDM_EXIT, 0)});
    EXPECT_EQ(modeAtCommand, MenuModeIdle);
    EXPECT_TRUE(screenBackAtCommand);
    ExpectIdleAgain();
}

TEST_F(MenuKeyboard, AltWithATitleLetterOpensItsPopupAndTheReleaseLeavesItOpen)
{
    std::vector<int> results = Drive(AltDown() + WithAlt('F') + AltUp());
    EXPECT_EQ(MenuMode, MenuModePopup);
    EXPECT_EQ(Bar().currentPopup, &Popup(0));
    EXPECT_EQ(RowText(3, 3, 4), "Save");
    EXPECT_EQ(results, (std::vector<int>{1, 1, 1, 1}));  // Alt, F down, F up, Alt up
    EXPECT_TRUE(AppCallsOf(WM_SYSKEYDOWN).empty());
    // Alt+X now chooses Exit in the open popup.
    Drive(WithAlt('X'));
    EXPECT_EQ(AppCallsOf(WM_COMMAND), std::vector<Msg>{M(WM_COMMAND, IDM_EXIT, 0)});
}

TEST_F(MenuKeyboard, AltWithALetterNoTitleHasLeavesTheMenuIdleOnRelease)
{
    Drive(AltDown() + WithAlt('Q') + AltUp());
    ExpectIdleAgain();
    EXPECT_TRUE(appCalls.empty());
}

TEST_F(MenuKeyboard, TypingATitlesMnemonicOnTheBarOpensThatPopup)
{
    Drive(AltTap() + Press('H', 'h'));
    EXPECT_EQ(Bar().currentPopup, &Popup(2));
    EXPECT_EQ(Popup(2).currentItem, &Popup(2).items[0]);
    EXPECT_EQ(RowText(2, 15, 5), "About");
    Drive(Press('Z', 'z'));  // no item has it
    EXPECT_EQ(MenuMode, MenuModePopup);
}

TEST_F(MenuKeyboard, UpAndDownWrapAndStopOnGrayedItemsWhereEnterDoesNothing)
{
    Drive(AltTap() + Press(VK_RIGHT) + Press(VK_DOWN));
    MenuPopup &edit = Popup(1);
    EXPECT_EQ(edit.currentItem, &edit.items[0]);
    Drive(Press(VK_DOWN));
    EXPECT_EQ(edit.currentItem, &edit.items[1]);
    EXPECT_EQ(RowAttrs(3, 8, 10), std::vector<WORD>(10, 0x07));
    Drive(Press(VK_RETURN, '\r') + Press('P', 'p'));
    EXPECT_EQ(MenuMode, MenuModePopup);
    Drive(Press(VK_DOWN));
    EXPECT_EQ(edit.currentItem, &edit.items[0]);
    Drive(Press(VK_UP));
    EXPECT_EQ(edit.currentItem, &edit.items[1]);
    Drive(Press(VK_UP));
    EXPECT_EQ(edit.currentItem, &edit.items[0]);
    EXPECT_TRUE(AppCallsOf(WM_COMMAND).empty());
}

TEST_F(MenuKeyboard, LeftAndRightInAPopupOpenTheNeighbourInItsPlace)
{
    Drive(AltTap() + Press(VK_DOWN) + Press(VK_RIGHT));
    EXPECT_EQ(Bar().currentPopup, &Popup(1));
    EXPECT_EQ(Popup(1).currentItem, &Popup(1).items[0]);
    EXPECT_EQ(appCalls, (std::vector<Msg>{kInitPopup, kInitPopup}));
    // File's box is gone where Edit's does not cover it.
    EXPECT_EQ(CharAt(1, 2), PatternChar(1, 2));
    EXPECT_EQ(AttrAt(1, 2), PatternAttr(1, 2));
    EXPECT_EQ(CharAt(7, 1), '\xDA');
    Drive(Press(VK_LEFT) + Press(VK_LEFT));
    EXPECT_EQ(Bar().currentPopup, &Popup(2));
    Drive(Press(VK_ESCAPE, '\x1b'));
    ExpectIdleAgain();
}

TEST_F(MenuKeyboard, EscapeLeavesTheMenuFromAnOpenPopupAndFromTheBar)
{
    Drive(AltTap() + Press(VK_DOWN) + Press(VK_DOWN) + Press(VK_ESCAPE, '\x1b'));
    ExpectIdleAgain();
    Drive(AltTap() + Press(VK_ESCAPE, '\x1b'));
    ExpectIdleAgain();
    EXPECT_TRUE(AppCallsOf(WM_COMMAND).empty());
}

TEST_F(MenuKeyboard, AnAltTapClosesTheOpenPopupAndKeepsTheTitleThenLeaves)
{
    Drive(AltTap() + Press(VK_RIGHT) + Press(VK_DOWN) + AltTap());
    EXPECT_EQ(MenuMode, MenuModeBar);
    EXPECT_EQ(Bar().currentPopup, &Popup(1));
    EXPECT_EQ(RowAttrs(0, 2, 18), BarWithSelected(6));
    EXPECT_EQ(CharAt(7, 1), PatternChar(7, 1));
    Drive(AltTap());
    ExpectIdleAgain();
}

TEST_F(MenuKeyboard, KeysGoToTheApplicationOnlyWhileTheMenuIsIdle)
{
    Drive(Press('A', 'a'));
    EXPECT_EQ(appCalls, (std::vector<Msg>{M(WM_KEYDOWN, 'A', 0), M(WM_CHAR, 'a', 0), M(WM_KEYUP, 'A', 0)}));
    appCalls.clear();
    Drive(AltTap() + Press('A', 'a') + Press(VK_F5) + Press(VK_TAB, '\t'));
    Drive(Press(VK_DOWN) + Press('A', 'a'));
    EXPECT_EQ(appCalls, std::vector<Msg>{kInitPopup});

    // Every other message too, a timer's included, while the menu is active.
    MSG timer{};
    timer.message = WM_TIMER;
    timer.wParam = 1;
    EXPECT_EQ(TuiDispatchMessage(&timer), 1);
    MSG right{};
    right.message = WM_RBUTTONDOWN;
    right.lParam = MAKELONG(3, 3);
    EXPECT_EQ(TuiDispatchMessage(&right), 1);
    EXPECT_EQ(appCalls, std::vector<Msg>{kInitPopup});
    Drive(Press(VK_ESCAPE, '\x1b'));
    EXPECT_EQ(TuiDispatchMessage(&timer), 1);
    EXPECT_EQ(AppCallsOf(WM_TIMER), std::vector<Msg>{M(WM_TIMER, 1, 0)});
}

TEST_F(MenuKeyboard, TheApplicationGraysAnItemWhenItsPopupOpens)
{
    TuiSetProc([](HWND, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        appCalls.push_back(M(m, static_cast<long long>(w), static_cast<long long>(l)));
        if (m == WM_INITMENUPOPUP) TuiEnableMenuItem(IDM_SAVE, 0);
        return 0;
    });
    Drive(AltTap() + Press(VK_DOWN));
    EXPECT_EQ(RowAttrs(3, 3, 4), std::vector<WORD>(4, 0x78));
    Drive(Press('S', 's') + Press(VK_DOWN) + Press(VK_RETURN, '\r'));
    EXPECT_EQ(MenuMode, MenuModePopup);
    EXPECT_TRUE(AppCallsOf(WM_COMMAND).empty());
    // Enabled again while open: the next highlight change shows it.
    TuiEnableMenuItem(IDM_SAVE, 1);
    Drive(Press(VK_DOWN));
    EXPECT_EQ(RowAttrs(3, 3, 4), (std::vector<WORD>{0x7F, 0x70, 0x70, 0x70}));
}

}  // namespace
}  // namespace tuikit::test

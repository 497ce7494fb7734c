// Menu drawing on the screen cells: the bar in each mode, a popup's box,
// items, highlight and shadow, the screen kept under a popup, and the
// cursor hidden while the menu is active.
#include "menu_test_support.h"

namespace tuikit::test {
namespace {

using namespace menu;

using MenuDraw = MenuTest;

TEST_F(MenuDraw, APopupHangsBelowItsTitleWithFrameItemsAndShadow)
{
    LoadMenu("Main");
    MenuPopup &file = Popup(0);  // x 2, items Open Save Exit: w 4, n 3
    DrawPopup(file);
    EXPECT_EQ(RowText(1, 1, 11), "\xDA\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xBF");
    EXPECT_EQ(RowText(2, 1, 11), "\xB3 Open    \xB3");
    EXPECT_EQ(RowText(3, 1, 11), "\xB3 Save    \xB3");
    EXPECT_EQ(RowText(4, 1, 11), "\xB3 Exit    \xB3");
    EXPECT_EQ(RowText(5, 1, 11), "\xC0\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xD9");
    EXPECT_EQ(RowAttrs(2, 1, 11), (std::vector<WORD>{0x70, 0x70, 0x7F, 0x70, 0x70, 0x70, 0x70, 0x70, 0x70, 0x70, 0x70}));
    EXPECT_EQ(AttrAt(4, 4), 0x7F);  // the x of Exit
    for (int row = 1; row <= 5; ++row) {
        EXPECT_EQ(RowAttrs(row, 12, 2), (std::vector<WORD>{0x07, 0x07})) << row;
        EXPECT_EQ(CharAt(13, row), PatternChar(13, row)) << row;  // shadows keep the characters
    }
    EXPECT_EQ(RowAttrs(6, 2, 12), std::vector<WORD>(12, 0x07));
    EXPECT_EQ(AttrAt(1, 6), PatternAttr(1, 6));
    EXPECT_EQ(AttrAt(14, 6), PatternAttr(14, 6));
    EXPECT_EQ(CharAt(5, 6), PatternChar(5, 6));
    EXPECT_EQ(file.currentItem, nullptr);
}

TEST_F(MenuDraw, MovingTheHighlightRepaintsBothRowsByAttributeOnly)
{
    LoadMenu("Main");
    MenuPopup &file = Popup(0);
    DrawPopup(file);
    SelectItem(file, &file.items[0]);
    EXPECT_EQ(RowAttrs(2, 2, 9), (std::vector<WORD>{0x07, 0x0F, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07}));
    Screen before = CaptureScreen();
    SelectItem(file, &file.items[1]);
    Screen after = CaptureScreen();
    EXPECT_EQ(after.chars, before.chars);
    EXPECT_EQ(RowAttrs(2, 2, 9), (std::vector<WORD>{0x70, 0x7F, 0x70, 0x70, 0x70, 0x70, 0x70, 0x70, 0x70}));
    EXPECT_EQ(RowAttrs(3, 2, 9), (std::vector<WORD>{0x07, 0x0F, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07}));
    EXPECT_EQ(CellsChanged(before, after), 18);
    SelectItem(file, nullptr);
    EXPECT_EQ(RowAttrs(3, 2, 9), (std::vector<WORD>{0x70, 0x7F, 0x70, 0x70, 0x70, 0x70, 0x70, 0x70, 0x70}));
    // The frame is not part of the highlight.
    EXPECT_EQ(AttrAt(1, 3), 0x70);
    EXPECT_EQ(AttrAt(11, 3), 0x70);
}

TEST_F(MenuDraw, TheScreenUnderAPopupComesBackCellForCell)
{
    LoadMenu("Main");
    MenuPopup &file = Popup(0);
    Screen before = CaptureScreen();
    SaveUnder(file);
    EXPECT_EQ(PopupSaveCharCount(), 11u * 5u);
    EXPECT_EQ(PopupSaveAttrCount(), 55u + 12u + 10u);
    DrawPopup(file);
    SelectItem(file, &file.items[2]);
    EXPECT_GT(CellsChanged(before, CaptureScreen()), 60);
    RestoreUnder(file);
    EXPECT_EQ(CaptureScreen(), before);
    EXPECT_EQ(PopupSaveChars, nullptr);
    EXPECT_EQ(PopupSaveAttrs, nullptr);
}

TEST_F(MenuDraw, ASecondSaveKeepsTheFirstArea)
{
    LoadMenu("Main");
    Screen before = CaptureScreen();
    SaveUnder(Popup(0));
    DrawPopup(Popup(0));
    SaveUnder(Popup(0));  // would keep the popup's own cells
    SaveUnder(Popup(2));
    RestoreUnder(Popup(0));
    EXPECT_EQ(CaptureScreen(), before);
}

TEST_F(MenuDraw, APopupWithoutItemsDrawsAndKeepsNothing)
{
    LoadMenu("Titles");
    Screen before = CaptureScreen();
    SaveUnder(Popup(1));
    DrawPopup(Popup(1));
    EXPECT_EQ(PopupSaveChars, nullptr);
    EXPECT_EQ(CaptureScreen(), before);
}

TEST_F(MenuDraw, APopupRunningOffTheScreenIsRestoredToo)
{
    LoadMenu("Main");
    SetConsoleScreenBufferSize(TuiOutputHandle(), COORD{12, 4});
    Screen before = CaptureScreen();
    SaveUnder(Popup(1));  // x 8: box columns 7..17, rows 1..4 on a 12 x 4 buffer
    DrawPopup(Popup(1));
    RestoreUnder(Popup(1));
    EXPECT_EQ(CaptureScreen(), before);
}

TEST_F(MenuDraw, LeavingIdleHidesTheCursorAndReturningPutsItBack)
{
    LoadMenu("Main");
    TuiSetCursorInfo(60, 1);
    TuiSetCursorPos(33, 7);
    SetMenuMode(Bar(), MenuModeBar);
    EXPECT_EQ(CursorInfo().bVisible, 0);
    EXPECT_EQ(CursorInfo().dwSize, 60u);
    Screen bar = CaptureScreen();
    TuiSetCursorPos(3, 3);  // drawing moves the cursor
    SetMenuMode(Bar(), MenuModePopup);
    EXPECT_EQ(CaptureScreen(), bar);
    EXPECT_EQ(CursorInfo().bVisible, 0);
    SetMenuMode(Bar(), MenuModeIdle);
    EXPECT_EQ(CursorInfo().bVisible, 1);
    EXPECT_EQ(CursorInfo().dwSize, 60u);
    EXPECT_EQ(CursorPos().X, 33);
    EXPECT_EQ(CursorPos().Y, 7);
}

}  // namespace
}  // namespace tuikit::test

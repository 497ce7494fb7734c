// Menu drawing on the screen cells: a popup's box, items and shadow, and
// the screen kept under a popup.
#include "menu_test_support.h"

namespace tuikit::test {
namespace {

using namespace menu;
using MenuDraw = MenuTest;

TEST_F(MenuDraw, APopupHangsBelowItsTitleWithAShadowThatKeepsTheCharactersAndTheScreenUnderItComesBack)
{
    LoadMenu("Main");
    MenuPopup &edit = ActiveMenu->popups[1];  // at x 8: Copy, Paste (grayed)
    SaveUnder(edit);
    DrawPopup(edit);
    std::string box[] = {"\xDA\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xBF", "\xB3 Copy     \xB3", "\xB3 Paste    \xB3",
                         "\xC0\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xD9", idleScreen.first.substr(5 * 80 + 7, 12)};
    const char *attrs[] = {".wwwwwwwwwwwwkk.", ".wwWwwwwwwwwwkk.", ".wwgggggwwwwwkk.", ".wwwwwwwwwwwwkk.", "..kkkkkkkkkkkkk."};
    for (int row = 1; row <= 5; ++row) {  // the shadow keeps the characters under it
        EXPECT_EQ(RowText(row, 7, 14), box[row - 1] + idleScreen.first.substr(size_t(row) * 80 + 19, 2)) << row;
        EXPECT_EQ(AttrLetters(row, 6, 16), attrs[row - 1]) << row;
    }
    SaveUnder(edit);  // a second save keeps the first area
    RestoreUnder(edit);
    EXPECT_EQ(CaptureScreen(), idleScreen);

    // The box (columns 7 to 18) running off a 12 x 4 buffer comes back too.
    SetConsoleScreenBufferSize(TuiOutputHandle(), COORD{12, 4});
    Screen small = CaptureScreen();
    SaveUnder(edit);
    DrawPopup(edit);
    RestoreUnder(edit);
    EXPECT_EQ(CaptureScreen(), small);
}

}  // namespace
}  // namespace tuikit::test

// Buttons, check boxes, radio buttons and static text as drawn (characters
// and attributes), pressed with the mouse, and the screen under a dialog and
// under a message box opened over it.
#include <map>

#include "controls/static_text.h"
#include "dialog_test_support.h"

namespace tuikit::test {
namespace {

using dialog::CurrentDialog;

// Attributes as letters: W 0xF0, w 0x70, k 0x07, g 0x78, R 0xFC, r 0x7C,
// d 0xF7, '.' anything else.
std::string Attrs(int y, int x, int count)
{
    static const std::map<WORD, char> letters{{0xF0, 'W'}, {0x70, 'w'}, {0x07, 'k'}, {0x78, 'g'},
                                              {0xFC, 'R'}, {0x7C, 'r'}, {0xF7, 'd'}};
    std::string out;
    for (WORD a : RowAttrs(y, x, count)) out.push_back(letters.contains(a) ? letters.at(a) : '.');
    return out;
}

struct Cells {
    std::string text, attrs;
    bool operator==(const Cells &) const = default;
};
void PrintTo(const Cells &c, std::ostream *os) { *os << "'" << c.text << "' " << c.attrs; }
Cells At(int x, int y, int count) { return {RowText(y, x, count), Attrs(y, x, count)}; }

class DialogDrawing : public DialogTest {};

TEST_F(DialogDrawing, FrameTitleShadowsAndEveryControlAsDrawn)
{
    RunDialog("Choices", Check(), {[this] {
                  // Title row 5 centred over the body (columns 20 to 59);
                  // the cell right of it is not drawn.
                  EXPECT_EQ(At(20, 5, 40), (Cells{std::string(16, ' ') + "Choices" + std::string(17, ' '), std::string(40, 'W')}));
                  EXPECT_EQ(Attrs(5, 60, 1), ".");
                  EXPECT_EQ(At(22, 6, 15), (Cells{"Pick one:      ", std::string(15, 'w')}));
                  EXPECT_EQ(At(22, 8, 8), (Cells{"[ ] Bold", "wwwwrwww"}));
                  EXPECT_EQ(At(40, 8, 10), (Cells{"[ ] Italic", "gggwrggggg"}));
                  EXPECT_EQ(At(22, 12, 8), (Cells{"( ) Blue", "wwwwwwrw"}));
                  // OK is the default: markers on its face's first and last cells.
                  EXPECT_EQ(At(34, 15, 10), (Cells{"\x10   OK  \x11\xDC", "WWWWRWWWWw"}));
                  EXPECT_EQ(At(34, 16, 10), (Cells{" " + std::string(9, '\xDF'), "wwwwwwwwww"}));
                  EXPECT_EQ(At(22, 15, 10), (Cells{"  Apply  \xDC", "WWRWWWWWWw"}));
                  // Shadows change attributes only: the pattern's letters stay.
                  EXPECT_EQ(Attrs(18, 21, 40), std::string(40, 'k'));
                  EXPECT_EQ(RowText(18, 21, 40), before.first.substr(18 * 80 + 21, 40));
                  for (int row = 6; row <= 18; ++row) EXPECT_EQ(AttrAt(60, row), 0x07) << row;
                  EXPECT_NE(Attrs(18, 20, 1), "k");
                  // The cursor shows inside the focused check box's brackets.
                  EXPECT_EQ(CursorPos().X, 23);
                  EXPECT_EQ(CursorPos().Y, 8);
                  EXPECT_TRUE(CursorInfo().bVisible);
                  EXPECT_EQ(CursorInfo().dwSize, 25u);
              }});
    ExpectRestored();
}

TEST_F(DialogDrawing, LabelsKeepLiteralAmpersandsOverhangNarrowButtonsAndPassMnemonicsOn)
{
    std::string focus;
    RunDialog("Labels", Check() + Press(VK_TAB) + Press('N', 'n') + Check(), {[] {
                  EXPECT_EQ(At(20, 10, 10), (Cells{"Name:     ", "rwwwwwwwww"}));
                  EXPECT_EQ(At(20, 11, 9), (Cells{"[ ] First", "gggwrgggg"}));
                  // "Fish & Chips" is two wider than its button: it starts a
                  // column to the left, under the default markers of the
                  // focused button; a label seven wider starts three left.
                  EXPECT_EQ(RowText(12, 19, 12), "F\x10sh & Ch\x11ps");
                  EXPECT_EQ(RowText(12, 37, 17), "A very long label");
              }, [&] { focus = std::to_string(CurrentDialog->focusIndex); }});
    // The static's letter passes to the next enabled control: First is
    // disabled, so Fish & Chips takes the focus without being clicked.
    EXPECT_EQ(procCalls, "init key:9 key:78 char:78");
    EXPECT_EQ(focus, "2");
}

class DialogMouse : public DialogTest {};

TEST_F(DialogMouse, APushButtonSendsItsIdOnlyWhenReleasedInside)
{
    struct Case { const char *story; Records input; const char *calls; };
    const std::vector<Case> cases{
        {"press and release inside", Click(24, 15), "init cmd:16"},
        {"released outside", ButtonDown(24, 15) + ButtonUp(50, 10), "init"},
        {"dragged out and back before the release", ButtonDown(24, 15) + DragTo(60, 20) + DragTo(25, 16) + ButtonUp(25, 16),
         "init cmd:16"},
        {"a click on the default button ends the dialog", Click(36, 15), "init cmd:1"},
        {"a press on the shadow row is the button's too", Click(30, 16), "init cmd:16"},
        {"a click on a disabled box or on the body does nothing", Click(41, 8) + Click(50, 12), "init"},
        {"a click on a check box toggles it", Click(27, 8), "init cmd:12"},
        {"a click on a radio button selects it", Click(23, 11), "init cmd:14"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.story);
        RunDialog("Choices", c.input);
        EXPECT_EQ(procCalls, c.calls);
        EXPECT_EQ(CurrentDialog, nullptr);
        ExpectRestored();
    }
}

TEST_F(DialogMouse, AHeldButtonSinksAndKeepsTheMouseUntilReleased)
{
    Cells held, elsewhere;
    WORD markAttr = 0;
    RunDialog("Choices", ButtonDown(24, 15) + DragTo(70, 20) + Check() + ButtonUp(70, 20) + Check() + ButtonDown(23, 8) + Check() +
                             ButtonUp(70, 2),
              {[&] { held = At(22, 15, 10); }, [&] { elsewhere = At(22, 15, 10); }, [&] { markAttr = AttrAt(22, 8); }});
    EXPECT_EQ(held, (Cells{"   Apply  ", "wWWWWWWWWW"}));  // face one column right, no shadow
    EXPECT_EQ(elsewhere, (Cells{"\x10 Apply \x11\xDC", "WWRWWWWWWw"}));  // still the default it became
    EXPECT_EQ(markAttr, 0x07);
    EXPECT_EQ(procCalls, "init");
}

TEST_F(DialogMouse, AMessageBoxOverAHeldButtonReleasesItFirst)
{
    int32_t boxResult = -1;
    onCommand = [&](WORD id, WORD) {
        if (id == 12) boxResult = TuiMessageBox("Held", nullptr, MB_OK);
    };
    Cells apply;
    RunDialog("Choices", ButtonDown(24, 15) + Press('B', 'b') + Press(VK_ESCAPE, '\x1b') + Check() + ButtonUp(24, 15) + Check(),
              {[] { EXPECT_NE(CurrentDialog->previous, nullptr) << "the box should be running"; }, [&] { apply = At(22, 15, 10); }});
    EXPECT_EQ(boxResult, IDCANCEL);
    // The release that ended the press came from the box, at cell 0,0:
    // Apply never clicked, and it is drawn unpressed.
    EXPECT_EQ(procCalls, "init key:66 cmd:12 char:66");
    EXPECT_EQ(apply, (Cells{"  Apply  \xDC", "WWRWWWWWWw"}));
    ExpectRestored();
}

TEST_F(DialogMouse, AMessageBoxOverADialogGivesBackExactlyWhatItCovered)
{
    Screen underBox, afterBox;
    COORD cursorUnder{}, cursorAfter{};
    int32_t answer = 0;
    onCommand = [&](WORD id, WORD) {
        if (id != 16) return;
        underBox = CaptureScreen();
        cursorUnder = CursorPos();
        answer = TuiMessageBox("Over the dialog\nin two lines", "Nested", MB_YESNO);
        afterBox = CaptureScreen();
        cursorAfter = CursorPos();
    };
    RunDialog("Choices", Press('A', 'a') + Press(VK_RETURN, '\r') + Check() + Press(VK_ESCAPE, '\x1b'));
    EXPECT_EQ(afterBox, underBox);
    EXPECT_EQ(cursorAfter.X, cursorUnder.X);
    EXPECT_EQ(cursorAfter.Y, cursorUnder.Y);
    // Enter answered the box; the dialog had only what came after it.
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(procCalls, "init key:65 cmd:16 char:65 cmd:2 key:27 char:27");
    ExpectRestored();
}

TEST(WrapText, BreaksAtSpacesAndLineFeedsAndCutsLongWords)
{
    struct Case { const char *text; int width; std::vector<std::string> lines; int longest; };
    const std::vector<Case> cases{
        {"abc de", 4, {"abc", "de"}, 3},
        {"ab cd", 4, {"ab", "cd"}, 2},
        {"abc  de", 4, {"abc ", "de"}, 4},
        {"a\nb", 4, {"a", "b"}, 1},
        {"\n\n", 4, {"", ""}, 0},
        {"ab\n", 4, {"ab"}, 2},
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}, 4},
        {"abcd   \nx", 4, {"abcd", "x"}, 4},
        {"abcd   ", 4, {"abcd"}, 4},
        {"0123456789", 60, {"0123456789"}, 10},
        {"", 60, {}, 0},
    };
    for (const Case &c : cases) {
        auto wrapped = controls::WrapText(c.text, c.width);
        EXPECT_EQ(wrapped.lines, c.lines) << c.text;
        EXPECT_EQ(wrapped.longest, c.longest) << c.text;
    }
}

}  // namespace
}  // namespace tuikit::test

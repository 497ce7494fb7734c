// Message boxes: their geometry and screen, the button sets and the
// initially chosen button, and what each key or click returns.
#include "dialog_test_support.h"

namespace tuikit::test {
namespace {

using dialog::CurrentDialog;

int32_t Box(const char *text, const char *caption, UINT type, const Records &input, std::vector<std::function<void()>> checks = {})
{
    return RunWith([=] { return TuiMessageBox(text, caption, type); }, input, std::move(checks));
}

class MessageBox : public DialogTest {};

TEST_F(MessageBox, AOneLineBoxIsCentredWithItsButtonsUnderTheText)
{
    std::vector<std::string> rows;
    std::vector<WORD> attrs;
    Box("Save changes?", "Editor", MB_YESNOCANCEL, Check() + Press(VK_ESCAPE, '\x1b'), {[&] {
            for (int y = 8; y <= 15; ++y) rows.push_back(RowText(y, 8, 65));
            attrs = {AttrAt(8, 8), AttrAt(8, 9), AttrAt(21, 13), AttrAt(24, 13), AttrAt(31, 13), AttrAt(22, 14), AttrAt(72, 10),
                     AttrAt(9, 15), AttrAt(72, 8)};
            EXPECT_FALSE(CursorInfo().bVisible);  // the first button was focused from the start
        }});
    const std::string blank(64, ' ');
    EXPECT_EQ(rows[0].substr(0, 64), std::string(29, ' ') + "Editor" + std::string(29, ' '));
    EXPECT_EQ(rows[1].substr(0, 64), blank);
    EXPECT_EQ(rows[3].substr(0, 64), std::string(25, ' ') + "Save changes?" + std::string(26, ' '));
    EXPECT_EQ(rows[6].substr(13, 38), " " + std::string(9, '\xDF') + "     " + std::string(9, '\xDF') + "     " + std::string(9, '\xDF'));
    EXPECT_EQ(attrs, (std::vector<WORD>{0xF0, 0x70, 0xF0, 0xFC, 0x70, 0x70, 0x07, 0x07, before.second[8 * 80 + 72]}));
    ExpectRestored();
}

TEST_F(MessageBox, EachSetAndChosenButtonReturnsWhatTheUserPicked)
{
    const Records kEnter = Press(VK_RETURN, '\r'), kEscape = Press(VK_ESCAPE, '\x1b');
    struct Case { const char *story; UINT type; Records input; int32_t result; };
    const std::vector<Case> cases{
        {"Escape cancels even without a Cancel button", MB_OK, kEscape, IDCANCEL},
        {"Yes is focused and default", MB_YESNO, kEnter, IDYES},
        {"the second button can be chosen", MB_YESNO | MB_DEFBUTTON2, kEnter, IDNO},
        {"and the third", MB_YESNOCANCEL | MB_DEFBUTTON3, kEnter, IDCANCEL},
        {"a third that does not exist leaves the first", MB_OKCANCEL | MB_DEFBUTTON3, kEnter, IDOK},
        {"an upper-case mnemonic", MB_YESNO, Press('N', 'N'), IDNO},
        {"Retry of abort, retry, ignore", MB_ABORTRETRYIGNORE, Press('R', 'r'), IDRETRY},
        {"Tab moves to the next button", MB_RETRYCANCEL, Press(VK_TAB, '\t') + kEnter, IDCANCEL},
        {"Right moves along the row", MB_ABORTRETRYIGNORE, Press(VK_RIGHT) + Press(VK_RIGHT) + kEnter, IDIGNORE},
        {"icons and other bits are ignored", MB_YESNO | MB_ICONQUESTION, kEnter, IDYES},
        {"a box without buttons ignores Enter and ends on Escape", 6, kEnter + kEscape, IDCANCEL},
        {"the box stays until something ends it", MB_OK, Press('Q', 'q'), kStillOpen},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.story);
        EXPECT_EQ(Box("Choose", "Test", c.type, c.input), c.result);
        EXPECT_EQ(CurrentDialog, nullptr);
        ExpectRestored();
    }
}

TEST_F(MessageBox, TextIsWrappedIntoCentredLinesAndTheCursorShowsOnAFocusedButton)
{
    struct Seen { int lines, top, column; bool cursor; int cursorX, cursorY; std::string title; };
    auto look = [&](const char *text, const char *caption, UINT type) {
        Seen seen{};
        Box(text, caption, type, Check(), {[&] {
                const dialog::DialogWindow &d = *CurrentDialog;
                seen = {d.height - 5, d.top, d.At(0)->x, CursorInfo().bVisible != 0, CursorPos().X, CursorPos().Y,
                        RowText(d.top - 1, d.left, d.width)};
            }});
        return seen;
    };
    const std::string longText(40, 'a');
    Seen wrapped = look((longText + " " + longText + "\nlast\n").c_str(), nullptr, MB_OK);
    EXPECT_EQ(wrapped.lines, 3);  // no empty line after the final line feed
    EXPECT_EQ(wrapped.column, 8 + 2 + 10);
    EXPECT_EQ(wrapped.title, std::string(28, ' ') + "Message" + std::string(29, ' '));
    EXPECT_TRUE(wrapped.cursor);  // the OK button is not control 1 here
    EXPECT_EQ(wrapped.cursorX, 35 + 4);
    EXPECT_EQ(wrapped.cursorY, wrapped.top + 3 + 3);

    Seen empty = look("", "", MB_OK);
    EXPECT_EQ(empty.lines, 1);
    EXPECT_EQ(empty.column, 8 + 2 + 30);
    EXPECT_EQ(empty.title, std::string(64, ' '));
    EXPECT_FALSE(empty.cursor);

    Seen ten = look("0123456789", "T", MB_OK);
    EXPECT_EQ(ten.column, 8 + 27);
    ExpectRestored();
}

TEST_F(MessageBox, EverySetLaysItsButtonsOutCentredUnderTheText)
{
    // The button row of a one-line box, columns 8 to 71; the first button
    // is the default.
    const std::vector<std::pair<UINT, std::string>> sets{
        {MB_OK, "                           \x10   OK  \x11\xDC                           "},
        {MB_OKCANCEL, "                    \x10   OK  \x11\xDC      Cancel \xDC                    "},
        {MB_ABORTRETRYIGNORE, "             \x10 Abort \x11\xDC      Retry  \xDC      Ignore \xDC             "},
        {MB_YESNOCANCEL, "             \x10  Yes  \x11\xDC        No   \xDC      Cancel \xDC             "},
        {MB_YESNO, "                    \x10  Yes  \x11\xDC        No   \xDC                    "},
        {MB_RETRYCANCEL, "                    \x10 Retry \x11\xDC      Cancel \xDC                    "},
        {7, std::string(64, ' ')},
    };
    for (const auto &[type, row] : sets) {
        std::string seen;
        Box("x", "Sets", type, Check() + Press(VK_ESCAPE, '\x1b'), {[&] { seen = RowText(13, 8, 64); }});
        EXPECT_EQ(seen, row) << type;
    }
}

}  // namespace
}  // namespace tuikit::test

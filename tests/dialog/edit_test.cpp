// Edit fields as a user meets them: typing into a narrow field that scrolls,
// the keys it takes and those it leaves to the dialog, the caret shown by the
// cursor, clicks, password masking and what TuiGetDlgItemText returns.
#include "control_test_support.h"

namespace tuikit::test {
namespace {

// Fields: edit 10 at (18, 4), password 11 at (18, 6), disabled 14 at (35, 4);
// all 10 wide.
struct FieldView {
    std::string cells;
    int cursorColumn;
    bool operator==(const FieldView &) const = default;
};
void PrintTo(const FieldView &v, std::ostream *os) { *os << "'" << v.cells << "' cursor " << v.cursorColumn; }

FieldView Field(int y)
{
    EXPECT_EQ(CursorPos().Y, y);
    return {RowText(y, 18, 10), CursorPos().X};
}

std::string Text(uint32_t id)
{
    char buffer[64] = {};
    EXPECT_EQ(TuiGetDlgItemText(id, buffer, sizeof buffer), 1);
    return buffer;
}

class EditField : public ControlTest {};

TEST_F(EditField, TypingScrollsTheViewAndTheCursorStaysOnTheCaret)
{
    struct Step {
        Records keys;
        FieldView view;
    };
    const std::vector<Step> steps{
        {Press(VK_RIGHT) + Press(VK_DELETE), {"[........]", 19}},  // nothing to pass or delete yet
        {Type("abc") + Press(VK_RIGHT) + Press(VK_DELETE), {"[abc.....]", 22}},  // nothing after the caret
        // The eighth character scrolls: the caret's cell, last before ']', is a dot.
        {Type("defgh"), {"[bcdefgh.]", 26}},
        {Press(VK_LEFT) + Press(VK_LEFT), {"[bcdefgh.]", 24}},
        {Press(VK_HOME) + Press(VK_END), {"[bcdefgh.]", 24}},  // left to the dialog
        {Type("X"), {"[bcdefXgh]", 25}},
        // Back to the start: the view follows the caret to the left.
        {Press(VK_LEFT) + Press(VK_LEFT) + Press(VK_LEFT) + Press(VK_LEFT) + Press(VK_LEFT) + Press(VK_LEFT),
         {"[bcdefXgh]", 19}},
        {Press(VK_LEFT) + Press(VK_LEFT), {"[abcdefXg]", 19}},  // the second is consumed at 0
        {Press(VK_DELETE), {"[bcdefXgh]", 19}},
        {Press(VK_END) + Press(VK_RIGHT) + Press(VK_RIGHT) + Press(VK_BACK, '\b'), {"[bdefXgh.]", 20}},
    };
    Records input;
    std::vector<std::function<void()>> checks;
    for (const Step &s : steps) {
        input = input + s.keys + Check();
        checks.push_back([view = s.view] { EXPECT_EQ(Field(4), view); });
    }
    input = input + Check();
    checks.push_back([] {
        EXPECT_EQ(CursorInfo().dwSize, 25u);
        EXPECT_TRUE(CursorInfo().bVisible);
        EXPECT_EQ(Text(10), "bdefXgh");
    });
    RunAt("Fields", input, checks);
    // Home and End go on to the procedure; Left, Right, Backspace, Delete
    // and every character stop at the field.
    EXPECT_NE(procCalls.find("key:36 key:35"), std::string::npos) << procCalls;
    const std::string calls = " " + procCalls + " ";
    for (const char *taken : {" key:37 ", " key:39 ", " key:8 ", " key:46 ", " char:"})
        EXPECT_EQ(calls.find(taken), std::string::npos) << taken;
}

TEST_F(EditField, OnlyPrintableCharactersGoIn)
{
    // 0xE9 arrives sign-extended (-23); 0x7F, Tab's and Escape's characters
    // are control codes. Each is consumed.
    const Records odd{KeyRecord(true, 'E', '\xE9'), KeyRecord(true, 'X', '\x7F'), KeyRecord(true, 'Z', '\x1B')};
    RunAt("Fields", Type("a") + odd + Type("b") + Check(), {[] { EXPECT_EQ(Text(10), "ab"); }});
    EXPECT_EQ(procCalls, "init key:65 key:69 key:88 key:90 key:66");
}

TEST_F(EditField, PasswordFieldShowsStarsAndGivesTheText)
{
    RunAt("Fields", Press(VK_TAB, '\t') + Type("s3cr") + Check(),
          {[] {
              EXPECT_EQ(Field(6), (FieldView{"[****....]", 23}));
              EXPECT_EQ(Text(11), "s3cr");
              // Text set by the application is masked the same way.
              EXPECT_EQ(TuiSetDlgItemText(11, "a&bcdefghij"), 1);
              EXPECT_EQ(RowText(6, 18, 10), "[********]");
              EXPECT_EQ(Text(11), "a&bcdefghij");
          }});
}

TEST_F(EditField, AmpersandsStayLiteralAndDisabledFieldsAreGreyAndDeaf)
{
    onInit = [] { TuiSetDlgItemText(14, "&off"); };
    RunAt("Fields", Click(37, 4) + Type("x") + Check(), {[] {
              EXPECT_EQ(RowText(4, 35, 10), "[&off....]");
              EXPECT_EQ(Item<controls::DlgEdit>(14).mnemonicChar, 0);
              EXPECT_EQ(Text(14), "&off");
              EXPECT_EQ(RowAttrs(4, 35, 10), std::vector<WORD>(10, 0x78));
              EXPECT_EQ(RowAttrs(4, 18, 10), std::vector<WORD>(10, 0xF0));
              // The click on the disabled field moved nothing; the typing
              // went into the focused one.
              EXPECT_EQ(dialog::CurrentDialog->focusIndex, 1);
              EXPECT_EQ(Field(4), (FieldView{"[x.......]", 20}));
          }});
}

TEST_F(EditField, ClicksPutTheCaretBeforeTheCharacterUnderTheMouse)
{
    struct Case {
        const char *text;
        int column;
        FieldView view;  // then 'X' typed
    };
    const std::vector<Case> cases{
        {"abcdef", 21, {"[abXcdef.]", 22}},      // on 'c'
        {"abcdef", 18, {"[Xabcdef.]", 20}},      // on '['
        {"abc", 25, {"[abcX....]", 23}},         // on a dot: the end
        {"abcdefghijk", 27, {"[cdefghXi]", 26}},  // on ']' with more text: the view moves on
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.column);
        RunAt("Fields", Check() + Click(c.column, 4) + Type("X") + Check(),
              {[&] { TuiSetDlgItemText(10, c.text); }, [&] { EXPECT_EQ(Field(4), c.view); }});
    }
}

}  // namespace
}  // namespace tuikit::test

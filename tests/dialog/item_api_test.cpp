// The dialog item functions from the application's side: every call on every
// kind of control of "Kinds", with no dialog running and on a message box
// opened over a dialog, with the exact results and what they draw.
#include <cstring>

#include "control_test_support.h"

namespace tuikit::test {
namespace {

// Every call once on the control with the id, in an order where each one
// shows its own effect: "c<check> i<checked> s<set text> t<get text>:<text>
// k<colour> a<add> v<set active> x<index> r<remove all> R<rect>".
std::string EveryCall(uint32_t id)
{
    std::string out;
    auto note = [&out](const std::string &s) { out += (out.empty() ? "" : " ") + s; };
    note("c" + std::to_string(TuiCheckDlgItem(id, 1)));
    note("i" + std::to_string(TuiIsDlgItemChecked(id)));
    note("s" + std::to_string(TuiSetDlgItemText(id, "&New")));
    char text[16] = "?";
    note("t" + std::to_string(TuiGetDlgItemText(id, text, sizeof text)) + ":" + text);
    note("k" + std::to_string(TuiSetDlgItemColor(id, 0x1F, 0x70)));
    note("a" + std::to_string(TuiListBoxAddString(id, "one")));
    note("v" + std::to_string(TuiListBoxSetActive(id, 0)));
    note("x" + std::to_string(TuiGetListBoxIndex(id)));
    note("r" + std::to_string(TuiListBoxRemoveAll(id)));
    RECT rect{-7, -7, -7, -7};
    const int got = TuiGetDlgItemRect(id, &rect);
    note("R" + std::to_string(got) + ":" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom));
    TuiEnableDlgItem(id, 1);
    return out;
}

const std::string kNotDone = "c0 i0 s0 t0:? k0 a0 v0 x-1 r0 R0:-7,-7,-7,-7";

class ItemFunctions : public ControlTest {};

TEST_F(ItemFunctions, EveryCallOnEveryKind)
{
    EXPECT_EQ(EveryCall(1), kNotDone) << "no dialog running yet";
    const std::vector<std::pair<uint32_t, std::string>> expected{
        {40, "c0 i0 s1 t1:New k1 a0 v0 x-1 r0 R1:11,3,21,4"},         // static text
        {10, "c0 i0 s1 t1:&New k1 a0 v0 x-1 r0 R1:11,4,21,5"},        // edit field: & kept
        {20, "c0 i0 s1 t1: k1 a1 v1 x0 r1 R1:11,6,31,11"},            // list box
        {30, "c0 i1 s1 t1:New k1 a0 v0 x-1 r0 R1:35,4,50,5"},         // check box: stored, 0
        {31, "c1 i1 s1 t1:New k1 a0 v0 x-1 r0 R1:35,6,45,7"},         // radio button: selected, 1
        {33, "c0 i0 s1 t1:New k1 a0 v0 x-1 r0 R1:35,10,45,12"},       // push button
        {99, kNotDone},                                              // no such control
        {0x10000 + 40, kNotDone},                                    // ids are 16-bit
    };
    RunAt("Kinds", Check(), {[&] {
              for (const auto &[id, calls] : expected) EXPECT_EQ(EveryCall(id), calls) << "id " << id;
          }});
    // The radio button's selection and the list box's reached the procedure.
    EXPECT_EQ(procCalls, "init cmd:20/1 cmd:31");
    // Once the dialog has ended its controls are gone: nothing is done.
    EXPECT_EQ(EveryCall(10), kNotDone);
}

TEST_F(ItemFunctions, TextIsCutToTheBuffer)
{
    struct Case {
        int32_t size;
        int result;
        const char *text;  // then the bytes after it stay '#'
    };
    const std::vector<Case> cases{{1, 1, ""}, {4, 1, "Hel"}, {5, 1, "Hell"}, {6, 1, "Hello"}, {8, 1, "Hello"}, {0, 0, "#"}};
    RunAt("Kinds", Check(), {[&] {
              ASSERT_EQ(TuiSetDlgItemText(10, "Hello"), 1);
              for (const Case &c : cases) {
                  char buffer[10];
                  std::memset(buffer, '#', sizeof buffer);
                  EXPECT_EQ(TuiGetDlgItemText(10, buffer, c.size), c.result) << c.size;
                  const size_t n = std::strlen(c.text);
                  EXPECT_EQ(std::string(buffer, n), c.text) << c.size;
                  if (c.result) {
                      EXPECT_EQ(buffer[n], '\0') << c.size;
                  }
                  EXPECT_EQ(buffer[n + 1], '#') << c.size;
              }
              EXPECT_EQ(TuiGetDlgItemText(10, nullptr, 8), 0);
          }});
}

TEST_F(ItemFunctions, CheckingRadioButtonsCheckBoxesAndPushButtons)
{
    RunAt("Kinds", Check(), {[] {
              EXPECT_EQ(TuiCheckDlgItem(31, 1), 1);
              // 0 or any other value on a radio button changes nothing.
              EXPECT_EQ(TuiCheckDlgItem(31, 0), 1);
              EXPECT_EQ(TuiCheckDlgItem(32, 2), 1);
              EXPECT_EQ(TuiIsDlgItemChecked(31), 1);
              EXPECT_EQ(TuiIsDlgItemChecked(32), 0);
              // Checking the other one moves the check; checking it again does nothing.
              EXPECT_EQ(TuiCheckDlgItem(32, 1), 1);
              EXPECT_EQ(TuiCheckDlgItem(32, 1), 1);
              EXPECT_EQ(TuiIsDlgItemChecked(31), 0);
              EXPECT_EQ(RowText(6, 35, 3) + RowText(7, 35, 3), "( )(\x07)");
              // A check box stores the value as given and draws any nonzero one checked.
              EXPECT_EQ(TuiCheckDlgItem(30, 2), 0);
              EXPECT_EQ(TuiIsDlgItemChecked(30), 2);
              EXPECT_EQ(RowText(4, 35, 3), "[X]");
              EXPECT_EQ(TuiCheckDlgItem(30, 0), 0);
              EXPECT_EQ(RowText(4, 35, 3), "[ ]");
          }});
    EXPECT_EQ(procCalls, "init cmd:31 cmd:32");
}

TEST_F(ItemFunctions, ListBoxSelectionByTheApplication)
{
    onInit = [] {
        for (const char *item : {"red", "green", "blue"}) TuiListBoxAddString(20, item);
    };
    RunAt("Kinds", Check(), {[] {
              EXPECT_EQ(TuiListBoxSetActive(20, 3), 0);  // one past the last item
              EXPECT_EQ(TuiListBoxSetActive(20, -2), 0);
              EXPECT_EQ(TuiListBoxSetActive(20, 1), 1);
              EXPECT_EQ(TuiListBoxSetActive(20, 1), 1);  // unchanged: no notification
              char text[8];
              TuiGetDlgItemText(20, text, sizeof text);
              EXPECT_STREQ(text, "green");
              EXPECT_EQ(RowText(8, 12, 5), "green");
              EXPECT_EQ(AttrAt(12, 8), 0x07);
              EXPECT_EQ(TuiListBoxSetActive(20, -1), 1);
              EXPECT_EQ(TuiGetListBoxIndex(20), -1);
              EXPECT_EQ(AttrAt(12, 8), 0x70);
              EXPECT_EQ(TuiListBoxRemoveAll(20), 1);  // no notification
              EXPECT_EQ(RowText(7, 12, 5), "     ");
          }});
    EXPECT_EQ(procCalls, "init cmd:20/1 cmd:20/1");
}

TEST_F(ItemFunctions, NewTextsCarryTheirMnemonicAndDisabledControlsTakeNoKeys)
{
    RunAt("Kinds",
          Check() + WithAlt('S') + Type("ab") + Check() + Type("c") + Check(),
          {[] {
               EXPECT_EQ(TuiSetDlgItemText(30, "&Save"), 1);
               EXPECT_EQ(RowText(4, 35, 8), "[ ] Save");
               EXPECT_EQ(AttrAt(39, 4), 0x7C);
               // The focused edit field is disabled and keeps the focus.
               TuiEnableDlgItem(10, 0);
               EXPECT_EQ(RowAttrs(4, 11, 10), std::vector<WORD>(10, 0x78));
           },
           [] {
               EXPECT_EQ(TuiIsDlgItemChecked(30), 1);
               char text[8] = "?";
               TuiGetDlgItemText(10, text, sizeof text);
               EXPECT_STREQ(text, "");
               TuiEnableDlgItem(10, 1);
               EXPECT_EQ(dialog::CurrentDialog->focusIndex, 3);  // Alt+S moved it to the check box
           },
           [] {}});
    EXPECT_EQ(procCalls, "init cmd:30 sys:83 key:65 char:65 key:66 char:66 key:67 char:67");
}

TEST_F(ItemFunctions, AMessageBoxOverTheDialogIsTheOneTheyActOn)
{
    int32_t answer = 0;
    onCommand = [&](WORD id, WORD) {
        if (id == 33) answer = TuiMessageBox("Sure?", "Box", MB_OKCANCEL);
    };
    // The mark after Enter still reaches the ending box; the last one the dialog.
    RunAt("Kinds", Check() + WithAlt('G') + Check() + Press(VK_RETURN, '\r') + Check() + Check(),
          {[] { TuiSetDlgItemText(10, "kept"); },
           [] {
               char text[8] = "?";
               EXPECT_EQ(TuiGetDlgItemText(IDCANCEL, text, sizeof text), 1);
               EXPECT_STREQ(text, "Cancel");
               EXPECT_EQ(TuiGetDlgItemText(10, text, sizeof text), 0);  // the dialog's field
               EXPECT_EQ(TuiListBoxAddString(20, "x"), 0);
               RECT ok{};
               EXPECT_EQ(TuiGetDlgItemRect(IDOK, &ok), 1);
               EXPECT_EQ(ok.right - ok.left, 10);
               EXPECT_EQ(ok.bottom - ok.top, 2);
           },
           [] {},
           [] {
               char text[8] = "?";
               EXPECT_EQ(TuiGetDlgItemText(10, text, sizeof text), 1);
               EXPECT_STREQ(text, "kept");
           }});
    EXPECT_EQ(answer, IDOK);
}

}  // namespace
}  // namespace tuikit::test

// The demo's sign-in form filled as a user would, in memory: typed fields, a
// server chosen by a double click.
#include "control_test_support.h"
#include "demo_form.h"
#include "demo_form_ids.h"

namespace tuikit::test {
namespace {

class DemoForm : public ControlTest {
protected:
    std::string result;
    void Fill(const Records &input, std::vector<std::function<void()>> checks = {})
    {
        RunWith(
            [this] {
                result = DemoSignIn();
                return 0;
            },
            input, std::move(checks));
    }
};

// The form is centred: body at (10, 4); the server list at (47, 5), its
// item rows from row 6.
TEST_F(DemoForm, ADoubleClickOnAServerSignsIn)
{
    const Records doubleClick =
        Click(50, 8) + Records{MouseRecord(50, 8, FROM_LEFT_1ST_BUTTON_PRESSED, 0, DOUBLE_CLICK)} + ButtonUp(50, 8);
    Fill(Type("ana") + Press(VK_TAB, '\t') + Type("secret") + WithAlt('H') + Check() + doubleClick,
         {[] {
             EXPECT_EQ(TuiListBoxAddString(IDC_FORM_SERVER, "x"), 1);  // the list is the form's
             EXPECT_EQ(RowText(8, 48, 19), "mail.berlin.example");
             EXPECT_EQ(RowText(7, 24, 20), "[******............]");
         }});
    EXPECT_EQ(result, "ana, password of 6, home on mail.berlin.example");
    ExpectRestored();
}

}  // namespace
}  // namespace tuikit::test

// The demo's text view answering its bars: dragging the thumb and clicking
// the arrows scroll the text.
#include "examples/demo_scroll.h"
#include "scroll_app.h"

namespace tuikit::test {
namespace {

class DemoTextView : public ScrollBarApp {
protected:
    void SetUp() override
    {
        ScrollBarApp::SetUp();
        // Text area columns 5..42, rows 15..20; vertical bar in column 43,
        // horizontal bar in row 21.
        DemoScrollStart(5, 15, 43, 21);
        answer = [](const Msg &m) {
            DemoScrollMessage(m.message, static_cast<WPARAM>(m.wParam), static_cast<LPARAM>(m.lParam));
        };
    }
    static std::string Row(int y) { return RowText(y, 5, 38); }
};

TEST_F(DemoTextView, DraggingTheThumbToTheEndShowsTheLastLines)
{
    ASSERT_EQ(Row(15).rfind("Line 1:", 0), 0u) << Row(15);
    ASSERT_EQ(CharAt(43, 16), '\xDB');
    Press(43, 16);
    MoveHeld(43, 19);
    Release(43, 19);
    EXPECT_EQ(Row(15).rfind("Line 55:", 0), 0u) << Row(15);
    EXPECT_EQ(Row(20).rfind("Line 60:", 0), 0u) << Row(20);
    EXPECT_EQ(CharAt(43, 19), '\xDB');
}

TEST_F(DemoTextView, ArrowsScrollByOneLineAndOneColumn)
{
    std::string second = Row(16);
    Click(43, 20);
    EXPECT_EQ(Row(15), second) << "the text moved up one line";
    std::string shown = Row(15);
    Click(42, 21);
    EXPECT_EQ(Row(15), shown.substr(1) + Row(15).back()) << "and one column left";
    EXPECT_EQ(Row(15).rfind("ine 2:", 0), 0u);
}

}  // namespace
}  // namespace tuikit::test

// The modal loop with the keyboard: what the dialog procedure receives and
// in which order, where the focus and the default button go with Tab,
// Shift+Tab, arrows and mnemonics, and how dialogs end.
#include <algorithm>

#include "controls/check_box.h"
#include "controls/radio_button.h"
#include "dialog_test_support.h"

namespace tuikit::test {
namespace {

using dialog::CurrentDialog;

// Choices: 0 static, 1 Bold, 2 Italic (disabled), 3 Red, 4 Green, 5 Blue,
// 6 Apply, 7 OK (default), 8 Cancel.
const Records kTab = Press(VK_TAB, '\t');
const Records kShiftTab = Records{KeyRecord(true, VK_SHIFT, 0, SHIFT_PRESSED)} + Press(VK_TAB, '\t') +
                          Records{KeyRecord(false, VK_SHIFT)};
const Records kEscape = Press(VK_ESCAPE, '\x1b'), kEnter = Press(VK_RETURN, '\r'), kSpace = Press(VK_SPACE, ' ');
const Records kUp = Press(VK_UP), kDown = Press(VK_DOWN);
Records Type(char c) { return Press(WORD(toupper(c)), c); }

struct Story {
    const char *story;
    Records input;  // Check() marks where focus and default are noted
    const char *calls;
    const char *trace;  // "focus/default" at each mark
    int32_t result;
};

// "3/7": the focused and the default control's indexes; a checked radio
// button or check box adds "+index".
std::string FocusAndDefault()
{
    const dialog::DialogWindow &d = *CurrentDialog;
    std::string out = std::to_string(d.focusIndex) + "/" + std::to_string(d.defaultIndex);
    for (const auto &c : d.controls)
        if ((c->kind == controls::kRadioButtonKind || c->kind == controls::kCheckBoxKind) &&
            static_cast<controls::DlgMarkButton *>(c.get())->checked)
            out += "+" + std::to_string(c->index);
    return out;
}

class DialogKeyboard : public DialogTest {
protected:
    void Run(const std::vector<Story> &stories)
    {
        for (const Story &s : stories) {
            SCOPED_TRACE(s.story);
            std::string trace;
            const auto marks = std::count_if(s.input.begin(), s.input.end(), [](const INPUT_RECORD &r) {
                return r.EventType == KEY_EVENT && r.Event.KeyEvent.wVirtualKeyCode == kCheckKey;
            });
            std::vector<std::function<void()>> checks(size_t(marks), [&] { trace += (trace.empty() ? "" : " ") + FocusAndDefault(); });
            EXPECT_EQ(RunDialog("Choices", s.input, checks), s.result);
            EXPECT_EQ(procCalls, s.calls);
            EXPECT_EQ(trace, s.trace);
            ExpectRestored();
        }
    }
};

TEST_F(DialogKeyboard, EnterEscapeAndSpaceReachTheProcedureInOrder)
{
    Run({
        {"the first control that can take the focus has it, the template's default button is the default", Check(), "init",
         "1/7", kStillOpen},
        {"Escape sends IDCANCEL before its own key and character", kEscape, "init cmd:2 key:27 char:27", "", IDCANCEL},
        {"Enter sends the default button's id", kEnter, "init cmd:1 key:13 char:13", "", IDOK},
        {"Space toggles the focused check box, whose character goes on", kSpace + Check() + kSpace + Check(),
         "init cmd:12 char:32 cmd:12 char:32", "1/7+1 1/7", kStillOpen},
        {"Enter on a focused push button is that button's", kTab + kTab + Check() + kEnter, "init key:9 char:9 key:9 char:9 cmd:16 char:13", "6/6", kStillOpen},
        {"Space on a focused push button sends its id", kTab + kTab + kTab + kTab + kSpace,
         "init key:9 char:9 key:9 char:9 key:9 char:9 key:9 char:9 cmd:2 char:32", "", IDCANCEL},
    });
}

TEST_F(DialogKeyboard, TabVisitsTabStopsAndRadioGroupsOnce)
{
    Run({
        {"Tab skips the static and the disabled box and wraps", kTab + Check() + kTab + Check() + kTab + Check() + kTab + Check() +
                                                                     kTab + Check(),
         "init key:9 char:9 key:9 char:9 key:9 char:9 key:9 char:9 key:9 char:9", "3/7 6/6 7/7 8/8 1/7", kStillOpen},
        {"Shift+Tab goes back, giving the default back when it leaves a push button",
         kShiftTab + Check() + kShiftTab + Check() + kShiftTab + Check() + kShiftTab + Check(),
         "init key:16 key:9 char:9 key:16 key:9 char:9 key:16 key:9 char:9 key:16 key:9 char:9", "8/8 7/7 6/6 3/7",
         kStillOpen},
        {"Tab into a radio group lands on its checked button", Type('g') + kTab + Check() + kShiftTab + Check(),
         "init key:71 cmd:14 char:71 key:9 char:9 key:16 key:9 char:9", "6/6+4 4/7+4", kStillOpen},
        {"Shift+Tab leaves a radio group from its first button", kTab + kDown + Check() + kShiftTab + Check(),
         "init key:9 char:9 cmd:14 key:40 key:16 key:9 char:9",
         "4/7+4 1/7+4", kStillOpen},
    });
}

TEST_F(DialogKeyboard, ArrowsWalkTheGroupSkippingStatics)
{
    Run({
        {"landing on a radio button checks it and notifies", kTab + kDown + Check() + kDown + Check() + kDown + Check(),
         "init key:9 char:9 cmd:14 key:40 cmd:15 key:40 cmd:13 key:40", "4/7+4 5/7+5 3/7+3", kStillOpen},
        {"Up wraps to the group's last button", kTab + kUp + Check(), "init key:9 char:9 cmd:15 key:38", "5/7+5", kStillOpen},
        {"an arrow may land on a disabled control, never on a static", kDown + Check() + kDown + Check() + kUp + Check(), "init key:40 key:40 key:38",
         "2/7 1/7 2/7", kStillOpen},
        {"arrows among push buttons move the default with the focus", kShiftTab + Press(VK_RIGHT) + Check(), "init key:16 key:9 char:9 key:39",
         "6/6", kStillOpen},
    });
}

TEST_F(DialogKeyboard, MnemonicsActivateEveryEnabledMatch)
{
    Run({
        {"a typed letter activates its control between the key and the character", Type('g') + Check(),
         "init key:71 cmd:14 char:71", "4/7+4", kStillOpen},
        {"Alt with the letter does too", WithAlt('U') + Check(), "init cmd:15 sys:85", "5/7+5", kStillOpen},
        {"a disabled control's letter does nothing", Type('i') + Check(), "init key:73 char:73", "1/7", kStillOpen},
        {"a push button's letter focuses and clicks it", Type('a') + Check(), "init key:65 cmd:16 char:65", "6/6", kStillOpen},
        {"the procedure receives the upper-cased character", Type('q'), "init key:81 char:81", "", kStillOpen},
        {"so a letter can end the dialog", Type('c'), "init key:67 cmd:2 char:67", "", IDCANCEL},
    });
}

TEST_F(DialogKeyboard, EndingTheDialogDuringItsSetUpEndsItAsItsLoopStarts)
{
    onCommand = nullptr;
    // The end marker may reach the ending loop before its quit; the
    // recording procedure leaves markers out.
    const auto ends = [](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_INITDIALOG) TuiEndDialog(42);
        return RecordingDialogProc(dialog, message, wParam, lParam);
    };
    EXPECT_EQ(RunWith([&] { return TuiDialogBox("Choices", ends, -1, -1); }, {}), 42);
    EXPECT_EQ(procCalls, "init");
    EXPECT_EQ(CurrentDialog, nullptr);
    ExpectRestored();
}

TEST_F(DialogKeyboard, AQuitPostedByAnyoneEndsTheInnermostDialogWithItsLastCode)
{
    onCommand = [](WORD id, WORD) {
        if (id == 16) TuiEndDialog(5), TuiEndDialog(6);
    };
    EXPECT_EQ(RunDialog("Choices", Type('a')), 6);
    EXPECT_EQ(procCalls, "init key:65 cmd:16 char:65");
}

}  // namespace
}  // namespace tuikit::test

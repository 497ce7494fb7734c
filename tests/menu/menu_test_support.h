// A screen filled with a known pattern, an application procedure that notes
// what it is called with, and input records for driving the bar the way a
// user does.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "menu/menu_draw.h"
#include "menu/menu_model.h"
#include "support/console_driver.h"
#include "support/records.h"

namespace tuikit::test {

// Feeds the records through the pump into TuiDispatchMessage, then
// dispatches what the menu posted, as an application loop does.
inline void Drive(const Records &records)
{
    FeedAndDispatch(records);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) TuiDispatchMessage(&msg);
}

inline Screen idleScreen;  // as the last LoadMenu left it

// Attributes of a run of cells as letters: w 0x70, W 0x7F, k 0x07, K 0x0F,
// g 0x78, and '.' for anything else (the pattern never uses those five).
inline std::string AttrLetters(int y, int x, int count)
{
    static const std::map<WORD, char> letters{{0x70, 'w'}, {0x7F, 'W'}, {0x07, 'k'}, {0x0F, 'K'}, {0x78, 'g'}};
    std::string out;
    for (WORD a : RowAttrs(y, x, count)) out.push_back(letters.contains(a) ? letters.at(a) : '.');
    return out;
}

// The application's calls, oldest first: "init", "cmd:102", "key:65",
// "down:40,15" (mouse messages give the cell). Key releases are left out:
// they come after whatever the key started. A WM_COMMAND that arrives while
// the menu is still active or not yet off the screen fails the test.
inline std::string appCalls;
inline LRESULT CALLBACK RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const std::map<UINT, std::string> names{{WM_INITMENUPOPUP, "init"}, {WM_COMMAND, "cmd"}, {WM_KEYDOWN, "key"},
                                                   {WM_CHAR, "char"}, {WM_TIMER, "timer"}, {WM_MOUSEMOVE, "move"},
                                                   {WM_LBUTTONDOWN, "down"}, {WM_LBUTTONUP, "up"}};
    if (message == WM_KEYUP || message == WM_SYSKEYUP) return 0;
    std::string call = names.contains(message) ? names.at(message) : std::to_string(message);
    if (message >= WM_MOUSEMOVE && message <= WM_LBUTTONUP)
        call += ":" + std::to_string(LOWORD(lParam)) + "," + std::to_string(HIWORD(lParam));
    else if (wParam || lParam)
        call += ":" + std::to_string(wParam) + (lParam ? "," + std::to_string(lParam) : "");
    EXPECT_TRUE(message != WM_COMMAND || (menu::MenuMode == menu::MenuModeIdle && CaptureScreen() == idleScreen))
        << "a command arrived before the menu had closed";
    appCalls += (appCalls.empty() ? "" : " ") + call;
    return 0;
}

// Console started, the screen filled with the pattern, the cursor at
// (40, 12), 60% and visible, the recording procedure set.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartOnPattern();
        TuiSetProc(RecordingProc);
    }
    void LoadMenu(const char *name)  // must succeed; notes the idle screen
    {
        ASSERT_EQ(TuiMenu(0, 0, name), 1) << name;
        idleScreen = CaptureScreen();
        appCalls.clear();
    }
};

}  // namespace tuikit::test

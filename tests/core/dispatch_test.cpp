// Dispatch: splitting characters off key-downs, and the road through the
// menu bar and the scroll bars to the application's procedure.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "support/console_driver.h"

using namespace tuikit::test;

namespace {

std::vector<Msg> seen;
std::vector<std::string> offered;

LRESULT CALLBACK Record(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    seen.push_back(Msg{message, static_cast<long long>(wParam), static_cast<long long>(lParam)});
    return 0;
}

int Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{};
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    return TuiDispatchMessage(&msg);
}

int MenuTakesChars(const MSG &m)
{
    offered.push_back("menu");
    return m.message == WM_CHAR;
}

int BarsTakeClicks(const MSG &m)
{
    offered.push_back("bars");
    return m.message == WM_LBUTTONDOWN;
}

TEST(Dispatch, AKeyWithACharacterReachesTheApplicationAsKeyDownThenChar)
{
    TuiInit();
    EXPECT_EQ(Send(WM_KEYUP, 0x41, 0), 0);  // nobody listening yet
    TuiSetProc(Record);
    EXPECT_EQ(Send(WM_KEYDOWN, 0x41, 'a'), 0);
    EXPECT_EQ(Send(WM_KEYDOWN, 0x45, -23), 0);
    // Everything else passes unchanged and counts as delivered.
    EXPECT_EQ(Send(WM_SYSKEYDOWN, 0x46, 0), 1);
    EXPECT_EQ(Send(WM_KEYDOWN, VK_UP, 0), 1);
    EXPECT_EQ(seen, (std::vector<Msg>{M(WM_KEYDOWN, 0x41, 0), M(WM_CHAR, 0x61, 0), M(WM_KEYDOWN, 0x45, 0),
                                     M(WM_CHAR, -23, 0), M(WM_SYSKEYDOWN, 0x46, 0), M(WM_KEYDOWN, VK_UP, 0)}));
    EXPECT_EQ(TuiSetProc(nullptr), 1);
    EXPECT_EQ(Send(WM_KEYUP, 0x41, 0), 0);
    EXPECT_EQ(TuiDispatchMessage(nullptr), 0);
}

TEST(Dispatch, TheMenuThenTheScrollBarsThenTheApplicationAreOffered)
{
    TuiInit();
    TuiSetProc(Record);
    tuikit::core::SetMenuHook(MenuTakesChars);
    tuikit::core::SetScrollBarHook(BarsTakeClicks);
    // The menu takes the character; the bare key-down goes all the way.
    EXPECT_EQ(Send(WM_KEYDOWN, 0x46, 'f'), 0);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 0x00050005), 1);
    EXPECT_EQ(offered, (std::vector<std::string>{"menu", "bars", "menu", "menu", "bars"}));
    EXPECT_EQ(seen, (std::vector<Msg>{M(WM_KEYDOWN, 0x46, 0)}));
}

TEST(Dispatch, AnApplicationLoopReceivesPumpedKeysSplit)
{
    TuiInit();
    TuiSetProc(Record);
    FeedAndDispatch({KeyRecord(true, 0x41, 'a'), KeyRecord(false, 0x41, 'a'), KeyRecord(true, VK_RETURN, '\r')});
    EXPECT_EQ(seen, (std::vector<Msg>{M(WM_KEYDOWN, 0x41, 0), M(WM_CHAR, 'a', 0), M(WM_KEYUP, 0x41, 0),
                                     M(WM_KEYDOWN, VK_RETURN, 0), M(WM_CHAR, '\r', 0)}));
}

}  // namespace

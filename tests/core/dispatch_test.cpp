// Dispatch: splitting characters off key-downs, and the road through the
// menu bar and the scroll bars to the application's procedure.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "support/console_driver.h"

using namespace tuikit::test;

namespace {

std::vector<Msg> seen;
std::string offered;

LRESULT CALLBACK Record(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    seen.push_back(M(message, static_cast<long long>(wParam), static_cast<long long>(lParam)));
    return 0;
}

int Dispatch(const Msg &m)
{
    MSG msg{nullptr, m.message, static_cast<WPARAM>(m.wParam), static_cast<LPARAM>(m.lParam), 0, {}};
    return TuiDispatchMessage(&msg);
}

int MenuTakesChars(const MSG &m) { offered += "menu "; return m.message == WM_CHAR; }
int BarsTakeClicks(const MSG &m) { offered += "bars "; return m.message == WM_LBUTTONDOWN; }

TEST(Dispatch, AKeyWithACharacterReachesTheApplicationAsKeyDownThenChar)
{
    TuiInit();
    EXPECT_EQ(Dispatch(M(WM_KEYUP, 0x41, 0)), 0);  // nobody listening yet
    TuiSetProc(Record);
    EXPECT_EQ(Dispatch(M(WM_KEYDOWN, 0x41, 'a')), 0);
    EXPECT_EQ(Dispatch(M(WM_SYSKEYDOWN, 0x46, 0)), 1);  // passed on unchanged, and delivered
    // From the pump through an application loop: the release and a key
    // without a character pass unchanged, a byte above 0x7F sign-extended.
    // Without a menu bar F10 is a key like any other.
    FeedAndDispatch({KeyRecord(false, 0x41, 'a'), KeyRecord(true, 0x45, '\xE9'), KeyRecord(true, VK_UP),
                     KeyRecord(true, VK_F10)});
    EXPECT_EQ(seen, (std::vector<Msg>{M(WM_KEYDOWN, 0x41, 0), M(WM_CHAR, 'a', 0), M(WM_SYSKEYDOWN, 0x46, 0),
                                      M(WM_KEYUP, 0x41, 0), M(WM_KEYDOWN, 0x45, 0), M(WM_CHAR, -23, 0),
                                      M(WM_KEYDOWN, VK_UP, 0), M(WM_KEYDOWN, VK_F10, 0)}));
    EXPECT_EQ(TuiSetProc(nullptr), 1);
    EXPECT_EQ(Dispatch(M(WM_KEYUP, 0x41, 0)), 0);
    EXPECT_EQ(TuiDispatchMessage(nullptr), 0);
}

TEST(Dispatch, TheMenuThenTheScrollBarsThenTheApplicationAreOffered)
{
    TuiInit();
    TuiSetProc(Record);
    tuikit::core::SetMenuHook(MenuTakesChars);
    tuikit::core::SetScrollBarHook(BarsTakeClicks);
    // The menu takes the character; the bare key-down goes all the way.
    EXPECT_EQ(Dispatch(M(WM_KEYDOWN, 0x46, 'f')), 0);
    EXPECT_EQ(Dispatch(M(WM_LBUTTONDOWN, MK_LBUTTON, 0x00050005)), 1);
    EXPECT_EQ(offered, "menu bars menu menu bars ");
    EXPECT_EQ(seen, (std::vector<Msg>{M(WM_KEYDOWN, 0x46, 0)}));
}

}  // namespace

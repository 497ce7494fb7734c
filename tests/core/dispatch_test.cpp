// Dispatch: splitting characters off key-downs, and the road to the
// application's procedure.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "support/console_driver.h"

using namespace tuikit::test;

namespace {

std::vector<Msg> seen;

LRESULT CALLBACK Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    EXPECT_EQ(hwnd, nullptr);
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

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        seen.clear();
        TuiInit();
    }
};

TEST_F(Dispatch, WithNobodyListeningEveryMessageReturnsZero)
{
    EXPECT_EQ(Send(WM_KEYDOWN, VK_LEFT, 0), 0);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 0), 0);
    EXPECT_EQ(Send(WM_TIMER, 1, 0), 0);
    EXPECT_EQ(TuiDispatchMessage(nullptr), 0);
}

TEST_F(Dispatch, AKeyWithACharacterReachesTheApplicationAsKeyDownThenChar)
{
    TuiSetProc(Record);
    EXPECT_EQ(Send(WM_KEYDOWN, 0x41, 'a'), 0);
    EXPECT_EQ(seen, (std::vector<Msg>{M(WM_KEYDOWN, 0x41, 0), M(WM_CHAR, 0x61, 0)}));
}

TEST_F(Dispatch, HighCharactersArriveNegative)
{
    TuiSetProc(Record);
    Send(WM_KEYDOWN, 0x45, -23);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(static_cast<int>(seen[1].wParam), -23);
    EXPECT_EQ(static_cast<LPARAM>(seen[1].wParam), -23);
}

TEST_F(Dispatch, OtherMessagesPassUnchangedAndCount)
{
    TuiSetProc(Record);
    EXPECT_EQ(Send(WM_KEYUP, 0x41, 0), 1);
    EXPECT_EQ(Send(WM_SYSKEYDOWN, 0x46, 0), 1);
    EXPECT_EQ(Send(WM_KEYDOWN, VK_UP, 0), 1);
    EXPECT_EQ(Send(WM_CHAR, 'x', 5), 1);
    EXPECT_EQ(seen, (std::vector<Msg>{M(WM_KEYUP, 0x41, 0), M(WM_SYSKEYDOWN, 0x46, 0), M(WM_KEYDOWN, VK_UP, 0),
                                     M(WM_CHAR, 'x', 5)}));
}

TEST_F(Dispatch, ANullProcedureStopsDelivery)
{
    TuiSetProc(Record);
    EXPECT_EQ(TuiSetProc(nullptr), 1);
    EXPECT_EQ(Send(WM_KEYUP, 0x41, 0), 0);
    EXPECT_TRUE(seen.empty());
}

int menuConsumes = 0;
int scrollConsumes = 0;
std::vector<std::string> order;

int FakeMenu(const MSG &msg)
{
    order.push_back("menu");
    return msg.message == static_cast<UINT>(menuConsumes);
}

int FakeScrollBars(const MSG &msg)
{
    order.push_back("scroll");
    return msg.message == static_cast<UINT>(scrollConsumes);
}

TEST_F(Dispatch, TheMenuThenTheScrollBarsThenTheApplicationAreOffered)
{
    TuiSetProc(Record);
    tuikit::core::SetMenuHook(FakeMenu);
    tuikit::core::SetScrollBarHook(FakeScrollBars);
    menuConsumes = WM_CHAR;
    scrollConsumes = WM_LBUTTONDOWN;

    // The menu takes the character; the bare key-down goes all the way.
    EXPECT_EQ(Send(WM_KEYDOWN, 0x46, 'f'), 0);
    EXPECT_EQ(order, (std::vector<std::string>{"menu", "scroll", "menu"}));
    EXPECT_EQ(seen, (std::vector<Msg>{M(WM_KEYDOWN, 0x46, 0)}));

    order.clear();
    seen.clear();
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 0x00050005), 1);
    EXPECT_EQ(order, (std::vector<std::string>{"menu", "scroll"}));
    EXPECT_TRUE(seen.empty());

    tuikit::core::SetMenuHook(nullptr);
    tuikit::core::SetScrollBarHook(nullptr);
}

TEST_F(Dispatch, AnApplicationLoopReceivesPumpedKeysSplit)
{
    TuiSetProc(Record);
    FeedAndDispatch({KeyRecord(true, 0x41, 'a'), KeyRecord(false, 0x41, 'a'), KeyRecord(true, VK_RETURN, '\r')});
    EXPECT_EQ(seen, (std::vector<Msg>{M(WM_KEYDOWN, 0x41, 0), M(WM_CHAR, 'a', 0), M(WM_KEYUP, 0x41, 0),
                                     M(WM_KEYDOWN, VK_RETURN, 0), M(WM_CHAR, '\r', 0)}));
}

}  // namespace

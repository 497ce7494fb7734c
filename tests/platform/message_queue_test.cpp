// Thread message queues: order, quit, timers and posting across threads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/console_driver.h"

using namespace tuikit::test;

namespace {

// Every message waiting in the queue, taken without waiting.
std::vector<Msg> Drain()
{
    std::vector<MSG> got;
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) got.push_back(msg);
    return Compact(got);
}

TEST(MessageQueue, PeekCanLeaveAMessageInPlaceAFilterSkipsOthersAndQuitComesOnceAfterTheRest)
{
    DWORD me = GetCurrentThreadId();
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    PostThreadMessageA(me, WM_USER + 5, 0, 0);
    PostQuitMessage(7);
    PostThreadMessageA(me, WM_KEYDOWN, 0, 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER + 5u);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(Compact({msg}), (std::vector<Msg>{M(WM_QUIT, 7, 0)}));
    EXPECT_EQ(Drain(), std::vector<Msg>{});
}

TEST(MessageQueue, ATimerWaitsUntilNothingElseIsQueuedAndFiresOncePerRetrieval)
{
    UINT_PTR id = SetTimer(nullptr, 0, 10, nullptr);
    ASSERT_NE(id, 0u);
    Sleep(40);  // several periods pass
    PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
    EXPECT_EQ(Drain(), (std::vector<Msg>{M(WM_USER, 0, 0), M(WM_TIMER, static_cast<long long>(id), 0)}));
    EXPECT_TRUE(KillTimer(nullptr, id));
    Sleep(30);
    EXPECT_EQ(Drain(), std::vector<Msg>{});
    EXPECT_FALSE(KillTimer(nullptr, id));
}

TEST(MessageQueue, TimersAreDistinctKeepFiringAndKeepTheirIdWhenRestarted)
{
    UINT_PTR a = SetTimer(nullptr, 0, 10, nullptr), b = SetTimer(nullptr, 0, 10, nullptr);
    ASSERT_NE(a, b);
    int seen[2] = {0, 0};
    MSG msg;
    while (seen[0] < 3 || seen[1] < 3) {
        ASSERT_GT(GetMessageA(&msg, nullptr, 0, 0), 0);
        ASSERT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
        seen[msg.wParam == a ? 0 : 1]++;
    }
    EXPECT_EQ(SetTimer(nullptr, a, 50, nullptr), a);
    EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(1), 0, 10, nullptr), 0u);  // no windows here
}

int ticks = 0;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }

TEST(MessageQueue, DispatchRunsOnlyTheCallbackOfALiveTimer)
{
    UINT_PTR id = SetTimer(nullptr, 0, 10, Tick);
    MSG msg;
    ASSERT_GT(GetMessageA(&msg, nullptr, 0, 0), 0);
    DispatchMessageA(&msg);
    EXPECT_EQ(ticks, 1);
    // A forged WM_TIMER, or one of a killed timer, calls nothing.
    msg.lParam = 0x1234;
    DispatchMessageA(&msg);
    KillTimer(nullptr, id);
    msg.lParam = reinterpret_cast<LPARAM>(Tick);
    DispatchMessageA(&msg);
    EXPECT_EQ(ticks, 1);
}

TEST(MessageQueue, PostsFromAnotherThreadWakeABlockedGetMessageAndComeInOrder)
{
    DWORD me = GetCurrentThreadId();
    std::thread poster([me] {
        Sleep(20);
        for (int i = 0; i < 1000; ++i) PostThreadMessageA(me, WM_USER, static_cast<WPARAM>(i), -i);
        PostThreadMessageA(me, WM_USER + 1, 0, 0);
    });
    MSG msg;
    long long expect = 0;
    for (; GetMessageA(&msg, nullptr, 0, 0) && msg.message == WM_USER; ++expect)
        EXPECT_EQ(Compact({msg})[0], M(WM_USER, expect, -expect));  // in order, with both parameters
    EXPECT_EQ(msg.message, WM_USER + 1u);
    EXPECT_EQ(expect, 1000);
    poster.join();
}

TEST(MessageQueue, PostingToAThreadWithoutAQueueFails)
{
    EXPECT_FALSE(PostThreadMessageA(0, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
    // A thread that ended takes its queue with it.
    std::atomic<DWORD> id{0};
    std::thread([&] { id = GetCurrentThreadId(); }).join();
    EXPECT_FALSE(PostThreadMessageA(id, WM_USER, 0, 0));
}

}  // namespace

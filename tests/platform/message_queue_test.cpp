// Thread message queues: order, quit, timers and posting across threads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tuikit/win32.h"

namespace {

std::vector<UINT> Drain()
{
    std::vector<UINT> got;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) got.push_back(msg.message);
    return got;
}

TEST(MessageQueue, PostedMessagesComeBackInOrderWithTheirParameters)
{
    DWORD me = GetCurrentThreadId();
    for (UINT i = 0; i < 100; ++i) ASSERT_TRUE(PostThreadMessageA(me, WM_USER + i, i * 3, -static_cast<LPARAM>(i)));
    MSG msg;
    for (UINT i = 0; i < 100; ++i) {
        ASSERT_GT(GetMessageA(&msg, nullptr, 0, 0), 0);
        EXPECT_EQ(msg.message, WM_USER + i);
        EXPECT_EQ(msg.wParam, i * 3);
        EXPECT_EQ(msg.lParam, -static_cast<LPARAM>(i));
        EXPECT_EQ(msg.hwnd, nullptr);
    }
}

TEST(MessageQueue, QuitArrivesOnceTheMessagesPostedBeforeItAreGone)
{
    DWORD me = GetCurrentThreadId();
    PostThreadMessageA(me, WM_USER + 1, 0, 0);
    PostThreadMessageA(me, WM_USER + 2, 0, 0);
    PostQuitMessage(7);
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER + 1u);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER + 2u);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    // The quit is delivered once.
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST(MessageQueue, PeekCanLeaveTheMessageInPlaceAndAFilterSkipsOthers)
{
    DWORD me = GetCurrentThreadId();
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    PostThreadMessageA(me, WM_USER + 5, 0, 0);
    PostThreadMessageA(me, WM_KEYDOWN, 0, 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    PostQuitMessage(0);
    EXPECT_EQ(Drain(), (std::vector<UINT>{WM_USER + 5, WM_QUIT}));
}

TEST(MessageQueue, TimerMessagesWaitUntilNothingElseIsQueued)
{
    DWORD me = GetCurrentThreadId();
    UINT_PTR id = SetTimer(nullptr, 0, 10, nullptr);
    ASSERT_NE(id, 0u);
    Sleep(40);  // several periods pass
    PostThreadMessageA(me, WM_USER, 0, 0);
    PostThreadMessageA(me, WM_USER + 1, 0, 0);
    MSG msg;
    GetMessageA(&msg, nullptr, 0, 0);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    GetMessageA(&msg, nullptr, 0, 0);
    EXPECT_EQ(msg.message, WM_USER + 1u);
    GetMessageA(&msg, nullptr, 0, 0);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, id);
    // However many periods passed, one WM_TIMER per retrieval.
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(KillTimer(nullptr, id));
    Sleep(30);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
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

TEST(MessageQueue, APostFromAnotherThreadWakesABlockedGetMessage)
{
    DWORD me = GetCurrentThreadId();
    std::thread poster([me] {
        Sleep(20);
        for (int i = 0; i < 1000; ++i) PostThreadMessageA(me, WM_USER, static_cast<WPARAM>(i), 0);
        PostThreadMessageA(me, WM_USER + 1, 0, 0);
    });
    MSG msg;
    WPARAM expect = 0;
    while (GetMessageA(&msg, nullptr, 0, 0) && msg.message == WM_USER) EXPECT_EQ(msg.wParam, expect++);
    EXPECT_EQ(msg.message, WM_USER + 1u);
    EXPECT_EQ(expect, 1000u);
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

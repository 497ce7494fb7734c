// Events, threads and waits.
#include <gtest/gtest.h>

#include "tuikit/win32.h"

namespace {

TEST(Sync, EventsResetByHandOrByTheWaitAndClosedHandlesAreRefused)
{
    HANDLE manual = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE automatic = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(manual, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(SetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(manual, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    ASSERT_TRUE(ResetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(automatic, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(automatic, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(CloseHandle(manual));
    for (HANDLE gone : {manual, reinterpret_cast<HANDLE>(0x1234)}) {
        EXPECT_FALSE(SetEvent(gone));
        EXPECT_EQ(WaitForSingleObject(gone, 0), WAIT_FAILED);
        EXPECT_FALSE(CloseHandle(gone));
    }
    CloseHandle(automatic);
}

DWORD WINAPI WaitThenAnswer(LPVOID go)
{
    WaitForSingleObject(static_cast<HANDLE>(go), INFINITE);
    return 42;
}

TEST(Sync, AThreadWaitsForAnEventAndLeavesItsExitCode)
{
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD tid = 0, code = 0;
    HANDLE t = CreateThread(nullptr, 0, WaitThenAnswer, go, 0, &tid);
    ASSERT_NE(t, nullptr);
    EXPECT_NE(tid, GetCurrentThreadId());
    ASSERT_TRUE(GetExitCodeThread(t, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(t, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    SetEvent(go);
    EXPECT_EQ(WaitForSingleObject(t, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    ASSERT_TRUE(GetExitCodeThread(t, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
    CloseHandle(t);
    CloseHandle(go);
}

}  // namespace

// Events, threads and waits.
#include <gtest/gtest.h>

#include <atomic>

#include "tuikit/win32.h"

namespace {

TEST(Sync, AManualResetEventStaysSignalledUntilReset)
{
    HANDLE ev = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(ev, nullptr);
    EXPECT_EQ(WaitForSingleObject(ev, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(SetEvent(ev));
    EXPECT_EQ(WaitForSingleObject(ev, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(ev, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    ASSERT_TRUE(ResetEvent(ev));
    EXPECT_EQ(WaitForSingleObject(ev, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(CloseHandle(ev));
    // A closed handle is refused, not followed.
    EXPECT_FALSE(SetEvent(ev));
    EXPECT_EQ(WaitForSingleObject(ev, 0), WAIT_FAILED);
    EXPECT_FALSE(CloseHandle(ev));
}

TEST(Sync, AnAutoResetEventReleasesOneWaitAtATime)
{
    HANDLE ev = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(ev, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(ev, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(ev);
}

struct Shared {
    HANDLE go;
    std::atomic<int> ran{0};
};

DWORD WINAPI Worker(LPVOID arg)
{
    auto *s = static_cast<Shared *>(arg);
    WaitForSingleObject(s->go, INFINITE);
    s->ran = 1;
    return 42;
}

TEST(Sync, AThreadRunsWaitsForAnEventAndLeavesItsExitCode)
{
    Shared s;
    s.go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD tid = 0;
    HANDLE t = CreateThread(nullptr, 0, Worker, &s, 0, &tid);
    ASSERT_NE(t, nullptr);
    EXPECT_NE(tid, 0u);
    EXPECT_NE(tid, GetCurrentThreadId());
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(t, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(t, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    SetEvent(s.go);
    EXPECT_EQ(WaitForSingleObject(t, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(s.ran, 1);
    ASSERT_TRUE(GetExitCodeThread(t, &code));
    EXPECT_EQ(code, 42u);
    CloseHandle(t);
    CloseHandle(s.go);
}

TEST(Sync, MadeUpHandlesAreRefused)
{
    auto bogus = reinterpret_cast<HANDLE>(0x1234);
    EXPECT_FALSE(SetEvent(bogus));
    EXPECT_FALSE(ResetEvent(bogus));
    EXPECT_EQ(WaitForSingleObject(bogus, 0), WAIT_FAILED);
    EXPECT_FALSE(CloseHandle(bogus));
    DWORD n;
    EXPECT_FALSE(WriteConsoleOutputCharacterA(bogus, "x", 1, COORD{0, 0}, &n));
    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

}  // namespace

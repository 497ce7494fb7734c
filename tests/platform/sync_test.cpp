// Events, threads and waits: one object or several, the console input too,
// and named events.
#include <gtest/gtest.h>

#include "support/console_driver.h"

namespace {

using tuikit::test::KeyRecord;

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

TEST(Sync, TheInputHandleIsSignalledWhileRecordsWaitSoAProgramCanWaitThenRead)
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    EXPECT_EQ(WaitForSingleObject(in, 20), static_cast<DWORD>(WAIT_TIMEOUT));
    INPUT_RECORD r = KeyRecord(true, 'A', 'a');
    DWORD n = 0;
    ASSERT_TRUE(WriteConsoleInputA(in, &r, 1, &n));
    EXPECT_EQ(WaitForSingleObject(in, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(in, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "waiting reads nothing";
    ASSERT_TRUE(ReadConsoleInputA(in, &r, 1, &n));
    EXPECT_EQ(WaitForSingleObject(in, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    // A record appended by another thread ends a wait without a time limit.
    HANDLE writer = CreateThread(nullptr, 0, [](LPVOID) -> DWORD {
        Sleep(20);
        INPUT_RECORD key = KeyRecord(true, 'B', 'b');
        DWORD written = 0;
        return WriteConsoleInputA(GetStdHandle(STD_INPUT_HANDLE), &key, 1, &written);
    }, nullptr, 0, nullptr);
    EXPECT_EQ(WaitForSingleObject(in, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    WaitForSingleObject(writer, INFINITE);
    CloseHandle(writer);
    EXPECT_EQ(WaitForSingleObject(TuiOutputHandle(), 0), WAIT_FAILED) << "the screen buffer is not waited for";
}

TEST(Sync, WaitingForSeveralObjectsNamesTheFirstSignalledOneOrWaitsForAll)
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    FlushConsoleInputBuffer(in);
    HANDLE manual = CreateEventA(nullptr, TRUE, FALSE, nullptr), automatic = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, WaitThenAnswer, go, 0, nullptr);
    const HANDLE all[] = {manual, automatic, thread, in};
    auto wait = [&](BOOL every, DWORD ms) { return WaitForMultipleObjects(4, all, every, ms); };
    EXPECT_EQ(wait(FALSE, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    SetEvent(automatic);
    EXPECT_EQ(wait(FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(wait(FALSE, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the automatic event was taken";
    SetEvent(go);  // the thread ends
    EXPECT_EQ(wait(FALSE, INFINITE), WAIT_OBJECT_0 + 2);
    SetEvent(manual);
    EXPECT_EQ(wait(FALSE, 0), WAIT_OBJECT_0) << "the lowest index wins";
    SetEvent(automatic);
    EXPECT_EQ(wait(TRUE, 10), static_cast<DWORD>(WAIT_TIMEOUT)) << "no input is waiting";
    INPUT_RECORD r = KeyRecord(true, 'C', 'c');
    DWORD n = 0;
    WriteConsoleInputA(in, &r, 1, &n);
    EXPECT_EQ(wait(TRUE, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(automatic, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "taken by the wait for all";
    const HANDLE bad[] = {manual, reinterpret_cast<HANDLE>(0x1234)};
    SetLastError(0);
    EXPECT_EQ(WaitForMultipleObjects(2, bad, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForMultipleObjects(0, all, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS + 1, all, FALSE, 0), WAIT_FAILED);
    for (HANDLE h : {manual, automatic, go, thread}) CloseHandle(h);
}

TEST(Sync, ANamedEventOpensOnceAndTheSecondCreateFindsItForASingleInstanceCheck)
{
    SetLastError(ERROR_INVALID_HANDLE);
    HANDLE first = CreateEventA(nullptr, TRUE, FALSE, "tuikit.single");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "a new name clears the last error";
    HANDLE second = CreateEventA(nullptr, FALSE, TRUE, "tuikit.single");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(WaitForSingleObject(second, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first one's state, not the new";
    SetEvent(second);
    EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "one event behind both";
    EXPECT_TRUE(CloseHandle(first));
    EXPECT_EQ(WaitForSingleObject(second, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "still open once";
    EXPECT_TRUE(CloseHandle(second));
    HANDLE again = CreateEventA(nullptr, TRUE, FALSE, "tuikit.single");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "all closed, the name is free";
    EXPECT_EQ(WaitForSingleObject(again, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(again);
}

}  // namespace

// The C boundary: an allocation that fails inside an export gives the call's
// not-done result and ERROR_NOT_ENOUGH_MEMORY, never an exception; a queue
// takes no more than 10,000 posted messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <thread>

#include "support/console_driver.h"

using namespace tuikit::test;

namespace {

// While set, every operator new on this thread fails.
thread_local bool failAllocations = false;

void *Allocate(std::size_t size, std::size_t align = 0)
{
    if (failAllocations) throw std::bad_alloc();
    if (size == 0) size = 1;
    void *p = align ? std::aligned_alloc(align, (size + align - 1) / align * align) : std::malloc(size);
    if (!p) throw std::bad_alloc();
    return p;
}

}  // namespace

void *operator new(std::size_t size) { return Allocate(size); }
void *operator new[](std::size_t size) { return Allocate(size); }
void *operator new(std::size_t size, std::align_val_t al) { return Allocate(size, static_cast<std::size_t>(al)); }
void *operator new[](std::size_t size, std::align_val_t al) { return Allocate(size, static_cast<std::size_t>(al)); }
void *operator new(std::size_t size, const std::nothrow_t &) noexcept
{
    return failAllocations ? nullptr : std::malloc(size ? size : 1);
}
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept
{
    return failAllocations ? nullptr : std::malloc(size ? size : 1);
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }
void operator delete(void *p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void *p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void *p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t, std::align_val_t) noexcept { std::free(p); }

namespace {

DWORD WINAPI Idle(LPVOID) { return 0; }

// An export called while nothing can be allocated. notDone tells whether
// the result is the call's not-done value; the last error is kept.
struct Starved {
    const char *call;
    std::function<bool()> notDone;
};

TEST(Boundary, EveryExportThatCannotAllocateGivesItsNotDoneResultAndTheLastError)
{
    TuiInit();
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE), out = TuiOutputHandle();
    std::vector<INPUT_RECORD> many(4096, KeyRecord(true, 'A', 'a'));
    // An image holding only the empty entry every .res file starts with.
    static const uint32_t image[8] = {0, 0x20, 0xFFFF, 0xFFFF, 0, 0, 0, 0};
    ASSERT_EQ(TuiAddResources(image, sizeof image), 1);
    CHAR_INFO fill{};
    SMALL_RECT all{0, 0, 79, 24};
    const std::vector<Starved> cases = {
        {"CreateEventA", [] { return CreateEventA(nullptr, TRUE, FALSE, nullptr) == nullptr; }},
        {"CreateThread", [] { return CreateThread(nullptr, 0, Idle, nullptr, 0, nullptr) == nullptr; }},
        {"WriteConsoleInputA",
         [&] { return !WriteConsoleInputA(in, many.data(), static_cast<DWORD>(many.size()), nullptr); }},
        {"SetConsoleScreenBufferSize",
         [&] {
             return !SetConsoleScreenBufferSize(out, COORD{300, 200});
         }},
        {"ScrollConsoleScreenBufferA",
         [&] {
             return !ScrollConsoleScreenBufferA(out, &all, nullptr, {0, 1}, &fill);
         }},
        {"SetTimer", [] { return SetTimer(nullptr, 0, 100, nullptr) == 0; }},
        {"LoadLibraryA", [] { return LoadLibraryA("testmod32") == nullptr; }},
        {"TuiAddResources", [] { return TuiAddResources(image, sizeof image) == 0; }},
        {"TuiShowScrollBar", [] { return TuiShowScrollBar(0, 5, 20, 5, 0, 1) == -1; }},
        {"TuiMenu", [] { return TuiMenu(0, 0, "Bar") == 0; }},
    };
    for (const Starved &c : cases) {
        SetLastError(0);
        failAllocations = true;
        bool notDone = c.notDone();
        failAllocations = false;
        DWORD error = GetLastError();
        EXPECT_TRUE(notDone) << c.call;
        EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY)) << c.call;
    }
    // Nothing was left half done: with memory again the same calls work.
    EXPECT_EQ(TuiMenu(0, 0, "Bar"), 1);
    EXPECT_EQ(TuiShowScrollBar(0, 5, 20, 5, 0, 1), 1);
    EXPECT_TRUE(SetConsoleScreenBufferSize(out, COORD{300, 200}));
}

TEST(Boundary, APostThatNeedsMemoryFailsAndThoseBeforeItArrive)
{
    DWORD me = GetCurrentThreadId();
    int posted = 0;
    failAllocations = true;
    while (posted < 1000 && PostThreadMessageA(me, WM_USER, static_cast<WPARAM>(posted), 0)) ++posted;
    failAllocations = false;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    ASSERT_LT(posted, 1000);
    MSG msg;
    for (int i = 0; i < posted; ++i) {
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>(i));
    }
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST(Boundary, AThreadWithoutMemoryForItsQueueCannotReadMessages)
{
    DWORD error = 0;
    BOOL got = 0;
    std::thread([&] {
        MSG msg;
        failAllocations = true;
        got = GetMessageA(&msg, nullptr, 0, 0);
        failAllocations = false;
        error = GetLastError();
    }).join();
    EXPECT_EQ(got, -1);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

TEST(Boundary, AQueueTakesTenThousandPostedMessagesAndRefusesTheNextUntilOneIsRead)
{
    DWORD me = GetCurrentThreadId();
    for (int i = 0; i < 10000; ++i) ASSERT_TRUE(PostThreadMessageA(me, WM_USER, 0, 0)) << i;
    SetLastError(0);
    EXPECT_FALSE(PostThreadMessageA(me, WM_USER + 1, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_QUOTA));
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_TRUE(PostThreadMessageA(me, WM_USER + 2, 0, 0));
}

LRESULT CALLBACK Throwing(HWND, UINT, WPARAM, LPARAM) { throw std::runtime_error("application fault"); }

TEST(Boundary, AnExceptionFromTheApplicationsProcedureStopsAtTheDispatchCall)
{
    TuiSetProc(Throwing);
    MSG msg{};
    msg.message = WM_USER;
    SetLastError(0);
    EXPECT_EQ(TuiDispatchMessage(&msg), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNAL_ERROR));
}

}  // namespace

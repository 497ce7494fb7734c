// Events, threads, thread ids, waits and the last-error value.
#include <pthread.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "core/boundary.h"
#include "platform/kernel_object.h"
#include "platform/last_error.h"
#include "platform/message_queue.h"

namespace tuikit::platform {

namespace {

thread_local DWORD lastError = 0;

// Something a thread can wait for: an event, or a thread that ends.
class Waitable : public KernelObject {
public:
    using KernelObject::KernelObject;

    // Waits until signalled or the timeout passes; true when signalled.
    bool Wait(DWORD ms)
    {
        std::unique_lock guard(lock_);
        auto ready = [this] { return signalled_; };
        if (ms == INFINITE) cond_.wait(guard, ready);
        else if (!cond_.wait_for(guard, std::chrono::milliseconds(ms), ready)) return false;
        if (autoReset_) signalled_ = false;
        return true;
    }
    void Set(bool value)
    {
        {
            std::lock_guard guard(lock_);
            signalled_ = value;
        }
        if (value) cond_.notify_all();
    }

protected:
    std::mutex lock_;
    std::condition_variable cond_;
    bool signalled_ = false;
    bool autoReset_ = false;
};

class Event : public Waitable {
public:
    Event(bool manualReset, bool initial) : Waitable(ObjectKind::Event)
    {
        autoReset_ = !manualReset;
        signalled_ = initial;
    }
};

class Thread : public Waitable {
public:
    Thread(LPTHREAD_START_ROUTINE start, LPVOID param) : Waitable(ObjectKind::Thread), start_(start), param_(param) {}

    static void *Main(void *arg)
    {
        auto *self = static_cast<Thread *>(arg);
        DWORD code = self->start_(self->param_);
        {
            std::lock_guard guard(self->lock_);
            self->exitCode_ = code;
        }
        self->Set(true);
        self->Release();  // the thread's own reference
        return nullptr;
    }
    DWORD ExitCode()
    {
        std::lock_guard guard(lock_);
        return signalled_ ? exitCode_ : static_cast<DWORD>(STILL_ACTIVE);
    }

    std::mutex startLock;
    std::condition_variable started;
    DWORD id = 0;

private:
    LPTHREAD_START_ROUTINE start_;
    LPVOID param_;
    DWORD exitCode_ = STILL_ACTIVE;
};

Waitable *AsWaitable(const ObjectRef &ref)
{
    if (!ref) return nullptr;
    ObjectKind k = ref.get()->Kind();
    return k == ObjectKind::Event || k == ObjectKind::Thread ? static_cast<Waitable *>(ref.get()) : nullptr;
}

}  // namespace

unsigned CurrentThreadIdRaw()
{
    static thread_local DWORD id = static_cast<DWORD>(syscall(SYS_gettid));
    return id;
}

BOOL Fail(DWORD error)
{
    lastError = error;
    return FALSE;
}

}  // namespace tuikit::platform

using namespace tuikit::platform;

extern "C" {

DWORD WINAPI GetLastError(void) { return lastError; }
void WINAPI SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }

BOOL WINAPI CloseHandle(HANDLE hObject)
{
    return tuikit::Guarded<BOOL>(
        FALSE, [&]() -> BOOL { return CloseRegisteredHandle(hObject) ? TRUE : Fail(ERROR_INVALID_HANDLE); });
}

DWORD WINAPI GetCurrentThreadId(void)
{
    // The id is known without the queue; without memory for one, posts to
    // this thread fail until it gets one.
    return tuikit::Guarded<DWORD>(CurrentThreadIdRaw(), [] {
        EnsureThreadQueue();
        return CurrentThreadIdRaw();
    });
}

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR)
{
    return tuikit::Guarded<HANDLE>(
        nullptr, [&]() -> HANDLE { return RegisterHandle(new Event(bManualReset != FALSE, bInitialState != FALSE)); });
}

BOOL WINAPI SetEvent(HANDLE hEvent)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto ref = LookupHandle(hEvent);
        auto *ev = As<Event>(ref, ObjectKind::Event);
        if (!ev) return Fail(ERROR_INVALID_HANDLE);
        ev->Set(true);
        return TRUE;
    });
}

BOOL WINAPI ResetEvent(HANDLE hEvent)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto ref = LookupHandle(hEvent);
        auto *ev = As<Event>(ref, ObjectKind::Event);
        if (!ev) return Fail(ERROR_INVALID_HANDLE);
        ev->Set(false);
        return TRUE;
    });
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return tuikit::Guarded<DWORD>(WAIT_FAILED, [&]() -> DWORD {
        auto ref = LookupHandle(hHandle);
        Waitable *w = AsWaitable(ref);
        if (!w) {
            Fail(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        return w->Wait(dwMilliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
    });
}

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T dwStackSize, LPTHREAD_START_ROUTINE lpStartAddress,
                           LPVOID lpParameter, DWORD, LPDWORD lpThreadId)
{
    return tuikit::Guarded<HANDLE>(nullptr, [&]() -> HANDLE {
        if (!lpStartAddress) {
            Fail(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        // Registered before it runs, so nothing can fail once it does.
        auto *thread = new Thread(lpStartAddress, lpParameter);
        HANDLE handle = RegisterHandle(thread);
        thread->AddRef();  // held by the running thread
        // The id is learnt by the new thread itself, so the starter waits for it.
        pthread_attr_t attr;
        pthread_attr_init(&attr);
        pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
        if (dwStackSize >= static_cast<SIZE_T>(PTHREAD_STACK_MIN)) pthread_attr_setstacksize(&attr, dwStackSize);
        auto trampoline = [](void *arg) -> void * {
            auto *t = static_cast<Thread *>(arg);
            {
                std::lock_guard guard(t->startLock);
                t->id = GetCurrentThreadId();
            }
            t->started.notify_all();
            return Thread::Main(t);
        };
        pthread_t tid;
        int rc = pthread_create(&tid, &attr, trampoline, thread);
        pthread_attr_destroy(&attr);
        if (rc != 0) {
            thread->Release();
            CloseRegisteredHandle(handle);
            Fail(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        DWORD id;
        {
            std::unique_lock guard(thread->startLock);
            thread->started.wait(guard, [thread] { return thread->id != 0; });
            id = thread->id;
        }
        if (lpThreadId) *lpThreadId = id;
        return handle;
    });
}

BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto ref = LookupHandle(hThread);
        auto *t = As<Thread>(ref, ObjectKind::Thread);
        if (!t || !lpExitCode) return Fail(ERROR_INVALID_HANDLE);
        *lpExitCode = t->ExitCode();
        return TRUE;
    });
}

void WINAPI Sleep(DWORD dwMilliseconds)
{
    timespec ts{static_cast<time_t>(dwMilliseconds / 1000), static_cast<long>(dwMilliseconds % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

DWORD WINAPI GetTickCount(void)
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<DWORD>(static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

}  // extern "C"

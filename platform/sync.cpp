// Events, threads, thread ids, waits and the last-error value.
#include <pthread.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <unordered_map>

#include "core/boundary.h"
#include "platform/kernel_object.h"
#include "platform/last_error.h"
#include "platform/message_queue.h"

namespace tuikit::platform {

namespace {

thread_local DWORD lastError = 0;

// An event, or a thread that is signalled when it ends.
class Waitable : public WaitableObject {
public:
    using WaitableObject::WaitableObject;

    bool Signalled() override
    {
        std::lock_guard guard(lock_);
        return signalled_;
    }
    bool Take() override
    {
        std::lock_guard guard(lock_);
        if (!signalled_) return false;
        if (autoReset_) signalled_ = false;
        return true;
    }
    void Set(bool value)
    {
        {
            std::lock_guard guard(lock_);
            signalled_ = value;
        }
        if (value) WakeWaiters();
    }

protected:
    std::mutex lock_;
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

// Named events, so that a second CreateEventA with a name opens the first.
// An entry outlives its event; a stale one is replaced on the next create.
struct EventNames {
    std::mutex lock;
    std::unordered_map<std::string, HANDLE> handles;
};

EventNames &Names()
{
    static auto *names = new EventNames;  // used until the process ends
    return *names;
}

HANDLE CreateNamedEvent(const char *name, bool manualReset, bool initial)
{
    EventNames &names = Names();
    std::lock_guard guard(names.lock);
    HANDLE &entry = names.handles[name];
    auto ref = LookupHandle(entry);
    if (ref && ref.get()->Kind() == ObjectKind::Event && ReopenHandle(entry)) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return entry;
    }
    entry = RegisterHandle(new Event(manualReset, initial));
    SetLastError(ERROR_SUCCESS);
    return entry;
}

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
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return CloseRegisteredHandle(hObject) ? TRUE : Fail(ERROR_INVALID_HANDLE);
    });
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

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName)
{
    return tuikit::Guarded<HANDLE>(nullptr, [&]() -> HANDLE {
        if (lpName && *lpName) return CreateNamedEvent(lpName, bManualReset != FALSE, bInitialState != FALSE);
        HANDLE h = RegisterHandle(new Event(bManualReset != FALSE, bInitialState != FALSE));
        SetLastError(ERROR_SUCCESS);
        return h;
    });
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

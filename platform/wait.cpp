// Waiting for events, threads and the console input, one object or several.
#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "core/boundary.h"
#include "platform/kernel_object.h"
#include "platform/last_error.h"

namespace tuikit::platform {

namespace {

// Every wait sleeps on one condition: objects are checked with its lock held
// and signallers notify under it, so no signal slips between a check and
// the sleep.
struct WaitHub {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<WaitableObject *> reading;  // objects a waiting thread reads for
};

WaitHub &Hub()
{
    static auto *hub = new WaitHub;  // the pump may wait while statics go
    return *hub;
}

using Clock = std::chrono::steady_clock;

// Lets the first object that can read for its signal read one round on
// this thread, the hub unlocked; a signaller meanwhile interrupts the read.
// True when one did (the objects must be looked at again); false with the
// lock never let go.
bool ReadFor(WaitableObject *const *objects, DWORD count, bool all, DWORD ms, Clock::time_point due,
             std::unique_lock<std::mutex> &guard)
{
    WaitableObject *reader = nullptr;
    for (DWORD i = 0; i < count && !reader; ++i)
        if (!(all && objects[i]->Signalled()) && objects[i]->CanReadWhileWaiting()) reader = objects[i];
    if (!reader) return false;
    int timeoutMs = -1;
    if (ms != INFINITE) {
        auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count();
        timeoutMs = static_cast<int>(std::max<decltype(left)>(left, 0));
    }
    WaitHub &hub = Hub();
    hub.reading.push_back(reader);
    guard.unlock();
    reader->ReadWhileWaiting(timeoutMs);
    guard.lock();
    hub.reading.erase(std::find(hub.reading.begin(), hub.reading.end(), reader));
    return true;
}

DWORD Wait(const HANDLE *handles, DWORD count, bool all, DWORD ms)
{
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS) {
        Fail(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    if (!handles) {
        Fail(ERROR_NOACCESS);
        return WAIT_FAILED;
    }
    std::array<ObjectRef, MAXIMUM_WAIT_OBJECTS> refs;
    std::array<WaitableObject *, MAXIMUM_WAIT_OBJECTS> objects{};
    for (DWORD i = 0; i < count; ++i) {
        refs[i] = LookupHandle(handles[i]);
        if (!refs[i] || !IsWaitable(refs[i].get()->Kind())) {
            Fail(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        objects[i] = static_cast<WaitableObject *>(refs[i].get());
    }
    auto due = Clock::now() + std::chrono::milliseconds(ms);
    bool last = ms == 0;
    WaitHub &hub = Hub();
    std::unique_lock guard(hub.lock);
    for (;;) {
        if (all) {
            bool every = true;
            for (DWORD i = 0; i < count && every; ++i) every = objects[i]->Signalled();
            if (every) {
                for (DWORD i = 0; i < count; ++i) objects[i]->Take();
                return WAIT_OBJECT_0;
            }
        } else {
            for (DWORD i = 0; i < count; ++i)
                if (objects[i]->Take()) return WAIT_OBJECT_0 + i;
        }
        if (last) return WAIT_TIMEOUT;
        if (ReadFor(objects.data(), count, all, ms, due, guard)) {
            last = ms != INFINITE && Clock::now() >= due;
            continue;
        }
        if (ms == INFINITE) hub.changed.wait(guard);
        else last = hub.changed.wait_until(guard, due) == std::cv_status::timeout;
    }
}

}  // namespace

void WakeWaiters()
{
    WaitHub &hub = Hub();
    {
        std::lock_guard guard(hub.lock);
        for (WaitableObject *obj : hub.reading) obj->InterruptRead();
    }
    hub.changed.notify_all();
}

}  // namespace tuikit::platform

using namespace tuikit::platform;

extern "C" {

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return tuikit::Guarded<DWORD>(WAIT_FAILED, [&] { return Wait(&hHandle, 1, false, dwMilliseconds); });
}

DWORD WINAPI WaitForMultipleObjects(DWORD nCount, const HANDLE *lpHandles, BOOL bWaitAll, DWORD dwMilliseconds)
{
    return tuikit::Guarded<DWORD>(WAIT_FAILED,
                                  [&] { return Wait(lpHandles, nCount, bWaitAll != FALSE, dwMilliseconds); });
}

}  // extern "C"

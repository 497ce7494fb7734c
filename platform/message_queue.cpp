#include "platform/message_queue.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "core/boundary.h"
#include "platform/last_error.h"
#include "tuikit/win32.h"

namespace tuikit::platform {

namespace {

using Clock = std::chrono::steady_clock;

// Windows clamps timer periods to this range.
constexpr UINT kMinTimerMs = 10;
constexpr UINT kMaxTimerMs = 0x7FFFFFFF;

// A queue holds at most this many posted messages, as on Windows; a thread
// that stops reading cannot make its posters eat all memory.
constexpr size_t kMaxPosted = 10000;

struct Timer {
    UINT_PTR id;
    std::chrono::milliseconds period;
    Clock::time_point due;
    TIMERPROC proc;
};

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
};

bool InRange(UINT msg, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (msg >= lo && msg <= hi); }

class ThreadQueue {
public:
    // False when the queue is full.
    bool Post(const Posted &p)
    {
        bool wake;
        {
            std::lock_guard guard(lock_);
            if (posted_.size() >= kMaxPosted) return false;
            posted_.push_back(p);
            count_.store(posted_.size(), std::memory_order_relaxed);
            wake = waiting_;
        }
        if (wake) ready_.notify_one();
        return true;
    }

    size_t Count() const { return count_.load(std::memory_order_relaxed); }

    void Quit(int code)
    {
        std::lock_guard guard(lock_);
        quit_ = true;
        quitCode_ = code;
    }

    UINT_PTR SetTimer(UINT_PTR requested, UINT ms, TIMERPROC proc)
    {
        static std::atomic<UINT_PTR> nextId{1};
        ms = std::clamp(ms, kMinTimerMs, kMaxTimerMs);
        auto period = std::chrono::milliseconds(ms);
        bool wake;
        UINT_PTR id;
        {
            std::lock_guard guard(lock_);
            auto it = FindTimer(requested);
            if (requested != 0 && it != timers_.end()) {
                // An existing id is restarted with the new period.
                it->period = period;
                it->due = Clock::now() + period;
                it->proc = proc;
                id = requested;
            } else {
                id = nextId.fetch_add(1);
                timers_.push_back(Timer{id, period, Clock::now() + period, proc});
            }
            wake = waiting_;
        }
        if (wake) ready_.notify_one();
        return id;
    }

    // The callback of a live timer of this queue, or null: a made-up
    // WM_TIMER must not make DispatchMessageA call an arbitrary address.
    TIMERPROC TimerProc(UINT_PTR id)
    {
        std::lock_guard guard(lock_);
        auto it = FindTimer(id);
        return it == timers_.end() ? nullptr : it->proc;
    }

    bool KillTimer(UINT_PTR id)
    {
        std::lock_guard guard(lock_);
        auto it = FindTimer(id);
        if (it == timers_.end()) return false;
        timers_.erase(it);
        return true;
    }

    // Takes (or peeks at) the next message in the platform's order: posted
    // messages first, then the quit message, then one due timer.
    bool Take(MSG &out, UINT lo, UINT hi, bool remove)
    {
        std::lock_guard guard(lock_);
        return TakeLocked(out, lo, hi, remove);
    }

    // Blocks until a message is there; false for WM_QUIT.
    BOOL Get(MSG &out, UINT lo, UINT hi, IdleHook idle)
    {
        std::unique_lock guard(lock_);
        for (;;) {
            if (TakeLocked(out, lo, hi, true)) return out.message != WM_QUIT;
            if (idle) {
                // Let the console show what was drawn before sleeping; new
                // messages may arrive meanwhile, so look again afterwards.
                guard.unlock();
                idle();
                guard.lock();
                if (TakeLocked(out, lo, hi, true)) return out.message != WM_QUIT;
            }
            waiting_ = true;
            auto due = NextDue(lo, hi);
            if (due) ready_.wait_until(guard, *due);
            else ready_.wait(guard);
            waiting_ = false;
        }
    }

private:
    std::vector<Timer>::iterator FindTimer(UINT_PTR id)
    {
        return std::find_if(timers_.begin(), timers_.end(), [id](const Timer &t) { return t.id == id; });
    }

    bool TakeLocked(MSG &out, UINT lo, UINT hi, bool remove)
    {
        out = MSG{};
        for (auto it = posted_.begin(); it != posted_.end(); ++it) {
            if (!InRange(it->message, lo, hi)) continue;
            out.message = it->message;
            out.wParam = it->wParam;
            out.lParam = it->lParam;
            out.time = it->time;
            if (remove) {
                posted_.erase(it);
                count_.store(posted_.size(), std::memory_order_relaxed);
            }
            return true;
        }
        if (quit_) {
            out.message = WM_QUIT;
            out.wParam = static_cast<WPARAM>(quitCode_);
            out.time = GetTickCount();
            if (remove) quit_ = false;
            return true;
        }
        if (!InRange(WM_TIMER, lo, hi) || timers_.empty()) return false;
        auto now = Clock::now();
        Timer *best = nullptr;
        for (auto &t : timers_)
            if (t.due <= now && (!best || t.due < best->due)) best = &t;
        if (!best) return false;
        out.message = WM_TIMER;
        out.wParam = best->id;
        out.lParam = reinterpret_cast<LPARAM>(best->proc);
        out.time = GetTickCount();
        // One WM_TIMER however many periods passed; the next is a period away.
        if (remove) best->due = now + best->period;
        return true;
    }

    std::unique_ptr<Clock::time_point> NextDue(UINT lo, UINT hi) const
    {
        if (timers_.empty() || !InRange(WM_TIMER, lo, hi)) return nullptr;
        auto due = std::min_element(timers_.begin(), timers_.end(),
                                    [](const Timer &a, const Timer &b) { return a.due < b.due; })->due;
        return std::make_unique<Clock::time_point>(due);
    }

    std::mutex lock_;
    std::condition_variable ready_;
    std::deque<Posted> posted_;
    std::vector<Timer> timers_;
    bool quit_ = false;
    int quitCode_ = 0;
    bool waiting_ = false;
    std::atomic<size_t> count_{0};  // posted_.size(), for readers without the lock
};

struct Registry {
    std::mutex lock;
    std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
};

Registry &Queues()
{
    static auto *registry = new Registry;  // outlives every thread's exit
    return *registry;
}

std::atomic<IdleHook> idleHook{nullptr};

// The calling thread's queue: created on first use, removed when the thread
// ends so that a recycled thread id does not inherit stale messages.
struct OwnQueue {
    DWORD id = 0;
    std::shared_ptr<ThreadQueue> queue;
    ~OwnQueue()
    {
        if (!queue) return;
        Registry &r = Queues();
        std::lock_guard guard(r.lock);
        auto it = r.queues.find(id);
        if (it != r.queues.end() && it->second == queue) r.queues.erase(it);
    }
};

ThreadQueue &Own()
{
    thread_local OwnQueue own;
    if (!own.queue) {
        own.id = CurrentThreadIdRaw();
        own.queue = std::make_shared<ThreadQueue>();
        Registry &r = Queues();
        std::lock_guard guard(r.lock);
        r.queues[own.id] = own.queue;
    }
    return *own.queue;
}

std::shared_ptr<ThreadQueue> Find(DWORD id)
{
    Registry &r = Queues();
    std::lock_guard guard(r.lock);
    auto it = r.queues.find(id);
    return it == r.queues.end() ? nullptr : it->second;
}

}  // namespace

void EnsureThreadQueue() { Own(); }

size_t PostedCount(unsigned threadId)
{
    auto queue = Find(threadId);
    return queue ? queue->Count() : 0;
}

void SetIdleHook(IdleHook hook) { idleHook.store(hook); }

}  // namespace tuikit::platform

using namespace tuikit::platform;

extern "C" {

BOOL WINAPI PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto queue = Find(idThread);
        if (!queue) return Fail(ERROR_INVALID_THREAD_ID);
        if (!queue->Post(Posted{Msg, wParam, lParam, GetTickCount()})) return Fail(ERROR_NOT_ENOUGH_QUOTA);
        return TRUE;
    });
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    return tuikit::Guarded<BOOL>(-1, [&]() -> BOOL {
        if (!lpMsg) {
            Fail(ERROR_INVALID_PARAMETER);
            return -1;
        }
        return Own().Get(*lpMsg, wMsgFilterMin, wMsgFilterMax, idleHook.load());
    });
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!lpMsg) return Fail(ERROR_INVALID_PARAMETER);
        return Own().Take(*lpMsg, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0) ? TRUE : FALSE;
    });
}

void WINAPI PostQuitMessage(int nExitCode)
{
    tuikit::Guarded([&] { Own().Quit(nExitCode); });
}

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    return tuikit::Guarded<UINT_PTR>(0, [&]() -> UINT_PTR {
        // There are no windows here: only thread timers exist.
        if (hWnd) {
            Fail(ERROR_INVALID_PARAMETER);
            return 0;
        }
        return Own().SetTimer(nIDEvent, uElapse, lpTimerFunc);
    });
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (hWnd) return Fail(ERROR_INVALID_PARAMETER);
        return Own().KillTimer(uIDEvent) ? TRUE : Fail(ERROR_INVALID_PARAMETER);
    });
}

LRESULT WINAPI DispatchMessageA(const MSG *lpMsg)
{
    return tuikit::Guarded<LRESULT>(0, [&]() -> LRESULT {
        // Thread messages have no window procedure; only the callback of one of
        // this thread's timers runs, and only when the message names it.
        if (!lpMsg || lpMsg->message != WM_TIMER || !lpMsg->lParam) return 0;
        TIMERPROC proc = Own().TimerProc(lpMsg->wParam);
        if (proc && reinterpret_cast<LPARAM>(proc) == lpMsg->lParam)
            proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
        return 0;
    });
}

}  // extern "C"

// Kernel objects behind HANDLE values: reference counted, validated on every
// use so that a stale or made-up handle gives FALSE instead of a crash.
#pragma once

#include <atomic>

#include "tuikit/win32.h"

namespace tuikit::platform {

enum class ObjectKind { ConsoleInput, ConsoleOutput, Event, Thread };

class KernelObject {
public:
    explicit KernelObject(ObjectKind kind) : kind_(kind) {}
    virtual ~KernelObject() = default;
    KernelObject(const KernelObject &) = delete;
    KernelObject &operator=(const KernelObject &) = delete;

    ObjectKind Kind() const { return kind_; }
    void AddRef() { refs_.fetch_add(1, std::memory_order_relaxed); }
    void Release()
    {
        if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
    }

private:
    ObjectKind kind_;
    std::atomic<int> refs_{1};
};

// An object WaitForSingleObject and WaitForMultipleObjects accept: events,
// threads and the console input. Whoever signals one calls WakeWaiters().
class WaitableObject : public KernelObject {
public:
    using KernelObject::KernelObject;
    // True when signalled; an auto-reset object is reset by taking it.
    virtual bool Signalled() = 0;
    virtual bool Take() { return Signalled(); }
    // An object whose signal comes from reading something (the console
    // input reads the terminal) reads on the waiting thread when it can:
    // one round of up to timeoutMs (-1 without limit). Otherwise the thread
    // sleeps as for any other object.
    virtual bool CanReadWhileWaiting() { return false; }
    virtual void ReadWhileWaiting(int timeoutMs) { (void)timeoutMs; }
    // Ends a ReadWhileWaiting on another thread: another object was signalled.
    virtual void InterruptRead() {}
};

bool IsWaitable(ObjectKind kind);
// Wakes every thread waiting for objects; called after one became signalled.
void WakeWaiters();

// Registers obj as a live handle (taking over its initial reference) and
// returns the handle value. If that fails, obj is released and the failure
// goes on to the caller.
HANDLE RegisterHandle(KernelObject *obj);
// Opens the live handle h once more (CloseHandle must then be called once
// more); false when h is no longer live.
bool ReopenHandle(HANDLE h);
// Registers an object that lives for the whole process; CloseHandle on it is
// accepted and does nothing.
HANDLE RegisterPermanentHandle(KernelObject *obj);
// Removes a handle; false when it was not live.
bool CloseRegisteredHandle(HANDLE h);

// A counted reference to the object behind a live handle, or empty.
class ObjectRef {
public:
    ObjectRef() = default;
    explicit ObjectRef(KernelObject *obj) : obj_(obj) {}
    ObjectRef(ObjectRef &&o) noexcept : obj_(o.obj_) { o.obj_ = nullptr; }
    ObjectRef &operator=(ObjectRef &&o) noexcept
    {
        if (this != &o) {
            if (obj_) obj_->Release();
            obj_ = o.obj_;
            o.obj_ = nullptr;
        }
        return *this;
    }
    ObjectRef(const ObjectRef &) = delete;
    ObjectRef &operator=(const ObjectRef &) = delete;
    ~ObjectRef()
    {
        if (obj_) obj_->Release();
    }
    KernelObject *get() const { return obj_; }
    explicit operator bool() const { return obj_ != nullptr; }

private:
    KernelObject *obj_ = nullptr;
};

ObjectRef LookupHandle(HANDLE h);

template <class T> T *As(const ObjectRef &ref, ObjectKind kind)
{
    return ref && ref.get()->Kind() == kind ? static_cast<T *>(ref.get()) : nullptr;
}

}  // namespace tuikit::platform

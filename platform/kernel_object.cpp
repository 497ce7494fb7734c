#include "kernel_object.h"

#include <mutex>
#include <unordered_map>

namespace tuikit::platform {

namespace {

struct HandleEntry {
    bool permanent = false;
    int opens = 1;  // CloseHandle calls it takes to close the handle
};

struct HandleTable {
    std::mutex lock;
    // The handle value is the object's address.
    std::unordered_map<KernelObject *, HandleEntry> live;
};

HandleTable &Table()
{
    static auto *table = new HandleTable;  // never destroyed: handles outlive static destructors
    return *table;
}

HANDLE Register(KernelObject *obj, bool permanent)
{
    HandleTable &t = Table();
    try {
        std::lock_guard guard(t.lock);
        t.live.emplace(obj, HandleEntry{permanent, 1});
    } catch (...) {
        obj->Release();
        throw;
    }
    return obj;
}

}  // namespace

HANDLE RegisterHandle(KernelObject *obj) { return Register(obj, false); }

HANDLE RegisterPermanentHandle(KernelObject *obj) { return Register(obj, true); }

bool ReopenHandle(HANDLE h)
{
    HandleTable &t = Table();
    std::lock_guard guard(t.lock);
    auto it = t.live.find(static_cast<KernelObject *>(h));
    if (it == t.live.end()) return false;
    ++it->second.opens;
    return true;
}

bool CloseRegisteredHandle(HANDLE h)
{
    HandleTable &t = Table();
    KernelObject *obj = nullptr;
    {
        std::lock_guard guard(t.lock);
        auto it = t.live.find(static_cast<KernelObject *>(h));
        if (it == t.live.end()) return false;
        if (it->second.permanent || --it->second.opens > 0) return true;
        obj = it->first;
        t.live.erase(it);
    }
    obj->Release();
    return true;
}

bool IsWaitable(ObjectKind kind)
{
    return kind == ObjectKind::Event || kind == ObjectKind::Thread || kind == ObjectKind::ConsoleInput;
}

ObjectRef LookupHandle(HANDLE h)
{
    HandleTable &t = Table();
    std::lock_guard guard(t.lock);
    auto it = t.live.find(static_cast<KernelObject *>(h));
    if (it == t.live.end()) return {};
    it->first->AddRef();
    return ObjectRef(it->first);
}

}  // namespace tuikit::platform

#include "kernel_object.h"

#include <mutex>
#include <unordered_map>

namespace tuikit::platform {

namespace {

struct HandleTable {
    std::mutex lock;
    // handle value -> permanent flag
    std::unordered_map<KernelObject *, bool> live;
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
        t.live.emplace(obj, permanent);
    } catch (...) {
        obj->Release();
        throw;
    }
    return obj;
}

}  // namespace

HANDLE RegisterHandle(KernelObject *obj) { return Register(obj, false); }

HANDLE RegisterPermanentHandle(KernelObject *obj) { return Register(obj, true); }

bool CloseRegisteredHandle(HANDLE h)
{
    HandleTable &t = Table();
    KernelObject *obj = nullptr;
    {
        std::lock_guard guard(t.lock);
        auto it = t.live.find(static_cast<KernelObject *>(h));
        if (it == t.live.end()) return false;
        if (it->second) return true;
        obj = it->first;
        t.live.erase(it);
    }
    obj->Release();
    return true;
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

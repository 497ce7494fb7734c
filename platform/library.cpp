// LoadLibraryA, GetProcAddress and FreeLibrary over dlopen and dlsym.
//
// A module name maps to a shared object by a fixed rule: the directory-free
// name without its ".dll" ending, in lower case, as lib<name>.so.1 and then
// lib<name>.so ("mapi32.dll" -> libmapi32.so.1), looked for by the dynamic
// linker's normal search and then in the directory this library was loaded
// from, where the installed provider libraries sit beside it. Names with a
// path are refused, so a module never comes from the current directory or
// any other place the caller names. Loading the same module again returns the same
// HMODULE and counts a reference, as FreeLibrary expects.
#include <dlfcn.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "core/boundary.h"
#include "platform/last_error.h"

namespace tuikit::platform {

namespace {

struct Module {
    void *dl = nullptr;
    int refs = 0;
};

std::mutex modulesLock;
// Entries are never erased (map nodes do not move), so an HMODULE stays a
// valid key after its module is unloaded; a stale handle finds refs == 0 and
// is refused.
std::map<std::string, Module> modulesByName;

Module *LiveModule(HMODULE h)
{
    for (auto &[name, module] : modulesByName)
        if (reinterpret_cast<HMODULE>(&module) == h) return module.refs > 0 ? &module : nullptr;
    return nullptr;
}

// The directory of the object holding this code, with its trailing '/', or
// "" when it is not known as an absolute path.
std::string OwnDirectory()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&OwnDirectory), &info) || !info.dli_fname) return {};
    std::string path = info.dli_fname;
    if (path.empty() || path.front() != '/') return {};
    return path.substr(0, path.rfind('/') + 1);
}

void *OpenSharedObject(const std::string &name)
{
    std::string own = OwnDirectory();
    for (const char *suffix : {".so.1", ".so"}) {
        std::string file = "lib" + name + suffix;
        if (void *dl = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) return dl;
        if (!own.empty())
            if (void *dl = dlopen((own + file).c_str(), RTLD_NOW | RTLD_LOCAL)) return dl;
    }
    return nullptr;
}

// The shared-object base name for a module name, or "" when it is refused.
std::string BaseName(const char *file)
{
    std::string name;
    for (const char *p = file; *p; ++p) {
        if (*p == '/' || *p == '\\' || *p == ':') return {};
        name += static_cast<char>(*p >= 'A' && *p <= 'Z' ? *p - 'A' + 'a' : *p);
    }
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dll") == 0) name.resize(name.size() - 4);
    if (name.empty() || name.front() == '.' || name.size() > 200) return {};
    return name;
}

}  // namespace

}  // namespace tuikit::platform

using namespace tuikit::platform;

extern "C" {

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName)
{
    return tuikit::Guarded<HMODULE>(nullptr, [&]() -> HMODULE {
        std::string name = lpLibFileName ? BaseName(lpLibFileName) : std::string();
        if (name.empty()) {
            SetLastError(lpLibFileName ? ERROR_MOD_NOT_FOUND : ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        std::lock_guard guard(modulesLock);
        Module *module = &modulesByName[name];
        if (module->refs == 0) {
            module->dl = OpenSharedObject(name);
            if (!module->dl) {
                SetLastError(ERROR_MOD_NOT_FOUND);
                return nullptr;
            }
        }
        ++module->refs;
        return reinterpret_cast<HMODULE>(module);
    });
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    return tuikit::Guarded<FARPROC>(nullptr, [&]() -> FARPROC {
        // Ordinals (values below 0x10000) have no meaning for a shared object.
        if (!lpProcName || reinterpret_cast<uintptr_t>(lpProcName) < 0x10000) {
            SetLastError(ERROR_PROC_NOT_FOUND);
            return nullptr;
        }
        std::lock_guard guard(modulesLock);
        Module *module = LiveModule(hModule);
        if (!module) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        void *symbol = dlsym(module->dl, lpProcName);
        if (!symbol) {
            SetLastError(ERROR_PROC_NOT_FOUND);
            return nullptr;
        }
        FARPROC proc;
        static_assert(sizeof proc == sizeof symbol);
        std::memcpy(&proc, &symbol, sizeof proc);
        return proc;
    });
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        std::lock_guard guard(modulesLock);
        Module *module = LiveModule(hLibModule);
        if (!module) return Fail(ERROR_INVALID_HANDLE);
        if (--module->refs == 0) {
            dlclose(module->dl);
            module->dl = nullptr;
        }
        return TRUE;
    });
}

}  // extern "C"

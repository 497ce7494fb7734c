// FindResourceA, LoadResource, SizeofResource and LockResource over the .res
// images registered with the library.
//
// A .res image is a sequence of entries, each aligned to 4 bytes:
//   DataSize (32), HeaderSize (32), Type, Name, padding to 4,
//   DataVersion (32), MemoryFlags (16), LanguageId (16), Version (32),
//   Characteristics (32), then DataSize bytes of data, padded to 4.
// Type and Name are either 0xFFFF followed by a 16-bit id, or a
// zero-terminated UTF-16 string. Compilers start the image with an empty
// entry of type 0; entries of type 0 are skipped. Lookup scans every entry,
// so the order in which a compiler wrote them does not matter.
#include "platform/resources.h"

#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/boundary.h"
#include "platform/last_error.h"
#include "tuikit/tuikit.h"

namespace tuikit::platform {

namespace {

constexpr uint16_t kOrdinalMarker = 0xFFFF;
constexpr uint32_t kFixedTail = 16;      // DataVersion .. Characteristics
constexpr uint32_t kMinimumHeader = 32;  // sizes, two ordinals, fixed tail

// A type or name: an integer id or a string, upper-cased (a to z) as the
// platform compares resource names without regard to case.
struct ResKey {
    bool isId = false;
    uint16_t id = 0;
    std::u16string name;

    bool operator==(const ResKey &) const = default;
};

char16_t FoldCase(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

uint16_t Unit(const uint8_t *p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Dword(const uint8_t *p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// Reads a type or name field from offset at, never past limit. Advances at.
bool ReadKey(const uint8_t *image, uint64_t &at, uint64_t limit, ResKey &key)
{
    if (at + 2 > limit) return false;
    if (Unit(image + at) == kOrdinalMarker) {
        if (at + 4 > limit) return false;
        key.isId = true;
        key.id = Unit(image + at + 2);
        at += 4;
        return true;
    }
    key.isId = false;
    key.name.clear();
    for (;;) {
        if (at + 2 > limit) return false;
        uint16_t u = Unit(image + at);
        at += 2;
        if (u == 0) return true;
        key.name.push_back(FoldCase(static_cast<char16_t>(u)));
    }
}

struct ParsedEntry {
    ResKey type;
    ResKey name;
    uint16_t language = 0;
    uint64_t dataOffset = 0;
    uint32_t dataSize = 0;
};

// Walks every entry of an image; visit(entry) is called for each entry
// whose type is not the null type. False when the image is malformed.
template <class Visit> bool WalkImage(const uint8_t *image, uint32_t size, Visit &&visit)
{
    if (!image || size == 0) return false;
    uint64_t at = 0;
    while (at < size) {
        if (size - at < kMinimumHeader) return false;
        uint32_t dataSize = Dword(image + at);
        uint32_t headerSize = Dword(image + at + 4);
        if (headerSize < kMinimumHeader || at + headerSize > size) return false;
        uint64_t headerEnd = at + headerSize;
        uint64_t field = at + 8;
        ParsedEntry entry;
        if (!ReadKey(image, field, headerEnd - kFixedTail, entry.type)) return false;
        if (!ReadKey(image, field, headerEnd - kFixedTail, entry.name)) return false;
        field = (field + 3) & ~uint64_t{3};
        if (field + kFixedTail > headerEnd) return false;
        entry.language = Unit(image + field + 6);
        if (headerEnd + dataSize > size) return false;
        entry.dataOffset = headerEnd;
        entry.dataSize = dataSize;
        if (!(entry.type.isId && entry.type.id == 0)) visit(entry);
        uint64_t next = (headerEnd + dataSize + 3) & ~uint64_t{3};
        at = next < size ? next : size;
    }
    return true;
}

struct Entry {
    ResKey type;
    ResKey name;
    uint16_t language;
    const uint8_t *data;
    uint32_t size;
};

// Everything registered, for the life of the process. Images are copied, so
// a caller's buffer may go away after TuiAddResources returns.
struct Store {
    std::mutex lock;
    struct Image {
        std::unique_ptr<uint8_t[]> bytes;
        uint32_t size;
    };
    std::vector<Image> images;
    std::vector<std::unique_ptr<Entry>> entries;
};

Store &TheStore()
{
    // Never destroyed: templates stay valid while static destructors run.
    static auto *store = new Store;
    return *store;
}

// What a FindResourceA argument asks for: an integer id (MAKEINTRESOURCE or
// "#123") or a name. False when it cannot name any resource.
bool KeyFromArgument(LPCSTR argument, ResKey &key)
{
    if (IS_INTRESOURCE(argument)) {
        key.isId = true;
        key.id = static_cast<uint16_t>(reinterpret_cast<ULONG_PTR>(argument));
        return key.id != 0;
    }
    if (argument[0] == '#') {
        uint32_t value = 0;
        const char *p = argument + 1;
        if (!*p) return false;
        for (; *p; ++p) {
            if (*p < '0' || *p > '9') return false;
            value = value * 10 + static_cast<uint32_t>(*p - '0');
            if (value > 0xFFFF) return false;
        }
        key.isId = true;
        key.id = static_cast<uint16_t>(value);
        return true;
    }
    key.isId = false;
    for (const char *p = argument; *p; ++p)
        key.name.push_back(FoldCase(static_cast<char16_t>(static_cast<unsigned char>(*p))));
    return true;
}

const Entry *Registered(HRSRC handle)
{
    Store &store = TheStore();
    std::lock_guard guard(store.lock);
    for (const auto &e : store.entries)
        if (reinterpret_cast<HRSRC>(e.get()) == handle) return e.get();
    return nullptr;
}

}  // namespace

bool ValidateResourceImage(const void *image, uint32_t size, uint32_t *entries)
{
    uint32_t count = 0;
    bool ok = WalkImage(static_cast<const uint8_t *>(image), size, [&](const ParsedEntry &) { ++count; });
    if (entries) *entries = ok ? count : 0;
    return ok;
}

bool AddResourceImage(const void *image, uint32_t size)
{
    if (!ValidateResourceImage(image, size)) return false;
    auto copy = std::make_unique<uint8_t[]>(size);
    std::memcpy(copy.get(), image, size);
    const uint8_t *base = copy.get();
    std::vector<std::unique_ptr<Entry>> added;
    WalkImage(base, size, [&](const ParsedEntry &p) {
        added.push_back(std::make_unique<Entry>(Entry{p.type, p.name, p.language, base + p.dataOffset, p.dataSize}));
    });
    // All of the image or none of it: nothing can fail once the room is there.
    Store &store = TheStore();
    std::lock_guard guard(store.lock);
    store.entries.reserve(store.entries.size() + added.size());
    store.images.reserve(store.images.size() + 1);
    for (auto &e : added) store.entries.push_back(std::move(e));
    store.images.push_back(Store::Image{std::move(copy), size});
    return true;
}

bool RemoveResourceImage(const void *image, uint32_t size)
{
    Store &store = TheStore();
    std::lock_guard guard(store.lock);
    for (auto it = store.images.rbegin(); it != store.images.rend(); ++it) {
        if (it->size != size || std::memcmp(it->bytes.get(), image, size) != 0) continue;
        const uint8_t *begin = it->bytes.get(), *end = begin + size;
        std::erase_if(store.entries, [&](const auto &e) { return e->data >= begin && e->data <= end; });
        store.images.erase(std::next(it).base());
        return true;
    }
    return false;
}

}  // namespace tuikit::platform

using namespace tuikit::platform;

extern "C" {

TUIKIT_API int TuiAddResources(const void *res, uint32_t size)
{
    return tuikit::Guarded<int>(0, [&]() -> int { return AddResourceImage(res, size) ? 1 : 0; });
}

TUIKIT_API HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    return tuikit::Guarded<HRSRC>(nullptr, [&]() -> HRSRC {
        // Only the host executable carries resources.
        if (hModule) {
            SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
            return nullptr;
        }
        ResKey name, type;
        if (!lpType || !KeyFromArgument(lpType, type)) {
            SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
            return nullptr;
        }
        if (!lpName || !KeyFromArgument(lpName, name)) {
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        Store &store = TheStore();
        std::lock_guard guard(store.lock);
        bool typeSeen = false;
        for (const auto &e : store.entries) {
            if (!(e->type == type)) continue;
            typeSeen = true;
            if (e->name == name) return reinterpret_cast<HRSRC>(e.get());
        }
        SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    });
}

TUIKIT_API HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    return tuikit::Guarded<HGLOBAL>(nullptr, [&]() -> HGLOBAL {
        static const uint8_t kEmpty[4] = {};
        const Entry *e = hModule ? nullptr : Registered(hResInfo);
        if (!e) {
            SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
            return nullptr;
        }
        return const_cast<uint8_t *>(e->size ? e->data : kEmpty);
    });
}

TUIKIT_API DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo)
{
    return tuikit::Guarded<DWORD>(0, [&]() -> DWORD {
        const Entry *e = hModule ? nullptr : Registered(hResInfo);
        if (!e) {
            SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
            return 0;
        }
        return e->size;
    });
}

TUIKIT_API LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

}  // extern "C"

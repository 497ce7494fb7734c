// Arbitrary bytes as a .res image: validation must never read outside them,
// and an accepted image must give back, by lookup, entries that lie inside
// the registered copy.
#include <cstring>
#include <memory>

#include "platform/resources.h"
#include "tuikit/tuikit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[size]);  // a read past them is caught
    std::memcpy(bytes.get(), data, size);
    // Registered images stay for the life of the process: only small ones.
    if (size > 256 || !tuikit::platform::ValidateResourceImage(bytes.get(), uint32_t(size)) ||
        !TuiAddResources(bytes.get(), uint32_t(size)))
        return 0;
    for (WORD id = 1; id < 8; ++id) {
        HRSRC r = FindResourceA(nullptr, MAKEINTRESOURCE(id), RT_MENU);
        auto *p = static_cast<const volatile uint8_t *>(LockResource(LoadResource(nullptr, r)));
        for (DWORD i = 0, n = r ? SizeofResource(nullptr, r) : 0; i < n; ++i) (void)p[i];
    }
    return 0;
}

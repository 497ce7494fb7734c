// Arbitrary bytes as a .res image: validation must never read outside them,
// and an image it accepts must give back, by lookup, entries that lie
// inside the registered copy.
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/resources.h"
#include "tuikit/tuikit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > UINT32_MAX) return 0;
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[size ? size : 1]);
    if (size) std::memcpy(bytes.get(), data, size);
    uint32_t entries = 0;
    if (!tuikit::platform::ValidateResourceImage(bytes.get(), static_cast<uint32_t>(size), &entries)) return 0;
    // Registering keeps a copy for the life of the process; only small
    // accepted images are added so the store stays small.
    if (size > 256 || !TuiAddResources(bytes.get(), static_cast<uint32_t>(size))) return 0;
    for (WORD id = 1; id < 8; ++id) {
        HRSRC r = FindResourceA(nullptr, MAKEINTRESOURCE(id), RT_MENU);
        if (!r) continue;
        const auto *p = static_cast<const volatile uint8_t *>(LockResource(LoadResource(nullptr, r)));
        DWORD n = SizeofResource(nullptr, r);
        uint8_t sum = 0;
        for (DWORD i = 0; i < n; ++i) sum = static_cast<uint8_t>(sum + p[i]);
        (void)sum;
    }
    return 0;
}

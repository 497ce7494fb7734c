// The resources of the host executable: .res images (as written by llvm-rc
// or windres) registered at start-up or at run time, searched by
// FindResourceA and friends.
#pragma once

#include <cstdint>

#include "tuikit/win32.h"

namespace tuikit::platform {

// Checks a whole .res image and, when it is well formed, copies it and adds
// its entries to the store. A malformed image adds nothing and gives false.
bool AddResourceImage(const void *image, uint32_t size);

// Takes back the most recently added image with these bytes, and its
// entries: handles found in it are no longer valid. For a program that
// registers resources only while it uses them; false when none matches.
bool RemoveResourceImage(const void *image, uint32_t size);

// True when the image is a well-formed .res image; counts its entries
// (the leading null entry and other type-0 entries excluded).
bool ValidateResourceImage(const void *image, uint32_t size, uint32_t *entries = nullptr);

}  // namespace tuikit::platform

// The C boundary: every exported function runs its body through Guarded, so
// no exception ever reaches a caller. Allocation failure becomes the call's
// own not-done result with the last error ERROR_NOT_ENOUGH_MEMORY; anything
// else thrown becomes the not-done result with ERROR_INTERNAL_ERROR.
//
// Only the Win32 subset is used here, so the platform layer and the toolkit
// share this one policy.
#pragma once

#include <new>
#include <stdexcept>
#include <type_traits>

#include "tuikit/win32.h"

namespace tuikit {

// Returns body() or, when it throws, notDone after setting the last error.
template <class Result, class Body> Result Guarded(Result notDone, Body &&body) noexcept
{
    try {
        return static_cast<Result>(body());
    } catch (const std::bad_alloc &) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } catch (const std::length_error &) {  // a size no allocation could meet
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } catch (...) {
        SetLastError(ERROR_INTERNAL_ERROR);
    }
    return notDone;
}

// For calls without a result: the body's work is simply left undone.
template <class Body> void Guarded(Body &&body) noexcept
{
    static_assert(std::is_void_v<decltype(body())>);
    Guarded(0, [&] {
        body();
        return 0;
    });
}

}  // namespace tuikit

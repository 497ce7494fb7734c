// What the console call files share: the handle check that comes before any
// other argument is looked at, the screen lock, and optional out values.
#pragma once

#include <mutex>

#include "platform/console/console.h"
#include "platform/last_error.h"

namespace tuikit::platform {

inline bool IsKind(HANDLE h, ObjectKind kind)
{
    auto ref = LookupHandle(h);
    return ref && ref.get()->Kind() == kind;
}

// Runs fn(console, screen) under the screen lock when h is the screen buffer.
template <class Fn> BOOL WithScreen(HANDLE h, Fn fn)
{
    if (!IsKind(h, ObjectKind::ConsoleOutput)) return Fail(ERROR_INVALID_HANDLE);
    Console &console = Console::Get();
    std::lock_guard guard(console.ScreenLock());
    return fn(console, console.Screen());
}

// Runs fn(input buffer) when h is the console input.
template <class Fn> BOOL WithInput(HANDLE h, Fn fn)
{
    if (!IsKind(h, ObjectKind::ConsoleInput)) return Fail(ERROR_INVALID_HANDLE);
    return fn(Console::Get().Input());
}

inline void Store(LPDWORD out, DWORD value)
{
    if (out) *out = value;
}

}  // namespace tuikit::platform

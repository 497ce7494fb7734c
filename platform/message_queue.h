// Thread message queues: posted messages, the quit flag and window-less
// thread timers, one queue per thread.
#pragma once

#include <cstddef>

namespace tuikit::platform {

// The calling thread's id, without creating its queue.
unsigned CurrentThreadIdRaw();

// Makes sure the calling thread has a queue, so others can post to it.
void EnsureThreadQueue();

// How many posted messages wait in a thread's queue; 0 when it has none.
size_t PostedCount(unsigned threadId);

// Called on the thread that is about to block in GetMessageA with nothing
// waiting; the console uses it to show what was drawn.
using IdleHook = void (*)();
void SetIdleHook(IdleHook hook);

}  // namespace tuikit::platform

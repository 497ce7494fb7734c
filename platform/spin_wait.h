// A short spin before a thread goes to sleep on a condition variable: a
// message that follows closely on the last one (a burst of input, a reply)
// is then taken without the cost of two scheduler wake-ups.
#pragma once

#include <atomic>
#include <chrono>
#include <thread>

namespace tuikit::platform {

// Spins for at most a few tens of microseconds until ready() holds; true
// when it did. Bounded, so an idle program still sleeps at once after it.
template <class Ready> bool SpinBriefly(Ready ready)
{
    constexpr auto kSpin = std::chrono::microseconds(30);
    auto until = std::chrono::steady_clock::now() + kSpin;
    do {
        if (ready()) return true;
        std::this_thread::yield();
    } while (std::chrono::steady_clock::now() < until);
    return ready();
}

}  // namespace tuikit::platform

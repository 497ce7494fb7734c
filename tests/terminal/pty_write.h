// Writing more to a pseudo-terminal than its buffer holds.
#pragma once

#include <string>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace tuikit::test {

// Writes every byte to the master side, calling drain() whenever output
// waits, so that the program's output never holds up its input. False when
// the program stopped taking input for five seconds.
template <class Drain> bool WriteAllDraining(int master, const std::string &bytes, Drain drain)
{
    int flags = fcntl(master, F_GETFL);
    fcntl(master, F_SETFL, flags | O_NONBLOCK);
    size_t at = 0;
    while (at < bytes.size()) {
        pollfd p{master, POLLIN | POLLOUT, 0};
        if (poll(&p, 1, 5000) <= 0) break;
        if (p.revents & POLLIN) drain();
        ssize_t n = (p.revents & POLLOUT) ? write(master, bytes.data() + at, bytes.size() - at) : 0;
        if (n > 0) at += static_cast<size_t>(n);
    }
    fcntl(master, F_SETFL, flags);
    return at == bytes.size();
}

}  // namespace tuikit::test

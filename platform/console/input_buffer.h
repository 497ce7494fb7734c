// The console input buffer: a FIFO of INPUT_RECORD shared by the reader (the
// input pump) and the writers (the terminal decoder, WriteConsoleInputA).
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>

#include "tuikit/win32.h"

namespace tuikit::platform {

class InputBuffer {
public:
    // Appends records and wakes a blocked reader.
    void Append(const INPUT_RECORD *records, size_t count);
    // Blocks until at least one record is there, then moves up to count out.
    // Returns 0 when the buffer has no source of input (reading fails).
    size_t Read(INPUT_RECORD *out, size_t count);
    size_t Peek(INPUT_RECORD *out, size_t count);
    size_t Size();
    void Flush();
    // A buffer with no source (standard input is not a terminal while the
    // screen is) makes every read fail at once.
    void SetReadable(bool readable);

private:
    std::mutex lock_;
    std::condition_variable ready_;
    std::deque<INPUT_RECORD> records_;
    bool readable_ = true;
};

}  // namespace tuikit::platform

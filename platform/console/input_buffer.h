// The console input buffer: a FIFO of INPUT_RECORD shared by the readers
// (the input pump, an application reading for itself) and the writers (the
// terminal's decoder, WriteConsoleInputA).
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "tuikit/win32.h"

namespace tuikit::platform {

// Where records come from when the buffer runs dry: the terminal, read on
// the thread that needs input, so that no thread stands between a key and
// its reader and the terminal is read only as fast as records are taken.
class InputSource {
public:
    virtual ~InputSource() = default;
    // One round on the calling thread: waits up to timeoutMs (-1: until
    // something happens) for the terminal or a wake-up, then appends what
    // it decoded, records or not.
    virtual void Pump(int timeoutMs) = 0;
    // Makes a round running on another thread return soon.
    virtual void Interrupt() = 0;
    // A round ended (called with the buffer's lock held): whoever waits for
    // a turn may take one.
    virtual void RoundEnded() {}
};

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
    bool Readable();

    // Set once, before any reader runs.
    void SetSource(InputSource *source) { source_ = source; }
    // Runs one round of the source on this thread unless another thread is
    // running one; false then, and without a source.
    bool PumpOnce(int timeoutMs);
    // Whether PumpOnce would run a round now.
    bool CanPump();
    // Ends another thread's round, so that it looks again at what it waits for.
    void InterruptOtherPumper();

private:
    void RunRound(std::unique_lock<std::mutex> &guard, int timeoutMs);

    std::mutex lock_;
    std::condition_variable ready_;
    std::deque<INPUT_RECORD> records_;
    bool readable_ = true;
    InputSource *source_ = nullptr;
    bool pumping_ = false;     // a thread runs a round of the source
    std::thread::id pumper_;  // which one
};

}  // namespace tuikit::platform

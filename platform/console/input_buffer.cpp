#include "input_buffer.h"

#include <algorithm>

#include "platform/kernel_object.h"

namespace tuikit::platform {

void InputBuffer::Append(const INPUT_RECORD *records, size_t count)
{
    if (count == 0) return;
    {
        std::lock_guard guard(lock_);
        records_.insert(records_.end(), records, records + count);
        // A reader waiting in the terminal on another thread has input now.
        if (pumping_ && pumper_ != std::this_thread::get_id()) source_->Interrupt();
    }
    ready_.notify_all();
    WakeWaiters();  // the input handle is signalled now
}

size_t InputBuffer::Read(INPUT_RECORD *out, size_t count)
{
    if (count == 0) return 0;
    std::unique_lock guard(lock_);
    for (;;) {
        if (!readable_) return 0;
        if (!records_.empty()) break;
        if (source_ && !pumping_) RunRound(guard, -1);
        else ready_.wait(guard);
    }
    size_t n = std::min(count, records_.size());
    std::copy_n(records_.begin(), n, out);
    records_.erase(records_.begin(), records_.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
}

void InputBuffer::RunRound(std::unique_lock<std::mutex> &guard, int timeoutMs)
{
    pumping_ = true;
    pumper_ = std::this_thread::get_id();
    guard.unlock();
    source_->Pump(timeoutMs);
    guard.lock();
    pumping_ = false;
    source_->RoundEnded();
    ready_.notify_all();  // another reader may take the next round
}

bool InputBuffer::PumpOnce(int timeoutMs)
{
    std::unique_lock guard(lock_);
    if (!source_ || pumping_ || !readable_) return false;
    RunRound(guard, timeoutMs);
    return true;
}

bool InputBuffer::CanPump()
{
    std::lock_guard guard(lock_);
    return source_ && !pumping_ && readable_;
}

void InputBuffer::InterruptOtherPumper()
{
    std::lock_guard guard(lock_);
    if (pumping_ && pumper_ != std::this_thread::get_id()) source_->Interrupt();
}

size_t InputBuffer::Peek(INPUT_RECORD *out, size_t count)
{
    std::lock_guard guard(lock_);
    size_t n = std::min(count, records_.size());
    std::copy_n(records_.begin(), n, out);
    return n;
}

bool InputBuffer::Readable()
{
    std::lock_guard guard(lock_);
    return readable_;
}

size_t InputBuffer::Size()
{
    std::lock_guard guard(lock_);
    return records_.size();
}

void InputBuffer::Flush()
{
    std::lock_guard guard(lock_);
    records_.clear();
}

void InputBuffer::SetReadable(bool readable)
{
    {
        std::lock_guard guard(lock_);
        readable_ = readable;
        if (pumping_ && pumper_ != std::this_thread::get_id()) source_->Interrupt();
    }
    ready_.notify_all();
}

}  // namespace tuikit::platform

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
    }
    ready_.notify_all();
    WakeWaiters();  // the input handle is signalled now
}

size_t InputBuffer::Read(INPUT_RECORD *out, size_t count)
{
    if (count == 0) return 0;
    std::unique_lock guard(lock_);
    ready_.wait(guard, [this] { return !readable_ || !records_.empty(); });
    if (!readable_) return 0;
    size_t n = std::min(count, records_.size());
    std::copy_n(records_.begin(), n, out);
    records_.erase(records_.begin(), records_.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
}

size_t InputBuffer::Peek(INPUT_RECORD *out, size_t count)
{
    std::lock_guard guard(lock_);
    size_t n = std::min(count, records_.size());
    std::copy_n(records_.begin(), n, out);
    return n;
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
    }
    ready_.notify_all();
}

}  // namespace tuikit::platform

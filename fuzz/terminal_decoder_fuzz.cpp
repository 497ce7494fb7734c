// Arbitrary terminal input, cut into reads at arbitrary times: the decoder
// must never crash, only make well-formed records, and leave nothing
// undecoded once the escape timeout has passed.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/terminal/decoder.h"

using tuikit::platform::InputDecoder;

namespace {

void Check(bool ok)
{
    if (!ok) std::abort();
}

void CheckRecords(const std::vector<INPUT_RECORD> &records)
{
    for (const INPUT_RECORD &r : records) {
        if (r.EventType == KEY_EVENT) {
            Check(r.Event.KeyEvent.wRepeatCount >= 1);
        } else if (r.EventType == MOUSE_EVENT) {
            Check(r.Event.MouseEvent.dwMousePosition.X >= 0 && r.Event.MouseEvent.dwMousePosition.Y >= 0);
            Check((r.Event.MouseEvent.dwEventFlags & ~DWORD{MOUSE_MOVED | DOUBLE_CLICK | MOUSE_WHEELED | MOUSE_HWHEELED}) == 0);
        } else {
            Check(false);  // the decoder makes only key and mouse records
        }
    }
}

}  // namespace

// The first byte chooses the mode; then each chunk is a length byte, a
// time step byte and that many bytes of input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0) return 0;
    InputDecoder decoder;
    decoder.SetReleasesReported(data[0] & 1);
    std::vector<INPUT_RECORD> out;
    uint64_t now = 1000;
    size_t at = 1;
    while (at + 2 <= size) {
        size_t len = data[at];
        now += data[at + 1];
        at += 2;
        len = std::min(len, size - at);
        decoder.Expire(now, out);
        decoder.Feed(reinterpret_cast<const char *>(data + at), len, now, out);
        at += len;
        if (auto due = decoder.Deadline()) Check(*due > now - 1 && *due <= now + InputDecoder::kEscapeTimeoutMs);
    }
    decoder.Expire(now + InputDecoder::kEscapeTimeoutMs, out);
    Check(!decoder.Deadline().has_value());
    CheckRecords(out);
    return 0;
}

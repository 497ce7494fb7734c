// Arbitrary terminal input, cut into reads at arbitrary times: the decoder
// must never crash, make only well-formed key and mouse records, and leave
// nothing undecoded once the escape timeout has passed.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/terminal/decoder.h"

using tuikit::platform::InputDecoder;

static void Check(bool ok)
{
    if (!ok) std::abort();
}

// The first byte chooses the mode and the input code page; then each chunk
// is a length byte, a time step byte and that many bytes of input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0) return 0;
    static constexpr UINT kPages[] = {437, 850, 1252, CP_UTF8, 0};
    InputDecoder decoder;
    decoder.SetReleasesReported(data[0] & 1);
    decoder.SetInputCodePage(kPages[(data[0] >> 1) % 5]);
    std::vector<INPUT_RECORD> out;
    uint64_t now = 1000;
    for (size_t at = 1; at + 2 <= size;) {
        size_t len = std::min<size_t>(data[at], size - at - 2);
        now += data[at + 1];
        decoder.Expire(now, out);
        decoder.Feed(reinterpret_cast<const char *>(data + at + 2), len, now, out);
        at += 2 + len;
        if (auto due = decoder.Deadline()) Check(*due >= now && *due <= now + InputDecoder::kEscapeTimeoutMs);
    }
    decoder.Expire(now + InputDecoder::kEscapeTimeoutMs, out);
    Check(!decoder.Deadline().has_value());
    constexpr DWORD kFlags = MOUSE_MOVED | DOUBLE_CLICK | MOUSE_WHEELED | MOUSE_HWHEELED;
    for (const INPUT_RECORD &r : out) {
        const MOUSE_EVENT_RECORD &m = r.Event.MouseEvent;
        Check(r.EventType == KEY_EVENT ? r.Event.KeyEvent.wRepeatCount >= 1
                                       : r.EventType == MOUSE_EVENT && m.dwMousePosition.X >= 0 &&
                                             m.dwMousePosition.Y >= 0 && (m.dwEventFlags & ~kFlags) == 0);
    }
    return 0;
}

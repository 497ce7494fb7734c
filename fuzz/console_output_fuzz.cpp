// Arbitrary text printed with WriteConsoleA into buffers of arbitrary sizes
// and output modes: printing must never crash, the cursor must stay inside
// the buffer, and every byte is reported written.
#include <cstdint>
#include <cstdlib>

#include "tuikit/win32.h"

static void Check(bool ok)
{
    if (!ok) std::abort();
}

// The first two bytes choose the buffer's width and height (1 to 64), the
// third the output mode; the rest is printed in chunks cut at 0xFF bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3) return 0;
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    COORD buffer{static_cast<SHORT>(1 + data[0] % 64), static_cast<SHORT>(1 + data[1] % 64)};
    Check(SetConsoleScreenBufferSize(out, buffer));
    Check(SetConsoleCursorPosition(out, COORD{0, 0}));
    SetConsoleMode(out, data[2] & (ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT));
    for (size_t at = 3; at < size;) {
        size_t end = at;
        while (end < size && data[end] != 0xFF) ++end;
        DWORD written = 0;
        Check(WriteConsoleA(out, data + at, static_cast<DWORD>(end - at), &written, nullptr));
        Check(written == end - at);
        CONSOLE_SCREEN_BUFFER_INFO info{};
        Check(GetConsoleScreenBufferInfo(out, &info));
        Check(info.dwCursorPosition.X >= 0 && info.dwCursorPosition.X < buffer.X);
        Check(info.dwCursorPosition.Y >= 0 && info.dwCursorPosition.Y < buffer.Y);
        at = end + 1;
    }
    return 0;
}

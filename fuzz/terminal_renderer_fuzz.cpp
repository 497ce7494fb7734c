// Arbitrary cell contents, cursor states, buffer and terminal sizes: the
// renderer must never crash, its frames may hold no control byte but those
// of its own sequences, and a terminal fed with them (libvterm) must show
// the buffer, glyphs and colours.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/terminal/renderer.h"
#include "tests/terminal/test_terminal.h"

using tuikit::platform::Cell;

namespace {

void Play(tuikit::test::TestTerminal &term, tuikit::platform::Renderer &renderer, tuikit::platform::ScreenBuffer &screen)
{
    std::string frame;
    renderer.Render(screen, frame);
    screen.ClearDamage();
    if (tuikit::test::StrayControl(frame) != std::string::npos) std::abort();
    term.Feed(frame);
}

}  // namespace

// Bytes: buffer width and height, terminal width and height, then
// operations of four bytes each (kind, x, y, value); kind's top bit renders.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4) return 0;
    int w = 1 + data[0] % 120, h = 1 + data[1] % 60, tw = 1 + data[2] % 120, th = 1 + data[3] % 60;
    tuikit::platform::ScreenBuffer screen(w, h);
    tuikit::platform::Renderer renderer;
    renderer.SetViewport(tw, th);
    tuikit::test::TestTerminal term(th, tw);
    for (size_t at = 4; at + 4 <= size; at += 4) {
        uint8_t kind = data[at], a = data[at + 1], b = data[at + 2], v = data[at + 3];
        switch (kind % 8) {
        case 0: case 1: case 2: screen.SetCell(a % w, b % h, Cell{v, uint16_t(a ^ (v << 4) ^ (kind << 8))}); break;
        case 3: screen.FillChar(a % w, b % h, v, v * 3u); break;
        case 4:
            screen.cursor = COORD{SHORT(a % w), SHORT(b % h)};
            screen.cursorVisible = v & 1;
            screen.cursorSize = 1 + v % 100;
            break;
        case 5: renderer.SetSynchronizedOutput(v & 1); break;
        case 6: renderer.Invalidate(); break;
        default:
            w = 1 + a % 120, h = 1 + b % 60;
            if (v & 1) screen.FollowWindow(w, h);  // keeps what it cuts off
            else screen.Resize(w, h);
            break;
        }
        if (kind & 0x80) Play(term, renderer, screen);
    }
    Play(term, renderer, screen);
    if (!term.Difference(screen).empty()) std::abort();
    return 0;
}

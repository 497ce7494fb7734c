// Arbitrary cell contents, cursor states, buffer and terminal sizes: the
// renderer must never crash, its frames must hold only the sequences it
// means to send and glyphs of code page 437, and a terminal fed with them
// (libvterm) must show the buffer.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <vterm.h>

#include "platform/console/screen_buffer.h"
#include "platform/terminal/cp437.h"
#include "platform/terminal/renderer.h"

using tuikit::platform::Cell;
using tuikit::platform::Renderer;
using tuikit::platform::ScreenBuffer;

namespace {

void Check(bool ok)
{
    if (!ok) std::abort();
}

bool Digits(const std::string &s, size_t from, size_t to)
{
    for (size_t i = from; i < to; ++i)
        if ((s[i] < '0' || s[i] > '9') && s[i] != ';') return false;
    return true;
}

// Accepts exactly: CUP, CHA, SGR, erase display, cursor show/hide,
// synchronized output on/off, DECSCUSR, CR, CR LF, and UTF-8 glyphs that
// code page 437 has.
void CheckFrame(const std::string &f)
{
    size_t i = 0;
    while (i < f.size()) {
        auto c = static_cast<unsigned char>(f[i]);
        if (c == 0x1B) {
            Check(i + 1 < f.size() && f[i + 1] == '[');
            size_t j = i + 2;
            bool priv = j < f.size() && f[j] == '?';
            if (priv) ++j;
            size_t start = j;
            while (j < f.size() && ((f[j] >= '0' && f[j] <= '9') || f[j] == ';')) ++j;
            Check(j < f.size());
            std::string params = f.substr(start, j - start);
            char final = f[j];
            if (priv) {
                Check((params == "25" || params == "2026") && (final == 'h' || final == 'l'));
            } else if (final == ' ') {
                Check((params == "1" || params == "3") && j + 1 < f.size() && f[j + 1] == 'q');
                ++j;
            } else {
                Check(final == 'H' || final == 'G' || final == 'm' || (final == 'J' && params == "2"));
                Check(Digits(params, 0, params.size()));
            }
            i = j + 1;
        } else if (c == '\r') {
            i += (i + 1 < f.size() && f[i + 1] == '\n') ? 2 : 1;
        } else {
            Check(c >= 0x20 && c != 0x7F);
            size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            Check(i + len <= f.size());
            char32_t cp = len == 1 ? c : (c & (0x3F >> (len - 1)));
            for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(f[i + k]) & 0x3F);
            Check(cp >= 0x20 && (cp < 0x7F || cp >= 0xA0));
            Check(cp == U' ' || tuikit::platform::UnicodeToCp437(cp) >= 0);
            i += len;
        }
    }
}

void CheckShown(VTerm *vt, const ScreenBuffer &screen, int rows, int cols)
{
    VTermScreen *vs = vterm_obtain_screen(vt);
    for (int y = 0; y < screen.Height() && y < rows; ++y)
        for (int x = 0; x < screen.Width() && x < cols; ++x) {
            VTermScreenCell cell{};
            vterm_screen_get_cell(vs, VTermPos{y, x}, &cell);
            char32_t shown = cell.chars[0] ? cell.chars[0] : U' ';
            Check(shown == tuikit::platform::Cp437ToUnicode(screen.At(x, y).ch));
        }
}

}  // namespace

// Bytes: buffer width and height, terminal width and height, then
// operations of four bytes each (kind, x, y, value).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4) return 0;
    int w = 1 + data[0] % 120, h = 1 + data[1] % 60;
    int tw = 1 + data[2] % 120, th = 1 + data[3] % 60;
    ScreenBuffer screen(w, h);
    Renderer renderer;
    renderer.SetViewport(tw, th);
    VTerm *vt = vterm_new(th, tw);
    vterm_set_utf8(vt, 1);
    vterm_screen_reset(vterm_obtain_screen(vt), 1);
    std::string frame;
    for (size_t at = 4; at + 4 <= size; at += 4) {
        uint8_t kind = data[at], a = data[at + 1], b = data[at + 2], v = data[at + 3];
        switch (kind % 8) {
        case 0: case 1: case 2:
            screen.SetCell(a % w, b % h, Cell{v, static_cast<uint16_t>(a ^ (v << 4) ^ (kind << 8))});
            break;
        case 3:
            screen.FillChar(a % w, b % h, v, static_cast<uint32_t>(v) * 3);
            break;
        case 4:
            screen.cursor = COORD{static_cast<SHORT>(a % w), static_cast<SHORT>(b % h)};
            screen.cursorVisible = v & 1;
            screen.cursorSize = 1 + v % 100;
            break;
        case 5:
            renderer.SetSynchronizedOutput(v & 1);
            break;
        case 6:
            if (v & 1) renderer.Invalidate();
            break;
        default:
            w = 1 + a % 120;
            h = 1 + b % 60;
            screen.Resize(w, h);
            break;
        }
        if (kind & 0x80) {
            frame.clear();
            renderer.Render(screen, frame);
            screen.ClearDamage();
            CheckFrame(frame);
            vterm_input_write(vt, frame.data(), frame.size());
        }
    }
    frame.clear();
    renderer.Render(screen, frame);
    CheckFrame(frame);
    vterm_input_write(vt, frame.data(), frame.size());
    CheckShown(vt, screen, th, tw);
    vterm_free(vt);
    return 0;
}

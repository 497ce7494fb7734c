// An independent terminal for the tests: libvterm fed with what a program
// writes. Every byte fed is kept, for modes libvterm does not report.
#pragma once

#include <cstdio>
#include <string>

#include <vterm.h>

#include "pattern.h"
#include "platform/console/screen_buffer.h"
#include "platform/terminal/cp437.h"

namespace tuikit::test {

class TestTerminal {
public:
    TestTerminal(int rows, int cols)
        : vt_(vterm_new(rows, cols)), screen_(vterm_obtain_screen(vt_)), rows_(rows), cols_(cols)
    {
        vterm_set_utf8(vt_, 1);
        vterm_screen_enable_altscreen(screen_, 1);
        static VTermScreenCallbacks callbacks{};
        callbacks.settermprop = [](VTermProp prop, VTermValue *val, void *user) {
            auto *self = static_cast<TestTerminal *>(user);
            if (prop == VTERM_PROP_CURSORVISIBLE) self->cursorVisible = val->boolean;
            if (prop == VTERM_PROP_ALTSCREEN) self->altScreen = val->boolean;
            if (prop == VTERM_PROP_MOUSE) self->mouse = val->number;
            if (prop == VTERM_PROP_CURSORSHAPE) self->cursorShape = val->number;
            return 1;
        };
        vterm_screen_set_callbacks(screen_, &callbacks, this);
        vterm_screen_reset(screen_, 1);
    }
    ~TestTerminal() { vterm_free(vt_); }
    TestTerminal(const TestTerminal &) = delete;
    TestTerminal &operator=(const TestTerminal &) = delete;

    // Plays the bytes; returns what the terminal answered (device
    // attributes, cursor position...).
    std::string Feed(const std::string &bytes)
    {
        written += bytes;
        vterm_input_write(vt_, bytes.data(), bytes.size());
        std::string answers;
        char buf[256];
        while (size_t n = vterm_output_read(vt_, buf, sizeof buf)) answers.append(buf, n);
        return answers;
    }
    void Resize(int rows, int cols) { vterm_set_size(vt_, rows_ = rows, cols_ = cols); }

    VTermScreenCell Cell(int x, int y) const
    {
        VTermScreenCell cell{};
        vterm_screen_get_cell(screen_, VTermPos{y, x}, &cell);
        return cell;
    }
    char32_t Glyph(int x, int y) const { return Cell(x, y).chars[0] ? Cell(x, y).chars[0] : U' '; }
    std::string RowText(int y) const  // glyphs outside ASCII read as '~'
    {
        std::string out;
        for (int x = 0; x < cols_; ++x) out += Glyph(x, y) < 0x80 ? static_cast<char>(Glyph(x, y)) : '~';
        return out;
    }
    bool Shows(const std::string &text) const
    {
        for (int y = 0; y < rows_; ++y)
            if (RowText(y).find(text) != std::string::npos) return true;
        return false;
    }
    VTermPos Cursor() const
    {
        VTermPos pos{};
        vterm_state_get_cursorpos(vterm_obtain_state(vt_), &pos);
        return pos;
    }
    // The first cell where the terminal differs from the buffer in glyph or
    // colours, described; empty when they are equal.
    std::string Difference(const platform::ScreenBuffer &screen) const
    {
        static constexpr int kSgr[8] = {0, 4, 2, 6, 1, 5, 3, 7};  // console colour bits to palette index
        auto palette = [](int nibble) { return kSgr[nibble & 7] + ((nibble & 8) ? 8 : 0); };
        // The palette index shown; -1 the default, 1000+ a direct colour (never a console colour).
        auto shown = [](const VTermColor &c, bool isDefault) {
            return isDefault ? -1 : VTERM_COLOR_IS_INDEXED(&c) ? c.indexed.idx : 1000 + c.rgb.red;
        };
        for (int y = 0; y < screen.Height() && y < rows_; ++y)
            for (int x = 0; x < screen.Width() && x < cols_; ++x) {
                const platform::Cell &want = screen.At(x, y);
                VTermScreenCell got = Cell(x, y);
                int fg = shown(got.fg, VTERM_COLOR_IS_DEFAULT_FG(&got.fg));
                int bg = shown(got.bg, VTERM_COLOR_IS_DEFAULT_BG(&got.bg));
                if (Glyph(x, y) == platform::Cp437ToUnicode(want.ch) && fg == palette(want.attr & 0x0F) &&
                    bg == palette((want.attr >> 4) & 0x0F))
                    continue;
                char buf[128];
                std::snprintf(buf, sizeof buf, "cell (%d,%d): byte 0x%02X attr 0x%02X shows U+%04X fg %d bg %d", x, y,
                              want.ch, want.attr & 0xFF, static_cast<unsigned>(Glyph(x, y)), fg, bg);
                return buf;
            }
        return {};
    }

    bool cursorVisible = true;
    int cursorShape = VTERM_PROP_CURSORSHAPE_BLOCK;
    bool altScreen = false;
    int mouse = 0;
    std::string written;  // every byte fed

private:
    VTerm *vt_;
    VTermScreen *screen_;
    int rows_, cols_;
};

// Where a frame holds a control byte other than its own sequences'
// introducers and line ends; npos when it holds none.
inline size_t StrayControl(const std::string &frame)
{
    for (size_t i = 0; i < frame.size(); ++i) {
        auto c = static_cast<unsigned char>(frame[i]);
        if (c == 0x1B ? frame[i + 1] != '[' : (c < 0x20 || c == 0x7F) && c != '\r' && c != '\n') return i;
    }
    return std::string::npos;
}

// The test pattern as a screen buffer of its seven rows.
inline platform::ScreenBuffer PatternScreen()
{
    Pattern pattern;
    platform::ScreenBuffer screen(80, Pattern::kCells / 80);
    screen.WriteChars(0, 0, pattern.chars, Pattern::kCells);
    screen.WriteAttrs(0, 0, pattern.attrs, Pattern::kCells);
    return screen;
}

}  // namespace tuikit::test

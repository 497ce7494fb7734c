#include "test_terminal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/terminal/cp437.h"
#include "pattern.h"

namespace tuikit::test {

namespace {

// The palette index a colour is shown with; -1 the default, 1000+ a
// direct colour (never a console colour).
int Colour(const VTermColor &c, bool fg)
{
    if (fg ? VTERM_COLOR_IS_DEFAULT_FG(&c) : VTERM_COLOR_IS_DEFAULT_BG(&c)) return -1;
    if (VTERM_COLOR_IS_INDEXED(&c)) return c.indexed.idx;
    return 1000 + (c.rgb.red << 16 | c.rgb.green << 8 | c.rgb.blue);
}

// The palette index a console colour nibble must be shown with.
int PaletteIndex(int nibble)
{
    static constexpr int kSgr[8] = {0, 4, 2, 6, 1, 5, 3, 7};
    return kSgr[nibble & 7] + ((nibble & 8) ? 8 : 0);
}

}  // namespace

TestTerminal::TestTerminal(int rows, int cols) : vt_(vterm_new(rows, cols)), rows_(rows), cols_(cols)
{
    vterm_set_utf8(vt_, 1);
    VTermScreen *screen = vterm_obtain_screen(vt_);
    vterm_screen_enable_altscreen(screen, 1);
    static VTermScreenCallbacks callbacks{};
    callbacks.settermprop = &TestTerminal::SetTermProp;
    vterm_screen_set_callbacks(screen, &callbacks, this);
    vterm_screen_reset(screen, 1);
}

int TestTerminal::SetTermProp(VTermProp prop, VTermValue *val, void *user)
{
    auto *self = static_cast<TestTerminal *>(user);
    if (prop == VTERM_PROP_CURSORVISIBLE) self->cursorVisible = val->boolean;
    if (prop == VTERM_PROP_ALTSCREEN) self->altScreen = val->boolean;
    if (prop == VTERM_PROP_MOUSE) self->mouse = val->number;
    if (prop == VTERM_PROP_CURSORSHAPE) self->cursorShape = val->number;
    return 1;
}

void TestTerminal::Feed(const std::string &bytes)
{
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b == 0x1B) {
            csi_ = "\x1b";
        } else if (csi_.empty()) {
            continue;
        } else if (b < 0x20 || (csi_.size() == 1 && c != '[')) {
            csi_.clear();
        } else {
            csi_ += c;
            if (csi_.size() > 2 && b >= 0x40 && b <= 0x7E) {
                Sequence(csi_.substr(2));
                csi_.clear();
            }
        }
    }
    vterm_input_write(vt_, bytes.data(), bytes.size());
}

void TestTerminal::Sequence(const std::string &seq)
{
    char lead = seq[0], final = seq.back();
    if (lead == '?' && (final == 'h' || final == 'l')) {
        for (const char *s = seq.c_str() + 1;;) {
            char *end = nullptr;
            long mode = std::strtol(s, &end, 10);
            if (end == s) break;
            privateModes[static_cast<int>(mode)] = final == 'h';
            s = *end == ';' ? end + 1 : end;
        }
    } else if (lead == '>' && final == 'u') {
        ++keyboardDepth;
    } else if (lead == '<' && final == 'u') {
        keyboardDepth -= std::max(1, std::atoi(seq.c_str() + 1));
    } else if (final == 'q' && seq.size() > 1 && seq[seq.size() - 2] == ' ') {
        cursorStyle = std::atoi(seq.c_str());
    }
}

std::string TestTerminal::TakeAnswers()
{
    std::string out;
    char buf[256];
    while (size_t n = vterm_output_read(vt_, buf, sizeof buf)) out.append(buf, n);
    return out;
}

void TestTerminal::Resize(int rows, int cols)
{
    rows_ = rows;
    cols_ = cols;
    vterm_set_size(vt_, rows, cols);
}

VTermScreenCell TestTerminal::Cell(int x, int y) const
{
    VTermScreenCell cell{};
    vterm_screen_get_cell(vterm_obtain_screen(vt_), VTermPos{y, x}, &cell);
    return cell;
}

char32_t TestTerminal::Glyph(int x, int y) const
{
    uint32_t c = Cell(x, y).chars[0];
    return c == 0 ? U' ' : static_cast<char32_t>(c);
}

std::string TestTerminal::RowText(int y) const
{
    std::string out;
    for (int x = 0; x < cols_; ++x) {
        char32_t g = Glyph(x, y);
        out += g < 0x80 ? static_cast<char>(g) : '~';
    }
    return out;
}

bool TestTerminal::Shows(const std::string &text) const
{
    for (int y = 0; y < rows_; ++y)
        if (RowText(y).find(text) != std::string::npos) return true;
    return false;
}

VTermPos TestTerminal::Cursor() const
{
    VTermPos pos{};
    vterm_state_get_cursorpos(vterm_obtain_state(vt_), &pos);
    return pos;
}

std::string TestTerminal::Difference(const platform::ScreenBuffer &screen) const
{
    for (int y = 0; y < screen.Height() && y < rows_; ++y)
        for (int x = 0; x < screen.Width() && x < cols_; ++x) {
            const platform::Cell &want = screen.At(x, y);
            VTermScreenCell got = Cell(x, y);
            int fg = PaletteIndex(want.attr & 0x0F), bg = PaletteIndex(want.attr >> 4);
            if (Glyph(x, y) != platform::Cp437ToUnicode(want.ch) || Colour(got.fg, true) != fg ||
                Colour(got.bg, false) != bg) {
                char buf[128];
                std::snprintf(buf, sizeof buf, "cell (%d,%d): byte 0x%02X attr 0x%02X shows U+%04X fg %d bg %d", x, y,
                              want.ch, want.attr & 0xFF, static_cast<unsigned>(Glyph(x, y)),
                              Colour(got.fg, true), Colour(got.bg, false));
                return buf;
            }
        }
    return {};
}

platform::ScreenBuffer PatternScreen()
{
    platform::ScreenBuffer screen(80, kPatternCells / 80);
    for (int i = 0; i < kPatternCells; ++i) {
        char ch;
        WORD attr;
        PatternCell(i, ch, attr);
        screen.SetCell(i % 80, i / 80, platform::Cell{static_cast<uint8_t>(ch), attr});
    }
    return screen;
}

}  // namespace tuikit::test

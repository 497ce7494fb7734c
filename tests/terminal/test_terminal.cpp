#include "test_terminal.h"

#include <cstdio>
#include <vector>

#include "platform/terminal/cp437.h"

namespace tuikit::test {

namespace {

void AppendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int ColourIndex(const VTermColor &c, bool foreground)
{
    if (foreground ? VTERM_COLOR_IS_DEFAULT_FG(&c) : VTERM_COLOR_IS_DEFAULT_BG(&c)) return -1;
    if (VTERM_COLOR_IS_INDEXED(&c)) return c.indexed.idx;
    return 1000 + (c.rgb.red << 16 | c.rgb.green << 8 | c.rgb.blue);  // never a console colour
}

}  // namespace

int PaletteIndex(int nibble)
{
    static constexpr int kSgr[8] = {0, 4, 2, 6, 1, 5, 3, 7};
    return kSgr[nibble & 7] + ((nibble & 8) ? 8 : 0);
}

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

TestTerminal::~TestTerminal() { vterm_free(vt_); }

int TestTerminal::SetTermProp(VTermProp prop, VTermValue *val, void *user)
{
    auto *self = static_cast<TestTerminal *>(user);
    switch (prop) {
    case VTERM_PROP_CURSORVISIBLE: self->cursorVisible_ = val->boolean; break;
    case VTERM_PROP_ALTSCREEN: self->altScreen_ = val->boolean; break;
    case VTERM_PROP_MOUSE: self->mouse_ = val->number; break;
    case VTERM_PROP_CURSORSHAPE: self->cursorShape_ = val->number; break;
    default: break;
    }
    return 1;
}

void TestTerminal::Feed(const char *data, size_t size)
{
    for (size_t i = 0; i < size; ++i) Scan(data[i]);
    vterm_input_write(vt_, data, size);
}

void TestTerminal::Scan(char c)
{
    if (c == 0x1B) {
        scanState_ = 1;
        return;
    }
    if (scanState_ == 1) {
        scanState_ = c == '[' ? 2 : 0;
        csi_.clear();
        return;
    }
    if (scanState_ != 2) return;
    auto b = static_cast<unsigned char>(c);
    if (b >= 0x40 && b <= 0x7E) {
        csi_ += c;
        Sequence();
        scanState_ = 0;
    } else if (b >= 0x20 && b < 0x40) {
        csi_ += c;
    } else {
        scanState_ = 0;
    }
}

void TestTerminal::Sequence()
{
    char final = csi_.back();
    std::string body = csi_.substr(0, csi_.size() - 1);
    std::vector<int> params;
    int cur = -1;
    for (char c : body) {
        if (c >= '0' && c <= '9') cur = (cur < 0 ? 0 : cur * 10) + (c - '0');
        else if (c == ';') {
            params.push_back(cur);
            cur = -1;
        }
    }
    params.push_back(cur);
    if (!body.empty() && body[0] == '?' && (final == 'h' || final == 'l')) {
        for (int p : params)
            if (p >= 0) modes_[p] = final == 'h';
    } else if (!body.empty() && body[0] == '>' && final == 'u') {
        ++keyboardDepth_;
    } else if (!body.empty() && body[0] == '<' && final == 'u') {
        keyboardDepth_ -= params[0] > 0 ? params[0] : 1;
    } else if (final == 'q' && !body.empty() && body.back() == ' ') {
        cursorStyle_ = params[0] < 0 ? 0 : params[0];
    }
}

std::string TestTerminal::TakeAnswers()
{
    std::string out;
    char buf[256];
    size_t n;
    while ((n = vterm_output_read(vt_, buf, sizeof buf)) > 0) out.append(buf, n);
    return out;
}

void TestTerminal::Resize(int rows, int cols)
{
    rows_ = rows;
    cols_ = cols;
    vterm_set_size(vt_, rows, cols);
}

TermCell TestTerminal::At(int x, int y) const
{
    VTermScreenCell cell{};
    vterm_screen_get_cell(vterm_obtain_screen(vt_), VTermPos{y, x}, &cell);
    char32_t glyph = cell.chars[0] == 0 ? U' ' : static_cast<char32_t>(cell.chars[0]);
    return TermCell{glyph, ColourIndex(cell.fg, true), ColourIndex(cell.bg, false)};
}

std::string TestTerminal::RowText(int y) const
{
    std::string out;
    for (int x = 0; x < cols_; ++x) AppendUtf8(out, At(x, y).glyph);
    return out;
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
            const platform::Cell &c = screen.At(x, y);
            TermCell t = At(x, y);
            char32_t want = platform::Cp437ToUnicode(c.ch);
            int fg = PaletteIndex(c.attr & 0x0F), bg = PaletteIndex((c.attr >> 4) & 0x0F);
            if (t.glyph != want || t.fg != fg || t.bg != bg) {
                char buf[160];
                std::snprintf(buf, sizeof buf, "cell (%d,%d): byte 0x%02X attr 0x%02X wants U+%04X fg %d bg %d, shows U+%04X fg %d bg %d",
                              x, y, c.ch, c.attr & 0xFF, static_cast<unsigned>(want), fg, bg,
                              static_cast<unsigned>(t.glyph), t.fg, t.bg);
                return buf;
            }
        }
    return {};
}

}  // namespace tuikit::test

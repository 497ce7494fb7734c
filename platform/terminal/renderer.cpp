#include "platform/terminal/renderer.h"

#include <algorithm>

#include "platform/terminal/cp437.h"

namespace tuikit::platform {

namespace {

constexpr uint32_t kUnknown = 0xFFFFFFFF;

// Console colour bits are blue 1, green 2, red 4; SGR's are red 1, green 2,
// blue 4.
constexpr int kSgrColour[8] = {0, 4, 2, 6, 1, 5, 3, 7};

// Only the colour byte of an attribute is shown.
uint32_t Shown(const Cell &c) { return c.ch | static_cast<uint32_t>(c.attr & 0xFF) << 8; }

void AppendNumber(std::string &out, int n)
{
    char buf[12];
    int len = 0;
    do {
        buf[len++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (len > 0) out += buf[--len];
}

size_t Digits(int n) { return n >= 1000 ? 4 : n >= 100 ? 3 : n >= 10 ? 2 : 1; }

// Cursor sizes of at most half a cell show as an underline, larger as a
// block; both blink, as a console cursor does (DECSCUSR 3 and 1).
int ShapeFor(DWORD size) { return size > 50 ? 1 : 3; }

}  // namespace

void Renderer::SetViewport(int width, int height)
{
    if (width == viewWidth_ && height == viewHeight_) return;
    viewWidth_ = width;
    viewHeight_ = height;
    Invalidate();
}

void Renderer::SetCodePage(UINT number)
{
    if (number == codePage_) return;
    codePage_ = number;
    page_ = number == 437 ? nullptr : CodePage::Find(number);
    Invalidate();
}

const std::string &Renderer::Glyph(uint8_t byte) const { return page_ ? page_->Glyph(byte) : Cp437ToUtf8(byte); }

void Renderer::Invalidate()
{
    full_ = true;
    std::fill(shown_.begin(), shown_.end(), kUnknown);
    attr_ = -1;
    curX_ = curY_ = -1;
    cursorVisible_ = -1;
    cursorShape_ = -1;
}

void Renderer::Render(const ScreenBuffer &screen, std::string &out)
{
    if (screen.Width() != width_ || screen.Height() != height_) {
        width_ = screen.Width();
        height_ = screen.Height();
        shown_.assign(static_cast<size_t>(width_) * height_, kUnknown);
        Invalidate();
    }
    body_.clear();
    int rows = std::min(height_, viewHeight_);
    int cols = std::min(width_, viewWidth_);
    if (full_ && (width_ < viewWidth_ || height_ < viewHeight_)) {
        // Part of the terminal lies beyond the buffer: blank it.
        body_ += "\x1b[0m\x1b[2J";
        attr_ = -1;
    }
    const auto &damage = screen.Damage();
    for (int y = 0; y < rows; ++y) {
        int lo = full_ ? 0 : damage[y].lo;
        int hi = full_ ? cols : std::min(damage[y].hi, cols);
        if (lo < hi) RenderRow(screen, y, lo, hi);
    }
    full_ = false;
    bool cellsWritten = !body_.empty();
    std::string prefix;
    if (cellsWritten && cursorVisible_ != 0 && !sync_) {
        // Without synchronized output, keep the cursor from flickering
        // across the screen while cells are written.
        prefix = "\x1b[?25l";
        cursorVisible_ = 0;
    }
    std::string tail;
    Cursor(screen, cellsWritten, tail);
    if (!cellsWritten && tail.empty()) return;
    if (sync_) out += "\x1b[?2026h";
    out += prefix;
    out += body_;
    out += tail;
    if (sync_) out += "\x1b[?2026l";
}

void Renderer::RenderRow(const ScreenBuffer &screen, int y, int lo, int hi)
{
    const Cell *row = screen.Row(y);
    uint32_t *shown = &shown_[static_cast<size_t>(y) * width_];
    int x = lo;
    while (x < hi) {
        if (Shown(row[x]) == shown[x]) {
            ++x;
            continue;
        }
        // A run starts with an absolute move, so a terminal that drew an
        // earlier glyph wider than one cell cannot shift it.
        MoveTo(x, y);
        int end = x;
        while (end < hi) {
            if (Shown(row[end]) != shown[end]) {
                Put(row[end]);
                shown[end] = Shown(row[end]);
                ++end;
                continue;
            }
            int next = end;
            while (next < hi && Shown(row[next]) == shown[next]) ++next;
            if (next >= hi || RewriteCost(row, end, next) > MoveCost(next)) break;
            // Rewriting a short unchanged gap is cheaper than moving over it.
            for (; end < next; ++end) Put(row[end]);
        }
        x = end;
        if (end >= viewWidth_) curX_ = -1;  // the cursor stays on the last column
    }
}

void Renderer::MoveTo(int x, int y)
{
    if (curY_ == y && curX_ >= 0) {
        if (x == 0) {
            body_ += '\r';
        } else {
            body_ += "\x1b[";
            AppendNumber(body_, x + 1);
            body_ += 'G';
        }
    } else if (curY_ >= 0 && curX_ >= 0 && y == curY_ + 1 && x == 0) {
        body_ += "\r\n";
    } else {
        body_ += "\x1b[";
        if (y > 0 || x > 0) AppendNumber(body_, y + 1);
        if (x > 0) {
            body_ += ';';
            AppendNumber(body_, x + 1);
        }
        body_ += 'H';
    }
    curX_ = x;
    curY_ = y;
}

size_t Renderer::MoveCost(int x) const { return x == 0 ? 1 : 3 + Digits(x + 1); }

size_t Renderer::RewriteCost(const Cell *row, int from, int to) const
{
    size_t cost = 0;
    int attr = attr_;
    for (int x = from; x < to; ++x) {
        int a = row[x].attr & 0xFF;
        if (a != attr) cost += 8;
        attr = a;
        cost += Glyph(row[x].ch).size();
    }
    return cost;
}

void Renderer::Put(const Cell &cell)
{
    int attr = cell.attr & 0xFF;
    if (attr != attr_) Sgr(attr);
    body_ += Glyph(cell.ch);
    ++curX_;
}

void Renderer::Sgr(int attr)
{
    int fg = attr & 0x0F, bg = attr >> 4;
    int fgCode = (fg & 8 ? 90 : 30) + kSgrColour[fg & 7];
    int bgCode = (bg & 8 ? 100 : 40) + kSgrColour[bg & 7];
    body_ += "\x1b[";
    if (attr_ < 0) {
        body_ += "0;";
        AppendNumber(body_, fgCode);
        body_ += ';';
        AppendNumber(body_, bgCode);
    } else if ((attr_ & 0x0F) != fg && (attr_ >> 4) != bg) {
        AppendNumber(body_, fgCode);
        body_ += ';';
        AppendNumber(body_, bgCode);
    } else if ((attr_ & 0x0F) != fg) {
        AppendNumber(body_, fgCode);
    } else {
        AppendNumber(body_, bgCode);
    }
    body_ += 'm';
    attr_ = attr;
}

void Renderer::Cursor(const ScreenBuffer &screen, bool cellsWritten, std::string &tail)
{
    int cx = screen.cursor.X, cy = screen.cursor.Y;
    bool inside = cx >= 0 && cy >= 0 && cx < std::min(width_, viewWidth_) && cy < std::min(height_, viewHeight_);
    bool visible = screen.cursorVisible && inside;
    if (!visible) {
        if (cursorVisible_ != 0) tail += "\x1b[?25l";
        cursorVisible_ = 0;
        return;
    }
    int shape = ShapeFor(screen.cursorSize);
    if (shape != cursorShape_) {
        tail += "\x1b[";
        AppendNumber(tail, shape);
        tail += " q";
        cursorShape_ = shape;
    }
    if (cellsWritten || curX_ != cx || curY_ != cy) {
        tail += "\x1b[";
        AppendNumber(tail, cy + 1);
        tail += ';';
        AppendNumber(tail, cx + 1);
        tail += 'H';
        curX_ = cx;
        curY_ = cy;
    }
    if (cursorVisible_ != 1) tail += "\x1b[?25h";
    cursorVisible_ = 1;
}

}  // namespace tuikit::platform

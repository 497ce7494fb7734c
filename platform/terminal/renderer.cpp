#include "platform/terminal/renderer.h"

#include <algorithm>

#include "platform/terminal/cp437.h"
#include "platform/terminal/escapes.h"

namespace tuikit::platform {

using namespace escapes;

namespace {

constexpr uint32_t kUnknown = 0xFFFFFFFF;
// Fewer changed blanks than this never make clearing the screen pay.
constexpr int kBlanksWorthAClear = 32;
constexpr size_t kHideCursorAbove = 512;

// Console colour bits are blue 1, green 2, red 4; SGR's are red 1, green 2,
// blue 4.
constexpr int kSgrColour[8] = {0, 4, 2, 6, 1, 5, 3, 7};

// Only the colour byte of an attribute is shown.
uint32_t Shown(const Cell &c) { return c.ch | static_cast<uint32_t>(c.attr & 0xFF) << 8; }

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
    FindBlanks();
    Invalidate();
}

void Renderer::FindBlanks()
{
    for (int b = 0; b < 256; ++b) {
        const std::string &g = Glyph(static_cast<uint8_t>(b));
        blank_[b] = g.size() == 1 && g[0] == ' ';
    }
}

const std::string &Renderer::Glyph(uint8_t byte) const { return page_ ? page_->Glyph(byte) : Cp437ToUtf8(byte); }

void Renderer::Invalidate()
{
    full_ = true;
    std::fill(shown_.begin(), shown_.end(), kUnknown);
    attr_ = -1;
    curX_ = curY_ = -1;
    placed_ = false;
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
        AppendCsi(body_, kSelectRendition, {0});
        AppendCsi(body_, kEraseInDisplay, {2});
        attr_ = -1;
        RenderRows(screen, rows, cols, true);
    } else {
        RenderClearingIfCheaper(screen, rows, cols);
    }
    full_ = false;
    bool cellsWritten = !body_.empty();
    std::string prefix;
    if (body_.size() > kHideCursorAbove && cursorVisible_ != 0 && !sync_) {
        // Without synchronized output, keep the cursor from flickering
        // across the screen while a large frame is written; a small one
        // reaches the terminal in one read.
        AppendMode(prefix, DecMode::kCursorVisible, false);
        cursorVisible_ = 0;
    }
    std::string tail;
    Cursor(screen, tail);
    if (!cellsWritten && tail.empty()) return;
    if (sync_) AppendMode(out, DecMode::kSynchronizedOutput, true);
    out += prefix;
    out += body_;
    out += tail;
    if (sync_) AppendMode(out, DecMode::kSynchronizedOutput, false);
}

void Renderer::RenderRows(const ScreenBuffer &screen, int rows, int cols, bool all)
{
    const auto &damage = screen.Damage();
    for (int y = 0; y < rows; ++y) {
        int lo = all ? 0 : damage[y].lo;
        int hi = all ? cols : std::min(damage[y].hi, cols);
        if (lo < hi) RenderRow(screen, y, lo, hi, cols);
    }
}

int Renderer::CommonBlank(const ScreenBuffer &screen, int rows, int cols, int changedBlanks) const
{
    // For each colour, the cells a clear in it would settle (changed blanks
    // of that colour) against those it would spoil (right ones that are not).
    // Once more right cells hold something other than a blank than there
    // are changed blanks, no colour can win.
    int changedBlank[256] = {}, rightBlank[256] = {};
    int right = 0, rightFilled = 0;
    for (int y = 0; y < rows; ++y) {
        const Cell *row = screen.Row(y);
        const uint32_t *shown = &shown_[static_cast<size_t>(y) * width_];
        for (int x = 0; x < cols; ++x) {
            bool ok = Shown(row[x]) == shown[x];
            bool blank = IsBlank(row[x]);
            right += ok;
            rightFilled += ok && !blank;
            if (blank) ++(ok ? rightBlank : changedBlank)[row[x].attr & 0xFF];
        }
        if (rightFilled >= changedBlanks) return -1;
    }
    int best = -1, bestGain = 0;
    for (int a = 0; a < 256; ++a) {
        int gain = changedBlank[a] - (right - rightBlank[a]);
        int cost = static_cast<int>(SgrSize(attr_, a) + CsiSize({2}));
        if (gain - cost > bestGain) {
            best = a;
            bestGain = gain - cost;
        }
    }
    return best;
}

void Renderer::RenderClearingIfCheaper(const ScreenBuffer &screen, int rows, int cols)
{
    // Clearing can pay only when many changed cells are blank: count them
    // (cheaply, in the damage only) before looking at the whole screen.
    int changedBlanks = 0;
    for (int y = 0; y < rows; ++y) {
        const Cell *row = screen.Row(y);
        const uint32_t *shown = &shown_[static_cast<size_t>(y) * width_];
        int lo = full_ ? 0 : screen.Damage()[y].lo, hi = full_ ? cols : std::min(screen.Damage()[y].hi, cols);
        for (int x = lo; x < hi; ++x) changedBlanks += Shown(row[x]) != shown[x] && IsBlank(row[x]);
    }
    // A clear also reaches what lies beyond a buffer smaller than the terminal.
    bool covered = width_ >= viewWidth_ && height_ >= viewHeight_;
    int blank = covered && changedBlanks >= kBlanksWorthAClear ? CommonBlank(screen, rows, cols, changedBlanks) : -1;
    if (blank < 0) {
        RenderRows(screen, rows, cols, full_);
        return;
    }
    // Both ways are drawn; the shorter one is kept.
    const std::vector<uint32_t> before = shown_;
    const Pen start = SavePen();
    RenderRows(screen, rows, cols, full_);
    std::string plain;
    plain.swap(body_);
    std::vector<uint32_t> plainShown = before;
    plainShown.swap(shown_);
    const Pen plainEnd = SavePen();

    RestorePen(start);
    if (attr_ != blank) Sgr(blank);
    AppendCsi(body_, kEraseInDisplay, {2});
    const uint32_t cleared = ' ' | static_cast<uint32_t>(blank) << 8;
    for (int y = 0; y < rows; ++y) {
        const Cell *row = screen.Row(y);
        uint32_t *shown = &shown_[static_cast<size_t>(y) * width_];
        for (int x = 0; x < cols; ++x)
            shown[x] = IsBlank(row[x]) && (row[x].attr & 0xFF) == blank ? Shown(row[x]) : cleared;
    }
    RenderRows(screen, rows, cols, true);  // the clear reached every cell
    if (body_.size() <= plain.size()) return;
    body_.swap(plain);
    shown_.swap(plainShown);
    RestorePen(plainEnd);
}

void Renderer::RenderRow(const ScreenBuffer &screen, int y, int lo, int hi, int cols)
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
        MoveTo(x, y, body_);
        int end = x;
        while (end < hi) {
            if (Shown(row[end]) != shown[end]) {
                if (int erased = Erase(row, shown, end, hi, cols); erased > end) {
                    end = erased;  // the cursor stayed where the erase began
                    break;
                }
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
    }
}

int Renderer::Erase(const Cell *row, uint32_t *shown, int x, int hi, int cols)
{
    if (!IsBlank(row[x])) return x;
    const int attr = row[x].attr & 0xFF;
    int end = x + 1;
    while (end < cols && IsBlank(row[end]) && (row[end].attr & 0xFF) == attr) ++end;
    const int count = end - x;
    if (CsiSize({}) >= static_cast<size_t>(count)) return x;  // never pays
    int next = end;
    while (next < hi && Shown(row[next]) == shown[next]) ++next;
    // What writing the blanks would cost: each changed one, and each
    // unchanged gap rewritten or moved over, as RenderRow would.
    size_t write = 0;
    int from = x;
    for (int i = x; i < end; ++i) {
        if (Shown(row[i]) == shown[i]) continue;
        if (i > from) write += std::min<size_t>(i - from, MoveCost(i));
        write += 1;
        from = i + 1;
    }
    if (next < hi) write += std::min(end - from + RewriteCost(row, std::max(from, end), next), MoveCost(next));
    // Erasing leaves the cursor where it is: reaching what follows is a move.
    // To the end of the terminal's row EL needs no count.
    const bool toEnd = end == cols && cols == viewWidth_;
    size_t erase = toEnd ? CsiSize({}) : CsiSize({count}) + (next < hi ? MoveCost(next) : 0);
    if (erase >= write) return x;
    if (attr != attr_) Sgr(attr);  // erased cells take the current background
    if (toEnd) AppendCsi(body_, kEraseInLine);
    else AppendCsi(body_, kEraseCharacters, {count});
    for (int i = x; i < end; ++i) shown[i] = Shown(row[i]);
    return end;
}

void Renderer::MoveTo(int x, int y, std::string &out)
{
    if (curY_ == y && curX_ >= 0) {
        if (x == 0) out += '\r';
        else AppendCsi(out, kCursorColumn, {x + 1});
    } else if (curY_ >= 0 && curX_ >= 0 && y == curY_ + 1 && (x == 0 || (x == curX_ && placed_ && rawOutput_))) {
        out += x == 0 ? "\r\n" : "\n";
    } else if (x > 0) {
        AppendCsi(out, kCursorPosition, {y + 1, x + 1});
    } else if (y > 0) {
        AppendCsi(out, kCursorPosition, {y + 1});
    } else {
        AppendCsi(out, kCursorPosition);
    }
    curX_ = x;
    curY_ = y;
    placed_ = true;
}

size_t Renderer::MoveCost(int x) const { return x == 0 ? 1 : CsiSize({x + 1}); }

size_t Renderer::RewriteCost(const Cell *row, int from, int to) const
{
    size_t cost = 0;
    int attr = attr_;
    for (int x = from; x < to; ++x) {
        int a = row[x].attr & 0xFF;
        if (a != attr) cost += SgrSize(attr, a);
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
    // Past the last column the cursor waits to wrap: its place is unknown.
    if (++curX_ >= viewWidth_) curX_ = -1;
    placed_ = false;
}

namespace {

int SgrForeground(int attr)
{
    int fg = attr & 0x0F;
    return (fg & 8 ? 90 : 30) + kSgrColour[fg & 7];
}

int SgrBackground(int attr)
{
    int bg = (attr >> 4) & 0x0F;
    return (bg & 8 ? 100 : 40) + kSgrColour[bg & 7];
}

}  // namespace

void Renderer::Sgr(int attr)
{
    const int fg = SgrForeground(attr), bg = SgrBackground(attr);
    if (attr_ < 0) AppendCsi(body_, kSelectRendition, {0, fg, bg});
    else if ((attr_ & 0x0F) != (attr & 0x0F) && (attr_ & 0xF0) != (attr & 0xF0)) AppendCsi(body_, kSelectRendition, {fg, bg});
    else if ((attr_ & 0x0F) != (attr & 0x0F)) AppendCsi(body_, kSelectRendition, {fg});
    else AppendCsi(body_, kSelectRendition, {bg});
    attr_ = attr;
}

size_t Renderer::SgrSize(int from, int to)
{
    if (from == to) return 0;
    const int fg = SgrForeground(to), bg = SgrBackground(to);
    if (from < 0) return CsiSize({0, fg, bg});
    if ((from & 0x0F) != (to & 0x0F) && (from & 0xF0) != (to & 0xF0)) return CsiSize({fg, bg});
    return CsiSize({(from & 0x0F) != (to & 0x0F) ? fg : bg});
}

void Renderer::Cursor(const ScreenBuffer &screen, std::string &tail)
{
    int cx = screen.cursor.X, cy = screen.cursor.Y;
    bool inside = cx >= 0 && cy >= 0 && cx < std::min(width_, viewWidth_) && cy < std::min(height_, viewHeight_);
    bool visible = screen.cursorVisible && inside;
    if (!visible) {
        if (cursorVisible_ != 0) AppendMode(tail, DecMode::kCursorVisible, false);
        cursorVisible_ = 0;
        return;
    }
    int shape = ShapeFor(screen.cursorSize);
    if (shape != cursorShape_) {
        AppendCsi(tail, kCursorStyle, {shape}, 0, ' ');
        cursorShape_ = shape;
    }
    if (!placed_ || curX_ != cx || curY_ != cy) MoveTo(cx, cy, tail);
    if (cursorVisible_ != 1) AppendMode(tail, DecMode::kCursorVisible, true);
    cursorVisible_ = 1;
}

}  // namespace tuikit::platform

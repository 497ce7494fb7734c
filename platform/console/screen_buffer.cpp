#include "screen_buffer.h"

#include <algorithm>

namespace tuikit::platform {

ScreenBuffer::ScreenBuffer(int width, int height)
    : width_(width), height_(height), cells_(static_cast<size_t>(width) * height), damage_(height)
{
    DamageAll();
}

uint32_t ScreenBuffer::RunLength(int x, int y, uint32_t count) const
{
    if (!Contains(x, y)) return 0;
    size_t left = cells_.size() - Index(x, y);
    return static_cast<uint32_t>(std::min<size_t>(count, left));
}

void ScreenBuffer::Mark(int y, int lo, int hi)
{
    RowDamage &d = damage_[y];
    if (d.Empty()) {
        d.lo = lo;
        d.hi = hi;
    } else {
        d.lo = std::min(d.lo, lo);
        d.hi = std::max(d.hi, hi);
    }
    damaged_ = true;
}

void ScreenBuffer::MarkRun(int x, int y, uint32_t count)
{
    while (count > 0) {
        uint32_t here = std::min<uint32_t>(count, static_cast<uint32_t>(width_ - x));
        Mark(y, x, x + static_cast<int>(here));
        count -= here;
        x = 0;
        ++y;
    }
}

uint32_t ScreenBuffer::WriteChars(int x, int y, const char *chars, uint32_t count)
{
    uint32_t n = RunLength(x, y, count);
    if (n == 0) return 0;
    Cell *c = &cells_[Index(x, y)];
    for (uint32_t i = 0; i < n; ++i) c[i].ch = static_cast<uint8_t>(chars[i]);
    MarkRun(x, y, n);
    return n;
}

uint32_t ScreenBuffer::WriteAttrs(int x, int y, const uint16_t *attrs, uint32_t count)
{
    uint32_t n = RunLength(x, y, count);
    if (n == 0) return 0;
    Cell *c = &cells_[Index(x, y)];
    for (uint32_t i = 0; i < n; ++i) c[i].attr = attrs[i];
    MarkRun(x, y, n);
    return n;
}

uint32_t ScreenBuffer::FillChar(int x, int y, uint8_t ch, uint32_t count)
{
    uint32_t n = RunLength(x, y, count);
    if (n == 0) return 0;
    Cell *c = &cells_[Index(x, y)];
    for (uint32_t i = 0; i < n; ++i) c[i].ch = ch;
    MarkRun(x, y, n);
    return n;
}

uint32_t ScreenBuffer::FillAttr(int x, int y, uint16_t attr, uint32_t count)
{
    uint32_t n = RunLength(x, y, count);
    if (n == 0) return 0;
    Cell *c = &cells_[Index(x, y)];
    for (uint32_t i = 0; i < n; ++i) c[i].attr = attr;
    MarkRun(x, y, n);
    return n;
}

uint32_t ScreenBuffer::ReadChars(int x, int y, char *out, uint32_t count) const
{
    uint32_t n = RunLength(x, y, count);
    if (n == 0) return 0;
    const Cell *c = &cells_[Index(x, y)];
    for (uint32_t i = 0; i < n; ++i) out[i] = static_cast<char>(c[i].ch);
    return n;
}

uint32_t ScreenBuffer::ReadAttrs(int x, int y, uint16_t *out, uint32_t count) const
{
    uint32_t n = RunLength(x, y, count);
    if (n == 0) return 0;
    const Cell *c = &cells_[Index(x, y)];
    for (uint32_t i = 0; i < n; ++i) out[i] = c[i].attr;
    return n;
}

void ScreenBuffer::SetCell(int x, int y, Cell c)
{
    if (!Contains(x, y)) return;
    cells_[Index(x, y)] = c;
    Mark(y, x, x + 1);
}

void ScreenBuffer::Resize(int width, int height)
{
    kept_.clear();
    keptWidth_ = keptHeight_ = 0;
    keptCursor_ = movedCursor_ = COORD{-1, -1};
    if (width == width_ && height == height_) return;
    std::vector<Cell> cells(static_cast<size_t>(width) * height);
    int w = std::min(width, width_), h = std::min(height, height_);
    for (int y = 0; y < h; ++y)
        std::copy_n(&cells_[Index(0, y)], w, &cells[static_cast<size_t>(y) * width]);
    Reshape(std::move(cells), width, height);
}

void ScreenBuffer::FollowWindow(int width, int height)
{
    if (width == width_ && height == height_) return;
    // Everything drawn so far at the largest extent: the kept cells, with
    // the current ones over them.
    int allWidth = std::max(keptWidth_, width_), allHeight = std::max(keptHeight_, height_);
    std::vector<Cell> all(static_cast<size_t>(allWidth) * allHeight);
    for (int y = 0; y < keptHeight_; ++y)
        std::copy_n(&kept_[static_cast<size_t>(y) * keptWidth_], keptWidth_, &all[static_cast<size_t>(y) * allWidth]);
    for (int y = 0; y < height_; ++y) std::copy_n(&cells_[Index(0, y)], width_, &all[static_cast<size_t>(y) * allWidth]);

    std::vector<Cell> cells(static_cast<size_t>(width) * height);
    int w = std::min(width, allWidth), h = std::min(height, allHeight);
    for (int y = 0; y < h; ++y)
        std::copy_n(&all[static_cast<size_t>(y) * allWidth], w, &cells[static_cast<size_t>(y) * width]);
    if (width >= allWidth && height >= allHeight) {
        kept_.clear();
        keptWidth_ = keptHeight_ = 0;
    } else {
        kept_.swap(all);
        keptWidth_ = allWidth;
        keptHeight_ = allHeight;
    }
    // A cursor that only the shrink moved goes back where it was.
    COORD wanted = cursor;
    if (keptCursor_.X >= 0 && cursor.X == movedCursor_.X && cursor.Y == movedCursor_.Y) wanted = keptCursor_;
    Reshape(std::move(cells), width, height);
    cursor.X = static_cast<SHORT>(std::min<int>(wanted.X, width - 1));
    cursor.Y = static_cast<SHORT>(std::min<int>(wanted.Y, height - 1));
    bool moved = cursor.X != wanted.X || cursor.Y != wanted.Y;
    keptCursor_ = moved ? wanted : COORD{-1, -1};
    movedCursor_ = moved ? cursor : COORD{-1, -1};
}

void ScreenBuffer::Reshape(std::vector<Cell> &&cells, int width, int height)
{
    cells_.swap(cells);
    width_ = width;
    height_ = height;
    damage_.assign(height, RowDamage{});
    cursor.X = static_cast<SHORT>(std::min<int>(cursor.X, width - 1));
    cursor.Y = static_cast<SHORT>(std::min<int>(cursor.Y, height - 1));
    DamageAll();
}

void ScreenBuffer::DamageAll()
{
    for (auto &d : damage_) d = RowDamage{0, width_};
    damaged_ = true;
}

void ScreenBuffer::ClearDamage()
{
    for (auto &d : damage_) d = RowDamage{};
    damaged_ = false;
}

}  // namespace tuikit::platform

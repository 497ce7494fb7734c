// The console screen buffer: a grid of character bytes and 16-bit attributes
// with the cursor, plus per-row damage that a renderer consumes.
#pragma once

#include <cstdint>
#include <vector>

#include "tuikit/win32.h"

namespace tuikit::platform {

struct Cell {
    uint8_t ch = ' ';
    uint16_t attr = 0x07;
    bool operator==(const Cell &) const = default;
};

// Columns [lo, hi) of one row changed since the damage was last taken.
struct RowDamage {
    int lo = 0;
    int hi = 0;
    bool Empty() const { return hi <= lo; }
};

class ScreenBuffer {
public:
    ScreenBuffer(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    const Cell &At(int x, int y) const { return cells_[Index(x, y)]; }
    const Cell *Row(int y) const { return &cells_[Index(0, y)]; }

    // Runs start at a cell and continue on the next row, stopping at the end
    // of the buffer. Each returns the number of cells touched; 0 when the
    // start cell lies outside the buffer.
    uint32_t WriteChars(int x, int y, const char *chars, uint32_t count);
    uint32_t WriteAttrs(int x, int y, const uint16_t *attrs, uint32_t count);
    uint32_t FillChar(int x, int y, uint8_t ch, uint32_t count);
    uint32_t FillAttr(int x, int y, uint16_t attr, uint32_t count);
    uint32_t ReadChars(int x, int y, char *out, uint32_t count) const;
    uint32_t ReadAttrs(int x, int y, uint16_t *out, uint32_t count) const;

    void SetCell(int x, int y, Cell c);

    // Keeps the top-left cells that still fit; new cells are blank in 0x07.
    void Resize(int width, int height);
    // Follows the window it is shown in: as Resize, but the cells a shrink
    // cuts off are kept and come back as they were when the buffer grows
    // over them again, and so does a cursor the shrink moved.
    void FollowWindow(int width, int height);

    // Damage bookkeeping for renderers.
    void DamageAll();
    const std::vector<RowDamage> &Damage() const { return damage_; }
    bool HasDamage() const { return damaged_; }
    void ClearDamage();

    // Cursor.
    COORD cursor{0, 0};
    DWORD cursorSize = 25;
    bool cursorVisible = true;
    WORD textAttribute = 0x07;

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x); }
    uint32_t RunLength(int x, int y, uint32_t count) const;
    void MarkRun(int x, int y, uint32_t count);
    void Mark(int y, int lo, int hi);
    void Reshape(std::vector<Cell> &&cells, int width, int height);

    int width_;
    int height_;
    std::vector<Cell> cells_;
    std::vector<RowDamage> damage_;
    bool damaged_ = false;
    // What FollowWindow cut off: every cell at the largest extent since the
    // buffer last covered it all, current cells aside; empty when none.
    std::vector<Cell> kept_;
    int keptWidth_ = 0;
    int keptHeight_ = 0;
    COORD keptCursor_{-1, -1};  // where the cursor was before a shrink moved it
    COORD movedCursor_{-1, -1};  // where the shrink moved it
};

}  // namespace tuikit::platform

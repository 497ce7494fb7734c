// A lower bound in bytes for bringing a terminal from one screen to another:
// each changed cell's glyph, the cheapest cursor motion to each run of
// changed cells (or rewriting the unchanged gap when that is cheaper), the
// cheapest SGR at each change of colour and the final cursor move. With
// erase, long runs of changed blanks of one colour may be erased instead
// (EL to the end of a row, ECH otherwise) and the whole screen may first be
// cleared in its commonest blank colour. The same bound as the ttybench
// instruments compute from a replayed screen, so the ratios compare.
#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/console/screen_buffer.h"
#include "platform/terminal/cp437.h"

namespace tuikit::bench {

// A cell as a terminal shows it: a glyph and a colour byte (0x100 the
// terminal's default colours).
struct ShownCell {
    char32_t glyph = U' ';
    int attr = 0x100;
    bool operator==(const ShownCell &) const = default;
};

struct Screen {
    int width = 0;
    int height = 0;
    std::vector<ShownCell> cells;
    int cursorX = 0, cursorY = 0;
    bool cursorHidden = true;

    static Screen Of(const platform::ScreenBuffer &b)
    {
        Screen s{b.Width(), b.Height(), {}, b.cursor.X, b.cursor.Y, !b.cursorVisible};
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                s.cells.push_back(ShownCell{platform::Cp437ToUnicode(b.At(x, y).ch), b.At(x, y).attr & 0xFF});
        return s;
    }
    // An empty terminal: blanks in its default colours.
    static Screen Blank(int width, int height)
    {
        return Screen{width, height, std::vector<ShownCell>(size_t(width) * height), 0, 0, false};
    }
    const ShownCell &At(int x, int y) const { return cells[size_t(y) * width + x]; }
};

namespace bound_detail {

inline int Digits(int n) { return static_cast<int>(std::to_string(n).size()); }

inline int MoveCost(int cx, int cy, int x, int y)
{
    if (cx == x && cy == y) return 0;
    int best = 4 + Digits(y + 1) + Digits(x + 1);
    if (x == 0) best = std::min(best, y == 0 ? 3 : 3 + Digits(y + 1));
    if (cy == y && cx >= 0) {
        best = std::min(best, 3 + Digits(x + 1));
        int d = x - cx;
        if (d > 0) best = std::min(best, d == 1 ? 3 : 3 + Digits(d));
        if (d < 0) best = std::min(best, -d <= 2 ? -d : 3 + Digits(-d));
        if (x == 0) best = 1;
    }
    if (cx >= 0 && y > cy) {
        if (x == cx) best = std::min(best, y - cy <= 2 ? y - cy : 3 + Digits(y - cy));
        if (x == 0) best = std::min(best, 1 + (y - cy));
    }
    if (cx >= 0 && y < cy && x == cx) best = std::min(best, cy - y == 1 ? 3 : 3 + Digits(cy - y));
    return best;
}

// Colour states are attribute bytes; -1 unknown, 0x100 the terminal's default.
inline int SgrCost(int cur, int tgt)
{
    if (cur == tgt) return 0;
    if (tgt == 0x100) return 3;
    int fg = tgt & 0x0F, bg = tgt >> 4;
    int fgLen = 2, bgLen = (bg & 8) ? 3 : 2;
    int params = 0, n = 0;
    if (cur < 0 || cur == 0x100 || (cur & 0x0F) != fg) params += fgLen, ++n;
    if (cur < 0 || cur == 0x100 || (cur >> 4) != bg) params += bgLen, ++n;
    int best = std::min(2 + 1 + params + n - 1, 3 + 1 + fgLen + bgLen + 2);
    if (cur >= 0 && cur != 0x100 && ((cur & 0x0F) << 4 | cur >> 4) == tgt) best = std::min(best, 4);
    return best;
}

inline int GlyphBytes(char32_t g) { return g < 0x80 ? 1 : g < 0x800 ? 2 : g < 0x10000 ? 3 : 4; }

inline int Plain(const Screen &before, const Screen &after, int cx, int cy, int sgr, bool erase)
{
    int total = 0;
    for (int y = 0; y < after.height; ++y) {
        std::vector<int> changed;
        for (int x = 0; x < after.width; ++x)
            if (!(before.At(x, y) == after.At(x, y))) changed.push_back(x);
        for (size_t i = 0; i < changed.size();) {
            int nx = changed[i];
            const ShownCell &cell = after.At(nx, y);
            int cost = MoveCost(cx, cy, nx, y) + SgrCost(sgr, cell.attr);
            if (cy == y && nx > cx && cx >= 0) {
                int gap = 0, s = sgr;
                for (int gx = cx; gx < nx; ++gx) {
                    gap += GlyphBytes(after.At(gx, y).glyph) + SgrCost(s, after.At(gx, y).attr);
                    s = after.At(gx, y).attr;
                }
                cost = std::min(cost, gap + SgrCost(s, cell.attr));
            }
            if (erase && cell.glyph == U' ') {
                size_t k = 1;
                while (i + k < changed.size() && changed[i + k] == nx + int(k) && after.At(nx + int(k), y) == cell) ++k;
                bool toEnd = true;
                for (int x = nx; x < after.width; ++x) toEnd = toEnd && after.At(x, y) == cell;
                if (toEnd && k > 3) {
                    total += cost + 3;
                    sgr = cell.attr, cx = nx, cy = y, i = changed.size();
                    continue;
                }
                if (int(k) > 3 + Digits(int(k)) + 4) {
                    total += cost + 3 + Digits(int(k));
                    sgr = cell.attr, cx = nx, cy = y, i += k;
                    continue;
                }
            }
            total += cost + GlyphBytes(cell.glyph);
            sgr = cell.attr, cx = nx + 1, cy = y, ++i;
        }
    }
    if (!after.cursorHidden) total += MoveCost(cx, cy, after.cursorX, after.cursorY);
    if (after.cursorHidden != before.cursorHidden) total += 6;
    return total;
}

}  // namespace bound_detail

// sgr: the colour state the previous frame left, -1 unknown.
inline int LowerBound(const Screen &before, const Screen &after, int sgr, bool erase)
{
    using namespace bound_detail;
    int plain = Plain(before, after, before.cursorX, before.cursorY, sgr, erase);
    if (!erase) return plain;
    std::map<int, int> blanks;
    for (const auto &c : after.cells)
        if (c.glyph == U' ') ++blanks[c.attr];
    auto common = std::max_element(blanks.begin(), blanks.end(), [](auto &a, auto &b) { return a.second < b.second; });
    if (common == blanks.end() || common->second <= after.width * after.height / 2) return plain;
    Screen cleared = after;
    for (auto &c : cleared.cells) c = ShownCell{U' ', common->first};
    cleared.cursorHidden = before.cursorHidden;
    int rest = Plain(cleared, after, 0, 0, common->first, true);
    return std::min(plain, SgrCost(sgr, common->first) + 4 + 3 + rest);
}

}  // namespace tuikit::bench

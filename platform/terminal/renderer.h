// Brings a terminal from what it shows to what the screen buffer holds:
// only changed cells are written, each run of them after an absolute cursor
// move, colours as 16-colour SGR, bytes as the Unicode glyphs of the output
// code page (437 unless told otherwise), then the cursor's shape, position
// and visibility. Blanks are erased instead of written where that is
// cheaper (the rest of a row, a run of them, or the whole screen cleared in
// its commonest blank colour first); erased cells take the current
// background, as terminals with back-colour erase do.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/code_pages.h"
#include "platform/console/screen_buffer.h"

namespace tuikit::platform {

class Renderer {
public:
    Renderer() { FindBlanks(); }

    // Brackets each frame in synchronized-output mode (terminals that know
    // it show the frame at once).
    void SetSynchronizedOutput(bool on) { sync_ = on; }
    // Output reaches the terminal untranslated (raw mode), so a line feed
    // moves straight down; otherwise it may come back to the first column.
    void SetRawOutput(bool on) { rawOutput_ = on; }
    // The terminal's size: cells of the buffer beyond it are not drawn.
    void SetViewport(int width, int height);
    // The code page whose glyphs the bytes show; a new one redraws everything.
    void SetCodePage(UINT number);
    // Forgets what the terminal shows (start, resize, return from a stop):
    // the next frame draws every cell, the colours and the cursor afresh.
    void Invalidate();

    // Appends the frame that shows screen: its damaged cells are compared
    // with what the terminal shows (every cell after Invalidate or a change
    // of the buffer's size). The caller clears the damage.
    void Render(const ScreenBuffer &screen, std::string &out);
    // The colour attribute in effect after the last frame, -1 unknown.
    int Colours() const { return attr_; }

private:
    // The terminal's colours and cursor as the frame so far leaves them.
    struct Pen {
        int attr, x, y;
        bool placed;
    };
    Pen SavePen() const { return {attr_, curX_, curY_, placed_}; }
    void RestorePen(const Pen &p) { attr_ = p.attr, curX_ = p.x, curY_ = p.y, placed_ = p.placed; }

    void RenderRows(const ScreenBuffer &screen, int rows, int cols, bool all);
    void RenderClearingIfCheaper(const ScreenBuffer &screen, int rows, int cols);
    int CommonBlank(const ScreenBuffer &screen, int rows, int cols, int changedBlanks) const;
    void RenderRow(const ScreenBuffer &screen, int y, int lo, int hi, int cols);
    int Erase(const Cell *row, uint32_t *shown, int x, int hi, int cols);
    void MoveTo(int x, int y, std::string &out);
    void Put(const Cell &cell);
    const std::string &Glyph(uint8_t byte) const;
    void FindBlanks();
    bool IsBlank(const Cell &cell) const { return blank_[cell.ch]; }
    void Sgr(int attr);
    static size_t SgrSize(int from, int to);
    size_t RewriteCost(const Cell *row, int from, int to) const;
    size_t MoveCost(int x) const;
    void Cursor(const ScreenBuffer &screen, std::string &tail);

    UINT codePage_ = 437;
    const CodePage *page_ = nullptr;  // null: code page 437's own glyphs
    std::array<bool, 256> blank_{};   // bytes whose glyph is a space
    bool sync_ = false;
    bool rawOutput_ = true;
    bool full_ = true;
    int viewWidth_ = 80;
    int viewHeight_ = 25;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> shown_;  // what each cell shows: glyph byte | colour << 8
    std::string body_;
    int attr_ = -1;           // colours in effect, -1 unknown
    int curX_ = -1;           // terminal cursor, -1 unknown
    int curY_ = -1;
    // The cursor was put where it is by a move, not by writing glyphs (a
    // terminal may draw a glyph wider than its cell): only then are moves
    // that keep its column used.
    bool placed_ = false;
    int cursorVisible_ = -1;  // -1 unknown
    int cursorShape_ = -1;
};

}  // namespace tuikit::platform

#include "demo_scroll.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kTextAttribute = 0x1F;

struct TextView {
    int left = 0, top = 0, rows = 0, cols = 0;  // the text area
    int vertical = -1, horizontal = -1;         // bar ids
    int firstLine = 0, firstColumn = 0;         // content cell shown at the top left
    std::vector<std::string> lines;
};

TextView view;

std::vector<std::string> MakeText()
{
    static const char *const kWords[] = {"scroll", "bars", "move", "the", "text", "with", "arrows,", "track",
                                         "clicks", "and", "a", "dragged", "thumb;", "hold", "to", "repeat."};
    std::vector<std::string> lines;
    for (int i = 0; i < 60; ++i) {
        std::string line = "Line ";
        line.append(std::to_string(i + 1)).append(":");
        for (int w = i; line.size() < 110; ++w) line.append(" ").append(kWords[w % 16]);
        lines.push_back(line);
    }
    return lines;
}

// Draws content into the view cells rows [r0, r1) and columns [c0, c1).
void DrawCells(int r0, int r1, int c0, int c1)
{
    for (int r = r0; r < r1; ++r) {
        int line = view.firstLine + r;
        std::string text(static_cast<size_t>(c1 - c0), ' ');
        if (line < static_cast<int>(view.lines.size())) {
            const std::string &src = view.lines[static_cast<size_t>(line)];
            for (int c = c0; c < c1; ++c) {
                size_t at = static_cast<size_t>(view.firstColumn + c);
                if (at < src.size()) text[static_cast<size_t>(c - c0)] = src[at];
            }
        }
        TuiWriteText(view.left + c0, view.top + r, text.c_str(), kTextAttribute);
    }
}

// Moves the shown part of the text: the cells still visible are scrolled
// on screen, only the uncovered ones are drawn.
void ScrollTo(int line, int column)
{
    int dy = line - view.firstLine, dx = column - view.firstColumn;
    view.firstLine = line;
    view.firstColumn = column;
    if (std::abs(dy) >= view.rows || std::abs(dx) >= view.cols) {
        DrawCells(0, view.rows, 0, view.cols);
        return;
    }
    TuiScrollText(view.left, view.top, view.left + view.cols - 1, view.top + view.rows - 1, -dx, -dy,
                  kTextAttribute);
    if (dy > 0) DrawCells(view.rows - dy, view.rows, 0, view.cols);
    if (dy < 0) DrawCells(0, -dy, 0, view.cols);
    if (dx > 0) DrawCells(0, view.rows, view.cols - dx, view.cols);
    if (dx < 0) DrawCells(0, view.rows, 0, -dx);
}

int MakeBar(int left, int top, int right, int bottom, int vertical, int maximum)
{
    int id = TuiShowScrollBar(left, top, right, bottom, vertical, 1);
    TuiSetScrollBarColor(id, 0x70, 0x17, 0x1E);
    TuiSetScrollRange(id, 0, std::max(0, maximum));
    return id;
}

}  // namespace

void DemoScrollStop()
{
    if (view.vertical >= 0) TuiDropScrollBar(view.vertical);
    if (view.horizontal >= 0) TuiDropScrollBar(view.horizontal);
    view = TextView{};
}

void DemoScrollStart(int left, int top, int right, int bottom)
{
    // Drawn again (the terminal changed size): the old bars go, also when
    // the new rectangle is too small for a view, so that no bar is left
    // answering clicks where the screen no longer shows it.
    DemoScrollStop();
    if (right - left < 4 || bottom - top < 4) return;
    view.left = left;
    view.top = top;
    view.rows = bottom - top;
    view.cols = right - left;
    view.lines = MakeText();
    size_t widest = 0;
    for (const std::string &s : view.lines) widest = std::max(widest, s.size());
    view.vertical = MakeBar(right, top, right, bottom - 1, 1, static_cast<int>(view.lines.size()) - view.rows);
    view.horizontal = MakeBar(left, bottom, right - 1, bottom, 0, static_cast<int>(widest) - view.cols);
    TuiClearScreen(right, bottom, right, bottom, 0x17);
    DrawCells(0, view.rows, 0, view.cols);
}

bool DemoScrollMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_VSCROLL && msg != WM_HSCROLL) return false;
    bool vertical = msg == WM_VSCROLL;
    int id = vertical ? view.vertical : view.horizontal;
    if (lp != id) return false;
    int32_t minimum = 0, maximum = 0;
    TuiGetScrollRange(id, &minimum, &maximum);
    int position = TuiGetScrollPos(id);
    int page = vertical ? view.rows : view.cols;
    switch (LOWORD(wp)) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = HIWORD(wp); break;
    default: return true;
    }
    position = std::clamp(position, static_cast<int>(minimum), static_cast<int>(maximum));
    TuiSetScrollPos(id, position);
    if (vertical) ScrollTo(position, view.firstColumn);
    else ScrollTo(view.firstLine, position);
    return true;
}

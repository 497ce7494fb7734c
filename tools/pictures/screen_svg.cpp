#include "tools/pictures/screen_svg.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/terminal/cp437.h"

namespace tuikit::pictures {

namespace {

// A cell is 9 x 17 pixels: a 15-pixel monospace glyph is about 9 wide, and
// its box-drawing characters then join from row to row.
constexpr int kCellWidth = 9;
constexpr int kCellHeight = 17;
constexpr int kBaseline = 13;
constexpr int kFontSize = 15;

constexpr std::array<const char *, 16> kPalette = {
    "#000000", "#000080", "#008000", "#008080", "#800000", "#800080", "#808000", "#c0c0c0",
    "#808080", "#0000ff", "#00ff00", "#00ffff", "#ff0000", "#ff00ff", "#ffff00", "#ffffff",
};

int Foreground(const CHAR_INFO &c) { return c.Attributes & 0x0F; }
int Background(const CHAR_INFO &c) { return (c.Attributes >> 4) & 0x0F; }
uint8_t Byte(const CHAR_INFO &c) { return static_cast<uint8_t>(c.Char.AsciiChar); }

// Cells that show only their background: space, the null byte, and 0xFF (a
// no-break space).
bool Blank(const CHAR_INFO &c)
{
    const char32_t u = platform::Cp437ToUnicode(Byte(c));
    return u == U' ' || u == 0xA0;
}

void AppendGlyph(std::string &out, uint8_t byte)
{
    switch (byte) {
    case '<': out += "&lt;"; return;
    case '>': out += "&gt;"; return;
    case '&': out += "&amp;"; return;
    default: out += platform::Cp437ToUtf8(byte);
    }
}

std::string Px(int cells, int size) { return std::to_string(cells * size); }

// The picture is filled with the most common background; rectangles paint
// the runs of other backgrounds, row by row.
void AppendBackgrounds(std::string &out, const CHAR_INFO *cells, int width, int height)
{
    std::array<int, 16> counts{};
    for (int i = 0; i < width * height; ++i) ++counts[static_cast<size_t>(Background(cells[i]))];
    const auto common = static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());
    out += "<rect width=\"100%\" height=\"100%\" fill=\"" + std::string(kPalette[static_cast<size_t>(common)]) + "\"/>\n";
    for (int y = 0; y < height; ++y) {
        const CHAR_INFO *row = cells + y * width;
        for (int x = 0; x < width;) {
            const int colour = Background(row[x]);
            int end = x + 1;
            while (end < width && Background(row[end]) == colour) ++end;
            if (colour != common)
                out += "<rect x=\"" + Px(x, kCellWidth) + "\" y=\"" + Px(y, kCellHeight) + "\" width=\"" +
                       Px(end - x, kCellWidth) + "\" height=\"" + std::to_string(kCellHeight) + "\" fill=\"" +
                       kPalette[static_cast<size_t>(colour)] + "\"/>\n";
            x = end;
        }
    }
}

// One text element per run of glyphs of one colour in a row; blank cells
// inside a run are spaces, blanks around it are left out. The run's length
// is fixed to its cells, so the grid holds whatever widths the viewer's font
// gives the glyphs.
void AppendTexts(std::string &out, const CHAR_INFO *cells, int width, int height)
{
    for (int y = 0; y < height; ++y) {
        const CHAR_INFO *row = cells + y * width;
        for (int x = 0; x < width;) {
            if (Blank(row[x])) {
                ++x;
                continue;
            }
            const int colour = Foreground(row[x]);
            int end = x + 1;  // one past the run's last glyph
            for (int k = end; k < width && (Blank(row[k]) || Foreground(row[k]) == colour); ++k)
                if (!Blank(row[k])) end = k + 1;
            std::string glyphs;
            for (int k = x; k < end; ++k) AppendGlyph(glyphs, Blank(row[k]) ? ' ' : Byte(row[k]));
            out += "<text x=\"" + Px(x, kCellWidth) + "\" y=\"" + std::to_string(y * kCellHeight + kBaseline) +
                   "\" textLength=\"" + Px(end - x, kCellWidth) + "\" fill=\"" +
                   kPalette[static_cast<size_t>(colour)] + "\">" + glyphs + "</text>\n";
            x = end;
        }
    }
}

}  // namespace

std::string ScreenToSvg(const CHAR_INFO *cells, int width, int height)
{
    const std::string w = Px(width, kCellWidth), h = Px(height, kCellHeight);
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                      "\" viewBox=\"0 0 " + w + " " + h +
                      "\" font-family=\"'DejaVu Sans Mono', Menlo, Consolas, monospace\" font-size=\"" +
                      std::to_string(kFontSize) + "\" shape-rendering=\"crispEdges\" xml:space=\"preserve\">\n";
    AppendBackgrounds(out, cells, width, height);
    AppendTexts(out, cells, width, height);
    out += "</svg>\n";
    return out;
}

}  // namespace tuikit::pictures

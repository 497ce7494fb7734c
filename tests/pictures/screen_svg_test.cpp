// Cells as ReadConsoleOutputA gives them, turned into the README's SVG.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/pictures/screen_svg.h"

namespace tuikit::pictures {
namespace {

CHAR_INFO Cell(unsigned char c, WORD attribute)
{
    CHAR_INFO cell{};
    cell.Char.AsciiChar = static_cast<CHAR>(c);
    cell.Attributes = attribute;
    return cell;
}

// Row 0: "<&" white on blue, then a horizontal line (CP437 0xC4) in yellow.
// Row 1 on light gray: a blank, "a", a blank and "c", in black.
TEST(ScreenSvg, RunsOfAColourBecomeOneEscapedTextOverTheirBackground)
{
    const std::vector<CHAR_INFO> cells = {Cell('<', 0x1F), Cell('&', 0x1F), Cell(0xC4, 0x1E), Cell(' ', 0x1F),
                                          Cell(' ', 0x70), Cell('a', 0x70), Cell(' ', 0x70), Cell('c', 0x70)};
    const std::string svg = ScreenToSvg(cells.data(), 4, 2);

    EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"36\" height=\"34\"", 0), 0u);
    EXPECT_NE(svg.find("<text x=\"0\" y=\"13\" textLength=\"18\" fill=\"#ffffff\">&lt;&amp;</text>"), std::string::npos);
    EXPECT_NE(svg.find("<text x=\"18\" y=\"13\" textLength=\"9\" fill=\"#ffff00\">\u2500</text>"), std::string::npos);
    // Blue is as common as gray and came first: it fills the picture, gray is a run.
    EXPECT_NE(svg.find("<rect width=\"100%\" height=\"100%\" fill=\"#000080\"/>"), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"0\" y=\"17\" width=\"36\" height=\"17\" fill=\"#c0c0c0\"/>"), std::string::npos);
    // Blanks inside a run are spaces of it; the leading blank is left out.
    EXPECT_NE(svg.find("<text x=\"9\" y=\"30\" textLength=\"27\" fill=\"#000000\">a c</text>"), std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

}  // namespace
}  // namespace tuikit::pictures

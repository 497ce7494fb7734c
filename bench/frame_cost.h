// A terminal kept in step with the in-memory console: Frame() gives the
// bytes the renderer writes for the screen's changes since the previous
// call, and what those changes need at the least: each changed cell's glyph
// (its UTF-8 bytes), plus a cursor move and a colour change (8 bytes) for
// each run of changed cells along a row.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/console/console.h"
#include "platform/terminal/cp437.h"
#include "platform/terminal/renderer.h"

namespace tuikit::bench {

struct FrameCost {
    size_t bytes = 0;       // what the renderer wrote
    size_t cells = 0;       // cells whose character or attribute changed
    size_t glyphBytes = 0;  // the changed cells' glyphs
    size_t runs = 0;        // runs of changed cells

    size_t Bound() const { return glyphBytes + 8 * runs; }
    // Bytes written per byte of glyph: 1 is a terminal that is sent nothing
    // but the new characters.
    double GlyphRatio() const { return glyphBytes ? static_cast<double>(bytes) / static_cast<double>(glyphBytes) : 0; }
};

inline FrameCost Frame()
{
    static platform::Renderer renderer;
    static std::vector<std::pair<uint8_t, uint16_t>> shown;
    platform::Console &console = platform::Console::Get();
    std::lock_guard lock(console.ScreenLock());
    auto &screen = console.Screen();
    FrameCost cost;
    std::string out;
    renderer.Render(screen, out);
    screen.ClearDamage();
    cost.bytes = out.size();
    const int width = screen.Width(), height = screen.Height();
    shown.resize(static_cast<size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        bool inRun = false;
        for (int x = 0; x < width; ++x) {
            const auto &cell = screen.At(x, y);
            auto &was = shown[static_cast<size_t>(y * width + x)];
            const bool changed = was.first != cell.ch || was.second != cell.attr;
            was = {cell.ch, cell.attr};
            if (changed) {
                ++cost.cells;
                cost.glyphBytes += platform::Cp437ToUtf8(cell.ch).size();
                if (!inRun) ++cost.runs;
            }
            inRun = changed;
        }
    }
    return cost;
}

}  // namespace tuikit::bench

// Static text: word wrapping, the wrapped drawing and the passed-on mnemonic.
#include "controls/static_text.h"

#include <algorithm>

#include "core/draw.h"
#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace tuikit::controls {

namespace {

constexpr int32_t kTextAttr = 0x70;
constexpr int32_t kDisabledAttr = 0x78;
constexpr int32_t kMnemonicAttr = 0x7C;

}  // namespace

WrappedText WrapText(const char *text, int32_t maxWidth)
{
    WrappedText out;
    const size_t limit = static_cast<size_t>(std::max(maxWidth, 1));
    auto finish = [&out](std::string &line) {
        out.longest = std::max(out.longest, static_cast<int32_t>(line.size()));
        out.lines.push_back(std::move(line));
        line.clear();
    };
    std::string line;
    for (size_t i = 0; text && text[i] != '\0'; ++i) {
        if (text[i] == '\n') {
            finish(line);
            continue;
        }
        if (line.size() == limit) {
            if (text[i] != ' ') {
                // Cut back to the last space of the line and carry the word
                // over; a line without a space is broken hard at the width.
                size_t space = line.rfind(' ');
                if (space != std::string::npos) {
                    i -= line.size() - space;
                    line.resize(space);
                }
            }
            finish(line);
            while (text[i] == ' ') ++i;
            // Spaces at a break that run into a line feed or the end: the
            // line feed ends the line just broken, the end ends the wrapping.
            if (text[i] == '\0') break;
            if (text[i] == '\n') continue;
        }
        line.push_back(text[i]);
    }
    if (!line.empty()) finish(line);
    return out;
}

void DlgStatic::Draw()
{
    const WrappedText wrapped = WrapText(text.c_str(), width);
    const int32_t attribute = enabled ? kTextAttr : kDisabledAttr;
    for (int32_t r = 0; r < height; ++r) {
        int32_t col = x;
        if (r < static_cast<int32_t>(wrapped.lines.size())) {
            const std::string &line = wrapped.lines[static_cast<size_t>(r)];
            TuiWriteText(x, y + r, line.c_str(), attribute);
            col += static_cast<int32_t>(line.size());
        }
        if (col <= x + width - 1) TuiClearScreen(col, y + r, x + width - 1, y + r, kTextAttr);
    }
    if (mnemonicPos != -1 && mnemonicPos < width) core::FillAttrRun(x + mnemonicPos, y, kMnemonicAttr, 1);
}

void DlgStatic::Activate()
{
    const int32_t n = dialog->itemCount;
    for (int32_t k = 1; k <= n; ++k) {
        DlgControl *next = dialog->At((index + k) % n);
        if (next->enabled && next->kind != kStaticKind) {
            dialog->SetFocusItem(next->index);
            return;
        }
    }
}

}  // namespace tuikit::controls

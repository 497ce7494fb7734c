// Static text: word-wrapped lines that never take the focus; its mnemonic
// moves the focus to the next control that can take it.
#pragma once

#include <string>
#include <vector>

#include "controls/control.h"

namespace tuikit::controls {

struct WrappedText {
    std::vector<std::string> lines;  // none holds a line feed
    int32_t longest = 0;
};

// Breaks text at line feeds and, past maxWidth (at least 1) characters, at
// the last space; a word longer than maxWidth is cut hard.
WrappedText WrapText(const char *text, int32_t maxWidth);

class DlgStatic : public DlgControl {
public:
    DlgStatic() : DlgControl(kStaticKind) {}

    void Draw() override;
    void Activate() override;
};

}  // namespace tuikit::controls

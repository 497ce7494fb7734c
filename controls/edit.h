// A single-line edit field: the text between brackets with dots in the free
// cells, a caret the console cursor shows, horizontal scrolling and password
// masking. It sends no notifications; the application reads the contents.
#pragma once

#include "controls/control.h"

namespace tuikit::controls {

class DlgEdit : public DlgControl {
public:
    int32_t firstVisible = 0;  // text index shown in the first cell after '['
    int32_t caret = 0;         // insertion point, 0 .. text length

    DlgEdit() : DlgControl(kEditKind) {}

    // The text as given (a & stays literal); view and caret go to the start.
    void SetText(const char *newText) override;
    void Draw() override;
    int HandleMessage(const KeyRecord &m) override;
    void ShowFocusCursor(int gaining) override;

    // Inserts a printable character at the caret.
    void InsertChar(int32_t code);
    // Left, Right, Backspace and Delete: 1 consumed, 0 for the dialog.
    int HandleEditKey(WPARAM vk);
    // Scrolls so that the caret's cell lies inside the brackets and puts the
    // console cursor there.
    void KeepCaretVisible();

private:
    int32_t Length() const { return static_cast<int32_t>(text.size()); }
    // Caret moved or text changed: scroll to it and redraw.
    void CaretChanged();
};

}  // namespace tuikit::controls

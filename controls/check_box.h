// A check box: "[ ]", with X while checked; Space or a click toggles it.
#pragma once

#include "controls/button.h"

namespace tuikit::controls {

class DlgCheckBox : public DlgMarkButton {
public:
    DlgCheckBox() : DlgMarkButton(kCheckBoxKind, "[ ]", 'X') {}
    // Flips checked, tells the dialog, redraws.
    void ToggleCheck();

protected:
    void Choose() override { ToggleCheck(); }
};

}  // namespace tuikit::controls

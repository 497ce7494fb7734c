// A radio button: "( )", with a bullet while checked; one per group is set.
#pragma once

#include "controls/button.h"

namespace tuikit::controls {

class DlgRadioButton : public DlgMarkButton {
public:
    DlgRadioButton() : DlgMarkButton(kRadioButtonKind, "( )", '\x07') {}
    // Clears the checked buttons of the group (this one too), checks this
    // one, tells the dialog, redraws.
    void SelectRadio();

protected:
    void Choose() override { SelectRadio(); }
};

}  // namespace tuikit::controls

// Placeholder until the list box lands: a control that draws nothing.
#pragma once

#include "controls/control.h"

namespace tuikit::controls {

class DlgListBox : public DlgControl {
public:
    DlgListBox() : DlgControl(kListBoxKind) {}
};

}  // namespace tuikit::controls

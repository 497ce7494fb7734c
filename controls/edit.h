// Placeholder until the edit field lands: a control that draws nothing.
#pragma once

#include "controls/control.h"

namespace tuikit::controls {

class DlgEdit : public DlgControl {
public:
    DlgEdit() : DlgControl(kEditKind) {}
};

}  // namespace tuikit::controls

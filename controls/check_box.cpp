#include "controls/check_box.h"

namespace tuikit::controls {

void DlgCheckBox::ToggleCheck()
{
    checked = checked == 0 ? 1 : 0;
    NotifyDialog(kBnClicked);
    Draw();
}

}  // namespace tuikit::controls

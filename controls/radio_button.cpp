#include "controls/radio_button.h"

#include "dialog/dialog_window.h"

namespace tuikit::controls {

void DlgRadioButton::SelectRadio()
{
    dialog->UncheckRadioGroup(index);
    checked = 1;
    NotifyDialog(kBnClicked);
    Draw();
}

}  // namespace tuikit::controls

// A push button: a white face with a shadow, the default one marked with
// arrows; Space, Enter or a click inside sends its id.
#pragma once

#include "controls/button.h"

namespace tuikit::controls {

class DlgPushButton : public DlgButton {
public:
    DlgPushButton() : DlgButton(kPushButtonKind) {}

    void Draw() override;
    int HandleMessage(const KeyRecord &m) override;
    void ShowFocusCursor(int gaining) override;
    void Activate() override;

private:
    // Column offset of the centred label; negative when it is wider.
    int32_t LabelOffset() const;
};

}  // namespace tuikit::controls

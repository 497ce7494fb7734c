// What the three button controls share: the pressed state of a left-button
// press that the button captures, and for check boxes and radio buttons the
// bracketed mark, its label and the press that chooses it.
#pragma once

#include "controls/control.h"

namespace tuikit::controls {

class DlgButton : public DlgControl {
public:
    int32_t pressed = 0;

protected:
    using DlgControl::DlgControl;
    // Takes the capture and the pressed look (drawn by the caller).
    void BeginPress();
    // Gives the capture back; true when the release lies inside the button.
    bool EndPress(const KeyRecord &m);
};

// A check box or radio button: "[ ]" or "( )" and the label four columns on.
class DlgMarkButton : public DlgButton {
public:
    int32_t checked = 0;

    void Draw() override;
    int HandleMessage(const KeyRecord &m) override;
    void ShowFocusCursor(int gaining) override;
    void Activate() override;

protected:
    DlgMarkButton(uint32_t controlKind, const char *mark, char checkedMark)
        : DlgButton(controlKind), mark_(mark), checkedMark_(checkedMark) {}
    // ToggleCheck or SelectRadio.
    virtual void Choose() = 0;

private:
    const char *mark_;
    char checkedMark_;
};

}  // namespace tuikit::controls

// The press shared by the three buttons, and the mark buttons' slots.
#include "controls/button.h"

#include "core/draw.h"
#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace tuikit::controls {

namespace {

constexpr int32_t kLabelAttr = 0x70;
constexpr int32_t kMarkHeldAttr = 0x07;
constexpr int32_t kDisabledAttr = 0x78;
constexpr int32_t kMnemonicAttr = 0x7C;

}  // namespace

void DlgButton::BeginPress()
{
    dialog->captureIndex = index;
    pressed = 1;
}

bool DlgButton::EndPress(const KeyRecord &m)
{
    dialog->captureIndex = -1;
    pressed = 0;
    return Contains(MouseColumn(m), MouseRow(m));
}

void DlgMarkButton::Draw()
{
    char mark[4] = {mark_[0], checked ? checkedMark_ : mark_[1], mark_[2], 0};
    TuiWriteText(x, y, mark, enabled ? (pressed ? kMarkHeldAttr : kLabelAttr) : kDisabledAttr);
    TuiWriteText(x + 4, y, text.c_str(), enabled ? kLabelAttr : kDisabledAttr);
    if (mnemonicPos != -1) core::FillAttrRun(x + 4 + mnemonicPos, y, kMnemonicAttr, 1);
}

int DlgMarkButton::HandleMessage(const KeyRecord &m)
{
    switch (m.message) {
    case WM_KEYDOWN:
        if (m.wParam != VK_SPACE) return 0;
        Choose();
        return 1;
    case WM_LBUTTONDOWN:
        BeginPress();
        dialog->SetFocusItem(index);
        Draw();
        return 1;
    case WM_LBUTTONUP:
        if (!pressed) return 1;
        if (EndPress(m))
            Choose();
        else
            Draw();
        return 1;
    default:
        return 0;
    }
}

void DlgMarkButton::ShowFocusCursor(int gaining)
{
    if (!gaining) return;
    TuiSetCursorInfo(25, 1);
    TuiSetCursorPos(x + 1, y);
}

void DlgMarkButton::Activate()
{
    dialog->SetFocusItem(index);
    Choose();
}

}  // namespace tuikit::controls

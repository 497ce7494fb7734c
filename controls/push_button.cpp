// The push button's face, shadow, label and default markers, and its press.
#include "controls/push_button.h"

#include <string>

#include "core/draw.h"
#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace tuikit::controls {

namespace {

constexpr int32_t kFaceAttr = 0xF0;
constexpr int32_t kShadowAttr = 0x70;
constexpr int32_t kDisabledLabelAttr = 0xF7;
constexpr int32_t kMnemonicAttr = 0xFC;
constexpr char kShadowRow = '\xDF';
constexpr char kShadowSide = '\xDC';
constexpr char kLeftMarker = '\x10';
constexpr char kRightMarker = '\x11';

bool IsDefaultStyle(uint32_t style) { return (style & 0x0F) == BS_DEFPUSHBUTTON; }

}  // namespace

int32_t DlgPushButton::LabelOffset() const { return (width - static_cast<int32_t>(text.size())) / 2; }

void DlgPushButton::Draw()
{
    const int32_t c = LabelOffset();
    if (pressed) {
        TuiClearScreen(x, y, x + width - 1, y + height - 1, kShadowAttr);
        TuiClearScreen(x + 1, y, x + width - 1, y, kFaceAttr);
        core::PutString(x + 1 + c, y, text.c_str(), kFaceAttr, 0);
        return;
    }
    TuiClearScreen(x, y, x + width - 2, y, kFaceAttr);
    if (width > 1) core::PutString(x + 1, y + 1, std::string(static_cast<size_t>(width - 1), kShadowRow).c_str(), kShadowAttr, 0);
    core::PutString(x + width - 1, y, std::string(1, kShadowSide).c_str(), kShadowAttr, 0);
    core::PutString(x + c, y, text.c_str(), enabled ? kFaceAttr : kDisabledLabelAttr, 0);
    if (mnemonicPos != -1) core::FillAttrRun(x + c + mnemonicPos, y, kMnemonicAttr, 1);
    if (dialog->defaultIndex == index) {
        core::PutString(x, y, std::string(1, kLeftMarker).c_str(), kFaceAttr, 0);
        core::PutString(x + width - 2, y, std::string(1, kRightMarker).c_str(), kFaceAttr, 0);
    }
}

int DlgPushButton::HandleMessage(const KeyRecord &m)
{
    switch (m.message) {
    case WM_KEYDOWN:
        if (m.wParam != VK_SPACE && m.wParam != VK_RETURN) return 0;
        NotifyDialog(kBnClicked);
        return 1;
    case WM_LBUTTONDOWN:
        BeginPress();
        if (IsDefaultStyle(style)) dialog->SetDefaultItem(index);
        dialog->SetFocusItem(index);
        Draw();
        return 1;
    case WM_LBUTTONUP:
        if (!pressed) return 1;
        if (EndPress(m)) NotifyDialog(kBnClicked);
        Draw();
        return 1;
    default:
        return 0;
    }
}

void DlgPushButton::ShowFocusCursor(int gaining)
{
    if (!gaining) return;
    TuiSetCursorInfo(25, 1);
    TuiSetCursorPos(x + LabelOffset(), y);
}

void DlgPushButton::Activate()
{
    dialog->SetFocusItem(index);
    NotifyDialog(kBnClicked);
}

}  // namespace tuikit::controls

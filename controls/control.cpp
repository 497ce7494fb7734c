// The control base: default slots, placement, the & marker, notification.
#include "controls/control.h"

#include "dialog/dialog_window.h"

namespace tuikit::controls {

void DlgControl::GetText(std::string &out) const { out = text; }

// Each single & is taken out where it is found and names the character that
// follows; && leaves one literal &; a trailing & stays. The last marker wins.
// A text without a marker keeps the earlier mnemonic, as the slot always has.
void DlgControl::SetText(const char *newText)
{
    text = newText ? newText : "";
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        text.erase(i, 1);
        if (text[i] == '&') continue;  // the remaining & is a literal
        unsigned char c = static_cast<unsigned char>(text[i]);
        mnemonicPos = static_cast<int32_t>(i);
        mnemonicChar = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : static_cast<int32_t>(static_cast<signed char>(c));
    }
}

void DlgControl::Draw() {}
int DlgControl::HandleMessage(const KeyRecord &) { return 0; }
void DlgControl::ShowFocusCursor(int) {}
void DlgControl::Activate() {}

void DlgControl::PlaceFromTemplate(const ItemTemplate &item)
{
    x = dialog::DialogUnitsToColumns(item.x) + dialog->left;
    y = dialog::DialogUnitsToRows(item.y) + dialog->top;
    width = dialog::DialogUnitsToColumns(item.cx);
    height = dialog::DialogUnitsToRows(item.cy);
    id = item.id;
    style = item.style;
    if (style & WS_DISABLED) enabled = 0;
}

void DlgControl::NotifyDialog(int32_t code)
{
    dialog->CallProc(WM_COMMAND, static_cast<WPARAM>(MAKELONG(id, code)) & 0xFFFFFFFFu, 0);
}

bool DlgControl::Contains(int32_t column, int32_t row) const
{
    return x <= column && column < x + width && y <= row && row < y + height;
}

}  // namespace tuikit::controls

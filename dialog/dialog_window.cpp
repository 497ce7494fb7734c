// A dialog's focus, default button, capture, groups and tab stops, and the
// lookups by cell and by id.
#include "dialog/dialog_window.h"

#include "controls/radio_button.h"

namespace tuikit::dialog {

using controls::kPushButtonKind;
using controls::kRadioButtonKind;
using controls::kStaticKind;

namespace {

bool IsTemplateDefault(const DlgControl &c) { return c.kind == kPushButtonKind && (c.style & 0x0F) == BS_DEFPUSHBUTTON; }
bool IsTabTarget(const DlgControl &c) { return c.enabled && c.kind != kStaticKind && (c.style & WS_TABSTOP); }

}  // namespace

void DialogWindow::CallProc(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (proc) proc(nullptr, message, wParam, lParam);
}

DlgControl &DialogWindow::Append(std::unique_ptr<DlgControl> control)
{
    control->dialog = this;
    control->index = static_cast<int32_t>(controls.size());
    controls.push_back(std::move(control));
    itemCount = static_cast<int32_t>(controls.size());
    return *controls.back();
}

void DialogWindow::SetFocusItem(int32_t i)
{
    if (i == focusIndex) return;
    DlgControl *before = focusIndex != -1 ? At(focusIndex) : nullptr;
    if (before) before->ShowFocusCursor(0);
    focusIndex = i;
    DlgControl *now = At(i);
    now->ShowFocusCursor(1);
    if (now->kind == kPushButtonKind) {
        SetDefaultItem(i);
    } else if (before && before->kind == kPushButtonKind) {
        // Leaving a push button gives the default back to the template's.
        for (const auto &c : controls) {
            if (!IsTemplateDefault(*c)) continue;
            if (c.get() != before) SetDefaultItem(c->index);
            break;
        }
    }
}

void DialogWindow::SetDefaultItem(int32_t i)
{
    if (i == defaultIndex) return;
    const int32_t before = defaultIndex;
    defaultIndex = i;
    if (before != -1) At(before)->Draw();
    if (i != -1) At(i)->Draw();
}

void DialogWindow::CancelCapture()
{
    if (captureIndex == -1) return;
    KeyRecord release{};
    release.message = WM_LBUTTONUP;
    At(captureIndex)->HandleMessage(release);
    captureIndex = -1;
}

void DialogWindow::GetGroupBounds(int32_t i, int32_t &first, int32_t &last) const
{
    first = i;
    while (first > 0 && !(At(first)->style & WS_GROUP)) --first;
    last = first;
    while (last < itemCount - 1 && !(At(last + 1)->style & WS_GROUP)) ++last;
}

int32_t DialogWindow::GetNextGroupItem(int32_t i) const
{
    if (i == -1) return itemCount > 0 ? 0 : -1;
    int32_t first, last;
    GetGroupBounds(i, first, last);
    return i == last ? first : i + 1;
}

int32_t DialogWindow::GetPrevGroupItem(int32_t i) const
{
    if (i == -1) return itemCount > 0 ? itemCount - 1 : -1;
    int32_t first, last;
    GetGroupBounds(i, first, last);
    return i == first ? last : i - 1;
}

int32_t DialogWindow::GetNextTabItem(int32_t i) const
{
    if (i == -1) {
        for (int32_t k = 0; k < itemCount; ++k)
            if (IsTabTarget(*At(k))) return k;
        return -1;
    }
    for (int32_t k = (i + 1) % itemCount; k != i; k = (k + 1) % itemCount)
        if (IsTabTarget(*At(k))) return k;
    return i;
}

int32_t DialogWindow::GetPrevTabItem(int32_t i) const
{
    if (i == -1) {
        for (int32_t k = itemCount - 1; k >= 0; --k)
            if (IsTabTarget(*At(k))) return k;
        return -1;
    }
    for (int32_t k = (i + itemCount - 1) % itemCount; k != i; k = (k + itemCount - 1) % itemCount)
        if (IsTabTarget(*At(k))) return k;
    return i;
}

void DialogWindow::UncheckRadioGroup(int32_t i)
{
    int32_t first, last;
    GetGroupBounds(i, first, last);
    for (int32_t k = first; k <= last; ++k) {
        if (At(k)->kind != kRadioButtonKind) continue;
        auto *radio = static_cast<controls::DlgRadioButton *>(At(k));
        if (!radio->checked) continue;
        radio->checked = 0;
        radio->Draw();
    }
}

DlgControl *DialogWindow::ItemFromPoint(int32_t column, int32_t row) const
{
    for (const auto &c : controls)
        if (c->Contains(column, row)) return c.get();
    return nullptr;
}

DlgControl *DialogWindow::FindDlgItem(uint32_t id) const
{
    for (const auto &c : controls)
        if (c->id == id) return c.get();
    return nullptr;
}

}  // namespace tuikit::dialog

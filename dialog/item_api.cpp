// The dialog item functions: each finds a control of the innermost running
// dialog by its id, checks its kind where the call needs one, and calls the
// control's own operation. Changes are drawn at once.
#include <algorithm>
#include <cstring>
#include <string>

#include "controls/check_box.h"
#include "core/boundary.h"
#include "controls/list_box.h"
#include "controls/radio_button.h"
#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace tuikit::dialog {

namespace {

using controls::DlgListBox;
using controls::DlgMarkButton;
using controls::DlgRadioButton;

// body(control) for the first control of CurrentDialog with the id;
// notDone when no dialog runs, none has that id or the body throws. Every
// item call goes through here, so this is their boundary guard.
template <class Result, class Body> Result WithItem(uint32_t id, Result notDone, Body &&body)
{
    return Guarded(notDone, [&]() -> Result {
        DlgControl *control = CurrentDialog ? CurrentDialog->FindDlgItem(id) : nullptr;
        if (!control) return notDone;
        return body(*control);
    });
}

DlgListBox *AsListBox(DlgControl &c) { return c.kind == controls::kListBoxKind ? static_cast<DlgListBox *>(&c) : nullptr; }

DlgMarkButton *AsMarkButton(DlgControl &c)
{
    const bool marked = c.kind == controls::kCheckBoxKind || c.kind == controls::kRadioButtonKind;
    return marked ? static_cast<DlgMarkButton *>(&c) : nullptr;
}

}  // namespace

}  // namespace tuikit::dialog

using namespace tuikit::dialog;

extern "C" {

// A radio button is selected only by check 1 and only when it is clear; a
// check box stores check as given. Only radio buttons report 1.
TUIKIT_API int TuiCheckDlgItem(uint32_t id, int32_t check)
{
    return WithItem(id, 0, [check](DlgControl &c) {
        if (c.kind == tuikit::controls::kRadioButtonKind) {
            auto &radio = static_cast<DlgRadioButton &>(c);
            if (check == 1 && radio.checked == 0) radio.SelectRadio();
            return 1;
        }
        if (c.kind == tuikit::controls::kCheckBoxKind) {
            static_cast<DlgMarkButton &>(c).checked = check;
            c.Draw();
        }
        return 0;
    });
}

TUIKIT_API int TuiIsDlgItemChecked(uint32_t id)
{
    return WithItem(id, 0, [](DlgControl &c) {
        DlgMarkButton *button = AsMarkButton(c);
        return button ? button->checked : 0;
    });
}

// The focus stays where it is, also on a control being disabled.
TUIKIT_API void TuiEnableDlgItem(uint32_t id, int32_t enable)
{
    WithItem(id, 0, [enable](DlgControl &c) {
        c.enabled = enable;
        c.Draw();
        return 1;
    });
}

TUIKIT_API int TuiGetDlgItemText(uint32_t id, char *buffer, int32_t size)
{
    if (!buffer || size < 1) return 0;
    return WithItem(id, 0, [buffer, size](DlgControl &c) {
        std::string text;
        c.GetText(text);
        const size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
        return 1;
    });
}

TUIKIT_API int TuiSetDlgItemText(uint32_t id, const char *text)
{
    return WithItem(id, 0, [text](DlgControl &c) {
        c.SetText(text ? text : "");
        c.Draw();
        return 1;
    });
}

// Colours of dialog items are fixed; the call only tells whether the item
// exists, whatever colour arguments follow the id.
TUIKIT_API int TuiSetDlgItemColor(uint32_t id, ...)
{
    return WithItem(id, 0, [](DlgControl &) { return 1; });
}

TUIKIT_API int TuiListBoxAddString(uint32_t id, const char *text)
{
    if (!text) return 0;
    return WithItem(id, 0, [text](DlgControl &c) {
        DlgListBox *list = AsListBox(c);
        if (!list) return 0;
        list->AddString(text);
        return 1;
    });
}

TUIKIT_API int TuiListBoxRemoveAll(uint32_t id)
{
    return WithItem(id, 0, [](DlgControl &c) {
        DlgListBox *list = AsListBox(c);
        if (!list) return 0;
        list->RemoveAll();
        return 1;
    });
}

TUIKIT_API int TuiGetListBoxIndex(uint32_t id)
{
    return WithItem(id, -1, [](DlgControl &c) {
        DlgListBox *list = AsListBox(c);
        return list ? list->selection : -1;
    });
}

TUIKIT_API int TuiListBoxSetActive(uint32_t id, int32_t index)
{
    return WithItem(id, 0, [index](DlgControl &c) {
        DlgListBox *list = AsListBox(c);
        if (!list || index < -1 || index >= list->items.Count()) return 0;
        list->SetSelection(index);
        return 1;
    });
}

// Right and bottom lie one past the control.
TUIKIT_API int TuiGetDlgItemRect(uint32_t id, RECT *rect)
{
    if (!rect) return 0;
    return WithItem(id, 0, [rect](DlgControl &c) {
        *rect = RECT{c.x, c.y, c.x + c.width, c.y + c.height};
        return 1;
    });
}

}  // extern "C"

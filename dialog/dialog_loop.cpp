// Running a dialog: TuiDialogBox and TuiEndDialog, the modal loop shared
// with message boxes, and the routing of mouse, key and other messages.
#include <memory>

#include "controls/radio_button.h"
#include "core/boundary.h"
#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace tuikit::dialog {

using controls::kRadioButtonKind;
using controls::kStaticKind;

DialogWindow *CurrentDialog = nullptr;
void (*DialogLoopObserver)(const MSG &msg) = nullptr;

namespace {

constexpr UINT kFirstMouseMessage = WM_MOUSEMOVE;
constexpr UINT kLastMouseMessage = WM_LBUTTONDBLCLK;

KeyRecord Record(UINT message, WPARAM wParam, LPARAM lParam)
{
    KeyRecord r{};
    r.message = message;
    r.wParam = wParam;
    r.lParam = lParam;
    return r;
}

// WM_INITDIALOG, then the cursor hidden, the first control that can take
// the focus focused and the template's default button made the default.
void StartTemplateDialog(DialogWindow &d)
{
    d.CallProc(WM_INITDIALOG, 0, 0);
    TuiSetCursorInfo(25, 0);
    for (const auto &c : d.controls) {
        if (c->enabled && c->kind != kStaticKind) {
            d.SetFocusItem(c->index);
            break;
        }
    }
    for (const auto &c : d.controls) {
        if (c->enabled && c->kind == controls::kPushButtonKind && (c->style & 0x0F) == BS_DEFPUSHBUTTON) {
            d.SetDefaultItem(c->index);
            break;
        }
    }
}

// Gives the screen and CurrentDialog back however the loop is left.
struct ModalScope {
    DialogWindow &dialog;
    ~ModalScope()
    {
        RestoreScreen(dialog);
        CurrentDialog = dialog.previous;
    }
};

}  // namespace

int32_t RunModal(DialogWindow &dialog, const std::function<void(DialogWindow &)> &start)
{
    if (CurrentDialog) CurrentDialog->CancelCapture();
    dialog.previous = CurrentDialog;
    CurrentDialog = &dialog;
    ModalScope scope{dialog};
    SaveScreenAndDraw(dialog);
    start(dialog);
    dialog.RunDialogLoop();
    return dialog.endCode;
}

void DialogWindow::RunDialogLoop()
{
    for (;;) {
        MSG msg;
        // An error result (-1) is routed like a message, as the platform's
        // loops treat it; only the quit message ends the loop.
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (DialogLoopObserver) DialogLoopObserver(msg);
        if (got == 0) return;
        const UINT m = msg.message;
        if (m >= kFirstMouseMessage && m <= kLastMouseMessage) {
            const KeyRecord record = Record(m, msg.wParam, msg.lParam);
            if (captureIndex != -1) {
                At(captureIndex)->HandleMessage(record);
            } else if (DlgControl *c = ItemFromPoint(LOWORD(msg.lParam), HIWORD(msg.lParam)); c && c->enabled) {
                c->HandleMessage(record);
            }
        } else if (m == WM_KEYDOWN) {
            RouteKeyMessage(Record(WM_KEYDOWN, msg.wParam, 0));
            if (msg.lParam != 0) RouteKeyMessage(Record(WM_CHAR, static_cast<WPARAM>(msg.lParam), 0));
        } else if (m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP) {
            RouteKeyMessage(Record(m, msg.wParam, msg.lParam));
        } else {
            const KeyRecord record = Record(m, msg.wParam, msg.lParam);
            bool taken = false;
            // By index: a control's handler may add to the dialog's list.
            for (size_t i = 0; !taken && i < controls.size(); ++i)
                taken = controls[i]->enabled && controls[i]->HandleMessage(record);
            if (!taken) CallProc(m, msg.wParam, msg.lParam);
        }
    }
}

void DialogWindow::RouteKeyMessage(const KeyRecord &record)
{
    if (focusIndex != -1 && At(focusIndex)->enabled && At(focusIndex)->HandleMessage(record)) return;
    DialogKeyMessage(record);
}

void DialogWindow::DialogKeyMessage(const KeyRecord &record)
{
    WPARAM wParam = record.wParam;
    auto matchMnemonics = [this](WPARAM value) {
        const auto c = static_cast<int32_t>(value);
        for (size_t i = 0; i < controls.size(); ++i)
            if (controls[i]->enabled && controls[i]->mnemonicChar == c) controls[i]->Activate();
    };
    switch (record.message) {
    case WM_KEYDOWN:
        NavigationKey(wParam);
        break;
    case WM_KEYUP:
        if (wParam == VK_SHIFT) shiftDown = 0;
        break;
    case WM_CHAR:
        if (wParam >= 'a' && wParam <= 'z') wParam -= 'a' - 'A';
        matchMnemonics(wParam);
        break;
    case WM_SYSKEYDOWN:
        matchMnemonics(wParam);
        break;
    default:
        break;
    }
    CallProc(record.message, wParam, record.lParam);
}

void DialogWindow::NavigationKey(WPARAM vk)
{
    switch (vk) {
    case VK_ESCAPE:
        CallProc(WM_COMMAND, IDCANCEL, 0);
        return;
    case VK_RETURN:
        if (defaultIndex != -1) CallProc(WM_COMMAND, At(defaultIndex)->id, 0);
        return;
    case VK_UP:
    case VK_LEFT:
    case VK_DOWN:
    case VK_RIGHT: {
        const bool back = vk == VK_UP || vk == VK_LEFT;
        auto step = [this, back](int32_t i) { return back ? GetPrevGroupItem(i) : GetNextGroupItem(i); };
        int32_t k = step(focusIndex);
        if (k == -1) return;
        // Statics are stepped over; arriving back where the walk began
        // means the group has nothing else to land on.
        for (const int32_t first = k; k == focusIndex || At(k)->kind == kStaticKind;) {
            if (k == focusIndex) return;
            k = step(k);
            if (k == first) return;
        }
        SetFocusItem(k);
        if (At(k)->kind == kRadioButtonKind) static_cast<controls::DlgRadioButton *>(At(k))->SelectRadio();
        return;
    }
    case VK_TAB: {
        int32_t start = focusIndex;
        int32_t first, last;
        if (start != -1 && At(start)->kind == kRadioButtonKind) {
            GetGroupBounds(start, first, last);
            if (shiftDown) {
                start = first;
            } else {
                for (int32_t k = last; k >= first; --k) {
                    if (At(k)->kind == kRadioButtonKind) {
                        start = k;
                        break;
                    }
                }
            }
        }
        int32_t target = shiftDown ? GetPrevTabItem(start) : GetNextTabItem(start);
        if (target == -1) return;
        if (At(target)->kind == kRadioButtonKind) {
            GetGroupBounds(target, first, last);
            for (int32_t k = first; k <= last; ++k) {
                if (At(k)->kind == kRadioButtonKind && static_cast<controls::DlgRadioButton *>(At(k))->checked) {
                    target = k;
                    break;
                }
            }
        }
        SetFocusItem(target);
        return;
    }
    case VK_SHIFT:
        shiftDown = 1;
        return;
    default:
        return;
    }
}

}  // namespace tuikit::dialog

using namespace tuikit::dialog;

extern "C" {

TUIKIT_API int32_t TuiDialogBox(LPCSTR name, WNDPROC proc, int32_t x, int32_t y)
{
    return tuikit::Guarded<int32_t>(0, [&]() -> int32_t {
        auto dialog = std::make_unique<DialogWindow>(proc);
        if (!LoadDialogTemplate(*dialog, name, x, y)) return 0;
        return RunModal(*dialog, StartTemplateDialog);
    });
}

TUIKIT_API void TuiEndDialog(int32_t code)
{
    tuikit::Guarded([&] {
        if (!CurrentDialog) return;
        CurrentDialog->endCode = code;
        PostQuitMessage(0);
    });
}

}  // extern "C"

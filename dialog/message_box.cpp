// TuiMessageBox: a dialog built by code, one static per wrapped line of the
// text and a row of push buttons, run by the same modal loop.
#include <iterator>
#include <memory>

#include "controls/push_button.h"
#include "controls/static_text.h"
#include "core/boundary.h"
#include "core/console_state.h"
#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace tuikit::dialog {

namespace {

constexpr int32_t kBoxWidth = 64;
constexpr int32_t kTextWidth = 60;
constexpr int32_t kButtonWidth = 10;
constexpr int32_t kButtonHeight = 2;
constexpr int32_t kButtonPitch = 14;

struct ButtonSpec {
    const char *caption;
    uint32_t id;
};
struct ButtonSet {
    int32_t count;
    ButtonSpec buttons[3];
};

// By type & 0x0F; sets 6 to 15 have no buttons.
constexpr ButtonSet kButtonSets[] = {
    {1, {{"&OK", IDOK}}},
    {2, {{"&OK", IDOK}, {"&Cancel", IDCANCEL}}},
    {3, {{"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}}},
    {3, {{"&Yes", IDYES}, {"&No", IDNO}, {"&Cancel", IDCANCEL}}},
    {2, {{"&Yes", IDYES}, {"&No", IDNO}}},
    {2, {{"&Retry", IDRETRY}, {"&Cancel", IDCANCEL}}},
};

LRESULT CALLBACK MessageBoxProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND) TuiEndDialog(LOWORD(wParam));
    return 0;
}

void AddMessageBoxButton(DialogWindow &box, int32_t n, int32_t i, const char *caption, uint32_t id)
{
    auto button = std::make_unique<controls::DlgPushButton>();
    button->x = box.left + 34 - 7 * n + kButtonPitch * i;
    button->width = kButtonWidth;
    button->height = kButtonHeight;
    button->id = id;
    button->style = WS_TABSTOP;
    button->dialog = &box;
    button->SetText(caption);
    box.Append(std::move(button));
}

int32_t ShowMessageBox(const char *text, const char *caption, UINT type)
{
    controls::WrappedText wrapped = controls::WrapText(text, kTextWidth);
    if (wrapped.lines.empty()) wrapped.lines.emplace_back(" ");
    const auto lines = static_cast<int32_t>(wrapped.lines.size());
    const ButtonSet none{0, {}};
    const ButtonSet &set = (type & 0x0F) < std::size(kButtonSets) ? kButtonSets[type & 0x0F] : none;

    DialogWindow box(MessageBoxProc);
    box.width = kBoxWidth;
    box.height = lines + 5;
    box.title = caption ? caption : "Message";
    box.focusIndex = box.defaultIndex = set.count > 0 ? 1 : -1;
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(core::console.consoleOutput, &info);
    box.left = (info.dwMaximumWindowSize.X - kBoxWidth) / 2;
    box.top = (info.dwMaximumWindowSize.Y - box.height) / 2;

    for (int32_t k = 0; k < lines; ++k) {
        auto line = std::make_unique<controls::DlgStatic>();
        line->x = box.left + 2 + (kTextWidth - wrapped.longest) / 2;
        line->y = box.top + 2 + k;
        line->width = wrapped.longest;
        line->height = 1;
        line->text = std::move(wrapped.lines[static_cast<size_t>(k)]);  // shown as it is: no mnemonic
        box.Append(std::move(line));
    }
    for (int32_t i = 0; i < set.count; ++i)
        AddMessageBoxButton(box, set.count, i, set.buttons[i].caption, set.buttons[i].id);
    for (int32_t i = lines; i < box.itemCount; ++i) box.At(i)->y = box.top + lines + 3;

    int32_t k = 0;
    if ((type & MB_DEFBUTTON2) && set.count >= 2)
        k = 1;
    else if ((type & MB_DEFBUTTON3) && set.count >= 3)
        k = 2;
    // No WM_INITDIALOG; the chosen button takes the focus and so the default.
    return RunModal(box, [chosen = set.count > 0 ? lines + k : -1](DialogWindow &d) {
        TuiSetCursorInfo(25, 0);
        if (chosen != -1) d.SetFocusItem(chosen);
    });
}

}  // namespace

}  // namespace tuikit::dialog

extern "C" TUIKIT_API int32_t TuiMessageBox(LPCSTR text, LPCSTR caption, UINT type)
{
    return tuikit::Guarded<int32_t>(0, [&] { return tuikit::dialog::ShowMessageBox(text, caption, type); });
}

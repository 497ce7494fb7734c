// What the edit field, list box and item function tests share: dialogs run
// at body (10, 3) with a set-up step at WM_INITDIALOG, typing, and input held
// back while a pressed list box repeats from its timer.
#pragma once

#include <cctype>
#include <string>

#include "controls/edit.h"
#include "controls/list_box.h"
#include "dialog_test_support.h"

namespace tuikit::test {

// Runs at WM_INITDIALOG, before the procedure notes "init".
inline std::function<void()> onInit;
inline LRESULT CALLBACK InitProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG && onInit) onInit();
    return RecordingDialogProc(hwnd, message, wParam, lParam);
}

// Repeat ticks the running dialog has taken since the last HoldForTicks, and
// the input held back until enough of them have come.
inline int ticksTaken = 0;
inline int ticksWanted = 0;
inline std::vector<Records> heldInput;

inline void WatchTicks(const MSG &msg)
{
    if (msg.message == WM_TIMER && ++ticksTaken == ticksWanted) {
        script.stretches.insert(script.stretches.end(), heldInput.begin(), heldInput.end());
        heldInput.clear();
        script.AppendNext();
    }
    WatchMarkers(msg);
}

// From a check: the rest of the input waits until n timer ticks have been
// taken by the dialog, so a button stays held for n repeats.
inline void HoldForTicks(int n)
{
    ticksTaken = 0;
    ticksWanted = n;
    heldInput.assign(script.stretches.begin() + static_cast<std::ptrdiff_t>(script.next), script.stretches.end());
    script.stretches.resize(script.next);
}

inline int32_t RunAt(const char *name, const Records &input, std::vector<std::function<void()>> checks = {})
{
    ticksTaken = ticksWanted = 0;
    return RunWith(
        [=] {
            dialog::DialogLoopObserver = WatchTicks;
            return TuiDialogBox(name, InitProc, 10, 3);
        },
        input, std::move(checks));
}

// Each character pressed and released on its key.
inline Records Type(const std::string &text)
{
    Records out;
    for (char c : text) out = out + Press(static_cast<WORD>(std::toupper(static_cast<unsigned char>(c))), c);
    return out;
}

template <class Control> Control &Item(uint32_t id)
{
    return *static_cast<Control *>(dialog::CurrentDialog->FindDlgItem(id));
}

class ControlTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        onInit = nullptr;
    }
};

}  // namespace tuikit::test

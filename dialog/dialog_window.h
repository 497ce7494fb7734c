// A running dialog or message box: its body on the grid, its controls in
// template order, focus, default button and mouse capture, the screen it
// covers, and the chain of dialogs headed by CurrentDialog.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/control.h"
#include "tuikit/win32.h"

namespace tuikit::menu {
class TemplateReader;
}

namespace tuikit::dialog {

using controls::DlgControl;
using controls::KeyRecord;

// What the dialog keeps of the screen it covers: the body plus the title row
// above, the shadow row below and the shadow column on the right.
struct ScreenSave {
    std::unique_ptr<CHAR_INFO[]> cells;  // (width + 1) x (height + 2), row by row; null until saved
    CONSOLE_CURSOR_INFO cursorInfo{};
    CONSOLE_SCREEN_BUFFER_INFO bufferInfo{};  // only its cursor position is used again
};

struct DialogWindow {
    WNDPROC proc = nullptr;
    int32_t left = 0;  // body's top-left cell; the title row is top - 1
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t itemCount = 0;
    std::string title;
    int32_t endCode = 0;
    std::vector<std::unique_ptr<DlgControl>> controls;
    int32_t focusIndex = -1;
    int32_t defaultIndex = -1;
    int32_t captureIndex = -1;
    uint32_t style = 0;
    DialogWindow *previous = nullptr;
    ScreenSave screenSave;
    int32_t shiftDown = 0;

    explicit DialogWindow(WNDPROC dialogProc) : proc(dialogProc) {}

    // Calls the dialog procedure (null window); its result is ignored.
    void CallProc(UINT message, WPARAM wParam, LPARAM lParam) const;
    DlgControl *At(int32_t i) const { return controls[static_cast<size_t>(i)].get(); }

    // Modal loop and message routing.
    void RunDialogLoop();
    void RouteKeyMessage(const KeyRecord &record);
    void DialogKeyMessage(const KeyRecord &record);
    void NavigationKey(WPARAM vk);

    // Focus, default button, capture.
    void SetFocusItem(int32_t i);
    void SetDefaultItem(int32_t i);
    void CancelCapture();

    // Groups, tab stops, lookup.
    void GetGroupBounds(int32_t i, int32_t &first, int32_t &last) const;
    int32_t GetNextGroupItem(int32_t i) const;
    int32_t GetPrevGroupItem(int32_t i) const;
    int32_t GetNextTabItem(int32_t i) const;
    int32_t GetPrevTabItem(int32_t i) const;
    void UncheckRadioGroup(int32_t i);
    DlgControl *ItemFromPoint(int32_t column, int32_t row) const;
    DlgControl *FindDlgItem(uint32_t id) const;

    // Appends a control made by code, setting its dialog and index.
    DlgControl &Append(std::unique_ptr<DlgControl> control);
};

// The innermost running dialog or message box; null when none runs.
extern DialogWindow *CurrentDialog;

// Makes the dialog current over the one running (ending that one's mouse
// capture), saves the screen and draws it, runs start, then the loop; gives
// the screen back and returns the end code. The caller owns the dialog.
int32_t RunModal(DialogWindow &dialog, const std::function<void(DialogWindow &)> &start);

// Template loading: 1 when the dialog and all its controls were made.
int LoadDialogTemplate(DialogWindow &dialog, const char *name, int32_t x, int32_t y);
int LoadDialogItem(DialogWindow &dialog, menu::TemplateReader &reader);
int32_t DialogUnitsToColumns(int32_t v);
int32_t DialogUnitsToRows(int32_t v);

// The screen under a dialog, and the dialog's frame.
void SaveScreenAndDraw(DialogWindow &dialog);
void RestoreScreen(DialogWindow &dialog);

// Tests only: sees every message the innermost dialog loop retrieves, the
// quit message included, before it is routed.
extern void (*DialogLoopObserver)(const MSG &msg);

}  // namespace tuikit::dialog

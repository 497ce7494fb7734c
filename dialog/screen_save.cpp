// The cells under a dialog (title row, body, shadows) and the cursor, kept
// while it runs; and the dialog's frame drawn over them.
#include <memory>

#include "core/console_state.h"
#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace tuikit::dialog {

namespace {

constexpr int32_t kTitleAttr = 0xF0;
constexpr int32_t kBodyAttr = 0x70;
constexpr int32_t kShadowAttr = 0x07;

// The covered area: the body's columns plus the shadow column, the title
// row, the body's rows and the shadow row.
struct Covered {
    COORD size;
    SMALL_RECT region;
};

Covered CoveredArea(const DialogWindow &d)
{
    return {COORD{static_cast<SHORT>(d.width + 1), static_cast<SHORT>(d.height + 2)},
            SMALL_RECT{static_cast<SHORT>(d.left), static_cast<SHORT>(d.top - 1), static_cast<SHORT>(d.left + d.width),
                       static_cast<SHORT>(d.top + d.height)}};
}

}  // namespace

void SaveScreenAndDraw(DialogWindow &d)
{
    HANDLE out = core::console.consoleOutput;
    Covered area = CoveredArea(d);
    ScreenSave &save = d.screenSave;
    const size_t cells = static_cast<size_t>(d.width + 1) * static_cast<size_t>(d.height + 2);
    save.cells = std::make_unique<CHAR_INFO[]>(cells);
    ReadConsoleOutputA(out, save.cells.get(), area.size, COORD{0, 0}, &area.region);
    GetConsoleScreenBufferInfo(out, &save.bufferInfo);
    GetConsoleCursorInfo(out, &save.cursorInfo);

    const int32_t right = d.left + d.width - 1, bottom = d.top + d.height - 1;
    TuiClearScreen(d.left, d.top - 1, right, d.top - 1, kTitleAttr);
    TuiWriteText(d.left + (d.width - static_cast<int32_t>(d.title.size())) / 2, d.top - 1, d.title.c_str(), kTitleAttr);
    TuiClearScreen(d.left, d.top, right, bottom, kBodyAttr);
    TuiDrawPanel(d.left + 1, d.top + d.height, d.left + d.width, d.top + d.height, kShadowAttr);
    TuiDrawPanel(d.left + d.width, d.top, d.left + d.width, d.top + d.height, kShadowAttr);
    for (size_t i = 0; i < d.controls.size(); ++i) d.controls[i]->Draw();
}

void RestoreScreen(DialogWindow &d)
{
    ScreenSave &save = d.screenSave;
    if (!save.cells) return;
    HANDLE out = core::console.consoleOutput;
    Covered area = CoveredArea(d);
    WriteConsoleOutputA(out, save.cells.get(), area.size, COORD{0, 0}, &area.region);
    SetConsoleCursorPosition(out, save.bufferInfo.dwCursorPosition);
    SetConsoleCursorInfo(out, &save.cursorInfo);
}

}  // namespace tuikit::dialog

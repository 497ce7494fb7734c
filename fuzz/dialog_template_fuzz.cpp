// Arbitrary bytes as a dialog template: registered as an RT_DIALOG resource
// of exactly their size, so every read the loader makes is bounded by
// SizeofResource and one past them is caught, then opened with TuiDialogBox.
// The procedure ends the dialog as it starts. A template that is refused
// leaves the screen and cursor exactly as they were; one that runs gives the
// cursor back (its controls may draw past the area the dialog saves, since
// nothing is clipped, so the cells outside that area are not compared).
#include <cstring>
#include <vector>

#include "dialog/dialog_window.h"
#include "platform/resources.h"
#include "tuikit/tuikit.h"

namespace {

constexpr int kCells = 80 * 25;
constexpr uint32_t kEntryHeader = 32;  // sizes, type and name ordinals, fixed tail

struct Screen {
    std::vector<char> chars = std::vector<char>(kCells);
    std::vector<WORD> attrs = std::vector<WORD>(kCells);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    CONSOLE_CURSOR_INFO cursor{};

    bool SameCursor(const Screen &o) const
    {
        return cursor.dwSize == o.cursor.dwSize && cursor.bVisible == o.cursor.bVisible &&
               info.dwCursorPosition.X == o.info.dwCursorPosition.X && info.dwCursorPosition.Y == o.info.dwCursorPosition.Y;
    }
    bool SameCells(const Screen &o) const { return chars == o.chars && attrs == o.attrs; }
};

Screen Capture()
{
    Screen s;
    DWORD n;
    ReadConsoleOutputCharacterA(TuiOutputHandle(), s.chars.data(), kCells, COORD{0, 0}, &n);
    ReadConsoleOutputAttribute(TuiOutputHandle(), s.attrs.data(), kCells, COORD{0, 0}, &n);
    GetConsoleScreenBufferInfo(TuiOutputHandle(), &s.info);
    GetConsoleCursorInfo(TuiOutputHandle(), &s.cursor);
    return s;
}

void Put32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// A .res image of one entry, RT_DIALOG id 1, whose data is the template;
// the last entry's padding may be left out, so the image ends where it does.
std::vector<uint8_t> Image(const uint8_t *data, size_t size)
{
    std::vector<uint8_t> image(kEntryHeader + size);
    Put32(&image[0], static_cast<uint32_t>(size));
    Put32(&image[4], kEntryHeader);
    const uint8_t ordinals[] = {0xFF, 0xFF, 5, 0, 0xFF, 0xFF, 1, 0};
    std::memcpy(&image[8], ordinals, sizeof ordinals);
    if (size) std::memcpy(&image[kEntryHeader], data, size);
    return image;
}

LRESULT CALLBACK EndAtInit(HWND, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) TuiEndDialog(1);
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) { return TuiInit(), 0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 0xFFFF) return 0;
    const std::vector<uint8_t> image = Image(data, size);
    if (!tuikit::platform::AddResourceImage(image.data(), static_cast<uint32_t>(image.size()))) __builtin_trap();
    TuiClearScreen(0, 0, 79, 24, 0x17);
    const Screen before = Capture();
    const int32_t ran = TuiDialogBox(MAKEINTRESOURCE(1), EndAtInit, -1, -1);
    MSG left;
    while (PeekMessageA(&left, nullptr, 0, 0, PM_REMOVE)) {
    }
    const Screen after = Capture();
    if (tuikit::dialog::CurrentDialog || !after.SameCursor(before) || (!ran && !after.SameCells(before))) __builtin_trap();
    tuikit::platform::RemoveResourceImage(image.data(), static_cast<uint32_t>(image.size()));
    return 0;
}

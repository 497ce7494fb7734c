// Arbitrary bytes as a menu template: loading must never read outside them,
// and a bar built from them is walked by messages taken from the input's
// tail, then closed, with the screen under every popup restored.
//
// Input: [template bytes][events: 3 bytes each][event count, 1 byte]
#include <cstring>
#include <memory>
#include <vector>

#include "menu/menu_draw.h"
#include "menu/menu_nav.h"
#include "tuikit/tuikit.h"

using namespace tuikit::menu;

namespace {

std::vector<WORD> Cells()  // every character and attribute, one per WORD
{
    std::vector<WORD> cells(2 * 80 * 25);
    std::vector<char> chars(80 * 25);
    DWORD n;
    ReadConsoleOutputCharacterA(TuiOutputHandle(), chars.data(), 80 * 25, COORD{0, 0}, &n);
    ReadConsoleOutputAttribute(TuiOutputHandle(), cells.data(), 80 * 25, COORD{0, 0}, &n);
    for (size_t i = 0; i < chars.size(); ++i) cells[80 * 25 + i] = uint8_t(chars[i]);
    return cells;
}

void Send(MenuBar &bar, UINT message, WPARAM w, LPARAM l) { HandleMessage(bar, MSG{nullptr, message, w, l, 0, {}}); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) { return TuiInit(), 0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const UINT kMessages[] = {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_TIMER, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP};
    static const WPARAM kKeys[] = {VK_MENU, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, 0x0D, 0x1B};
    size_t events = size ? data[size - 1] % 17 : 0;
    if (events * 3 + 1 > size) events = 0;
    size_t templateSize = size - (size ? 1 : 0) - events * 3;
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[templateSize]);  // a read past it is caught
    std::memcpy(bytes.get(), data, templateSize);
    TuiClearScreen(0, 0, 79, 24, 0x17);
    MenuBar bar;
    if (!bar.Load(bytes.get(), uint32_t(templateSize))) return 0;
    std::vector<WORD> idle = Cells();
    for (const uint8_t *e = data + templateSize; e < data + templateSize + 3 * events; e += 3) {
        UINT message = kMessages[e[0] % 8];
        if (message >= WM_MOUSEMOVE) Send(bar, message, 0, MAKELONG(e[1] % 80, e[2] % 8));
        else Send(bar, message, e[1] < 7 * 16 ? kKeys[e[1] % 7] : e[2], 0);
    }
    Send(bar, WM_LBUTTONUP, 0, MAKELONG(79, 24));  // back to idle: release the button, then Escape
    Send(bar, WM_CHAR, 0x1B, 0);
    MSG posted;
    while (PeekMessageA(&posted, nullptr, 0, 0, PM_REMOVE)) {
    }
    if (MenuMode != MenuModeIdle || PopupSaveChars || Cells() != idle) __builtin_trap();
    return 0;
}

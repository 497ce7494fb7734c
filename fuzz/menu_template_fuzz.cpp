// Arbitrary bytes as a menu template: loading must never read outside them,
// and a bar built from them is opened, walked and closed by a few messages
// taken from the input's tail, with the screen under every popup restored.
//
// Input: [template bytes][events: 3 bytes each][event count, 1 byte]
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "menu/menu_draw.h"
#include "menu/menu_model.h"
#include "menu/menu_nav.h"
#include "tuikit/tuikit.h"

using namespace tuikit::menu;

namespace {

constexpr int kWidth = 80;
constexpr int kHeight = 25;

struct Cells {
    std::vector<char> chars = std::vector<char>(kWidth * kHeight);
    std::vector<WORD> attrs = std::vector<WORD>(kWidth * kHeight);
    bool operator==(const Cells &) const = default;
};

Cells Capture()
{
    Cells c;
    DWORD n;
    ReadConsoleOutputCharacterA(TuiOutputHandle(), c.chars.data(), kWidth * kHeight, COORD{0, 0}, &n);
    ReadConsoleOutputAttribute(TuiOutputHandle(), c.attrs.data(), kWidth * kHeight, COORD{0, 0}, &n);
    return c;
}

MSG Event(const uint8_t *e)
{
    static const UINT kMessages[] = {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN,
                                     WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_TIMER};
    MSG m{};
    m.message = kMessages[e[0] % 8];
    if (m.message >= WM_MOUSEMOVE && m.message != WM_TIMER) {
        m.lParam = MAKELONG(e[1] % kWidth, e[2] % 8);
    } else {
        static const WPARAM kKeys[] = {VK_MENU, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, 0x0D, 0x1B};
        m.wParam = e[1] < 7 * 16 ? kKeys[e[1] % 7] : e[2];
    }
    return m;
}

// Brings the menu back to idle between inputs.
void Settle(MenuBar &bar)
{
    MSG up{};
    up.message = WM_LBUTTONUP;
    up.lParam = MAKELONG(79, 24);
    HandleMessage(bar, up);
    MSG esc{};
    esc.message = WM_CHAR;
    esc.wParam = 0x1B;
    HandleMessage(bar, esc);
    MSG posted;
    while (PeekMessageA(&posted, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    TuiInit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    size_t events = size ? data[size - 1] % 17 : 0;
    if (events * 3 + 1 > size) events = 0;
    size_t templateSize = size - (size ? 1 : 0) - events * 3;
    // A copy of exactly the template's size, so any read past it is caught.
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[templateSize ? templateSize : 1]);
    if (templateSize) std::memcpy(bytes.get(), data, templateSize);

    TuiClearScreen(0, 0, kWidth - 1, kHeight - 1, 0x17);
    MenuBar bar;
    if (!bar.Load(bytes.get(), static_cast<uint32_t>(templateSize))) return 0;
    Cells idle = Capture();
    for (size_t i = 0; i < events; ++i) HandleMessage(bar, Event(data + templateSize + 3 * i));
    Settle(bar);
    if (MenuMode != MenuModeIdle || PopupSaveChars || !(Capture() == idle)) __builtin_trap();
    return 0;
}

#include "records.h"

#include <cstdio>

namespace tuikit::test {

std::string Key(bool down, WORD vk, unsigned char ch, DWORD state)
{
    char buf[64];
    if (ch >= 0x20 && ch < 0x7F)
        std::snprintf(buf, sizeof buf, "%s 0x%02X '%c' 0x%04X", down ? "down" : "up", vk, ch, unsigned(state));
    else
        std::snprintf(buf, sizeof buf, "%s 0x%02X 0x%02X 0x%04X", down ? "down" : "up", vk, ch, unsigned(state));
    return buf;
}

std::string Mouse(int x, int y, DWORD buttons, DWORD state, DWORD flags)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "mouse %d,%d b=0x%X s=0x%X f=0x%X", x, y, unsigned(buttons), unsigned(state),
                  unsigned(flags));
    return buf;
}

std::string Describe(const INPUT_RECORD &r)
{
    if (r.EventType == KEY_EVENT) {
        const KEY_EVENT_RECORD &k = r.Event.KeyEvent;
        return Key(k.bKeyDown != 0, k.wVirtualKeyCode, static_cast<unsigned char>(k.uChar.AsciiChar),
                   k.dwControlKeyState);
    }
    if (r.EventType == MOUSE_EVENT) {
        const MOUSE_EVENT_RECORD &m = r.Event.MouseEvent;
        return Mouse(m.dwMousePosition.X, m.dwMousePosition.Y, m.dwButtonState, m.dwControlKeyState, m.dwEventFlags);
    }
    const COORD size = r.Event.WindowBufferSizeEvent.dwSize;
    return r.EventType == WINDOW_BUFFER_SIZE_EVENT ? "size " + std::to_string(size.X) + "x" + std::to_string(size.Y)
                                                   : "event " + std::to_string(r.EventType);
}

std::vector<std::string> Describe(const std::vector<INPUT_RECORD> &records)
{
    std::vector<std::string> out;
    for (const auto &r : records) out.push_back(Describe(r));
    return out;
}

std::vector<std::string> Press(WORD vk, unsigned char ch, DWORD state) { return {Key(true, vk, ch, state), Key(false, vk, ch, state)}; }

std::vector<std::string> AltPress(WORD vk, unsigned char ch, DWORD state)
{
    DWORD alt = state | LEFT_ALT_PRESSED, around = state & ~DWORD{ENHANCED_KEY};
    return {Key(true, VK_MENU, 0, around | LEFT_ALT_PRESSED), Key(true, vk, ch, alt), Key(false, vk, ch, alt),
            Key(false, VK_MENU, 0, around)};
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> out;
    for (const auto &p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

}  // namespace tuikit::test

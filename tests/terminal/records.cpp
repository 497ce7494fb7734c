#include "records.h"

#include <cstdio>

namespace tuikit::test {

namespace {

std::string KeyText(bool down, WORD vk, unsigned char ch, DWORD state)
{
    char buf[64];
    if (ch >= 0x20 && ch < 0x7F)
        std::snprintf(buf, sizeof buf, "%s 0x%02X '%c' 0x%04X", down ? "down" : "up", vk, ch, static_cast<unsigned>(state));
    else
        std::snprintf(buf, sizeof buf, "%s 0x%02X 0x%02X 0x%04X", down ? "down" : "up", vk, ch, static_cast<unsigned>(state));
    return buf;
}

}  // namespace

std::string Describe(const INPUT_RECORD &r)
{
    char buf[96];
    switch (r.EventType) {
    case KEY_EVENT: {
        const KEY_EVENT_RECORD &k = r.Event.KeyEvent;
        return KeyText(k.bKeyDown != 0, k.wVirtualKeyCode, static_cast<unsigned char>(k.uChar.AsciiChar),
                       k.dwControlKeyState);
    }
    case MOUSE_EVENT: {
        const MOUSE_EVENT_RECORD &m = r.Event.MouseEvent;
        return Mouse(m.dwMousePosition.X, m.dwMousePosition.Y, m.dwButtonState, m.dwControlKeyState, m.dwEventFlags);
    }
    case WINDOW_BUFFER_SIZE_EVENT:
        std::snprintf(buf, sizeof buf, "size %dx%d", r.Event.WindowBufferSizeEvent.dwSize.X,
                      r.Event.WindowBufferSizeEvent.dwSize.Y);
        return buf;
    default:
        std::snprintf(buf, sizeof buf, "event %u", r.EventType);
        return buf;
    }
}

std::vector<std::string> Describe(const std::vector<INPUT_RECORD> &records)
{
    std::vector<std::string> out;
    for (const auto &r : records) out.push_back(Describe(r));
    return out;
}

std::string Down(WORD vk, unsigned char ch, DWORD state) { return KeyText(true, vk, ch, state); }
std::string Up(WORD vk, unsigned char ch, DWORD state) { return KeyText(false, vk, ch, state); }

std::vector<std::string> Press(WORD vk, unsigned char ch, DWORD state) { return {Down(vk, ch, state), Up(vk, ch, state)}; }

std::vector<std::string> AltPress(WORD vk, unsigned char ch, DWORD state)
{
    DWORD alt = state | LEFT_ALT_PRESSED;
    DWORD around = state & ~static_cast<DWORD>(ENHANCED_KEY);
    return {Down(VK_MENU, 0, around | LEFT_ALT_PRESSED), Down(vk, ch, alt), Up(vk, ch, alt), Up(VK_MENU, 0, around)};
}

std::string Mouse(int x, int y, DWORD buttons, DWORD state, DWORD flags)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "mouse %d,%d b=0x%X s=0x%X f=0x%X", x, y, static_cast<unsigned>(buttons),
                  static_cast<unsigned>(state), static_cast<unsigned>(flags));
    return buf;
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> out;
    for (const auto &p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

}  // namespace tuikit::test

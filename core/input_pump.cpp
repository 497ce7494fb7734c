#include "core/input_pump.h"

#include "core/console_state.h"

namespace tuikit::core {

namespace {

constexpr DWORD kAltBits = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
constexpr DWORD kCtrlBits = LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED;

// Character bytes 0x80-0xFF travel as -128..-1.
LPARAM SignedChar(CHAR c) { return static_cast<LPARAM>(static_cast<signed char>(c)); }

}  // namespace

void InputTranslator::Translate(const INPUT_RECORD &record)
{
    if (record.EventType == KEY_EVENT) Key(record.Event.KeyEvent);
    else if (record.EventType == MOUSE_EVENT) Mouse(record.Event.MouseEvent);
    // Buffer-size, menu and focus records are dropped.
}

void InputTranslator::Key(const KEY_EVENT_RECORD &key)
{
    WORD vk = key.wVirtualKeyCode;
    DWORD state = key.dwControlKeyState;
    if (key.bKeyDown) {
        if ((state & kAltBits) && vk != VK_MENU) PostToMain(WM_SYSKEYDOWN, vk, 0);
        else PostToMain(WM_KEYDOWN, vk, SignedChar(key.uChar.AsciiChar));
    } else {
        // Only a lone Alt bit, with no other state at all, makes a system key-up.
        if ((state == LEFT_ALT_PRESSED || state == RIGHT_ALT_PRESSED) && vk != VK_MENU) PostToMain(WM_SYSKEYUP, vk, 0);
        else PostToMain(WM_KEYUP, vk, 0);
    }
}

void InputTranslator::Mouse(const MOUSE_EVENT_RECORD &mouse)
{
    DWORD buttons = mouse.dwButtonState;
    WPARAM flags = 0;
    if (mouse.dwControlKeyState & kCtrlBits) flags |= MK_CONTROL;
    if (mouse.dwControlKeyState & SHIFT_PRESSED) flags |= MK_SHIFT;
    if (buttons & FROM_LEFT_1ST_BUTTON_PRESSED) flags |= MK_LBUTTON;
    if (buttons & RIGHTMOST_BUTTON_PRESSED) flags |= MK_RBUTTON;

    DWORD pos = (static_cast<DWORD>(static_cast<WORD>(mouse.dwMousePosition.Y)) << 16) |
                static_cast<WORD>(mouse.dwMousePosition.X);
    auto lParam = static_cast<LPARAM>(pos);
    if (pos != lastMousePos_) {
        lastMousePos_ = pos;
        PostToMain(WM_MOUSEMOVE, flags, lParam);
    }
    if (buttons == lastMouseButtons_) return;

    bool dbl = (mouse.dwEventFlags & DOUBLE_CLICK) != 0;
    DWORD changed = buttons ^ lastMouseButtons_;
    if (changed & FROM_LEFT_1ST_BUTTON_PRESSED) {
        if (buttons & FROM_LEFT_1ST_BUTTON_PRESSED) PostToMain(dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, flags, lParam);
        else PostToMain(WM_LBUTTONUP, flags, lParam);
    }
    if (changed & RIGHTMOST_BUTTON_PRESSED) {
        if (buttons & RIGHTMOST_BUTTON_PRESSED) PostToMain(dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN, flags, lParam);
        else PostToMain(WM_RBUTTONUP, flags, lParam);
    }
    lastMouseButtons_ = buttons;
}

DWORD WINAPI InputPump(LPVOID)
{
    InputTranslator translator;
    for (;;) {
        WaitForSingleObject(console.inputGate, INFINITE);
        INPUT_RECORD record;
        DWORD read = 0;
        if (!ReadConsoleInputA(console.consoleInput, &record, 1, &read) || read != 1) return 0;
        translator.Translate(record);
    }
}

}  // namespace tuikit::core

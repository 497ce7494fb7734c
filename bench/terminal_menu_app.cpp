// A program for measuring from outside (ttybench and its bench.py/threads.py
// in a pty): a screen with a menu bar and a ten-item popup, the size of a
// whiptail --menu list, open from the start. Arrows move the highlight,
// Enter chooses an item and ends the program.
#include <tuikit/tuikit.h>

namespace {

LRESULT CALLBACK Proc(HWND, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_COMMAND) PostQuitMessage(0);
    return 0;
}

// Alt+P as the terminal's decoder gives it (Alt pressed, P pressed and
// released with Alt, Alt released) opens the popup through the input pump.
void OpenPopup()
{
    struct {
        bool down;
        WORD vk;
    } keys[] = {{true, VK_MENU}, {true, 'P'}, {false, 'P'}, {false, VK_MENU}};
    for (auto [down, vk] : keys) {
        INPUT_RECORD r{};
        r.EventType = KEY_EVENT;
        r.Event.KeyEvent.bKeyDown = down;
        r.Event.KeyEvent.wRepeatCount = 1;
        r.Event.KeyEvent.wVirtualKeyCode = vk;
        r.Event.KeyEvent.dwControlKeyState = down || vk != VK_MENU ? LEFT_ALT_PRESSED : 0;
        DWORD written = 0;
        WriteConsoleInputA(GetStdHandle(STD_INPUT_HANDLE), &r, 1, &written);
    }
}

}  // namespace

int main()
{
    TuiInit();
    TuiSetProc(Proc);
    TuiClearScreen(0, 0, 79, 24, 0x17);
    TuiDrawBox(1, 1, 78, 23, 0x1F, 0x17);
    TuiWriteText(3, 23, " Pick an item ", 0x1E);
    TuiMenu(0, 0, "Pick");
    OpenPopup();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) TuiDispatchMessage(&msg);
    return 0;
}

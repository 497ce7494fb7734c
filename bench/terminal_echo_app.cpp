// The program the terminal benchmarks run in a pseudo-terminal: a full
// screen that shows each typed character in a status line, as a small
// application answering a key would. Ctrl+Q quits.
#include <string>

#include <tuikit/tuikit.h>

namespace {

int typed = 0;

LRESULT CALLBACK Proc(HWND, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg != WM_CHAR) return 0;
    if ((wParam & 0xFF) == 0x11) {
        PostQuitMessage(0);
        return 0;
    }
    ++typed;
    std::string line = "typed " + std::to_string(typed) + ": " + static_cast<char>(wParam & 0xFF);
    TuiWriteText(2, 23, line.c_str(), 0x1E);
    return 0;
}

}  // namespace

int main()
{
    TuiInit();
    TuiSetProc(Proc);
    TuiClearScreen(0, 0, 79, 24, 0x17);
    TuiDrawBox(1, 1, 78, 21, 0x1F, 0x17);
    TuiWriteText(3, 1, " echo ", 0x1E);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) TuiDispatchMessage(&msg);
    return 0;
}

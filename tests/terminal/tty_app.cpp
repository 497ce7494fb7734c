// A program the pseudo-terminal tests run, using TuiKit as an application
// does. Ctrl+Q quits. Modes (the first argument):
//   screen        writes a line to standard error, draws the test pattern
//                 with a 25% cursor at (5, 20), then runs a message loop
//   records       sets input mode 0, shows "ready", then waits for input
//                 (200 ms at most) and reads records itself, showing one
//                 line for each (key downs with their virtual-key code,
//                 mouse records, changes of size with the buffer's size);
//                 key m asks for window and
//                 mouse input; when reading fails, shows "read failed" and
//                 waits
//   survive       as screen, but SIGTERM is caught by the program's own
//                 handler, which returns
//   paste         reads input records itself and checks that the typed
//                 characters run a to z over and over; at '!' shows
//                 "pasted N in order" (or where the order broke), then
//                 goes on reading
#include <csignal>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "pattern.h"
#include "tuikit/tuikit.h"

namespace {

using namespace tuikit::test;

void Show(int row, const std::string &text)
{
    DWORD n = 0;
    std::string line = text + std::string(40, ' ');
    WriteConsoleOutputCharacterA(GetStdHandle(STD_OUTPUT_HANDLE), line.c_str(), 40, COORD{0, SHORT(row)}, &n);
}

void RecordLoop()
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    SetConsoleMode(in, 0);
    Show(0, "ready");
    INPUT_RECORD r;
    DWORD n = 0;
    for (int row = 1;;) {
        WaitForSingleObject(in, 200);  // reads the terminal as the read would
        if (!ReadConsoleInputA(in, &r, 1, &n) || n != 1) {
            Show(row, "read failed");
            for (;;) pause();
        }
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info);
        std::string buffer = " buffer " + std::to_string(info.dwSize.X) + "x" + std::to_string(info.dwSize.Y);
        COORD size = r.Event.WindowBufferSizeEvent.dwSize;
        char key = r.Event.KeyEvent.uChar.AsciiChar;
        if (r.EventType == KEY_EVENT && key == 0x11) return;
        if (r.EventType == KEY_EVENT && key == 'm') SetConsoleMode(in, ENABLE_WINDOW_INPUT | ENABLE_MOUSE_INPUT);
        if (r.EventType == KEY_EVENT && r.Event.KeyEvent.bKeyDown)
            Show(row++, std::string("key ") + key + buffer + " vk " + std::to_string(r.Event.KeyEvent.wVirtualKeyCode));
        if (r.EventType == MOUSE_EVENT) Show(row++, "mouse");
        if (r.EventType == WINDOW_BUFFER_SIZE_EVENT)
            Show(row++, "size " + std::to_string(size.X) + "x" + std::to_string(size.Y) + buffer);
        if (row > 20) row = 1;
    }
}

void PasteLoop()
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    SetConsoleMode(in, 0);
    Show(0, "ready");
    INPUT_RECORD r;
    DWORD n = 0;
    long count = 0, broken = -1;
    while (ReadConsoleInputA(in, &r, 1, &n) && n == 1) {
        if (r.EventType != KEY_EVENT || !r.Event.KeyEvent.bKeyDown) continue;
        char c = r.Event.KeyEvent.uChar.AsciiChar;
        if (c == '!') break;
        if (broken < 0 && c != 'a' + count % 26) broken = count;
        ++count;
    }
    Show(1, broken < 0 ? "pasted " + std::to_string(count) + " in order" : "out of order at " + std::to_string(broken));
    while (ReadConsoleInputA(in, &r, 1, &n)) {  // shows what it drew as it waits
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]) == "records") {
        RecordLoop();
        return 0;
    }
    if (argc > 1 && std::string(argv[1]) == "paste") {
        PasteLoop();
        return 0;
    }
    if (argc > 1 && std::string(argv[1]) == "survive") signal(SIGTERM, [](int) {});
    TuiInit();
    std::fprintf(stderr, "written to stderr while the screen was up\n");
    Pattern pattern;  // runs of cells continue on the next row
    DWORD n = 0;
    WriteConsoleOutputCharacterA(TuiOutputHandle(), pattern.chars, Pattern::kCells, COORD{0, 0}, &n);
    WriteConsoleOutputAttribute(TuiOutputHandle(), pattern.attrs, Pattern::kCells, COORD{0, 0}, &n);
    TuiSetCursorInfo(25, 1);
    TuiSetCursorPos(5, 20);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && !(msg.message == WM_KEYDOWN && msg.lParam == 0x11))
        TuiDispatchMessage(&msg);
    return 0;
}

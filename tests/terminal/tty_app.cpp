// A program the pseudo-terminal tests run, using TuiKit as an application
// does. Ctrl+Q quits. Modes (the first argument):
//   screen        writes a line to standard error, draws the test pattern
//                 with a 25% cursor at (5, 20), then runs a message loop
//   records MODE  sets the input mode MODE, shows "ready", then reads input
//                 records itself and shows one line for each (key downs,
//                 mouse records, changes of size with the buffer's size);
//                 when reading fails, shows "read failed" and waits
#include <cstdio>
#include <cstdlib>
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

void DrawPattern()
{
    for (int i = 0; i < kPatternCells; ++i) {
        char ch;
        WORD attr;
        PatternCell(i, ch, attr);
        DWORD n = 0;
        COORD at{static_cast<SHORT>(i % 80), static_cast<SHORT>(i / 80)};
        WriteConsoleOutputCharacterA(TuiOutputHandle(), &ch, 1, at, &n);
        WriteConsoleOutputAttribute(TuiOutputHandle(), &attr, 1, at, &n);
    }
    TuiSetCursorInfo(25, 1);
    TuiSetCursorPos(5, 20);
}

void RecordLoop(DWORD mode)
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    SetConsoleMode(in, mode);
    Show(0, "ready");
    INPUT_RECORD r;
    DWORD n = 0;
    for (int row = 1;;) {
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
        if (r.EventType == KEY_EVENT && r.Event.KeyEvent.bKeyDown) Show(row++, std::string("key ") + key + buffer);
        if (r.EventType == MOUSE_EVENT) Show(row++, "mouse");
        if (r.EventType == WINDOW_BUFFER_SIZE_EVENT)
            Show(row++, "size " + std::to_string(size.X) + "x" + std::to_string(size.Y) + buffer);
        if (row > 20) row = 1;
    }
}

}  // namespace

int main(int argc, char **argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "records") {
        RecordLoop(static_cast<DWORD>(std::strtoul(argc > 2 ? argv[2] : "0", nullptr, 0)));
        return 0;
    }
    TuiInit();
    std::fprintf(stderr, "written to stderr while the screen was up\n");
    DrawPattern();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && !(msg.message == WM_KEYDOWN && msg.lParam == 0x11))
        TuiDispatchMessage(&msg);
    return 0;
}

// A program the pseudo-terminal tests run. It uses TuiKit as an application
// does and reports on descriptor 3, a line at a time: "ready" once it takes
// input, changes of size. Ctrl+Q quits. Modes (the argument):
//   screen   draws the test pattern with a 25% cursor at (5, 20), writes a
//            line to standard error, then runs a message loop
//   noinput  draws, reports whether reading input works, then waits
//   records  reads input records itself
#include <cstdio>
#include <string>

#include <unistd.h>

#include "pattern.h"
#include "tuikit/tuikit.h"

namespace {

using namespace tuikit::test;

void Report(const std::string &line) { (void)!write(3, (line + "\n").data(), line.size() + 1); }

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

void MessageLoop()
{
    Report("ready");
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && !(msg.message == WM_KEYDOWN && msg.lParam == 0x11))
        TuiDispatchMessage(&msg);
}

// Reads input records itself; reports a change of size with the buffer's.
void RecordLoop()
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    SetConsoleMode(in, ENABLE_MOUSE_INPUT);
    Report("ready");
    INPUT_RECORD r;
    DWORD n = 0;
    while (ReadConsoleInputA(in, &r, 1, &n) && n == 1) {
        if (r.EventType == KEY_EVENT && r.Event.KeyEvent.uChar.AsciiChar == 0x11) return;
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info);
        COORD size = r.Event.WindowBufferSizeEvent.dwSize;
        if (r.EventType == WINDOW_BUFFER_SIZE_EVENT)
            Report("size " + std::to_string(size.X) + "x" + std::to_string(size.Y) + " buffer " +
                   std::to_string(info.dwSize.X) + "x" + std::to_string(info.dwSize.Y));
    }
}

}  // namespace

int main(int argc, char **argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "records") {
        RecordLoop();
        return 0;
    }
    TuiInit();
    DrawPattern();
    std::fprintf(stderr, "written to stderr while the screen was up\n");
    if (mode == "noinput") {
        INPUT_RECORD r;
        DWORD n = 0;
        Report("read " + std::to_string(ReadConsoleInputA(GetStdHandle(STD_INPUT_HANDLE), &r, 1, &n) ? 1 : 0));
        for (;;) pause();
    }
    MessageLoop();
    return 0;
}

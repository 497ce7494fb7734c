// A program the terminal tests run in a pseudo-terminal. It uses TuiKit as
// an application does and reports what it sees on descriptor 3, one line
// at a time: "ready", the screen it drew ("screen W H" and a row of hex
// cells per line), messages as the pump posted them ("message 0100 41 61"),
// input records, and message box results. Ctrl+Q (character 0x11) quits.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "records.h"
#include "tuikit/tuikit.h"

namespace {

void Report(const char *format, ...)
{
    char line[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (n < 0) return;
    size_t len = std::min<size_t>(static_cast<size_t>(n), sizeof line - 2);
    line[len++] = '\n';
    ssize_t written = write(3, line, len);
    (void)written;
}

CONSOLE_SCREEN_BUFFER_INFO Info()
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info);
    return info;
}

// Every byte value in every attribute value, a frame, and the cursor as a
// block at (5, 20).
void DrawPattern()
{
    CONSOLE_SCREEN_BUFFER_INFO info = Info();
    TuiClearScreen(0, 0, info.dwSize.X - 1, info.dwSize.Y - 1, 0x1F);
    for (int i = 0; i < 512; ++i) {
        int b = i & 0xFF;
        char ch = static_cast<char>(b);
        WORD attr = static_cast<WORD>(i < 256 ? b : 255 - b);
        DWORD n = 0;
        COORD at{static_cast<SHORT>(i % 80), static_cast<SHORT>(i / 80)};
        WriteConsoleOutputCharacterA(TuiOutputHandle(), &ch, 1, at, &n);
        WriteConsoleOutputAttribute(TuiOutputHandle(), &attr, 1, at, &n);
    }
    TuiDrawBox(10, 10, 60, 18, 0x1E, 0x1E);
    TuiWriteText(12, 12, "TuiKit in a pseudo-terminal", 0x1E);
    TuiSetCursorInfo(100, 1);
    TuiSetCursorPos(5, 20);
}

void DumpScreen()
{
    CONSOLE_SCREEN_BUFFER_INFO info = Info();
    Report("screen %d %d %d %d", info.dwSize.X, info.dwSize.Y, info.dwCursorPosition.X, info.dwCursorPosition.Y);
    std::string chars(static_cast<size_t>(info.dwSize.X), ' ');
    std::string attrsHex;
    std::vector<WORD> attrs(static_cast<size_t>(info.dwSize.X));
    for (SHORT y = 0; y < info.dwSize.Y; ++y) {
        DWORD n = 0;
        ReadConsoleOutputCharacterA(TuiOutputHandle(), chars.data(), info.dwSize.X, COORD{0, y}, &n);
        ReadConsoleOutputAttribute(TuiOutputHandle(), attrs.data(), info.dwSize.X, COORD{0, y}, &n);
        std::string row;
        char cell[8];
        for (int x = 0; x < info.dwSize.X; ++x) {
            std::snprintf(cell, sizeof cell, "%02X%02X", static_cast<unsigned char>(chars[static_cast<size_t>(x)]),
                          attrs[static_cast<size_t>(x)] & 0xFF);
            row += cell;
        }
        Report("%s", row.c_str());
    }
}

bool IsQuit(const MSG &msg) { return msg.message == WM_KEYDOWN && (msg.lParam & 0xFF) == 0x11; }

// Reports every message as the pump posted it; returns at Ctrl+Q.
void MessageLoop(bool boxOnM)
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsQuit(msg)) return;
        Report("message %04X %llX %llX", msg.message, static_cast<unsigned long long>(msg.wParam),
               static_cast<unsigned long long>(static_cast<DWORD>(msg.lParam)));
        if (boxOnM && msg.message == WM_KEYDOWN && msg.lParam == 'm') {
            int result = MessageBoxA(nullptr, "Hello from the box", "Box", MB_OKCANCEL);
            Report("box %d", result);
        }
        TuiDispatchMessage(&msg);
    }
}

// Reads input records directly and reports them; returns at Ctrl+Q.
void RecordLoop()
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    SetConsoleMode(in, ENABLE_MOUSE_INPUT);
    Report("ready");
    INPUT_RECORD r;
    DWORD n = 0;
    while (ReadConsoleInputA(in, &r, 1, &n) && n == 1) {
        if (r.EventType == KEY_EVENT && r.Event.KeyEvent.uChar.AsciiChar == 0x11) return;
        Report("record %s", tuikit::test::Describe(r).c_str());
        if (r.EventType == WINDOW_BUFFER_SIZE_EVENT) {
            CONSOLE_SCREEN_BUFFER_INFO info = Info();
            Report("buffer %d %d", info.dwSize.X, info.dwSize.Y);
        }
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
    if (mode == "screen" || mode == "msgbox") {
        DumpScreen();
    } else if (mode == "stderr") {
        std::fprintf(stderr, "written to stderr while the screen was up\n");
    } else if (mode == "noinput") {
        DumpScreen();
        INPUT_RECORD r;
        DWORD n = 0;
        BOOL ok = ReadConsoleInputA(GetStdHandle(STD_INPUT_HANDLE), &r, 1, &n);
        Report("read %d", ok ? 1 : 0);
        for (;;) pause();
    }
    Report("ready");
    MessageLoop(mode == "msgbox");
    return 0;
}

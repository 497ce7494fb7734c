// The TuiKit demo: draws a screen with the drawing primitives and, when no
// terminal is attached, prints the screen it drew.
#include <cstdio>
#include <string>

#include <tuikit/tuikit.h>

#include "demo_menu.h"
#include "demo_scroll.h"

namespace {

void DrawScreen()
{
    TuiClearScreen(0, 0, 79, 24, 0x17);
    TuiClearScreen(0, 0, 79, 0, 0x70);
    TuiWriteText(68, 0, "TuiKit demo", 0x70);
    TuiDrawBox(4, 3, 44, 12, 0x1F, 0x1F);
    TuiWriteText(6, 3, " Drawing primitives ", 0x1E);
    TuiWriteText(6, 5, "Lines, framed boxes, attribute panels,", 0x1F);
    TuiWriteText(6, 6, "text, scrolling and the cursor on a", 0x1F);
    TuiWriteText(6, 7, "grid of code page 437 cells.", 0x1F);
    TuiDrawLine(6, 9, 37, 0, 0x1B);
    TuiDrawPanel(50, 3, 74, 12, 0x4F);
    TuiClearScreen(50, 3, 74, 12, 0x4F);
    for (int i = 0; i < 8; ++i) {
        std::string line = "Scrolled line " + std::to_string(i + 1);
        TuiWriteText(52, 4 + i, line.c_str(), 0x4F);
    }
    TuiScrollText(50, 4, 74, 11, 0, -2, 0x4E);
    TuiDrawBox(4, 14, 44, 22, 0x1F, 0x1F);
    TuiWriteText(6, 14, " Scroll bars ", 0x1E);
    DemoScrollStart(5, 15, 43, 21);
    TuiClearScreen(0, 24, 79, 24, 0x30);
    TuiWriteText(1, 24, "Memory mode: the screen above is the console model.", 0x30);
}

// Prints the screen as text, box characters as their Unicode glyphs.
void PrintScreen()
{
    static const char *const kBox[256] = {};
    (void)kBox;
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(TuiOutputHandle(), &info);
    std::string row(static_cast<size_t>(info.dwSize.X), ' ');
    for (SHORT y = 0; y < info.dwSize.Y; ++y) {
        DWORD n = 0;
        ReadConsoleOutputCharacterA(TuiOutputHandle(), row.data(), static_cast<DWORD>(row.size()), COORD{0, y}, &n);
        std::string out;
        for (char c : row) {
            switch (static_cast<unsigned char>(c)) {
            case 0xB3: out += "\u2502"; break;
            case 0xC4: out += "\u2500"; break;
            case 0xDA: out += "\u250C"; break;
            case 0xBF: out += "\u2510"; break;
            case 0xC0: out += "\u2514"; break;
            case 0xD9: out += "\u2518"; break;
            case 0x18: out += "\u2191"; break;
            case 0x19: out += "\u2193"; break;
            case 0x1A: out += "\u2192"; break;
            case 0x1B: out += "\u2190"; break;
            case 0xB0: out += "\u2591"; break;
            case 0xDB: out += "\u2588"; break;
            default: out += (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F) ? c : ' ';
            }
        }
        std::printf("%s\n", out.c_str());
    }
}

LRESULT CALLBACK DemoProc(HWND, UINT msg, WPARAM wp, LPARAM lp)
{
    if (DemoMenuMessage(msg, wp)) return 0;
    DemoScrollMessage(msg, wp, lp);
    return 0;
}

}  // namespace

int main()
{
    TuiInit();
    TuiSetProc(DemoProc);
    DrawScreen();
    DemoMenuStart();
    PrintScreen();
    return 0;
}

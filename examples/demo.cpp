// The TuiKit demo. In a terminal it shows its screen (demo_screen.cpp) and
// runs until Ctrl+Q or File > Exit. Without a terminal (memory mode) it
// prints the screen it drew and exits.
#include <cstdio>
#include <string>
#include <utility>

#include <unistd.h>

#include <tuikit/tuikit.h>

#include "demo_screen.h"

namespace {

// The Unicode glyphs of the code page 437 bytes the demo draws with; other
// printable ASCII stands for itself, anything else prints as a space.
std::string Glyph(unsigned char c)
{
    static const std::pair<unsigned char, const char *> kGlyphs[] = {
        {0xB3, "\u2502"}, {0xC4, "\u2500"}, {0xDA, "\u250C"}, {0xBF, "\u2510"}, {0xC0, "\u2514"}, {0xD9, "\u2518"},
        {0x18, "\u2191"}, {0x19, "\u2193"}, {0x1A, "\u2192"}, {0x1B, "\u2190"}, {0xB0, "\u2591"}, {0xDB, "\u2588"}};
    for (const auto &[byte, glyph] : kGlyphs)
        if (byte == c) return glyph;
    return std::string(1, c >= 0x20 && c < 0x7F ? static_cast<char>(c) : ' ');
}

// Prints the screen as text, the drawing characters as their Unicode glyphs.
void PrintScreen()
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(TuiOutputHandle(), &info);
    std::string row(static_cast<size_t>(info.dwSize.X), ' ');
    for (SHORT y = 0; y < info.dwSize.Y; ++y) {
        DWORD n = 0;
        ReadConsoleOutputCharacterA(TuiOutputHandle(), row.data(), static_cast<DWORD>(row.size()), COORD{0, y}, &n);
        std::string out;
        for (char c : row) out += Glyph(static_cast<unsigned char>(c));
        std::printf("%s\n", out.c_str());
    }
}

}  // namespace

int main()
{
    TuiInit();
    TuiSetProc(DemoAppProc);
    if (!isatty(STDOUT_FILENO)) {
        DemoDrawScreen("Memory mode: the screen above is the console model.");
        PrintScreen();
        return 0;
    }
    DemoDrawScreen(isatty(STDIN_FILENO) ? kDemoHelp : "Standard input is not a terminal: no input. Ctrl+C quits.");
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) TuiDispatchMessage(&msg);
    return 0;
}

/* A C program that uses the installed library: draws and checks a cell. */
#include <stdio.h>
#include <tuikit/tuikit.h>

int main(void)
{
    char ch = 0;
    WORD attr = 0;
    DWORD n = 0;
    COORD at = {3, 2};
    if (TuiInit() != 0) return 1;
    if (TuiDrawBox(3, 2, 10, 6, 0x1F, 0x70) != 0) return 2;
    ReadConsoleOutputCharacterA(TuiOutputHandle(), &ch, 1, at, &n);
    ReadConsoleOutputAttribute(TuiOutputHandle(), &attr, 1, at, &n);
    if ((unsigned char)ch != 0xDA || attr != 0x1F) {
        fprintf(stderr, "cell (3,2) is 0x%02X/0x%04X\n", (unsigned char)ch, attr);
        return 3;
    }
    puts("ok");
    return 0;
}

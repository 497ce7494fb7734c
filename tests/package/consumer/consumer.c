/* Loads its own menu bar and checks that the bar is on the top row. */
#include <stdio.h>
#include <string.h>
#include <tuikit/tuikit.h>

int main(void)
{
    char row[81] = {0};
    DWORD n = 0;
    COORD at = {0, 0};
    if (TuiInit() != 0) return 1;
    if (TuiMenu(0, 0, "Bar") != 1) return 2;
    ReadConsoleOutputCharacterA(TuiOutputHandle(), row, 80, at, &n);
    if (!strstr(row, " Game ")) {
        fprintf(stderr, "top row is \"%s\"\n", row);
        return 3;
    }
    puts("ok");
    return 0;
}

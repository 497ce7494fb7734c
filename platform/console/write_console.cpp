// WriteConsoleA: text written at the cursor as a console program prints it.
// With ENABLE_PROCESSED_OUTPUT, line feed, carriage return, backspace, tab
// and bell act instead of showing; with ENABLE_WRAP_AT_EOL_OUTPUT the text
// goes on at the start of the next row after the last column. Moving below
// the last row scrolls the buffer up by one.
#include "core/boundary.h"
#include "platform/console/console_access.h"

using namespace tuikit::platform;

namespace {

constexpr int kTabStop = 8;

class Printer {
public:
    Printer(ScreenBuffer &screen, DWORD mode)
        : screen_(screen), processed_((mode & ENABLE_PROCESSED_OUTPUT) != 0),
          wrap_((mode & ENABLE_WRAP_AT_EOL_OUTPUT) != 0), x_(screen.cursor.X), y_(screen.cursor.Y)
    {
    }

    void Put(uint8_t c)
    {
        if (processed_) {
            switch (c) {
            case '\n': NextRow(); return;
            case '\r': x_ = 0; return;
            case '\b': x_ = x_ > 0 ? x_ - 1 : 0; return;
            case '\a': return;
            case '\t':
                // Spaces up to the next stop; it ends early at a wrap or, without
                // wrapping, at the last column.
                for (int before = -1; before != x_ && (before == -1 || x_ % kTabStop != 0);) {
                    before = x_;
                    Show(' ');
                }
                return;
            default: break;
            }
        }
        Show(c);
    }

    void Done() { screen_.cursor = COORD{static_cast<SHORT>(x_), static_cast<SHORT>(y_)}; }

private:
    void Show(uint8_t c)
    {
        screen_.SetCell(x_, y_, Cell{c, screen_.textAttribute});
        if (x_ + 1 < screen_.Width()) ++x_;
        else if (wrap_) NextRow();
        // Without wrapping the last column takes every further character.
    }

    void NextRow()
    {
        x_ = 0;
        if (y_ + 1 < screen_.Height()) {
            ++y_;
            return;
        }
        for (int y = 1; y < screen_.Height(); ++y)
            for (int x = 0; x < screen_.Width(); ++x) screen_.SetCell(x, y - 1, screen_.At(x, y));
        for (int x = 0; x < screen_.Width(); ++x) screen_.SetCell(x, y_, Cell{' ', screen_.textAttribute});
    }

    ScreenBuffer &screen_;
    bool processed_, wrap_;
    int x_, y_;
};

}  // namespace

extern "C" BOOL WINAPI WriteConsoleA(HANDLE hConsoleOutput, const VOID *lpBuffer, DWORD nNumberOfCharsToWrite,
                                     LPDWORD lpNumberOfCharsWritten, LPVOID)
{
    return tuikit::Guarded<BOOL>(FALSE, [&] {
        return WithScreen(hConsoleOutput, [&](Console &console, ScreenBuffer &screen) -> BOOL {
            if (!lpBuffer && nNumberOfCharsToWrite) return Fail(ERROR_NOACCESS);
            Printer printer(screen, console.outputMode);
            const auto *bytes = static_cast<const uint8_t *>(lpBuffer);
            for (DWORD i = 0; i < nNumberOfCharsToWrite; ++i) printer.Put(bytes[i]);
            printer.Done();
            Store(lpNumberOfCharsWritten, nNumberOfCharsToWrite);
            console.Changed();
            return TRUE;
        });
    });
}

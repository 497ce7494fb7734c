// The Win32 console calls over the process-wide console model.
#include <algorithm>
#include <cstring>
#include <mutex>

#include "core/boundary.h"
#include "platform/console/console.h"
#include "platform/last_error.h"

using tuikit::platform::Cell;
using tuikit::platform::Console;
using tuikit::platform::LookupHandle;
using tuikit::platform::ObjectKind;
using tuikit::platform::ScreenBuffer;
using tuikit::platform::Fail;

namespace {

bool IsKind(HANDLE h, ObjectKind kind)
{
    auto ref = LookupHandle(h);
    return ref && ref.get()->Kind() == kind;
}

// Runs fn(console, screen) under the screen lock when h is the screen
// buffer; the change hook fires when fn reports a visible change.
template <class Fn> BOOL WithScreen(HANDLE h, Fn fn)
{
    if (!IsKind(h, ObjectKind::ConsoleOutput)) return Fail(ERROR_INVALID_HANDLE);
    Console &console = Console::Get();
    std::lock_guard guard(console.ScreenLock());
    return fn(console, console.Screen());
}

template <class Fn> BOOL WithInput(HANDLE h, Fn fn)
{
    if (!IsKind(h, ObjectKind::ConsoleInput)) return Fail(ERROR_INVALID_HANDLE);
    return fn(Console::Get().Input());
}

void Store(LPDWORD out, DWORD value)
{
    if (out) *out = value;
}

// A run call: fails (writing 0) when the start cell is outside the buffer.
template <class Op> BOOL RunCall(HANDLE h, COORD at, LPDWORD done, bool changes, Op op)
{
    return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
        if (!screen.Contains(at.X, at.Y)) {
            Store(done, 0);
            return Fail(ERROR_INVALID_PARAMETER);
        }
        uint32_t n = op(screen);
        Store(done, n);
        if (changes && n) console.Changed();
        return TRUE;
    });
}

struct Rect {
    int left, top, right, bottom;
    bool Empty() const { return right < left || bottom < top; }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

Rect Intersect(Rect a, Rect b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

Rect BufferRect(const ScreenBuffer &s) { return {0, 0, s.Width() - 1, s.Height() - 1}; }

// Clips a rectangle transfer between the screen and a caller's CHAR_INFO
// array: the region is clipped to the screen and to what the array holds
// from bufCoord on. Returns false when the arguments make no sense.
bool ClipTransfer(const ScreenBuffer &screen, COORD bufSize, COORD bufCoord, SMALL_RECT &region, Rect &out)
{
    if (bufSize.X <= 0 || bufSize.Y <= 0 || bufCoord.X < 0 || bufCoord.Y < 0) return false;
    if (bufCoord.X >= bufSize.X || bufCoord.Y >= bufSize.Y) return false;
    Rect r{region.Left, region.Top, region.Right, region.Bottom};
    Rect fit{r.left, r.top, r.left + (bufSize.X - bufCoord.X) - 1, r.top + (bufSize.Y - bufCoord.Y) - 1};
    Rect clip = Intersect(Intersect(r, fit), BufferRect(screen));
    // The caller's array offset follows a clip on the left or top.
    out = clip;
    region.Left = static_cast<SHORT>(clip.left);
    region.Top = static_cast<SHORT>(clip.top);
    region.Right = static_cast<SHORT>(clip.right);
    region.Bottom = static_cast<SHORT>(clip.bottom);
    return true;
}

}  // namespace

extern "C" {

HANDLE WINAPI GetStdHandle(DWORD nStdHandle)
{
    return tuikit::Guarded<HANDLE>(INVALID_HANDLE_VALUE, [&]() -> HANDLE {
        Console &console = Console::Get();
        switch (nStdHandle) {
        case STD_INPUT_HANDLE: return console.InputHandle();
        case STD_OUTPUT_HANDLE:
        case STD_ERROR_HANDLE: return console.OutputHandle();
        default: Fail(ERROR_INVALID_HANDLE); return INVALID_HANDLE_VALUE;
        }
    });
}

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)
{
    return tuikit::Guarded<HANDLE>(INVALID_HANDLE_VALUE, [&]() -> HANDLE {
        // Only the console devices exist here; the library opens no files.
        if (lpFileName && strcasecmp(lpFileName, "CONOUT$") == 0) return Console::Get().OutputHandle();
        if (lpFileName && strcasecmp(lpFileName, "CONIN$") == 0) return Console::Get().InputHandle();
        Fail(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    });
}

BOOL WINAPI GetConsoleMode(HANDLE h, LPDWORD lpMode)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!lpMode) return Fail(ERROR_INVALID_PARAMETER);
        auto ref = LookupHandle(h);
        if (!ref) return Fail(ERROR_INVALID_HANDLE);
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        if (ref.get()->Kind() == ObjectKind::ConsoleInput) *lpMode = console.inputMode;
        else if (ref.get()->Kind() == ObjectKind::ConsoleOutput) *lpMode = console.outputMode;
        else return Fail(ERROR_INVALID_HANDLE);
        return TRUE;
    });
}

BOOL WINAPI SetConsoleMode(HANDLE h, DWORD dwMode)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto ref = LookupHandle(h);
        if (!ref) return Fail(ERROR_INVALID_HANDLE);
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        if (ref.get()->Kind() == ObjectKind::ConsoleInput) console.inputMode = dwMode;
        else if (ref.get()->Kind() == ObjectKind::ConsoleOutput) console.outputMode = dwMode;
        else return Fail(ERROR_INVALID_HANDLE);
        return TRUE;
    });
}

UINT WINAPI GetOEMCP(void) { return 437; }

BOOL WINAPI GetCPInfo(UINT CodePage, LPCPINFO lpCPInfo)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!lpCPInfo) return Fail(ERROR_INVALID_PARAMETER);
        std::memset(lpCPInfo, 0, sizeof *lpCPInfo);
        lpCPInfo->DefaultChar[0] = '?';
        switch (CodePage) {
        case CP_ACP:
        case CP_OEMCP:
        case 437:
        case 850:
        case 1252: lpCPInfo->MaxCharSize = 1; return TRUE;
        case CP_UTF8: lpCPInfo->MaxCharSize = 4; return TRUE;
        default: return Fail(ERROR_INVALID_PARAMETER);
        }
    });
}

static bool KnownCodePage(UINT cp)
{
    CPINFO info;
    return cp != CP_ACP && cp != CP_OEMCP && GetCPInfo(cp, &info);
}

UINT WINAPI GetConsoleOutputCP(void)
{
    return tuikit::Guarded<UINT>(0, [&]() -> UINT {
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        return console.outputCodePage;
    });
}

BOOL WINAPI SetConsoleOutputCP(UINT wCodePageID)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!KnownCodePage(wCodePageID)) return Fail(ERROR_INVALID_PARAMETER);
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        console.outputCodePage = wCodePageID;
        return TRUE;
    });
}

UINT WINAPI GetConsoleCP(void)
{
    return tuikit::Guarded<UINT>(0, [&]() -> UINT {
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        return console.inputCodePage;
    });
}

BOOL WINAPI SetConsoleCP(UINT wCodePageID)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!KnownCodePage(wCodePageID)) return Fail(ERROR_INVALID_PARAMETER);
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        console.inputCodePage = wCodePageID;
        return TRUE;
    });
}

BOOL WINAPI ReadConsoleInputA(HANDLE h, PINPUT_RECORD lpBuffer, DWORD nLength, LPDWORD lpRead)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!lpBuffer || nLength == 0) return Fail(ERROR_INVALID_PARAMETER);
        return WithInput(h, [&](auto &input) -> BOOL {
            size_t n = input.Read(lpBuffer, nLength);
            Store(lpRead, static_cast<DWORD>(n));
            return n ? TRUE : Fail(ERROR_INVALID_HANDLE);
        });
    });
}

BOOL WINAPI PeekConsoleInputA(HANDLE h, PINPUT_RECORD lpBuffer, DWORD nLength, LPDWORD lpRead)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!lpBuffer && nLength) return Fail(ERROR_INVALID_PARAMETER);
        return WithInput(h, [&](auto &input) -> BOOL {
            Store(lpRead, static_cast<DWORD>(input.Peek(lpBuffer, nLength)));
            return TRUE;
        });
    });
}

BOOL WINAPI WriteConsoleInputA(HANDLE h, const INPUT_RECORD *lpBuffer, DWORD nLength, LPDWORD lpWritten)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!lpBuffer && nLength) return Fail(ERROR_INVALID_PARAMETER);
        return WithInput(h, [&](auto &input) -> BOOL {
            input.Append(lpBuffer, nLength);
            Store(lpWritten, nLength);
            return TRUE;
        });
    });
}

BOOL WINAPI GetNumberOfConsoleInputEvents(HANDLE h, LPDWORD lpNumberOfEvents)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!lpNumberOfEvents) return Fail(ERROR_INVALID_PARAMETER);
        return WithInput(h, [&](auto &input) -> BOOL {
            *lpNumberOfEvents = static_cast<DWORD>(input.Size());
            return TRUE;
        });
    });
}

BOOL WINAPI FlushConsoleInputBuffer(HANDLE h)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithInput(h, [](auto &input) -> BOOL {
            input.Flush();
            return TRUE;
        });
    });
}

BOOL WINAPI WriteConsoleOutputCharacterA(HANDLE h, LPCSTR chars, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!chars && n) return Fail(ERROR_INVALID_PARAMETER);
        return RunCall(h, at, done, true, [&](ScreenBuffer &s) { return s.WriteChars(at.X, at.Y, chars, n); });
    });
}

BOOL WINAPI WriteConsoleOutputAttribute(HANDLE h, const WORD *attrs, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!attrs && n) return Fail(ERROR_INVALID_PARAMETER);
        return RunCall(h, at, done, true, [&](ScreenBuffer &s) { return s.WriteAttrs(at.X, at.Y, attrs, n); });
    });
}

BOOL WINAPI FillConsoleOutputCharacterA(HANDLE h, CHAR ch, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return RunCall(h, at, done, true,
                       [&](ScreenBuffer &s) { return s.FillChar(at.X, at.Y, static_cast<uint8_t>(ch), n); });
    });
}

BOOL WINAPI FillConsoleOutputAttribute(HANDLE h, WORD attr, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return RunCall(h, at, done, true, [&](ScreenBuffer &s) { return s.FillAttr(at.X, at.Y, attr, n); });
    });
}

BOOL WINAPI ReadConsoleOutputCharacterA(HANDLE h, LPSTR out, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!out && n) return Fail(ERROR_INVALID_PARAMETER);
        return RunCall(h, at, done, false, [&](ScreenBuffer &s) { return s.ReadChars(at.X, at.Y, out, n); });
    });
}

BOOL WINAPI ReadConsoleOutputAttribute(HANDLE h, LPWORD out, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!out && n) return Fail(ERROR_INVALID_PARAMETER);
        return RunCall(h, at, done, false, [&](ScreenBuffer &s) { return s.ReadAttrs(at.X, at.Y, out, n); });
    });
}

BOOL WINAPI ReadConsoleOutputA(HANDLE h, PCHAR_INFO buf, COORD bufSize, COORD bufCoord, PSMALL_RECT region)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!buf || !region) return Fail(ERROR_INVALID_PARAMETER);
        return WithScreen(h, [&](Console &, ScreenBuffer &screen) -> BOOL {
            SMALL_RECT asked = *region;
            Rect r{};
            if (!ClipTransfer(screen, bufSize, bufCoord, *region, r)) return Fail(ERROR_INVALID_PARAMETER);
            for (int y = r.top; y <= r.bottom; ++y)
                for (int x = r.left; x <= r.right; ++x) {
                    size_t bx = static_cast<size_t>(bufCoord.X + (x - asked.Left));
                    size_t by = static_cast<size_t>(bufCoord.Y + (y - asked.Top));
                    CHAR_INFO &ci = buf[by * static_cast<size_t>(bufSize.X) + bx];
                    const Cell &c = screen.At(x, y);
                    ci.Char.UnicodeChar = 0;
                    ci.Char.AsciiChar = static_cast<CHAR>(c.ch);
                    ci.Attributes = c.attr;
                }
            return TRUE;
        });
    });
}

BOOL WINAPI WriteConsoleOutputA(HANDLE h, const CHAR_INFO *buf, COORD bufSize, COORD bufCoord, PSMALL_RECT region)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!buf || !region) return Fail(ERROR_INVALID_PARAMETER);
        return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
            SMALL_RECT asked = *region;
            Rect r{};
            if (!ClipTransfer(screen, bufSize, bufCoord, *region, r)) return Fail(ERROR_INVALID_PARAMETER);
            for (int y = r.top; y <= r.bottom; ++y)
                for (int x = r.left; x <= r.right; ++x) {
                    size_t bx = static_cast<size_t>(bufCoord.X + (x - asked.Left));
                    size_t by = static_cast<size_t>(bufCoord.Y + (y - asked.Top));
                    const CHAR_INFO &ci = buf[by * static_cast<size_t>(bufSize.X) + bx];
                    screen.SetCell(x, y, Cell{static_cast<uint8_t>(ci.Char.AsciiChar), ci.Attributes});
                }
            if (!r.Empty()) console.Changed();
            return TRUE;
        });
    });
}

BOOL WINAPI ScrollConsoleScreenBufferA(HANDLE h, const SMALL_RECT *scroll, const SMALL_RECT *clipRect, COORD dest,
                                       const CHAR_INFO *fill)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!scroll || !fill) return Fail(ERROR_INVALID_PARAMETER);
        return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
            Rect whole = BufferRect(screen);
            Rect asked{scroll->Left, scroll->Top, scroll->Right, scroll->Bottom};
            Rect src = Intersect(asked, whole);
            if (src.Empty()) return Fail(ERROR_INVALID_PARAMETER);
            Rect clip = whole;
            if (clipRect)
                clip = Intersect(whole, Rect{clipRect->Left, clipRect->Top, clipRect->Right, clipRect->Bottom});
            // The destination keeps the source's shape; a source clipped on the
            // left or top moves its destination by the same amount.
            int dx = dest.X - asked.left, dy = dest.Y - asked.top;
            Rect dst{src.left + dx, src.top + dy, src.right + dx, src.bottom + dy};
            int w = src.right - src.left + 1, hgt = src.bottom - src.top + 1;
            std::vector<Cell> saved(static_cast<size_t>(w) * hgt);
            for (int y = 0; y < hgt; ++y)
                for (int x = 0; x < w; ++x)
                    saved[static_cast<size_t>(y) * w + x] = screen.At(src.left + x, src.top + y);
            Cell blank{static_cast<uint8_t>(fill->Char.AsciiChar), fill->Attributes};
            bool changed = false;
            for (int y = clip.top; y <= clip.bottom; ++y)
                for (int x = clip.left; x <= clip.right; ++x) {
                    if (dst.Contains(x, y)) {
                        screen.SetCell(x, y, saved[static_cast<size_t>(y - dst.top) * w + (x - dst.left)]);
                        changed = true;
                    } else if (src.Contains(x, y)) {
                        screen.SetCell(x, y, blank);
                        changed = true;
                    }
                }
            if (changed) console.Changed();
            return TRUE;
        });
    });
}

BOOL WINAPI SetConsoleCursorPosition(HANDLE h, COORD pos)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
            if (!screen.Contains(pos.X, pos.Y)) return Fail(ERROR_INVALID_PARAMETER);
            screen.cursor = pos;
            console.Changed();
            return TRUE;
        });
    });
}

BOOL WINAPI GetConsoleCursorInfo(HANDLE h, PCONSOLE_CURSOR_INFO info)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!info) return Fail(ERROR_INVALID_PARAMETER);
        return WithScreen(h, [&](Console &, ScreenBuffer &screen) -> BOOL {
            info->dwSize = screen.cursorSize;
            info->bVisible = screen.cursorVisible ? TRUE : FALSE;
            return TRUE;
        });
    });
}

BOOL WINAPI SetConsoleCursorInfo(HANDLE h, const CONSOLE_CURSOR_INFO *info)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!info || info->dwSize < 1 || info->dwSize > 100) return Fail(ERROR_INVALID_PARAMETER);
        return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
            screen.cursorSize = info->dwSize;
            screen.cursorVisible = info->bVisible != FALSE;
            console.Changed();
            return TRUE;
        });
    });
}

BOOL WINAPI GetConsoleScreenBufferInfo(HANDLE h, PCONSOLE_SCREEN_BUFFER_INFO info)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!info) return Fail(ERROR_INVALID_PARAMETER);
        return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
            info->dwSize = COORD{static_cast<SHORT>(screen.Width()), static_cast<SHORT>(screen.Height())};
            info->dwCursorPosition = screen.cursor;
            info->wAttributes = screen.textAttribute;
            info->srWindow =
                SMALL_RECT{0, 0, static_cast<SHORT>(screen.Width() - 1), static_cast<SHORT>(screen.Height() - 1)};
            info->dwMaximumWindowSize = console.MaximumWindowSize();
            return TRUE;
        });
    });
}

BOOL WINAPI SetConsoleScreenBufferSize(HANDLE h, COORD size)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
            if (size.X < 1 || size.Y < 1 || size.X > Console::kMaxDimension || size.Y > Console::kMaxDimension)
                return Fail(ERROR_INVALID_PARAMETER);
            screen.Resize(size.X, size.Y);
            console.SetMaximumWindowSize(size);
            console.Changed();
            return TRUE;
        });
    });
}

BOOL WINAPI SetConsoleTextAttribute(HANDLE h, WORD attr)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithScreen(h, [&](Console &, ScreenBuffer &screen) -> BOOL {
            screen.textAttribute = attr;
            return TRUE;
        });
    });
}

}  // extern "C"

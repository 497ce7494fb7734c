// The console calls on the screen buffer: runs of characters and attributes,
// rectangles of cells, scrolling, the cursor and the buffer's size.
#include <algorithm>
#include <vector>

#include "core/boundary.h"
#include "platform/console/console_access.h"

using namespace tuikit::platform;

namespace {

// A run call. Runs continue on the next row and stop at the end of the
// buffer; one that starts outside it does nothing and succeeds.
template <class Op> BOOL RunCall(HANDLE h, COORD at, LPDWORD done, const void *data, DWORD n, bool changes, Op op)
{
    return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
        if (!data && n) return Fail(ERROR_NOACCESS);
        uint32_t count = screen.Contains(at.X, at.Y) ? op(screen) : 0;
        Store(done, count);
        if (changes && count) console.Changed();
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

Rect FromSmall(const SMALL_RECT &r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

void ToSmall(Rect r, SMALL_RECT &out)
{
    out = SMALL_RECT{static_cast<SHORT>(r.left), static_cast<SHORT>(r.top), static_cast<SHORT>(r.right),
                     static_cast<SHORT>(r.bottom)};
}

// A rectangle moved between the screen and a caller's CHAR_INFO array. The
// region is first cut to what the array holds from bufCoord on (even when
// the handle then turns out bad); a position outside the array leaves it
// empty. An inverted region is refused and left as it was; one wholly off
// the screen is done with nothing moved and left as cut. cell(x, y, index)
// moves one cell, index being its place in the array.
template <class Cell> BOOL RegionCall(HANDLE h, const void *buf, COORD bufSize, COORD bufCoord, PSMALL_RECT region,
                                      bool changes, Cell cell)
{
    const SMALL_RECT asked = region ? *region : SMALL_RECT{};
    const bool inverted = region && (asked.Right < asked.Left || asked.Bottom < asked.Top);
    const bool inArray = bufSize.X > 0 && bufSize.Y > 0 && bufCoord.X >= 0 && bufCoord.Y >= 0 &&
                         bufCoord.X < bufSize.X && bufCoord.Y < bufSize.Y;
    if (region && !inverted) {
        Rect fit{asked.Left, asked.Top, asked.Left + (bufSize.X - bufCoord.X) - 1,
                 asked.Top + (bufSize.Y - bufCoord.Y) - 1};
        Rect cut = inArray ? Intersect(FromSmall(asked), fit) : Rect{asked.Left, asked.Top, asked.Left - 1, asked.Top - 1};
        ToSmall(cut, *region);
    }
    return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
        if (!region || !buf) return Fail(ERROR_NOACCESS);
        if (inverted) return Fail(ERROR_INVALID_PARAMETER);
        Rect r = Intersect(FromSmall(*region), BufferRect(screen));
        if (FromSmall(*region).Empty() || r.Empty()) return TRUE;
        ToSmall(r, *region);
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x) {
                size_t bx = static_cast<size_t>(bufCoord.X + (x - asked.Left));
                size_t by = static_cast<size_t>(bufCoord.Y + (y - asked.Top));
                cell(screen, x, y, by * static_cast<size_t>(bufSize.X) + bx);
            }
        if (changes) console.Changed();
        return TRUE;
    });
}

}  // namespace

extern "C" {

BOOL WINAPI WriteConsoleOutputCharacterA(HANDLE h, LPCSTR chars, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&] {
        return RunCall(h, at, done, chars, n, true, [&](ScreenBuffer &s) { return s.WriteChars(at.X, at.Y, chars, n); });
    });
}

BOOL WINAPI WriteConsoleOutputAttribute(HANDLE h, const WORD *attrs, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&] {
        return RunCall(h, at, done, attrs, n, true, [&](ScreenBuffer &s) { return s.WriteAttrs(at.X, at.Y, attrs, n); });
    });
}

BOOL WINAPI FillConsoleOutputCharacterA(HANDLE h, CHAR ch, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&] {
        return RunCall(h, at, done, &ch, n, true,
                       [&](ScreenBuffer &s) { return s.FillChar(at.X, at.Y, static_cast<uint8_t>(ch), n); });
    });
}

BOOL WINAPI FillConsoleOutputAttribute(HANDLE h, WORD attr, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&] {
        return RunCall(h, at, done, &attr, n, true, [&](ScreenBuffer &s) { return s.FillAttr(at.X, at.Y, attr, n); });
    });
}

BOOL WINAPI ReadConsoleOutputCharacterA(HANDLE h, LPSTR out, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&] {
        return RunCall(h, at, done, out, n, false, [&](ScreenBuffer &s) { return s.ReadChars(at.X, at.Y, out, n); });
    });
}

BOOL WINAPI ReadConsoleOutputAttribute(HANDLE h, LPWORD out, DWORD n, COORD at, LPDWORD done)
{
    return tuikit::Guarded<BOOL>(FALSE, [&] {
        return RunCall(h, at, done, out, n, false, [&](ScreenBuffer &s) { return s.ReadAttrs(at.X, at.Y, out, n); });
    });
}

BOOL WINAPI ReadConsoleOutputA(HANDLE h, PCHAR_INFO buf, COORD bufSize, COORD bufCoord, PSMALL_RECT region)
{
    return tuikit::Guarded<BOOL>(FALSE, [&] {
        return RegionCall(h, buf, bufSize, bufCoord, region, false,
                          [&](const ScreenBuffer &screen, int x, int y, size_t i) {
                              const Cell &c = screen.At(x, y);
                              buf[i].Char.UnicodeChar = 0;
                              buf[i].Char.AsciiChar = static_cast<CHAR>(c.ch);
                              buf[i].Attributes = c.attr;
                          });
    });
}

BOOL WINAPI WriteConsoleOutputA(HANDLE h, const CHAR_INFO *buf, COORD bufSize, COORD bufCoord, PSMALL_RECT region)
{
    return tuikit::Guarded<BOOL>(FALSE, [&] {
        return RegionCall(h, buf, bufSize, bufCoord, region, true, [&](ScreenBuffer &screen, int x, int y, size_t i) {
            screen.SetCell(x, y, Cell{static_cast<uint8_t>(buf[i].Char.AsciiChar), buf[i].Attributes});
        });
    });
}

BOOL WINAPI ScrollConsoleScreenBufferA(HANDLE h, const SMALL_RECT *scroll, const SMALL_RECT *clipRect, COORD dest,
                                       const CHAR_INFO *fill)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
            if (!scroll || !fill) return Fail(ERROR_NOACCESS);
            Rect whole = BufferRect(screen);
            Rect asked = FromSmall(*scroll);
            Rect src = Intersect(asked, whole);
            if (src.Empty()) return Fail(ERROR_INVALID_PARAMETER);
            Rect clip = whole;
            if (clipRect)
                clip = Intersect(whole, FromSmall(*clipRect));
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
        return WithScreen(h, [&](Console &, ScreenBuffer &screen) -> BOOL {
            if (!info) return Fail(ERROR_NOACCESS);
            info->dwSize = screen.cursorSize;
            info->bVisible = screen.cursorVisible ? TRUE : FALSE;
            return TRUE;
        });
    });
}

BOOL WINAPI SetConsoleCursorInfo(HANDLE h, const CONSOLE_CURSOR_INFO *info)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
            if (!info) return Fail(ERROR_NOACCESS);
            if (info->dwSize < 1 || info->dwSize > 100) return Fail(ERROR_INVALID_PARAMETER);
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
        return WithScreen(h, [&](Console &console, ScreenBuffer &screen) -> BOOL {
            if (!info) return Fail(ERROR_NOACCESS);
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

// The drawing primitives: lines, boxes, panels, clearing, text, scrolling
// and the cursor, plus the run writers the other subsystems draw with.
#include "core/draw.h"

#include <algorithm>
#include <cstring>

#include "core/boundary.h"
#include "core/console_state.h"
#include "tuikit/tuikit.h"

namespace tuikit::core {

const uint32_t BoxChars[7] = {0xB3, 0xC4, 0xD9, 0xC0, 0xBF, 0xDA, 0x20};
uint16_t CurrentTextAttribute = 0;

namespace {

constexpr int kDone = 0;
constexpr int kNotInitialised = 1;
constexpr int kBadArgument = 2;

// The console takes coordinates as 16-bit values: a coordinate is cut to its
// low 16 bits, and one that comes out negative or past the buffer's edge is
// refused by the console call.
COORD At(int64_t x, int64_t y) { return COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}; }

void PutCell(int64_t x, int64_t y, char ch, uint16_t attribute)
{
    DWORD n;
    WriteConsoleOutputAttribute(console.consoleOutput, &attribute, 1, At(x, y), &n);
    WriteConsoleOutputCharacterA(console.consoleOutput, &ch, 1, At(x, y), &n);
}

char BoxGlyph(int which) { return static_cast<char>(BoxChars[which] & 0xFF); }

COORD BufferSize()
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(console.consoleOutput, &info);
    return info.dwSize;
}

// Calls f(i) for each step i of 0 .. count-1 whose coordinate first + i,
// cut to 16 bits, lands on 0 .. end-1, each landing cell once. The steps
// that land elsewhere would be refused, and steps that land on the same cell
// write the same thing, so walking the buffer instead of the steps gives the
// same screen with at most end calls, however long the run.
template <class F> void ForEachStepOnBuffer(int64_t first, int64_t count, int32_t end, F f)
{
    for (int32_t cell = 0; cell < end; ++cell) {
        int64_t step = (cell - first) & 0xFFFF;
        if (step < count) f(first + step);
    }
}

// Width of an inclusive span, saturated to what a console run can take.
DWORD Span(int32_t first, int32_t last)
{
    int64_t n = static_cast<int64_t>(last) - first + 1;
    return static_cast<DWORD>(std::clamp<int64_t>(n, 0, 0xFFFFFFFF));
}

void FillRow(int64_t x, int64_t y, uint16_t attribute, DWORD count, bool blank)
{
    if (count == 0) return;
    DWORD n;
    FillConsoleOutputAttribute(console.consoleOutput, attribute, count, At(x, y), &n);
    if (blank) FillConsoleOutputCharacterA(console.consoleOutput, ' ', count, At(x, y), &n);
}

void DrawFrame(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t frameAttribute)
{
    auto width = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(right) - left, INT32_MAX));
    auto height = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(bottom) - top, INT32_MAX));
    TuiDrawLine(left, top, width, 0, frameAttribute);
    TuiDrawLine(left, bottom, width, 0, frameAttribute);
    TuiDrawLine(left, top, height, 1, frameAttribute);
    TuiDrawLine(right, top, height, 1, frameAttribute);
    auto attr = static_cast<uint16_t>(frameAttribute);
    PutCell(left, top, BoxGlyph(kUpperLeft), attr);
    PutCell(right, top, BoxGlyph(kUpperRight), attr);
    PutCell(left, bottom, BoxGlyph(kLowerLeft), attr);
    PutCell(right, bottom, BoxGlyph(kLowerRight), attr);
}

bool BadRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return left < 0 || top < 0 || right < 0 || bottom < 0 || left > right || top > bottom;
}

}  // namespace

int PutString(int32_t x, int32_t y, const char *text, int32_t attribute, int32_t moveCursor)
{
    if (!console.initialised) return kNotInitialised;
    if (!text) return kDone;
    for (size_t i = 0; text[i]; ++i) {
        int64_t cx = x + static_cast<int64_t>(i);
        PutCell(cx, y, text[i], static_cast<uint16_t>(attribute));
        if (moveCursor) SetConsoleCursorPosition(console.consoleOutput, At(cx + 1, y));
    }
    return kDone;
}

void WriteCharRun(int32_t x, int32_t y, const char *chars, int32_t count)
{
    if (x < 0 || y < 0 || !chars || count <= 0) return;
    DWORD n;
    WriteConsoleOutputCharacterA(console.consoleOutput, chars, static_cast<DWORD>(count), At(x, y), &n);
}

void WriteAttrRun(int32_t x, int32_t y, const uint16_t *attributes, int32_t count)
{
    if (x < 0 || y < 0 || !attributes || count <= 0) return;
    DWORD n;
    WriteConsoleOutputAttribute(console.consoleOutput, attributes, static_cast<DWORD>(count), At(x, y), &n);
}

void FillAttrRun(int32_t x, int32_t y, int32_t attribute, int32_t count)
{
    if (x >= 0 && y >= 0 && count > 0) FillRow(x, y, static_cast<uint16_t>(attribute), static_cast<DWORD>(count), false);
}

int DrawFilledBox(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t frameAttribute,
                  int32_t fillAttribute, int32_t clear)
{
    if (!console.initialised) return kNotInitialised;
    if (left < 0 || top < 0 || right < 0 || bottom < 0) return kBadArgument;
    if (static_cast<int64_t>(right) - left < 2 || static_cast<int64_t>(bottom) - top < 2) return kBadArgument;
    ForEachStepOnBuffer(top, Span(top, bottom), BufferSize().Y, [&](int64_t row) {
        FillRow(left, row, static_cast<uint16_t>(fillAttribute), Span(left, right), clear == 1);
    });
    DrawFrame(left, top, right, bottom, frameAttribute);
    return kDone;
}

}  // namespace tuikit::core

using namespace tuikit::core;

extern "C" {

TUIKIT_API int TuiDrawLine(int32_t x, int32_t y, int32_t length, int32_t vertical, int32_t attribute)
{
    return tuikit::Guarded<int>(kBadArgument, [&]() -> int {
        if (!console.initialised) return kNotInitialised;
        char ch = BoxGlyph(vertical ? kVertical : kHorizontal);
        COORD size = BufferSize();
        auto attr = static_cast<uint16_t>(attribute);
        if (vertical) ForEachStepOnBuffer(y, length, size.Y, [&](int64_t cy) { PutCell(x, cy, ch, attr); });
        else ForEachStepOnBuffer(x, length, size.X, [&](int64_t cx) { PutCell(cx, y, ch, attr); });
        return kDone;
    });
}

TUIKIT_API int TuiDrawBox(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t frameAttribute,
                          int32_t fillAttribute)
{
    return tuikit::Guarded<int>(kBadArgument, [&]() -> int {
        if (!console.initialised) return kNotInitialised;
        int64_t width = static_cast<int64_t>(right) - left, height = static_cast<int64_t>(bottom) - top;
        if (width < 0 || height < 0) return kBadArgument;
        DrawFrame(left, top, right, bottom, frameAttribute);
        if (height >= 2 && width >= 2)
            ForEachStepOnBuffer(int64_t{top} + 1, height - 1, BufferSize().Y, [&](int64_t row) {
                FillRow(int64_t{left} + 1, row, static_cast<uint16_t>(fillAttribute), Span(left + 1, right - 1), false);
            });
        return kDone;
    });
}

TUIKIT_API int TuiDrawPanel(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t attribute)
{
    return tuikit::Guarded<int>(kBadArgument, [&]() -> int {
        if (!console.initialised) return kNotInitialised;
        if (BadRect(left, top, right, bottom)) return kBadArgument;
        auto attr = static_cast<uint16_t>(attribute);
        if (attr == 0xFFFF) attr = CurrentTextAttribute;
        ForEachStepOnBuffer(top, Span(top, bottom), BufferSize().Y,
                            [&](int64_t row) { FillRow(left, row, attr, Span(left, right), false); });
        return kDone;
    });
}

TUIKIT_API int TuiClearScreen(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t attribute)
{
    return tuikit::Guarded<int>(kBadArgument, [&]() -> int {
        if (BadRect(left, top, right, bottom)) return kBadArgument;
        uint16_t attr = attribute < 0 ? CurrentTextAttribute : attribute == 0 ? 0x07 : static_cast<uint16_t>(attribute);
        ForEachStepOnBuffer(top, Span(top, bottom), BufferSize().Y,
                            [&](int64_t row) { FillRow(left, row, attr, Span(left, right), true); });
        return kDone;
    });
}

TUIKIT_API int TuiSetTextColor(int32_t attribute)
{
    if (attribute < 0) return kBadArgument;
    CurrentTextAttribute = static_cast<uint16_t>(attribute);
    return kDone;
}

TUIKIT_API int TuiWriteText(int32_t x, int32_t y, const char *text, int32_t attribute)
{
    return tuikit::Guarded<int>(kBadArgument, [&]() -> int {
        if (!console.initialised) return kNotInitialised;
        if (x < 0 || y < 0 || !text) return kBadArgument;
        uint16_t attr = attribute == -1 ? CurrentTextAttribute : static_cast<uint16_t>(attribute);
        size_t len = std::strlen(text);
        if (len == 0) return kDone;
        auto count = static_cast<DWORD>(std::min<size_t>(len, 0xFFFFFFFFu));
        DWORD n;
        WriteConsoleOutputCharacterA(console.consoleOutput, text, count, At(x, y), &n);
        FillConsoleOutputAttribute(console.consoleOutput, attr, count, At(x, y), &n);
        return kDone;
    });
}

TUIKIT_API int TuiScrollText(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t dx, int32_t dy,
                             int32_t attribute)
{
    return tuikit::Guarded<int>(kBadArgument, [&]() -> int {
        if (BadRect(left, top, right, bottom)) return kBadArgument;
        SMALL_RECT rect{static_cast<SHORT>(left), static_cast<SHORT>(top), static_cast<SHORT>(right),
                        static_cast<SHORT>(bottom)};
        COORD dest = At(int64_t{left} + dx, int64_t{top} + dy);
        CHAR_INFO fill{};
        fill.Char.AsciiChar = ' ';
        fill.Attributes = attribute < 0 ? CurrentTextAttribute : static_cast<uint16_t>(attribute);
        ScrollConsoleScreenBufferA(console.consoleOutput, &rect, &rect, dest, &fill);
        return kDone;
    });
}

TUIKIT_API int TuiSetCursorPos(int32_t x, int32_t y)
{
    return tuikit::Guarded<int>(kBadArgument, [&]() -> int {
        if (!console.initialised) return kNotInitialised;
        if (x < 0 || y < 0) return kBadArgument;
        SetConsoleCursorPosition(console.consoleOutput, At(x, y));
        return kDone;
    });
}

TUIKIT_API int TuiSetCursorInfo(int32_t size, int32_t visible)
{
    return tuikit::Guarded<int>(kBadArgument, [&]() -> int {
        if (size < 1 || size > 100 || visible < 0 || visible > 1) return kBadArgument;
        CONSOLE_CURSOR_INFO info{static_cast<DWORD>(size), visible};
        SetConsoleCursorInfo(console.consoleOutput, &info);
        return kDone;
    });
}

}  // extern "C"

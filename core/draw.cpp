// The drawing primitives: lines, boxes, panels, clearing, text, scrolling
// and the cursor, plus the run writers the other subsystems draw with.
#include "core/draw.h"

#include <algorithm>
#include <cstring>

#include "core/console_state.h"
#include "tuikit/tuikit.h"

namespace tuikit::core {

const uint32_t BoxChars[7] = {0xB3, 0xC4, 0xD9, 0xC0, 0xBF, 0xDA, 0x20};
uint16_t CurrentTextAttribute = 0;

namespace {

constexpr int kDone = 0;
constexpr int kNotInitialised = 1;
constexpr int kBadArgument = 2;

// The console takes coordinates as 16-bit values.
COORD At(int32_t x, int32_t y) { return COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}; }

// Coordinates that do not survive the 16-bit conversion are off the buffer.
bool Fits16(int32_t x, int32_t y) { return x >= 0 && y >= 0 && x <= 0x7FFF && y <= 0x7FFF; }

void PutCell(int32_t x, int32_t y, char ch, uint16_t attribute)
{
    if (!Fits16(x, y)) return;
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

// Rows below the buffer would not be written, so row loops stop there.
int32_t LastRow(int32_t bottom) { return std::min<int32_t>(bottom, BufferSize().Y - 1); }

// Width of an inclusive span, saturated to what a console run can take.
DWORD Span(int32_t first, int32_t last)
{
    int64_t n = static_cast<int64_t>(last) - first + 1;
    return static_cast<DWORD>(std::clamp<int64_t>(n, 0, 0xFFFFFFFF));
}

void FillRow(int32_t x, int32_t y, uint16_t attribute, DWORD count, bool blank)
{
    if (!Fits16(x, y) || count == 0) return;
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
        if (cx > 0x7FFF) break;  // the rest lies off the buffer
        PutCell(static_cast<int32_t>(cx), y, text[i], static_cast<uint16_t>(attribute));
        if (moveCursor && Fits16(static_cast<int32_t>(cx + 1), y))
            SetConsoleCursorPosition(console.consoleOutput, At(static_cast<int32_t>(cx + 1), y));
    }
    return kDone;
}

void WriteCharRun(int32_t x, int32_t y, const char *chars, int32_t count)
{
    if (!Fits16(x, y) || !chars || count <= 0) return;
    DWORD n;
    WriteConsoleOutputCharacterA(console.consoleOutput, chars, static_cast<DWORD>(count), At(x, y), &n);
}

void WriteAttrRun(int32_t x, int32_t y, const uint16_t *attributes, int32_t count)
{
    if (!Fits16(x, y) || !attributes || count <= 0) return;
    DWORD n;
    WriteConsoleOutputAttribute(console.consoleOutput, attributes, static_cast<DWORD>(count), At(x, y), &n);
}

void FillAttrRun(int32_t x, int32_t y, int32_t attribute, int32_t count)
{
    if (count > 0) FillRow(x, y, static_cast<uint16_t>(attribute), static_cast<DWORD>(count), false);
}

int DrawFilledBox(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t frameAttribute,
                  int32_t fillAttribute, int32_t clear)
{
    if (!console.initialised) return kNotInitialised;
    if (left < 0 || top < 0 || right < 0 || bottom < 0) return kBadArgument;
    if (static_cast<int64_t>(right) - left < 2 || static_cast<int64_t>(bottom) - top < 2) return kBadArgument;
    for (int32_t row = top, last = LastRow(bottom); row <= last; ++row)
        FillRow(left, row, static_cast<uint16_t>(fillAttribute), Span(left, right), clear == 1);
    DrawFrame(left, top, right, bottom, frameAttribute);
    return kDone;
}

}  // namespace tuikit::core

using namespace tuikit::core;

extern "C" {

TUIKIT_API int TuiDrawLine(int32_t x, int32_t y, int32_t length, int32_t vertical, int32_t attribute)
{
    if (!console.initialised) return kNotInitialised;
    char ch = BoxGlyph(vertical ? kVertical : kHorizontal);
    // Only the part of the line that lies on the buffer is walked; the rest
    // would not be written anyway.
    COORD size = BufferSize();
    int64_t along = vertical ? y : x;
    int64_t end = vertical ? size.Y : size.X;
    for (int64_t i = std::max<int64_t>(0, -along); i < length && along + i < end; ++i) {
        int64_t cx = vertical ? x : along + i;
        int64_t cy = vertical ? along + i : y;
        PutCell(static_cast<int32_t>(cx), static_cast<int32_t>(cy), ch, static_cast<uint16_t>(attribute));
    }
    return kDone;
}

TUIKIT_API int TuiDrawBox(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t frameAttribute,
                          int32_t fillAttribute)
{
    if (!console.initialised) return kNotInitialised;
    int64_t width = static_cast<int64_t>(right) - left, height = static_cast<int64_t>(bottom) - top;
    if (width < 0 || height < 0) return kBadArgument;
    DrawFrame(left, top, right, bottom, frameAttribute);
    if (height >= 2 && width >= 2)
        for (int32_t row = std::max(top + 1, 0), last = LastRow(bottom - 1); row <= last; ++row)
            FillRow(left + 1, row, static_cast<uint16_t>(fillAttribute), Span(left + 1, right - 1), false);
    return kDone;
}

TUIKIT_API int TuiDrawPanel(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t attribute)
{
    if (!console.initialised) return kNotInitialised;
    if (BadRect(left, top, right, bottom)) return kBadArgument;
    auto attr = static_cast<uint16_t>(attribute);
    if (attr == 0xFFFF) attr = CurrentTextAttribute;
    for (int32_t row = top, last = LastRow(bottom); row <= last; ++row) FillRow(left, row, attr, Span(left, right), false);
    return kDone;
}

TUIKIT_API int TuiClearScreen(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t attribute)
{
    if (BadRect(left, top, right, bottom)) return kBadArgument;
    uint16_t attr = attribute < 0 ? CurrentTextAttribute : attribute == 0 ? 0x07 : static_cast<uint16_t>(attribute);
    for (int32_t row = top, last = LastRow(bottom); row <= last; ++row) FillRow(left, row, attr, Span(left, right), true);
    return kDone;
}

TUIKIT_API int TuiSetTextColor(int32_t attribute)
{
    if (attribute < 0) return kBadArgument;
    CurrentTextAttribute = static_cast<uint16_t>(attribute);
    return kDone;
}

TUIKIT_API int TuiWriteText(int32_t x, int32_t y, const char *text, int32_t attribute)
{
    if (!console.initialised) return kNotInitialised;
    if (x < 0 || y < 0 || !text) return kBadArgument;
    uint16_t attr = attribute == -1 ? CurrentTextAttribute : static_cast<uint16_t>(attribute);
    size_t len = std::strlen(text);
    if (len == 0 || !Fits16(x, y)) return kDone;
    auto count = static_cast<DWORD>(std::min<size_t>(len, 0xFFFFFFFFu));
    DWORD n;
    WriteConsoleOutputCharacterA(console.consoleOutput, text, count, At(x, y), &n);
    FillConsoleOutputAttribute(console.consoleOutput, attr, count, At(x, y), &n);
    return kDone;
}

TUIKIT_API int TuiScrollText(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t dx, int32_t dy,
                             int32_t attribute)
{
    if (BadRect(left, top, right, bottom)) return kBadArgument;
    if (!Fits16(left, top)) return kDone;  // wholly off the buffer: nothing to move
    auto clamp16 = [](int64_t v) { return static_cast<SHORT>(std::max<int64_t>(-0x8000, std::min<int64_t>(0x7FFF, v))); };
    SMALL_RECT rect{clamp16(left), clamp16(top), clamp16(right), clamp16(bottom)};
    COORD dest{clamp16(static_cast<int64_t>(left) + dx), clamp16(static_cast<int64_t>(top) + dy)};
    CHAR_INFO fill{};
    fill.Char.AsciiChar = ' ';
    fill.Attributes = attribute < 0 ? CurrentTextAttribute : static_cast<uint16_t>(attribute);
    ScrollConsoleScreenBufferA(console.consoleOutput, &rect, &rect, dest, &fill);
    return kDone;
}

TUIKIT_API int TuiSetCursorPos(int32_t x, int32_t y)
{
    if (!console.initialised) return kNotInitialised;
    if (x < 0 || y < 0) return kBadArgument;
    if (Fits16(x, y)) SetConsoleCursorPosition(console.consoleOutput, At(x, y));
    return kDone;
}

TUIKIT_API int TuiSetCursorInfo(int32_t size, int32_t visible)
{
    if (size < 1 || size > 100 || visible < 0 || visible > 1) return kBadArgument;
    CONSOLE_CURSOR_INFO info{static_cast<DWORD>(size), visible};
    SetConsoleCursorInfo(console.consoleOutput, &info);
    return kDone;
}

}  // extern "C"

// The escape sequences the terminal back end writes, built in one place:
// control sequences with numeric parameters, and DEC private modes whose
// reset is derived from their set. Each builder has a size function that
// counts the same bytes, so cost models and output cannot disagree.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

namespace tuikit::platform::escapes {

// Final bytes of the control sequences in use.
inline constexpr char kCursorPosition = 'H';    // CUP row;column (1-based, 1 omitted)
inline constexpr char kCursorColumn = 'G';      // CHA column
inline constexpr char kEraseCharacters = 'X';   // ECH count, in the current colours
inline constexpr char kEraseInLine = 'K';       // EL: to the end of the row
inline constexpr char kEraseInDisplay = 'J';    // ED 2: the whole screen
inline constexpr char kSelectRendition = 'm';   // SGR
inline constexpr char kDeviceStatus = 'n';      // DSR 6: report the cursor position
inline constexpr char kDeviceAttributes = 'c';  // DA1
inline constexpr char kCursorStyle = 'q';       // DECSCUSR, intermediate ' '
inline constexpr char kKeyboardFlags = 'u';     // extended keyboard protocol: > push, < pop, ? query

// The cursor position request, for the signal-safe exit path.
inline constexpr char kCursorPositionRequest[] = "\x1b[6n";

// Appends ESC [ prefix params intermediate final, parameters separated by
// ';'; a zero prefix or intermediate is left out. Negative parameters are
// left empty (their default).
void AppendCsi(std::string &out, char final, std::initializer_list<int> params = {}, char prefix = 0,
               char intermediate = 0);
std::string Csi(char final, std::initializer_list<int> params = {}, char prefix = 0, char intermediate = 0);
// The bytes AppendCsi appends without prefix and intermediate.
size_t CsiSize(std::initializer_list<int> params = {});

enum class DecMode : int {
    kAutowrap = 7,
    kCursorVisible = 25,
    kMouseButtons = 1000,
    kMouseDrags = 1002,
    kMouseMotion = 1003,
    kMouseSgr = 1006,
    kAlternateScreen = 1049,
    kBracketedPaste = 2004,
    kSynchronizedOutput = 2026,
    kWin32Input = 9001,
};

// CSI ? n h sets a mode, CSI ? n l resets it.
void AppendMode(std::string &out, DecMode mode, bool set);
// CSI ? n $ p asks for a mode's state (DECRQM).
void AppendModeQuery(std::string &out, DecMode mode);

// A terminal mode for a session: what switches it on, and its inverse.
struct SessionMode {
    std::string on;
    std::string off;
};

// The modes set (or reset) in order for the session; the inverse undoes
// them in the reverse order.
SessionMode SetModes(std::initializer_list<DecMode> modes);
SessionMode ResetModes(std::initializer_list<DecMode> modes);

// Decimal digits of a non-negative number.
inline size_t Digits(int n)
{
    size_t d = 1;
    for (; n >= 10; n /= 10) ++d;
    return d;
}

}  // namespace tuikit::platform::escapes

#include "platform/terminal/keymap.h"

#include <cstring>

#include "platform/terminal/cp437.h"

namespace tuikit::platform {

namespace {

// Punctuation of a US layout: the unshifted character, its shifted twin and
// the key both are on.
struct PunctKey {
    char plain;
    char shifted;
    WORD vk;
};
constexpr PunctKey kPunct[] = {
    {'`', '~', VK_OEM_3},      {'1', '!', '1'},           {'2', '@', '2'},          {'3', '#', '3'},
    {'4', '$', '4'},           {'5', '%', '5'},           {'6', '^', '6'},          {'7', '&', '7'},
    {'8', '*', '8'},           {'9', '(', '9'},           {'0', ')', '0'},          {'-', '_', VK_OEM_MINUS},
    {'=', '+', VK_OEM_PLUS},   {'[', '{', VK_OEM_4},      {']', '}', VK_OEM_6},     {'\\', '|', VK_OEM_5},
    {';', ':', VK_OEM_1},      {'\'', '"', VK_OEM_7},     {',', '<', VK_OEM_COMMA}, {'.', '>', VK_OEM_PERIOD},
    {'/', '?', VK_OEM_2},
};

// Private-use key numbers of the extended keyboard protocol.
constexpr uint32_t kCapsLock = 57358;
constexpr uint32_t kF13 = 57376;
constexpr uint32_t kF24 = 57387;
constexpr uint32_t kKeypad0 = 57399;
constexpr uint32_t kKeypad9 = 57408;

struct CodeKey {
    uint32_t code;
    KeyInfo key;
};
constexpr CodeKey kFunctional[] = {
    {kCapsLock, {VK_CAPITAL, 0, false, 0, CAPSLOCK_ON}},
    {57359, {VK_SCROLL, 0, false, 0, SCROLLLOCK_ON}},
    {57360, {VK_NUMLOCK, 0, true, 0, NUMLOCK_ON}},
    {57361, {VK_SNAPSHOT, 0, true}},
    {57362, {VK_PAUSE, 0, false}},
    {57363, {VK_APPS, 0, true}},
    {57409, {VK_DECIMAL, '.', false}},
    {57410, {VK_DIVIDE, '/', true}},
    {57411, {VK_MULTIPLY, '*', false}},
    {57412, {VK_SUBTRACT, '-', false}},
    {57413, {VK_ADD, '+', false}},
    {57414, {VK_RETURN, '\r', true}},
    {57415, {0, '=', false}},
    {57416, {VK_SEPARATOR, ',', false}},
    {57417, {VK_LEFT, 0, false}},
    {57418, {VK_RIGHT, 0, false}},
    {57419, {VK_UP, 0, false}},
    {57420, {VK_DOWN, 0, false}},
    {57421, {VK_PRIOR, 0, false}},
    {57422, {VK_NEXT, 0, false}},
    {57423, {VK_HOME, 0, false}},
    {57424, {VK_END, 0, false}},
    {57425, {VK_INSERT, 0, false}},
    {57426, {VK_DELETE, 0, false}},
    {57427, {VK_CLEAR, 0, false}},
    {57441, {VK_SHIFT, 0, false, SHIFT_PRESSED}},
    {57442, {VK_CONTROL, 0, false, LEFT_CTRL_PRESSED}},
    {57443, {VK_MENU, 0, false, LEFT_ALT_PRESSED}},
    {57444, {VK_LWIN, 0, true}},
    {57447, {VK_SHIFT, 0, false, SHIFT_PRESSED}},
    {57448, {VK_CONTROL, 0, true, RIGHT_CTRL_PRESSED}},
    {57449, {VK_MENU, 0, true, RIGHT_ALT_PRESSED}},
    {57450, {VK_RWIN, 0, true}},
    {57453, {VK_MENU, 0, true, RIGHT_ALT_PRESSED}},  // AltGr
};

KeyInfo Nav(WORD vk) { return KeyInfo{vk, 0, true}; }
KeyInfo Plain(WORD vk) { return KeyInfo{vk, 0, false}; }

}  // namespace

AsciiKey KeyForAscii(char c)
{
    if (c >= 'a' && c <= 'z') return {static_cast<WORD>(c - 'a' + 'A'), false};
    if (c >= 'A' && c <= 'Z') return {static_cast<WORD>(c), true};
    if (c == ' ') return {VK_SPACE, false};
    for (const PunctKey &p : kPunct) {
        if (p.plain == c) return {p.vk, false};
        if (p.shifted == c) return {p.vk, true};
    }
    return {0, false};
}

uint8_t ShiftedAscii(uint8_t unshifted)
{
    if (unshifted >= 'a' && unshifted <= 'z') return static_cast<uint8_t>(unshifted - 'a' + 'A');
    for (const PunctKey &p : kPunct)
        if (static_cast<uint8_t>(p.plain) == unshifted) return static_cast<uint8_t>(p.shifted);
    return unshifted;
}

bool KeyForFinal(char final, KeyInfo &out)
{
    switch (final) {
    case 'A': out = Nav(VK_UP); return true;
    case 'B': out = Nav(VK_DOWN); return true;
    case 'C': out = Nav(VK_RIGHT); return true;
    case 'D': out = Nav(VK_LEFT); return true;
    case 'H': out = Nav(VK_HOME); return true;
    case 'F': out = Nav(VK_END); return true;
    case 'E': out = Plain(VK_CLEAR); return true;
    case 'P': out = Plain(VK_F1); return true;
    case 'Q': out = Plain(VK_F2); return true;
    case 'R': out = Plain(VK_F3); return true;
    case 'S': out = Plain(VK_F4); return true;
    default: return false;
    }
}

bool KeyForTilde(int number, KeyInfo &out)
{
    switch (number) {
    case 1: case 7: out = Nav(VK_HOME); return true;
    case 2: out = Nav(VK_INSERT); return true;
    case 3: out = Nav(VK_DELETE); return true;
    case 4: case 8: out = Nav(VK_END); return true;
    case 5: out = Nav(VK_PRIOR); return true;
    case 6: out = Nav(VK_NEXT); return true;
    case 11: case 12: case 13: case 14: case 15: out = Plain(static_cast<WORD>(VK_F1 + number - 11)); return true;
    case 17: case 18: case 19: case 20: case 21: out = Plain(static_cast<WORD>(VK_F6 + number - 17)); return true;
    case 23: case 24: out = Plain(static_cast<WORD>(VK_F11 + number - 23)); return true;
    case 57427: out = Plain(VK_CLEAR); return true;
    default: return false;
    }
}

bool KeyForCode(uint32_t code, KeyInfo &out)
{
    out = KeyInfo{};
    switch (code) {
    case 9: out = {VK_TAB, '\t'}; return true;
    case 13: out = {VK_RETURN, '\r'}; return true;
    case 27: out = {VK_ESCAPE, 0x1B}; return true;
    case 127: out = {VK_BACK, 0x08}; return true;
    default: break;
    }
    if (code >= 0x20 && code < 0x7F) {
        AsciiKey k = KeyForAscii(static_cast<char>(code));
        out = {k.vk, static_cast<uint8_t>(code)};
        return k.vk != 0;
    }
    if (code >= kF13 && code <= kF24) {
        out = Plain(static_cast<WORD>(VK_F12 + 1 + (code - kF13)));
        return true;
    }
    if (code >= kKeypad0 && code <= kKeypad9) {
        out = {static_cast<WORD>(VK_NUMPAD0 + (code - kKeypad0)), static_cast<uint8_t>('0' + (code - kKeypad0))};
        return true;
    }
    for (const CodeKey &k : kFunctional)
        if (k.code == code) {
            out = k.key;
            return true;
        }
    // Other private-use numbers are keys this console has no code for.
    if (code >= 0xE000 && code <= 0xF8FF) return false;
    if (code < 0x20 || code > 0x10FFFF || (code >= 0x7F && code < 0xA0)) return false;
    out = {0, InputChar(code)};
    return true;
}

uint8_t InputChar(char32_t cp)
{
    int b = UnicodeToCp437(cp);
    return b < 0 ? static_cast<uint8_t>('?') : static_cast<uint8_t>(b);
}

}  // namespace tuikit::platform

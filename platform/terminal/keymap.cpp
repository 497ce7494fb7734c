#include "platform/terminal/keymap.h"

#include <cstring>

#include "platform/terminal/code_page.h"

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
constexpr uint32_t kF13 = 57376;
constexpr uint32_t kF24 = 57387;
constexpr uint32_t kKeypad0 = 57399;
constexpr uint32_t kKeypad9 = 57408;

struct CodeKey {
    uint32_t code;
    KeyInfo key;
};
constexpr CodeKey kFunctional[] = {
    {57358, {VK_CAPITAL, 0, false}},
    {57359, {VK_SCROLL, 0, false}},
    {57360, {VK_NUMLOCK, 0, true}},
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
    {57447, {VK_SHIFT, 0, false, SHIFT_PRESSED, 0x36}},  // the right one
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

bool KeyForCode(uint32_t code, UINT codePage, KeyInfo &out)
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
    out = {0, InputChar(code, codePage)};
    return true;
}

WORD ScanCodeFor(WORD vk)
{
    // Letters in alphabetical order, digits 1 to 9 then 0.
    static constexpr uint8_t kLetters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                             0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                             0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    static constexpr uint8_t kNumpad[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    static constexpr struct {
        WORD vk;
        uint8_t scan;
    } kOthers[] = {
        {VK_ESCAPE, 0x01},    {VK_OEM_MINUS, 0x0C}, {VK_OEM_PLUS, 0x0D},  {VK_BACK, 0x0E},      {VK_TAB, 0x0F},
        {VK_OEM_4, 0x1A},     {VK_OEM_6, 0x1B},     {VK_RETURN, 0x1C},    {VK_CONTROL, 0x1D},   {VK_OEM_1, 0x27},
        {VK_OEM_7, 0x28},     {VK_OEM_3, 0x29},     {VK_SHIFT, 0x2A},     {VK_OEM_5, 0x2B},     {VK_OEM_COMMA, 0x33},
        {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35},    {VK_DIVIDE, 0x35},    {VK_MULTIPLY, 0x37},  {VK_SNAPSHOT, 0x37},
        {VK_MENU, 0x38},      {VK_SPACE, 0x39},     {VK_CAPITAL, 0x3A},   {VK_NUMLOCK, 0x45},   {VK_PAUSE, 0x45},
        {VK_SCROLL, 0x46},    {VK_HOME, 0x47},      {VK_UP, 0x48},        {VK_PRIOR, 0x49},     {VK_SUBTRACT, 0x4A},
        {VK_LEFT, 0x4B},      {VK_CLEAR, 0x4C},     {VK_RIGHT, 0x4D},     {VK_ADD, 0x4E},       {VK_END, 0x4F},
        {VK_DOWN, 0x50},      {VK_NEXT, 0x51},      {VK_INSERT, 0x52},    {VK_DELETE, 0x53},    {VK_DECIMAL, 0x53},
        {VK_F11, 0x57},       {VK_F12, 0x58},       {VK_LWIN, 0x5B},      {VK_RWIN, 0x5C},      {VK_APPS, 0x5D},
        {VK_SEPARATOR, 0x7E},  // the keypad separator of boards that have one
    };
    if (vk >= 'A' && vk <= 'Z') return kLetters[vk - 'A'];
    if (vk >= '1' && vk <= '9') return static_cast<WORD>(vk - '1' + 0x02);
    if (vk == '0') return 0x0B;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return kNumpad[vk - VK_NUMPAD0];
    if (vk >= VK_F1 && vk <= VK_F10) return static_cast<WORD>(vk - VK_F1 + 0x3B);
    if (vk >= VK_F12 + 1 && vk < VK_F12 + 12) return static_cast<WORD>(vk - VK_F12 - 1 + 0x64);  // F13-F23
    if (vk == VK_F12 + 12) return 0x76;                                                           // F24
    for (const auto &k : kOthers)
        if (k.vk == vk) return k.scan;
    return 0;
}

uint8_t InputChar(char32_t cp, UINT codePage)
{
    int b = CodePageByte(cp, codePage);
    return b < 0 ? static_cast<uint8_t>('?') : static_cast<uint8_t>(b);
}

}  // namespace tuikit::platform

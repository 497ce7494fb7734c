// What terminal key codes mean as Win32 keys: the virtual-key codes, scan
// codes and characters a US layout gives, for text, legacy escape sequences
// and the key numbers of the extended keyboard protocol.
#pragma once

#include <cstdint>

#include "tuikit/win32.h"

namespace tuikit::platform {

struct KeyInfo {
    WORD vk = 0;
    uint8_t ch = 0;         // character in the input code page, 0 for none
    bool enhanced = false;  // a key of the separate navigation cluster
    DWORD modifier = 0;     // for a modifier key: the state bit it holds
    WORD scan = 0;          // the key's scan code when not ScanCodeFor(vk)
};

// The key that types the printable ASCII character c on a US layout, with
// whether Shift is held for it.
struct AsciiKey {
    WORD vk;
    bool shift;
};
AsciiKey KeyForAscii(char c);

// The character a key gives on a US layout: unshifted is the key's own
// (lower-case) character, as the extended protocol reports it.
uint8_t ShiftedAscii(uint8_t unshifted);

// Keys of "CSI 1 ; m X" and "SS3 X" (X one of A B C D E F H P Q R S).
bool KeyForFinal(char final, KeyInfo &out);
// Keys of "CSI n ; m ~".
bool KeyForTilde(int number, KeyInfo &out);
// A key number of the extended protocol: a Unicode code point for text
// keys (its character in codePage), or one of its private-use numbers for
// functional keys.
bool KeyForCode(uint32_t code, UINT codePage, KeyInfo &out);

// The set-1 scan code of the key a US layout gives vk to; 0 for none.
WORD ScanCodeFor(WORD vk);

// A typed code point as a character of the input code page; '?' when the
// code page has none.
uint8_t InputChar(char32_t cp, UINT codePage);

}  // namespace tuikit::platform

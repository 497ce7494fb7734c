#include "platform/terminal/decoder.h"

#include <algorithm>
#include <string_view>

#include "platform/terminal/keymap.h"

namespace tuikit::platform {

namespace {

constexpr char kEsc = 0x1B;
constexpr std::string_view kPasteEnd = "\x1b[201~";
constexpr DWORD kAltBits = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
constexpr DWORD kCtrlBits = LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED;

// Modifier bits of "CSI ... ; m" (m - 1).
constexpr int kModShift = 1;
constexpr int kModAlt = 2;
constexpr int kModCtrl = 4;
constexpr int kModCapsLock = 64;
constexpr int kModNumLock = 128;

// Event types of the extended keyboard protocol.
constexpr int kPress = 1;
constexpr int kRelease = 3;

bool IsParamByte(uint8_t b) { return b >= 0x30 && b <= 0x3F; }
bool IsIntermediate(uint8_t b) { return b >= 0x20 && b <= 0x2F; }
bool IsFinal(uint8_t b) { return b >= 0x40 && b <= 0x7E; }

SHORT CellCoord(int oneBased) { return static_cast<SHORT>(std::clamp(oneBased - 1, 0, 0x7FFF)); }

}  // namespace

// Numeric parameters "a:b;c;d:e": fields separated by ';', sub-parameters
// by ':'; absent values are -1.
struct InputDecoder::Params {
    static constexpr int kFields = 8;
    static constexpr int kSubs = 4;
    int v[kFields][kSubs];
    int count = 0;

    bool Parse(const char *s, size_t n)
    {
        for (auto &f : v) std::fill(std::begin(f), std::end(f), -1);
        count = n ? 1 : 0;
        int sub = 0;
        for (size_t i = 0; i < n; ++i) {
            char c = s[i];
            if (c >= '0' && c <= '9') {
                if (count > kFields || sub >= kSubs) continue;
                int &cur = v[count - 1][sub];
                cur = std::min((cur < 0 ? 0 : cur) * 10 + (c - '0'), 10'000'000);
            } else if (c == ';') {
                ++count;
                sub = 0;
            } else if (c == ':') {
                ++sub;
            } else {
                return false;
            }
        }
        count = std::min(count, kFields);
        return true;
    }
    int Get(int field, int fallback, int sub = 0) const
    {
        if (field >= count || v[field][sub] < 0) return fallback;
        return v[field][sub];
    }
};

void InputDecoder::Feed(const char *data, size_t size, uint64_t nowMs, std::vector<INPUT_RECORD> &out)
{
    now_ = nowMs;
    out_ = &out;
    pending_.append(data, size);
    Run(false);
    // The timeout runs from the last byte received, so a sequence that
    // trickles in over a slow line is still given its time.
    if (!pending_.empty()) pendingSince_ = nowMs;
}

void InputDecoder::Expire(uint64_t nowMs, std::vector<INPUT_RECORD> &out)
{
    if (pending_.empty() || nowMs < pendingSince_ + kEscapeTimeoutMs) return;
    now_ = nowMs;
    out_ = &out;
    Run(true);
}

std::optional<uint64_t> InputDecoder::Deadline() const
{
    if (pending_.empty()) return std::nullopt;
    return pendingSince_ + kEscapeTimeoutMs;
}

void InputDecoder::Run(bool final)
{
    size_t pos = 0;
    while (pos < pending_.size()) {
        if (skipping_) {
            // The rest of a sequence dropped for its length.
            auto b = static_cast<uint8_t>(pending_[pos]);
            if (IsParamByte(b) || IsIntermediate(b)) {
                ++pos;
                continue;
            }
            skipping_ = false;
            if (IsFinal(b)) {
                ++pos;
                continue;
            }
        }
        size_t used = 0;
        if (DecodeAt(pos, final, used) == Step::NeedMore) break;
        pos += std::max<size_t>(used, 1);
    }
    pending_.erase(0, pos);
}

InputDecoder::Step InputDecoder::DecodeAt(size_t at, bool final, size_t &used)
{
    if (pasting_) return DecodePasted(at, final, used);
    if (pending_[at] != kEsc) return DecodeText(at, final, 0, used);
    if (at + 1 >= pending_.size()) {
        if (!final) return Step::NeedMore;
        Tap(VK_ESCAPE, 0x1B, 0);
        used = 1;
        return Step::Done;
    }
    char next = pending_[at + 1];
    if (next == kEsc) {
        // Escape pressed twice, or Escape before a sequence: the first is a key.
        Tap(VK_ESCAPE, 0x1B, 0);
        used = 1;
        return Step::Done;
    }
    if (next == '[' || next == 'O') {
        size_t n = 0;
        Step step = next == '[' ? DecodeCsi(at + 2, final, n) : DecodeSs3(at + 2, final, n);
        // A CSI always ends here (even a broken one, dropped); an SS3 only
        // when a key followed.
        if (step == Step::Done && (next == '[' || n > 0)) {
            used = 2 + n;
            return Step::Done;
        }
        if (step == Step::NeedMore && !final) return Step::NeedMore;
        // Cut short, or no sequence after all: Alt with '[' or 'O'.
        TextChar(static_cast<char32_t>(next), LEFT_ALT_PRESSED);
        used = 2;
        return Step::Done;
    }
    size_t n = 0;
    if (DecodeText(at + 1, final, LEFT_ALT_PRESSED, n) == Step::NeedMore) return Step::NeedMore;
    used = 1 + n;
    return Step::Done;
}

// Pasted text is characters only, up to the paste's end marker: an ESC in it
// is dropped rather than taken for Escape or Alt.
InputDecoder::Step InputDecoder::DecodePasted(size_t at, bool final, size_t &used)
{
    if (pending_[at] != kEsc) return DecodeText(at, final, 0, used);
    std::string_view rest = std::string_view(pending_).substr(at, kPasteEnd.size());
    if (rest == kPasteEnd) {
        pasting_ = false;
        used = kPasteEnd.size();
        return Step::Done;
    }
    if (!final && kPasteEnd.starts_with(rest)) return Step::NeedMore;
    used = 1;
    return Step::Done;
}

InputDecoder::Step InputDecoder::DecodeText(size_t at, bool final, DWORD state, size_t &used)
{
    auto b = static_cast<uint8_t>(pending_[at]);
    used = 1;
    if (b < 0x80) {
        if (b < 0x20 || b == 0x7F) Control(b, state);
        else TextChar(b, state);
        return Step::Done;
    }
    size_t len = (b >= 0xC2 && b < 0xE0) ? 2 : (b >= 0xE0 && b < 0xF0) ? 3 : (b >= 0xF0 && b < 0xF5) ? 4 : 0;
    if (len == 0) return Step::Done;  // a stray byte: dropped
    char32_t cp = b & (0x3F >> (len - 1));
    for (size_t i = 1; i < len; ++i) {
        if (at + i >= pending_.size()) return final ? Step::Done : Step::NeedMore;
        auto c = static_cast<uint8_t>(pending_[at + i]);
        if ((c & 0xC0) != 0x80) return Step::Done;  // broken: drop the lead byte
        cp = (cp << 6) | (c & 0x3F);
    }
    bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return Step::Done;
    used = len;
    if (cp >= 0x80 && cp < 0xA0) return Step::Done;  // C1 controls are not typed
    TextChar(cp, state);
    return Step::Done;
}

InputDecoder::Step InputDecoder::DecodeCsi(size_t at, bool final, size_t &used)
{
    size_t size = pending_.size();
    if (at < size && pending_[at] == 'M') return DecodeX10Mouse(at + 1, final, used);
    size_t i = at;
    char prefix = 0;
    if (i < size && (pending_[i] == '<' || pending_[i] == '=' || pending_[i] == '>' || pending_[i] == '?'))
        prefix = pending_[i++];
    size_t paramStart = i;
    while (i < size && IsParamByte(static_cast<uint8_t>(pending_[i]))) ++i;
    size_t paramEnd = i;
    while (i < size && IsIntermediate(static_cast<uint8_t>(pending_[i]))) ++i;
    if (i - at > kMaxSequence) {
        // Too long to be anything: dropped, up to its end if it has come.
        used = i - at;
        if (i < size && IsFinal(static_cast<uint8_t>(pending_[i]))) ++used;
        else skipping_ = true;
        return Step::Done;
    }
    if (i >= size) return Step::NeedMore;
    auto fb = static_cast<uint8_t>(pending_[i]);
    if (!IsFinal(fb)) {
        // Broken off by a byte that cannot be in a sequence: drop what came
        // before it and decode it afresh.
        used = i - at;
        return Step::Done;
    }
    used = i + 1 - at;
    Params p;
    if (!p.Parse(pending_.data() + paramStart, paramEnd - paramStart)) return Step::Done;
    Csi(prefix, pending_.substr(paramEnd, i - paramEnd), static_cast<char>(fb), p);
    return Step::Done;
}

InputDecoder::Step InputDecoder::DecodeSs3(size_t at, bool final, size_t &used)
{
    (void)final;
    if (at >= pending_.size()) return Step::NeedMore;
    KeyInfo key;
    if (!KeyForFinal(pending_[at], key)) {
        used = 0;
        return Step::Done;
    }
    LegacyKey(key.vk, key.ch, key.enhanced, 1, kPress, false);
    used = 1;
    return Step::Done;
}

InputDecoder::Step InputDecoder::DecodeX10Mouse(size_t at, bool final, size_t &used)
{
    (void)final;
    if (at + 3 > pending_.size()) return Step::NeedMore;
    int code = static_cast<uint8_t>(pending_[at]) - 32;
    int x = static_cast<uint8_t>(pending_[at + 1]) - 32;
    int y = static_cast<uint8_t>(pending_[at + 2]) - 32;
    used = 4;  // 'M' and three bytes
    if (code < 0 || x < 1 || y < 1) return Step::Done;
    bool releaseAny = (code & 0x63) == 3;  // release: the button is not told
    Mouse(code, x, y, false, releaseAny);
    return Step::Done;
}

void InputDecoder::Csi(char prefix, const std::string &inter, char finalByte, const Params &p)
{
    if (prefix == '<') {
        if ((finalByte == 'M' || finalByte == 'm') && inter.empty() && p.count >= 3)
            Mouse(p.Get(0, 0), p.Get(1, 1), p.Get(2, 1), finalByte == 'm', false);
        return;
    }
    if (prefix == '?') {
        if (finalByte == 'u' && inter.empty()) replies_.keyboardFlags = p.Get(0, 0);
        else if (finalByte == 'c') replies_.deviceAttributes = true;
        else if (finalByte == 'y' && inter == "$" && p.Get(0, 0) == 2026) replies_.syncOutputMode = p.Get(1, 0);
        return;
    }
    if (prefix != 0 || !inter.empty()) return;
    int mods = p.Get(1, 1);
    int event = p.Get(1, kPress, 1);
    KeyInfo key;
    switch (finalByte) {
    case 'u':
        if (p.Get(0, -1) >= 0) CodeKey(static_cast<uint32_t>(p.Get(0, 0)), mods, event);
        return;
    case '~': {
        int number = p.Get(0, 0);
        if (number == 200 || number == 201) {
            pasting_ = number == 200;  // the terminal's paste markers
        } else if (number == 27 && p.count >= 3) {
            CodeKey(static_cast<uint32_t>(p.Get(2, 0)), mods, kPress);  // xterm's modified keys
        } else if (KeyForTilde(number, key)) {
            LegacyKey(key.vk, key.ch, key.enhanced, mods, event, releasesReported_);
        }
        return;
    }
    case 'Z':  // Shift+Tab
        LegacyKey(VK_TAB, '\t', false, ((std::max(mods, 1) - 1) | kModShift) + 1, event, releasesReported_);
        return;
    case '_':
        Win32Key(p);
        return;
    default:
        if (KeyForFinal(finalByte, key)) LegacyKey(key.vk, key.ch, key.enhanced, mods, event, releasesReported_);
        return;
    }
}

void InputDecoder::Control(uint8_t b, DWORD state)
{
    switch (b) {
    case 0x0D: Tap(VK_RETURN, '\r', state); return;
    case 0x09: Tap(VK_TAB, '\t', state); return;
    case 0x7F: Tap(VK_BACK, 0x08, state); return;
    case 0x08: Tap(VK_BACK, 0x7F, state | LEFT_CTRL_PRESSED); return;  // Ctrl+Backspace
    case 0x00: Tap(VK_SPACE, ' ', state | LEFT_CTRL_PRESSED); return;
    case 0x1B: Tap(VK_ESCAPE, 0x1B, state); return;
    case 0x1C: Tap(VK_OEM_5, b, state | LEFT_CTRL_PRESSED); return;
    case 0x1D: Tap(VK_OEM_6, b, state | LEFT_CTRL_PRESSED); return;
    case 0x1E: Tap('6', b, state | LEFT_CTRL_PRESSED | SHIFT_PRESSED); return;
    case 0x1F: Tap(VK_OEM_MINUS, b, state | LEFT_CTRL_PRESSED | SHIFT_PRESSED); return;
    default: Tap(static_cast<WORD>('A' + b - 1), b, state | LEFT_CTRL_PRESSED); return;  // Ctrl+letter
    }
}

void InputDecoder::TextChar(char32_t cp, DWORD state)
{
    if (cp < 0x80) {
        AsciiKey k = KeyForAscii(static_cast<char>(cp));
        Tap(k.vk, static_cast<uint8_t>(cp), state | (k.shift ? SHIFT_PRESSED : 0));
        return;
    }
    Tap(0, InputChar(cp, codePage_), state);
}

void InputDecoder::LegacyKey(WORD vk, uint8_t ch, bool enhanced, int mods, int event, bool reportsRelease)
{
    DWORD state = StateFor(mods) | (enhanced ? ENHANCED_KEY : 0);
    if (!reportsRelease && event == kPress) Tap(vk, ch, state);
    else Key(event != kRelease, vk, ch, state);
}

void InputDecoder::CodeKey(uint32_t code, int mods, int event)
{
    KeyInfo key;
    if (!KeyForCode(code, codePage_, key)) return;
    if (key.modifier & (RIGHT_ALT_PRESSED | RIGHT_CTRL_PRESSED)) {
        if (event == kRelease) heldSides_ &= ~key.modifier;
        else heldSides_ |= key.modifier;
    }
    DWORD state = StateFor(mods) | (key.enhanced ? ENHANCED_KEY : 0);
    if (key.modifier) {
        // A modifier key's own record shows it held while down and gone on release.
        DWORD family = (key.modifier & kAltBits) ? kAltBits : (key.modifier & kCtrlBits) ? kCtrlBits : key.modifier;
        if (event == kRelease) state &= ~family;
        else state = (state & ~family) | key.modifier;
    }
    int bits = std::max(mods, 1) - 1;
    uint8_t ch = key.ch;
    if (code >= 'a' && code <= 'z') {
        if (((bits & kModShift) != 0) != ((bits & kModCapsLock) != 0)) ch = ShiftedAscii(ch);
        if (bits & kModCtrl) ch = static_cast<uint8_t>(code & 0x1F);
    } else if (code >= 0x20 && code < 0x7F) {
        if (bits & kModShift) ch = ShiftedAscii(ch);
        if ((bits & kModCtrl) && (code == '[' || code == '\\' || code == ']')) ch = static_cast<uint8_t>(code & 0x1F);
    }
    if (!releasesReported_ && event == kPress) Tap(key.vk, ch, state, key.scan);
    else Key(event != kRelease, key.vk, ch, state, key.scan);
}

void InputDecoder::Win32Key(const Params &p)
{
    INPUT_RECORD r{};
    r.EventType = KEY_EVENT;
    KEY_EVENT_RECORD &k = r.Event.KeyEvent;
    k.wVirtualKeyCode = static_cast<WORD>(p.Get(0, 0));
    k.wVirtualScanCode = static_cast<WORD>(p.Get(1, 0));
    int uc = p.Get(2, 0);
    k.uChar.AsciiChar = static_cast<CHAR>(InputChar(static_cast<char32_t>(uc), codePage_));
    k.bKeyDown = p.Get(3, 0) != 0 ? TRUE : FALSE;
    k.dwControlKeyState = static_cast<DWORD>(p.Get(4, 0));
    k.wRepeatCount = static_cast<WORD>(std::clamp(p.Get(5, 1), 1, 0xFFFF));
    out_->push_back(r);
}

void InputDecoder::Mouse(int code, int x, int y, bool release, bool releaseAny)
{
    if (code & 128) return;  // buttons 8 and up: nothing to report them as
    DWORD state = 0;
    if (code & 4) state |= SHIFT_PRESSED;
    if (code & 8) state |= LEFT_ALT_PRESSED;
    if (code & 16) state |= LEFT_CTRL_PRESSED;
    int button = code & 3;
    static constexpr DWORD kBits[4] = {FROM_LEFT_1ST_BUTTON_PRESSED, FROM_LEFT_2ND_BUTTON_PRESSED,
                                       RIGHTMOST_BUTTON_PRESSED, 0};
    DWORD bit = kBits[button];
    COORD pos{CellCoord(x), CellCoord(y)};
    DWORD flags = 0;
    DWORD reported;
    if (code & 64) {
        // Wheel: the distance rides in the high word, positive up or right.
        bool horizontal = button >= 2;
        int delta = (button & 1) ? (horizontal ? 120 : -120) : (horizontal ? -120 : 120);
        flags = horizontal ? MOUSE_HWHEELED : MOUSE_WHEELED;
        reported = buttons_ | (static_cast<DWORD>(static_cast<WORD>(static_cast<SHORT>(delta))) << 16);
    } else {
        if (releaseAny) {
            buttons_ = 0;
        } else if (code & 32) {
            flags = MOUSE_MOVED;
            if (bit) buttons_ |= bit;
            else buttons_ = 0;  // nothing held: releases were missed
        } else if (release) {
            buttons_ &= ~bit;
        } else if (bit) {
            buttons_ |= bit;
            const Press &last = lastPress_;
            bool again = last.button == bit && last.x == pos.X && last.y == pos.Y && !last.wasDouble &&
                         now_ - last.time <= kDoubleClickMs;
            if (again) {
                flags = DOUBLE_CLICK;
                lastPress_.wasDouble = true;
            } else {
                lastPress_ = Press{bit, pos.X, pos.Y, now_, false};
            }
        }
        reported = buttons_;
    }
    INPUT_RECORD r{};
    r.EventType = MOUSE_EVENT;
    r.Event.MouseEvent.dwMousePosition = pos;
    r.Event.MouseEvent.dwButtonState = reported;
    r.Event.MouseEvent.dwControlKeyState = state;
    r.Event.MouseEvent.dwEventFlags = flags;
    out_->push_back(r);
}

DWORD InputDecoder::StateFor(int mods) const
{
    int bits = std::max(mods, 1) - 1;
    DWORD s = 0;
    if (bits & kModShift) s |= SHIFT_PRESSED;
    if (bits & kModAlt) s |= (heldSides_ & RIGHT_ALT_PRESSED) ? RIGHT_ALT_PRESSED : LEFT_ALT_PRESSED;
    if (bits & kModCtrl) s |= (heldSides_ & RIGHT_CTRL_PRESSED) ? RIGHT_CTRL_PRESSED : LEFT_CTRL_PRESSED;
    if (bits & kModCapsLock) s |= CAPSLOCK_ON;
    if (bits & kModNumLock) s |= NUMLOCK_ON;
    return s;
}

void InputDecoder::Key(bool down, WORD vk, uint8_t ch, DWORD state, WORD scan)
{
    INPUT_RECORD r{};
    r.EventType = KEY_EVENT;
    r.Event.KeyEvent.bKeyDown = down ? TRUE : FALSE;
    r.Event.KeyEvent.wRepeatCount = 1;
    r.Event.KeyEvent.wVirtualKeyCode = vk;
    r.Event.KeyEvent.wVirtualScanCode = scan ? scan : ScanCodeFor(vk);
    r.Event.KeyEvent.uChar.AsciiChar = static_cast<CHAR>(ch);
    r.Event.KeyEvent.dwControlKeyState = state;
    out_->push_back(r);
}

// A key whose release the terminal does not report: pressed and released at
// once, with Alt pressed around it when it was typed with Alt.
void InputDecoder::Tap(WORD vk, uint8_t ch, DWORD state, WORD scan)
{
    bool alt = (state & kAltBits) && vk != VK_MENU;
    DWORD plain = state & ~(kAltBits | ENHANCED_KEY);
    if (alt) Key(true, VK_MENU, 0, plain | (state & kAltBits));
    Key(true, vk, ch, state, scan);
    Key(false, vk, ch, state, scan);
    if (alt) Key(false, VK_MENU, 0, plain);
}

}  // namespace tuikit::platform

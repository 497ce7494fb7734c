// Turns the bytes a terminal sends into console input records: keys (legacy
// xterm sequences, ESC-prefixed Alt, the extended keyboard protocol and
// win32-input-mode), bracketed paste, SGR and X10 mouse reports, and the terminal's answers
// to start-up probes. Pure: bytes and a clock in, records out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tuikit/win32.h"

namespace tuikit::platform {

// What the terminal said about itself.
struct TerminalReplies {
    bool deviceAttributes = false;  // primary device attributes arrived
    int keyboardFlags = -1;         // extended keyboard protocol flags, -1 unsupported
    int syncOutputMode = -1;        // DECRPM state of mode 2026, -1 no answer
};

class InputDecoder {
public:
    // A lone ESC, or a sequence cut short, is taken as typed after this long.
    static constexpr uint64_t kEscapeTimeoutMs = 20;
    // A second press of a button on the same cell within this is a double click.
    static constexpr uint64_t kDoubleClickMs = 500;
    // Longer escape sequences are garbage and are dropped.
    static constexpr size_t kMaxSequence = 128;

    // With the extended keyboard protocol on, keys sent as sequences report
    // their own releases; without it every key is pressed and released at once.
    void SetReleasesReported(bool on) { releasesReported_ = on; }
    bool ReleasesReported() const { return releasesReported_; }
    // Typed text becomes characters of this code page (437 until told).
    void SetInputCodePage(UINT codePage) { codePage_ = codePage; }

    // Decodes bytes that arrived at nowMs; complete input is appended to out,
    // an incomplete sequence is kept for the next call.
    void Feed(const char *data, size_t size, uint64_t nowMs, std::vector<INPUT_RECORD> &out);
    // Resolves a kept sequence once the escape timeout has passed.
    void Expire(uint64_t nowMs, std::vector<INPUT_RECORD> &out);
    // When Expire has something to resolve; nothing when no bytes are kept.
    std::optional<uint64_t> Deadline() const;

    const TerminalReplies &Replies() const { return replies_; }

private:
    struct Params;
    enum class Step { Done, NeedMore };

    void Run(bool final);
    Step DecodeAt(size_t at, bool final, size_t &used);
    Step DecodeText(size_t at, bool final, DWORD state, size_t &used);
    Step DecodePasted(size_t at, bool final, size_t &used);
    Step DecodeCsi(size_t at, bool final, size_t &used);
    Step DecodeSs3(size_t at, bool final, size_t &used);
    Step DecodeX10Mouse(size_t at, bool final, size_t &used);
    void Csi(char prefix, const std::string &inter, char finalByte, const Params &p);

    void Control(uint8_t b, DWORD state);
    void TextChar(char32_t cp, DWORD state);
    void LegacyKey(WORD vk, uint8_t ch, bool enhanced, int mods, int event, bool reportsRelease);
    void CodeKey(uint32_t code, int mods, int event);
    void Win32Key(const Params &p);
    void Mouse(int code, int x, int y, bool release, bool releaseAny);

    DWORD StateFor(int mods) const;
    // scan 0: the scan code of vk's key.
    void Key(bool down, WORD vk, uint8_t ch, DWORD state, WORD scan = 0);
    void Tap(WORD vk, uint8_t ch, DWORD state, WORD scan = 0);

    std::string pending_;
    uint64_t pendingSince_ = 0;
    uint64_t now_ = 0;
    std::vector<INPUT_RECORD> *out_ = nullptr;
    bool releasesReported_ = false;
    UINT codePage_ = 437;
    bool skipping_ = false;  // inside a sequence dropped for its length
    bool pasting_ = false;   // between the terminal's paste markers
    TerminalReplies replies_;

    DWORD heldSides_ = 0;  // right-hand Ctrl/Alt held, from modifier key reports
    DWORD buttons_ = 0;    // mouse buttons held
    struct Press {
        DWORD button = 0;
        int x = -1, y = -1;
        uint64_t time = 0;
        bool wasDouble = false;
    } lastPress_;
};

}  // namespace tuikit::platform

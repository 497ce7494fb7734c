#include "mapi/text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "tuikit/win32.h"

// The console layer of the program that loaded us, when there is one.
extern "C" UINT GetConsoleOutputCP(void) __attribute__((weak));

namespace tuikit::mapi {

namespace {

constexpr unsigned kUtf8 = 65001;

// One UTF-8 sequence at s[i], advancing i; invalid bytes read as Latin-1.
char32_t DecodeUtf8(std::string_view s, size_t &i)
{
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b = byte(i);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra > 0 && i + extra < s.size()) {
        char32_t cp = b & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; ok && k <= extra; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (byte(i + k) & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (ok && cp >= kMin[extra] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF)) {
            i += extra + 1;
            return cp;
        }
    }
    ++i;
    return b;
}

void EncodeUtf8(char32_t cp, std::string &out)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code point of one byte of a page, through the C library's tables.
char32_t ByteToCodePoint(iconv_t cd, unsigned char byte)
{
    char in = static_cast<char>(byte);
    char32_t out = 0;
    char *inPtr = &in, *outPtr = reinterpret_cast<char *>(&out);
    size_t inLeft = 1, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || outLeft != 0) return 0;
    return out;
}

}  // namespace

TextCodec::TextCodec(unsigned codePage)
{
    if (codePage == kUtf8) {
        utf8_ = true;
        return;
    }
    iconv_t cd = iconv_open("UTF-32LE", ("CP" + std::to_string(codePage)).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return;  // unknown page: ASCII only
    for (int b = 0x80; b <= 0xFF; ++b) high_[b - 0x80] = ByteToCodePoint(cd, static_cast<unsigned char>(b));
    iconv_close(cd);
}

const TextCodec &TextCodec::Console()
{
    static std::mutex lock;
    static std::map<unsigned, TextCodec> codecs;
    unsigned page = GetConsoleOutputCP ? GetConsoleOutputCP() : 437;
    std::lock_guard guard(lock);
    auto it = codecs.find(page);
    if (it == codecs.end()) it = codecs.emplace(page, TextCodec(page)).first;
    return it->second;
}

std::string TextCodec::FromUtf8(std::string_view utf8) const
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        size_t start = i;
        char32_t cp = DecodeUtf8(utf8, i);
        if (cp == '\r') {
            if (i < utf8.size() && utf8[i] == '\n') ++i;
            out += '\n';
        } else if (cp == 0) {
            out += '?';
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (utf8_) {
            if (i - start > 1) out.append(utf8.substr(start, i - start));
            else EncodeUtf8(cp, out);
        } else {
            auto found = std::find(std::begin(high_), std::end(high_), cp);
            out += found == std::end(high_) ? '?' : static_cast<char>(0x80 + (found - std::begin(high_)));
        }
    }
    return out;
}

std::string TextCodec::ToUtf8(std::string_view bytes) const
{
    if (utf8_) {
        std::string out;
        for (size_t i = 0; i < bytes.size();) EncodeUtf8(DecodeUtf8(bytes, i), out);
        return out;
    }
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        char32_t cp = b < 0x80 ? b : high_[b - 0x80];
        EncodeUtf8(cp ? cp : U'?', out);
    }
    return out;
}

}  // namespace tuikit::mapi

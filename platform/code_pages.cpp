#include "platform/code_pages.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>
#include <mutex>

#include "platform/terminal/cp437.h"

namespace tuikit::platform {

namespace {

// Opens a converter from the page to UTF-32 under the names iconv uses.
iconv_t OpenPage(UINT number)
{
    for (const char *prefix : {"CP", "WINDOWS-", "IBM"}) {
        iconv_t cd = iconv_open("UTF-32LE", (prefix + std::to_string(number)).c_str());
        if (cd != reinterpret_cast<iconv_t>(-1)) return cd;
    }
    return reinterpret_cast<iconv_t>(-1);
}

// Converts one byte; false when the page needs more than one byte for it
// (it is not a single-byte page). ch stays 0 for a byte with no character.
bool ConvertByte(iconv_t cd, uint8_t byte, char32_t &ch)
{
    char in = static_cast<char>(byte);
    unsigned char out[16];
    char *inp = &in, *outp = reinterpret_cast<char *>(out);
    size_t inLeft = 1, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    ch = 0;
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1)) return errno != EINVAL;
    if (sizeof out - outLeft >= 4) ch = out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
    return true;
}

}  // namespace

const CodePage *CodePage::Find(UINT number)
{
    // Never destroyed: the terminal may draw while static destructors run.
    static auto *lock = new std::mutex;
    static auto *pages = new std::map<UINT, std::unique_ptr<CodePage>>;  // null: not a single-byte page
    std::lock_guard guard(*lock);
    auto it = pages->find(number);
    if (it != pages->end()) return it->second.get();
    auto page = std::make_unique<CodePage>();  // before the converter, which must not leak
    iconv_t cd = number > 0 && number < 65000 ? OpenPage(number) : reinterpret_cast<iconv_t>(-1);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        page.reset();
    } else {
        for (int b = 0; b < 256 && page; ++b)
            if (!ConvertByte(cd, static_cast<uint8_t>(b), page->chars_[b])) page.reset();
        iconv_close(cd);
    }
    if (page) {
        for (int b = 0; b < 256; ++b) {
            char32_t c = page->chars_[b];
            bool shown = c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0);
            page->glyphs_[b] = shown ? CodePointToUtf8(c) : Cp437ToUtf8(static_cast<uint8_t>(b));
        }
    }
    return pages->emplace(number, std::move(page)).first->second.get();
}

int CodePage::FromUnicode(char32_t ch) const
{
    if (ch == 0) return -1;
    for (int b = 0; b < 256; ++b)
        if (chars_[b] == ch) return b;
    return -1;
}

}  // namespace tuikit::platform

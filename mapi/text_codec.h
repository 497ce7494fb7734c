// Text between the messages' Unicode and the console's single-byte output
// code page: the program reads and writes mail text in that page, as it
// reads and writes the screen.
#pragma once

#include <string>
#include <string_view>

namespace tuikit::mapi {

class TextCodec {
public:
    // The codec for the console output code page of this process (437 when
    // no console layer is loaded).
    static const TextCodec &Console();
    explicit TextCodec(unsigned codePage);

    // UTF-8 to the page: characters the page lacks become '?', line ends
    // become "\n", invalid UTF-8 bytes are taken as Latin-1.
    std::string FromUtf8(std::string_view utf8) const;
    // Bytes of the page to UTF-8.
    std::string ToUtf8(std::string_view bytes) const;

private:
    bool utf8_ = false;
    char32_t high_[128] = {};  // code points of bytes 0x80-0xFF, 0 for none
};

}  // namespace tuikit::mapi

#include "menu/template_reader.h"

#include <cstring>

namespace tuikit::menu {

namespace {

constexpr uint16_t kPopupFlag = 0x0010;  // MF_POPUP: the entry stores no id
constexpr size_t kFixedPartSize = 18;

}  // namespace

int TemplateReader::Attach(const void *data, uint32_t size)
{
    data_ = static_cast<const uint8_t *>(data);
    size_ = data_ ? size : 0;
    sized_ = true;
    position = 0;
    remaining = static_cast<uint32_t>(size_);
    return 1;
}

int TemplateReader::Attach(const void *data)
{
    data_ = static_cast<const uint8_t *>(data);
    size_ = 0;
    sized_ = false;
    position = 0;
    remaining = 0;
    return 1;
}

void TemplateReader::Fetch(size_t at, uint8_t *out, size_t count) const
{
    if (!sized_) {
        std::memcpy(out, data_ + at, count);
        return;
    }
    for (size_t i = 0; i < count; ++i)
        out[i] = (at < size_ && i < size_ - at) ? data_[at + i] : 0;
}

void TemplateReader::Advance(size_t bytes, bool counted)
{
    position += bytes;
    if (counted && sized_) remaining = remaining >= bytes ? static_cast<uint32_t>(remaining - bytes) : 0;
}

void TemplateReader::ReadWord(uint16_t &out)
{
    uint8_t b[2];
    Fetch(position, b, 2);
    out = static_cast<uint16_t>(b[0] | (b[1] << 8));
    Advance(2, true);
}

int16_t TemplateReader::PeekWord() const
{
    uint8_t b[2];
    Fetch(position, b, 2);
    return static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
}

uint32_t TemplateReader::PeekDword() const
{
    uint8_t b[4];
    Fetch(position, b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
           (static_cast<uint32_t>(b[3]) << 24);
}

void TemplateReader::ReadFixedPart(void *out)
{
    Fetch(position, static_cast<uint8_t *>(out), kFixedPartSize);
    Advance(kFixedPartSize, false);
}

void TemplateReader::ReadString(std::string &out)
{
    for (;;) {
        uint16_t unit;
        ReadWord(unit);
        // Past the end of a sized template every unit reads as 0, so a
        // truncated string ends there.
        if (unit == 0) return;
        auto byte = static_cast<char>(unit & 0xFF);
        if (byte != 0) out.push_back(byte);
    }
}

void TemplateReader::ReadMenuItem(MenuItemRecord &record)
{
    record.flags = 0;
    record.id = 0;
    record.text.clear();
    if (remaining == 0) return;
    ReadWord(record.flags);
    if (!(record.flags & kPopupFlag)) ReadWord(record.id);
    std::string text;
    ReadString(text);
    record.text = std::move(text);
}

}  // namespace tuikit::menu

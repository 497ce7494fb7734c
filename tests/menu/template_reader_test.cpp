// The template reader on hand-made units: what it hands out, and that a
// sized reader never reads past the template whatever the bytes.
#include <gtest/gtest.h>

#include <vector>

#include "menu/template_reader.h"

namespace tuikit::menu {
namespace {

// Units as little-endian bytes in an allocation of exactly their size, so
// that AddressSanitizer sees any read beyond it.
std::vector<uint8_t> Units(std::initializer_list<uint16_t> units)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(units.size() * 2);
    for (uint16_t u : units) bytes.push_back(uint8_t(u)), bytes.push_back(uint8_t(u >> 8));
    return bytes;
}

TEST(TemplateReader, ReadsPopupAndCommandEntriesKeepingTheLowByteOfEachUnit)
{
    auto t = Units({0, 0, 0x0010, '&', 'F', 0, 0x0000, 101, 'A', 0x0100, 0x263A, 0x00E9, 0, 0xFFFF, 0x0080});
    TemplateReader r;
    r.Attach(t.data(), uint32_t(t.size()));
    uint16_t w;
    r.ReadWord(w), r.ReadWord(w);
    MenuItemRecord rec;
    r.ReadMenuItem(rec);  // a popup entry stores no id
    EXPECT_EQ(rec.flags, 0x0010);
    EXPECT_EQ(rec.text, "&F");
    EXPECT_EQ(r.remaining, t.size() - 12);
    r.ReadMenuItem(rec);  // the text is replaced; 0x0100 adds nothing and ends nothing
    EXPECT_EQ(rec.id, 101);
    EXPECT_EQ(rec.text, "A:\xE9");
    EXPECT_EQ(r.position, 26u);
    EXPECT_EQ(r.PeekWord(), -1);
    EXPECT_EQ(r.PeekDword(), 0x0080FFFFu);
}

TEST(TemplateReader, NeverReadsPastASizedTemplate)
{
    auto t = Units({0x0000, 101, 'O', 'p'});
    TemplateReader r;
    r.Attach(t.data(), 0);
    MenuItemRecord rec{1, 1, "stale"};
    r.ReadMenuItem(rec);  // nothing remaining: an empty record, nothing moves
    EXPECT_EQ(rec.flags + rec.id + rec.text.size() + r.position, 0u);

    // A string cut off ends at the template's end; after it every unit,
    // peek and fixed part reads 0 and remaining stays at 0.
    r.Attach(t.data(), uint32_t(t.size()));
    r.ReadMenuItem(rec);
    EXPECT_EQ(rec.text, "Op");
    uint16_t w = 1;
    r.ReadWord(w);
    uint8_t part[18];
    r.ReadFixedPart(part);
    EXPECT_EQ(r.PeekDword() + w + part[0] + part[17] + r.remaining, 0u);

    std::vector<uint8_t> odd{'A', 0, 'B', 0, 'C'};  // an odd last byte is the low half of a unit
    r.Attach(odd.data(), 5);
    std::string s;
    r.ReadString(s);
    EXPECT_EQ(s, "ABC");
    EXPECT_EQ(r.remaining, 0u);
}

}  // namespace
}  // namespace tuikit::menu

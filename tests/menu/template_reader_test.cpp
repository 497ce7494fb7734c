// The template reader on hand-made units in an allocation of exactly their
// size: zeros, never a read, past the end of a sized template.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "menu/template_reader.h"

namespace tuikit::menu {
namespace {

TEST(TemplateReader, ReadsNothingPastASizedTemplate)
{
    std::vector<uint8_t> t{0x80, 0, 101, 0, 'O', 0, 'p', 0}, odd{'A', 0, 'B', 0, 'C'}, ordinal{0xFF, 0xFF, 0x80, 0};
    TemplateReader r;
    MenuItemRecord rec{1, 1, "stale"};
    r.Attach(t.data(), 0);
    r.ReadMenuItem(rec);  // nothing remaining: an empty record, and nothing moves
    EXPECT_EQ(std::tuple(rec.flags, rec.id, rec.text, r.position), std::tuple(0, 0, "", 0u));

    r.Attach(t.data(), uint32_t(t.size()));
    r.ReadMenuItem(rec);  // its text cut off by the template's end
    EXPECT_EQ(std::tuple(rec.flags, rec.id, rec.text), std::tuple(0x80, 101, "Op"));
    uint16_t w = 1;
    uint8_t part[18];
    r.ReadWord(w);
    r.ReadFixedPart(part);
    EXPECT_EQ(std::tuple(r.PeekWord(), r.PeekDword(), w, part[0] | part[17], r.remaining), std::tuple(0, 0u, 0, 0, 0u));

    r.Attach(odd.data(), 5);  // an odd last byte is the low half of a unit
    std::string s;
    r.ReadString(s);
    EXPECT_EQ(std::tuple(s, r.remaining), std::tuple("ABC", 0u));
    r.Attach(ordinal.data(), 4);
    EXPECT_EQ(std::tuple(r.PeekWord(), r.PeekDword()), std::tuple(-1, 0x0080FFFFu));
}

}  // namespace
}  // namespace tuikit::menu

// The template reader on hand-made units: what it hands out, and that a
// sized reader never reads past the template whatever the bytes.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "menu/template_reader.h"

namespace tuikit::menu {
namespace {

// Units as little-endian bytes in a buffer of exactly their size, so that
// AddressSanitizer sees any read beyond it.
class Units {
public:
    Units(std::initializer_list<uint16_t> units) : size_(units.size() * 2), bytes_(new uint8_t[size_])
    {
        size_t i = 0;
        for (uint16_t u : units) {
            bytes_[i++] = static_cast<uint8_t>(u & 0xFF);
            bytes_[i++] = static_cast<uint8_t>(u >> 8);
        }
    }
    const uint8_t *data() const { return bytes_.get(); }
    uint32_t size() const { return static_cast<uint32_t>(size_); }

private:
    size_t size_;
    std::unique_ptr<uint8_t[]> bytes_;
};

TEST(TemplateReader, ReadsAPopupEntryAfterTheHeader)
{
    Units t{0, 0, 0x0010, '&', 'F', 'i', 'l', 'e', 0};
    TemplateReader r;
    r.Attach(t.data(), t.size());
    uint16_t w;
    r.ReadWord(w);
    r.ReadWord(w);
    uint32_t before = r.remaining;
    MenuItemRecord rec;
    r.ReadMenuItem(rec);
    EXPECT_EQ(rec.flags, 0x0010);
    EXPECT_EQ(rec.id, 0);
    EXPECT_EQ(rec.text, "&File");
    EXPECT_EQ(r.position, 4u + 14u);
    EXPECT_EQ(before - r.remaining, 14u);
}

TEST(TemplateReader, ReadsACommandEntryWithItsId)
{
    Units t{0x0000, 0x0065, 'O', 'p', 'e', 'n', 0};
    TemplateReader r;
    r.Attach(t.data(), t.size());
    MenuItemRecord rec;
    rec.text = "stale";  // replaced, not appended to
    r.ReadMenuItem(rec);
    EXPECT_EQ(rec.flags, 0);
    EXPECT_EQ(rec.id, 101);
    EXPECT_EQ(rec.text, "Open");
    EXPECT_EQ(r.remaining, 0u);
}

TEST(TemplateReader, KeepsTheLowByteOfEachUnitAndSkipsUnitsWhoseLowByteIsZero)
{
    Units t{0x0041, 0x0100, 0x0042, 0x263A, 0x00E9, 0x0000, 0x0043};
    TemplateReader r;
    r.Attach(t.data(), t.size());
    std::string s;
    r.ReadString(s);
    EXPECT_EQ(s, std::string("AB:\xE9"));
    EXPECT_EQ(r.position, 12u);  // past the terminator, not past the C
}

TEST(TemplateReader, PeeksWithoutMovingAndCopiesFixedPartsUncounted)
{
    Units t{0xFFFF, 0x0080, 3, 4, 5, 6, 7, 8, 9, 10};
    TemplateReader r;
    r.Attach(t.data(), t.size());
    EXPECT_EQ(r.PeekWord(), -1);
    EXPECT_EQ(r.PeekDword(), 0x0080FFFFu);
    EXPECT_EQ(r.position, 0u);
    uint8_t part[18];
    r.ReadFixedPart(part);
    EXPECT_EQ(r.position, 18u);
    EXPECT_EQ(part[2], 0x80);
    EXPECT_EQ(part[16], 9);
    EXPECT_EQ(r.remaining, 20u);
}

TEST(TemplateReader, NeverReadsPastASizedTemplate)
{
    // Nothing remaining: an empty record, and nothing moves.
    Units t{0x0000, 0x0065, 'O', 'p'};
    TemplateReader r;
    r.Attach(t.data(), 0);
    MenuItemRecord rec;
    rec.text = "stale";
    r.ReadMenuItem(rec);
    EXPECT_EQ(rec.text, "");
    EXPECT_EQ(r.position, 0u);

    // A string cut off before its terminator ends at the template's end;
    // after that every unit and peek reads 0 and remaining stays at 0.
    r.Attach(t.data(), t.size());
    r.ReadMenuItem(rec);
    EXPECT_EQ(rec.id, 101);
    EXPECT_EQ(rec.text, "Op");
    EXPECT_EQ(r.remaining, 0u);
    EXPECT_EQ(r.PeekDword(), 0u);
    uint16_t w = 1;
    r.ReadWord(w);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(r.remaining, 0u);
    uint8_t part[18];
    r.ReadFixedPart(part);
    EXPECT_EQ(part[17], 0);

    // An odd last byte is the low half of a unit.
    std::unique_ptr<uint8_t[]> odd(new uint8_t[5]{'A', 0, 'B', 0, 'C'});
    r.Attach(odd.get(), 5);
    std::string s;
    r.ReadString(s);
    EXPECT_EQ(s, "ABC");
    EXPECT_EQ(r.remaining, 0u);
}

}  // namespace
}  // namespace tuikit::menu

// Resource lookup over .res images compiled by llvm-rc: names without
// regard to case, "#123" and integer ids, the type deciding between equal
// names, any order of entries, and malformed images refused whole.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/resources.h"
#include "tuikit/tuikit.h"

namespace tuikit::platform {
namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Dword(const Bytes &b, size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24; }

// lookup.res cut into its entries (data size, header size, ..., padding).
std::vector<Bytes> Entries()
{
    std::ifstream in(TUIKIT_LOOKUP_RES, std::ios::binary);
    Bytes image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<Bytes> out;
    for (size_t at = 0, end; at + 8 <= image.size(); at = end) {
        end = (at + Dword(image, at) + Dword(image, at + 4) + 3) & ~size_t{3};
        out.emplace_back(image.begin() + long(at), image.begin() + long(end));
    }
    EXPECT_EQ(out.size(), 6u) << "cannot read " << TUIKIT_LOOKUP_RES;
    return out;
}

Bytes Join(const std::vector<Bytes> &entries)
{
    Bytes out;
    for (const Bytes &e : entries) out.insert(out.end(), e.begin(), e.end());
    return out;
}

bool Add(const Bytes &image) { return TuiAddResources(image.data(), uint32_t(image.size())) == 1; }

// The first title of the menu found by the name, or "".
std::string MenuFound(LPCSTR name)
{
    HRSRC r = FindResourceA(nullptr, name, RT_MENU);
    auto *data = static_cast<const uint8_t *>(LockResource(LoadResource(nullptr, r)));
    std::string text;
    for (DWORD at = 6; r && at + 1 < SizeofResource(nullptr, r) && data[at]; at += 2) text.push_back(char(data[at]));
    return text;
}

// The entries of lookup.res registered in the opposite order to the one
// llvm-rc wrote (the test program's own menus are in source order), from a
// buffer wiped afterwards since the store keeps its own copy.
TEST(Resources, FindsEntriesByNameWithoutRegardToCaseAndByIdInBothFormsWhateverTheirOrder)
{
    std::vector<Bytes> entries = Entries();
    std::reverse(entries.begin() + 1, entries.end());  // the null entry stays first
    Bytes image = Join(entries);
    ASSERT_TRUE(Add(image));
    std::fill(image.begin(), image.end(), 0xEE);
    const std::pair<LPCSTR, const char *> lookups[] = {
        {"Zebra", "&Zebra"}, {"zebra", "&Zebra"}, {"ZEBRA", "&Zebra"}, {"mixedCase", "&Mixed"}, {"#123", "&Numbered"},
        {MAKEINTRESOURCE(123), "&Numbered"}, {"about", "&About"}, {"Zebr", ""}, {"#", ""}, {"#12x", ""}, {"#70000", ""}, {"#124", ""}};
    for (size_t i = 0; i < std::size(lookups); ++i) EXPECT_EQ(MenuFound(lookups[i].first), lookups[i].second) << i;
    HRSRC dialog = FindResourceA(nullptr, "ABOUT", RT_DIALOG);
    EXPECT_TRUE(dialog && dialog != FindResourceA(nullptr, "ABOUT", RT_MENU));
    EXPECT_EQ(FindResourceA(nullptr, "Zebra", RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindResourceA(nullptr, "Zebr", RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(Resources, AMalformedOrCutImageIsRefusedWholeUnlessTheCutFallsBetweenEntries)
{
    std::vector<Bytes> e = Entries();
    Bytes good = Join(e), shortHeader = good, unterminated = good;
    shortHeader[e[0].size() + 4] = 8;  // Zebra's header too short for its own fields
    for (size_t at = e[0].size() + 12; at < e[0].size() + Dword(e[1], 4) - 16; at += 2)
        unterminated[at] = 'Q';  // Zebra's name running to the header's end
    EXPECT_FALSE(Add(shortHeader) || Add(unterminated));
    EXPECT_EQ(TuiAddResources(nullptr, 100), 0);
    EXPECT_EQ(FindResourceA(nullptr, "Zebra", RT_MENU), nullptr);
    // Cut inside an entry's header or data, an image is refused.
    for (size_t i = 0, start = 0; i < e.size(); start += e[i++].size()) {
        for (size_t cut = start + 1; cut <= start + e[i].size(); ++cut) {
            Bytes part(good.begin(), good.begin() + long(cut));  // exactly cut bytes: a read past them is caught
            uint32_t count = 0;
            bool whole = ValidateResourceImage(part.data(), uint32_t(cut), &count);
            EXPECT_EQ(whole, cut >= start + Dword(e[i], 0) + Dword(e[i], 4)) << cut;  // only padding may be missing
            EXPECT_EQ(whole ? count : i, i) << cut;  // the null entry is not counted
        }
    }
}

}  // namespace
}  // namespace tuikit::platform

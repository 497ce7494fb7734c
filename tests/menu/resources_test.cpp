// Resource lookup over .res images compiled by llvm-rc: names without
// regard to case, "#123" and integer ids, the type deciding between equal
// names, malformed images refused whole, and images taken back.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/resources.h"
#include "tuikit/tuikit.h"

namespace tuikit::platform {
namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Dword(const Bytes &b, size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24; }

// lookup.res: entries of data size, header size, ..., padding; in source
// order, which mixes names and ids, so a lookup relying on sorted entries misses.
Bytes LookupImage()
{
    std::ifstream in(TUIKIT_LOOKUP_RES, std::ios::binary);
    Bytes image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_GT(image.size(), 32u) << "cannot read " << TUIKIT_LOOKUP_RES;
    return image;
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

TEST(Resources, FindsEntriesByNameWithoutRegardToCaseAndByIdInBothForms)
{
    const Bytes added = LookupImage();
    Bytes image = added;
    ASSERT_TRUE(Add(image));
    std::fill(image.begin(), image.end(), 0xEE);  // the store keeps its own copy
    const std::pair<LPCSTR, const char *> lookups[] = {
        {"Zebra", "&Zebra"}, {"zebra", "&Zebra"}, {"ZEBRA", "&Zebra"}, {"mixedCase", "&Mixed"}, {"#123", "&Numbered"},
        {MAKEINTRESOURCE(123), "&Numbered"}, {"about", "&About"}, {"Zebr", ""}, {"#", ""}, {"#12x", ""}, {"#65659", ""}, {"#124", ""}};
    for (size_t i = 0; i < std::size(lookups); ++i) EXPECT_EQ(MenuFound(lookups[i].first), lookups[i].second) << i;
    HRSRC dialog = FindResourceA(nullptr, "ABOUT", RT_DIALOG);
    EXPECT_TRUE(dialog && dialog != FindResourceA(nullptr, "ABOUT", RT_MENU));
    EXPECT_EQ(FindResourceA(nullptr, "Zebra", RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindResourceA(nullptr, "Zebr", RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
    RemoveResourceImage(added.data(), uint32_t(added.size()));  // the next tests start without it
}

TEST(Resources, AMalformedOrCutImageIsRefusedWholeUnlessTheCutFallsBetweenEntries)
{
    Bytes good = LookupImage(), shortHeader = good, unterminated = good;
    const size_t zebra = 32;      // the entry after the null one
    shortHeader[zebra + 4] = 8;  // its header too short for its own fields
    for (size_t at = zebra + 12; at < zebra + Dword(good, zebra + 4) - 16; at += 2)
        unterminated[at] = 'Q';  // its name running to the header's end
    EXPECT_FALSE(Add(shortHeader) || Add(unterminated));
    EXPECT_EQ(TuiAddResources(nullptr, 100), 0);
    EXPECT_EQ(FindResourceA(nullptr, "Zebra", RT_MENU), nullptr);
    // Cut inside an entry's header or data, an image is refused; only padding may be missing.
    for (uint32_t i = 0, start = 0, end; start < good.size(); ++i, start = end) {
        uint32_t used = start + Dword(good, start) + Dword(good, start + 4);
        end = (used + 3) & ~3u;
        for (uint32_t cut = start + 1; cut <= end; ++cut) {
            Bytes part(good.begin(), good.begin() + cut);  // exactly cut bytes: a read past them is caught
            uint32_t count = 0;
            bool whole = ValidateResourceImage(part.data(), cut, &count);
            EXPECT_EQ(whole, cut >= used) << cut;
            EXPECT_EQ(whole ? count : i, i) << cut;  // the null entry is not counted
        }
    }
}

TEST(Resources, AnImageTakenBackTakesOnlyItsOwnEntriesWithIt)
{
    const Bytes image = LookupImage();
    Bytes renamed = image;
    renamed[32 + 12] = 'Y';  // the first entry's name: Zebra becomes Yebra
    ASSERT_TRUE(Add(image));
    ASSERT_TRUE(Add(renamed));
    EXPECT_EQ(MenuFound("Yebra"), "&Zebra");
    EXPECT_TRUE(RemoveResourceImage(renamed.data(), uint32_t(renamed.size())));
    EXPECT_EQ(MenuFound("Yebra"), "");
    EXPECT_EQ(MenuFound("Zebra"), "&Zebra");
    EXPECT_FALSE(RemoveResourceImage(renamed.data(), uint32_t(renamed.size())));
}

}  // namespace
}  // namespace tuikit::platform

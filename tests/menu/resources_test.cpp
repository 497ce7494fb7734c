// Resource lookup over .res images compiled by llvm-rc: names without
// regard to case, "#123" and integer ids, the type deciding between equal
// names, any order of entries, and malformed images refused whole.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/resources.h"
#include "tuikit/tuikit.h"

namespace tuikit::platform {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes LookupImage()
{
    std::ifstream in(TUIKIT_LOOKUP_RES, std::ios::binary);
    Bytes b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(b.empty()) << "cannot read " << TUIKIT_LOOKUP_RES;
    return b;
}

uint32_t Dword(const Bytes &b, size_t at)
{
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// The image cut into its entries (each with its padding).
std::vector<Bytes> Entries(const Bytes &image)
{
    std::vector<Bytes> out;
    for (size_t at = 0; at < image.size();) {
        size_t end = at + Dword(image, at + 4) + Dword(image, at);
        end = (end + 3) & ~size_t{3};
        out.emplace_back(image.begin() + static_cast<long>(at), image.begin() + static_cast<long>(end));
        at = end;
    }
    return out;
}

Bytes Join(const std::vector<Bytes> &entries)
{
    Bytes out;
    for (const Bytes &e : entries) out.insert(out.end(), e.begin(), e.end());
    return out;
}

// The first item text of the menu found, or "" when none is found.
std::string MenuFound(LPCSTR name)
{
    HRSRC r = FindResourceA(nullptr, name, RT_MENU);
    if (!r) return "";
    auto *data = static_cast<const uint8_t *>(LockResource(LoadResource(nullptr, r)));
    DWORD size = SizeofResource(nullptr, r);
    std::string text;
    // Header (4 bytes), then the popup entry: flags, then its text.
    for (DWORD at = 6; at + 1 < size && data[at]; at += 2) text.push_back(static_cast<char>(data[at]));
    return text;
}

void ExpectEveryLookupWorks()
{
    EXPECT_EQ(MenuFound("Zebra"), "&Zebra");
    EXPECT_EQ(MenuFound("zebra"), "&Zebra");
    EXPECT_EQ(MenuFound("MIXEDCASE"), "&Mixed");
    EXPECT_EQ(MenuFound("mixedCase"), "&Mixed");
    EXPECT_EQ(MenuFound("#123"), "&Numbered");
    EXPECT_EQ(MenuFound(MAKEINTRESOURCE(123)), "&Numbered");
    EXPECT_EQ(MenuFound("about"), "&About");
    EXPECT_NE(FindResourceA(nullptr, "ABOUT", RT_DIALOG), nullptr);
    EXPECT_NE(FindResourceA(nullptr, "ABOUT", RT_DIALOG), FindResourceA(nullptr, "ABOUT", RT_MENU));
}

TEST(Resources, FindsEntriesByNameWithoutRegardToCaseAndByIdInBothForms)
{
    Bytes image = LookupImage();
    ASSERT_EQ(TuiAddResources(image.data(), static_cast<uint32_t>(image.size())), 1);
    ExpectEveryLookupWorks();
}

TEST(Resources, FindsTheSameEntriesWhenTheImageListsThemInTheOppositeOrder)
{
    std::vector<Bytes> entries = Entries(LookupImage());
    ASSERT_GE(entries.size(), 6u);
    std::reverse(entries.begin() + 1, entries.end());  // the null entry stays first
    Bytes image = Join(entries);
    ASSERT_EQ(TuiAddResources(image.data(), static_cast<uint32_t>(image.size())), 1);
    ExpectEveryLookupWorks();
}

TEST(Resources, ReportsWhatIsMissing)
{
    Bytes image = LookupImage();
    ASSERT_EQ(TuiAddResources(image.data(), static_cast<uint32_t>(image.size())), 1);
    EXPECT_EQ(FindResourceA(nullptr, "Zebr", RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(nullptr, "Zebra", RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    for (const char *bad : {"#", "#12x", "#70000", "#124"}) EXPECT_EQ(FindResourceA(nullptr, bad, RT_MENU), nullptr) << bad;
    EXPECT_EQ(FindResourceA(nullptr, nullptr, RT_MENU), nullptr);
    EXPECT_EQ(FindResourceA(reinterpret_cast<HMODULE>(1), "Zebra", RT_MENU), nullptr);
    EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(&image)), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}

TEST(Resources, KeepsItsOwnCopyOfTheImage)
{
    Bytes image = LookupImage();
    ASSERT_EQ(TuiAddResources(image.data(), static_cast<uint32_t>(image.size())), 1);
    std::fill(image.begin(), image.end(), 0xEE);
    image.clear();
    image.shrink_to_fit();
    EXPECT_EQ(MenuFound("Zebra"), "&Zebra");
}

TEST(Resources, RefusesAMalformedImageWholeAndAddsNothing)
{
    Bytes good = LookupImage();
    std::vector<Bytes> entries = Entries(good);
    ASSERT_GE(entries.size(), 3u);

    // Zebra's entry is fine; the one after it claims more data than there is.
    Bytes image = Join({entries[0], entries[1], entries[2]});
    size_t second = entries[0].size() + entries[1].size();
    uint32_t huge = 0x10000;
    std::memcpy(image.data() + second, &huge, 4);
    EXPECT_EQ(TuiAddResources(image.data(), static_cast<uint32_t>(image.size())), 0);
    EXPECT_EQ(FindResourceA(nullptr, "Zebra", RT_MENU), nullptr);

    EXPECT_EQ(TuiAddResources(good.data(), 0), 0);
    EXPECT_EQ(TuiAddResources(nullptr, 100), 0);
    Bytes shortHeader = good;
    uint32_t tiny = 8;
    std::memcpy(shortHeader.data() + entries[0].size() + 4, &tiny, 4);
    EXPECT_EQ(TuiAddResources(shortHeader.data(), static_cast<uint32_t>(shortHeader.size())), 0);
    Bytes unterminated = Join({entries[0], entries[1]});
    // Fill the name field with letters up to the header's end.
    for (size_t at = entries[0].size() + 12; at < entries[0].size() + Dword(entries[1], 4) - 16; at += 2)
        unterminated[at] = 'Q', unterminated[at + 1] = 0;
    EXPECT_EQ(TuiAddResources(unterminated.data(), static_cast<uint32_t>(unterminated.size())), 0);
    EXPECT_EQ(FindResourceA(nullptr, "Zebra", RT_MENU), nullptr);
}

TEST(Resources, ACutImageIsRefusedUnlessTheCutFallsBetweenEntries)
{
    Bytes good = LookupImage();
    std::vector<Bytes> entries = Entries(good);
    size_t start = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t dataEnd = start + Dword(entries[i], 4) + Dword(entries[i], 0);
        for (size_t cut = start + 1; cut < start + entries[i].size() + 1; ++cut) {
            // A buffer of exactly the cut's size, so a read past it is caught.
            std::unique_ptr<uint8_t[]> part(new uint8_t[cut]);
            std::memcpy(part.get(), good.data(), cut);
            uint32_t count = 0;
            bool ok = ValidateResourceImage(part.get(), static_cast<uint32_t>(cut), &count);
            if (cut < dataEnd) {
                EXPECT_FALSE(ok) << "cut at " << cut;
            } else {
                // The entry is whole; only its padding may be missing.
                EXPECT_TRUE(ok) << "cut at " << cut;
                EXPECT_EQ(count, i) << "cut at " << cut;  // the null entry is not counted
            }
        }
        start += entries[i].size();
    }
}

}  // namespace
}  // namespace tuikit::platform

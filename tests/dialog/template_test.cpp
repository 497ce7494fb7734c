// Dialog templates compiled by llvm-rc: dialog units to cells, centring and
// explicit positions, both padding rules, the font fields, classes that make
// no control or fail the load, and templates that are missing or cut short.
#include <vector>

#include "controls/static_text.h"
#include "dialog_test_support.h"
#include "platform/message_box.h"

namespace tuikit::test {
namespace {

using dialog::CurrentDialog;

TEST(DialogUnits, ColumnsRoundHalfUpAndRowsFromThreeQuarters)
{
    const std::vector<std::pair<int, int>> columns{{1, 0}, {2, 1}, {5, 1}, {6, 2}, {210, 53}, {-5, -1}, {-3, 0}, {-6, -1}};
    for (auto [units, cells] : columns) EXPECT_EQ(dialog::DialogUnitsToColumns(units), cells) << units;
    const std::vector<std::pair<int, int>> rows{{5, 0}, {6, 1}, {13, 1}, {14, 2}, {100, 12}, {-8, -1}, {-7, 0}, {-14, -1}};
    for (auto [units, cells] : rows) EXPECT_EQ(dialog::DialogUnitsToRows(units), cells) << units;
}

// What the dialog looked like from inside: body, title and every control's
// rectangle and text, "x,y wxh text".
struct Layout {
    int left, top, width, height;
    std::string title;
    std::vector<std::string> controls;
    bool operator==(const Layout &) const = default;
};
void PrintTo(const Layout &l, std::ostream *os)
{
    *os << l.left << "," << l.top << " " << l.width << "x" << l.height << " '" << l.title << "'";
    for (const auto &c : l.controls) *os << " [" << c << "]";
}

class DialogTemplate : public DialogTest {
protected:
    Layout LayoutOf(const char *name, int32_t x = -1, int32_t y = -1)
    {
        Layout seen{};
        RunDialog(name, Check(), {[&] {
                      const dialog::DialogWindow &d = *CurrentDialog;
                      seen = {d.left, d.top, d.width, d.height, d.title, {}};
                      EXPECT_EQ(d.itemCount, static_cast<int32_t>(d.controls.size()));
                      for (const auto &c : d.controls)
                          seen.controls.push_back(std::to_string(c->x) + "," + std::to_string(c->y) + " " + std::to_string(c->width) +
                                                  "x" + std::to_string(c->height) + " " + c->text);
                  }},
                  x, y);
        return seen;
    }
};

TEST_F(DialogTemplate, TheBodyIsCentredOnTheLargestWindowUnlessAPositionIsGiven)
{
    EXPECT_EQ(LayoutOf("Empty"), (Layout{13, 6, 53, 12, "Empty", {}}));
    EXPECT_EQ(LayoutOf("empty", 0, -1), (Layout{0, 6, 53, 12, "Empty", {}}));
    EXPECT_EQ(LayoutOf("Empty", -1, 3), (Layout{13, 3, 53, 12, "Empty", {}}));
    EXPECT_EQ(LayoutOf(MAKEINTRESOURCE(7)), (Layout{30, 11, 20, 3, "Seven", {}}));
    EXPECT_EQ(LayoutOf("#7", 2, 2), (Layout{2, 2, 20, 3, "Seven", {}}));
    // Positions far off the screen are held to the console's coordinates.
    EXPECT_EQ(LayoutOf("Empty", INT32_MAX, INT32_MIN), (Layout{32767, -32768, 53, 12, "Empty", {}}));
    ExpectRestored();
}

TEST_F(DialogTemplate, ControlsKeepTheirOffsetsAcrossEveryPaddingCase)
{
    // Odd title, no font: one padding word after the header. Items with
    // titles of even length (0 and 2 and 4) are padded, the odd one is not.
    EXPECT_EQ(LayoutOf("Padding", 0, 1),
              (Layout{0, 1, 25, 5, "Odd", {"1,2 2x1 ab", "1,3 2x2 abc", "0,4 10x1 ", "10,4 5x1 abcd"}}));
    // Font fields counted in the header's padding; a class given by name
    // makes no control and the load goes on past it.
    EXPECT_EQ(LayoutOf("PaddingFont", 0, 1), (Layout{0, 1, 25, 5, "Even", {"0,1 5x1 ab", "0,2 5x1 abc", "0,4 5x1 last"}}));
}

// A .res image of one RT_DIALOG entry with the id, holding bytes.
std::vector<uint8_t> DialogImage(uint16_t id, const std::vector<uint8_t> &bytes)
{
    std::vector<uint8_t> image;
    auto dword = [&](uint32_t v) { for (int i = 0; i < 4; ++i) image.push_back(uint8_t(v >> (8 * i))); };
    dword(uint32_t(bytes.size()));
    dword(32);
    dword(0x0005FFFF);  // type RT_DIALOG
    dword(0xFFFF | uint32_t(id) << 16);
    for (int i = 0; i < 4; ++i) dword(0);
    image.insert(image.end(), bytes.begin(), bytes.end());
    while (image.size() % 4) image.push_back(0);
    return image;
}

TEST_F(DialogTemplate, ARefusedTemplateDrawsNothingAndOnlyAMissingOneSaysSo)
{
    // Classes that make no control, no template at all, and templates cut
    // inside the header, the strings, an item's fixed part and the last
    // item's title, or claiming 65535 items with none behind them.
    std::vector<LPCSTR> names{"GroupBox", "ScrollBarItem", "Nowhere"};
    HRSRC found = FindResourceA(nullptr, "Choices", RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const auto *data = static_cast<const uint8_t *>(LockResource(LoadResource(nullptr, found)));
    const std::vector<uint8_t> whole(data, data + SizeofResource(nullptr, found));
    std::vector<std::vector<uint8_t>> broken;
    for (size_t cut : {size_t{10}, size_t{30}, size_t{60}, whole.size() - 6}) broken.emplace_back(whole.begin(), whole.begin() + long(cut));
    broken.emplace_back(24, 0);
    broken.back()[8] = broken.back()[9] = 0xFF;
    for (size_t i = 0; i < broken.size(); ++i) {
        const auto image = DialogImage(uint16_t(900 + i), broken[i]);  // the first entry of a name wins: one each
        ASSERT_EQ(TuiAddResources(image.data(), uint32_t(image.size())), 1);
        names.push_back(MAKEINTRESOURCE(900 + i));
    }
    for (LPCSTR name : names) {
        SCOPED_TRACE(IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<uintptr_t>(name)) : name);
        EXPECT_EQ(RunDialog(name, {}), 0);
        EXPECT_EQ(procCalls, "");
        EXPECT_EQ(CaptureScreen(), before);
        EXPECT_EQ(CurrentDialog, nullptr);
    }
    auto boxes = platform::RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "can not find the specified resource");
    EXPECT_EQ(boxes[0].caption, "Error Message");
    EXPECT_EQ(boxes[0].type, UINT(MB_OK));
}

}  // namespace
}  // namespace tuikit::test

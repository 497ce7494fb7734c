// The demo's mail dialogs used as a reader would, in memory, over a copy of
// the sample Maildir: the list, a message opened, one deleted after the
// question, a new one sent.
#include <time.h>

#include "control_test_support.h"
#include "demo_mail.h"
#include "mail/maildir_fixture.h"

namespace tuikit::test {
namespace {

// The row showing text, or -1.
int RowShowing(const std::string &text)
{
    for (int y = 0; y < 25; ++y)
        if (RowText(y).find(text) != std::string::npos) return y;
    return -1;
}
::testing::AssertionResult Shows(const std::string &text)
{
    if (RowShowing(text) != -1) return ::testing::AssertionSuccess();
    std::string screen;
    for (int y = 0; y < 25; ++y) screen += RowText(y) + "\n";
    return ::testing::AssertionFailure() << "the screen:\n" << screen;
}

class DemoMail : public ControlTest {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);  // the list shows delivery times in local time
        tzset();
        for (const char *sub : {"cur", "new"})
            for (const auto &file : fs::directory_iterator(fs::path(TUIKIT_SAMPLE_MAILDIR) / sub))
                fs::copy_file(file.path(), box.Root() / sub / file.path().filename());
        ControlTest::SetUp();
    }
    int Messages() const { return static_cast<int>(box.Files("cur").size() + box.Files("new").size()); }

    TempMaildir box;
    const std::function<void()> sync = [] {};  // a dialog ended: its input is all taken
};

// The mailbox's status line is at (5, 3), its list at (5, 4) with items from (6, 5).
TEST_F(DemoMail, AReaderOpensDeletesAndWrites)
{
    std::string line;
    // A dialog that ends takes the marker behind its last key before its
    // quit: ended lets that marker pass and checks at the next one.
    const Records ended = Check() + Check();
    const Records input = Check() + Press(VK_DOWN) + Press(VK_DOWN) + Press(VK_RETURN, '\r') + Check() +
                          Press(VK_ESCAPE, 27) + ended + Press(VK_UP) + Press(VK_RETURN, '\r') + Check() +
                          Press(VK_ESCAPE, 27) + Check() + Press(VK_DELETE) + Check() + Press('Y', 'y') + ended +
                          Press('N', 'n') + Type("bob@example.net") + Press(VK_TAB, '\t') + Type("Lunch") +
                          Press(VK_TAB, '\t') + Type("At noon?") + Press(VK_RETURN, '\r') + ended +
                          Press(VK_ESCAPE, 27);
    RunWith(
        [&] {
            line = DemoMailbox();
            return 0;
        },
        input,
        {[] {
             EXPECT_EQ(RowText(3, 5, 26), "4 messages, 3 unread      ");
             EXPECT_EQ(RowText(5, 6, 58), "  12/06 07:00  Ada Lovelace            Welcome to the TuiK");
             EXPECT_EQ(RowText(6, 6, 58), "* 12/07 06:00  Charles Babbage         Notes on the engine");
             EXPECT_EQ(RowText(7, 6, 65), "* 12/07 08:00  Ren\x82 Dupr\x82              Rendez-vous au caf\x82 \x85 midi");
             EXPECT_EQ(RowText(8, 6, 56), "* 12/07 10:00  J\x81rgen M\x81ller           Gr\x81\xE1" "e aus M\x81nchen");
         },
         [] {
             EXPECT_TRUE(Shows("Ren\x82 Dupr\x82 <rene@example.fr>"));
             EXPECT_TRUE(Shows("2026/12/07 08:00"));
             EXPECT_TRUE(Shows("Attached:  (none)"));
             EXPECT_TRUE(Shows("on se retrouve au caf\x82 de la gare \x85 midi ? Cr\x8Ame br\x96l\x82" "e et"));
         },
         sync,
         [] { EXPECT_TRUE(Shows("4 messages, 2 unread")) << "the message opened is read"; },
         [] {
             EXPECT_TRUE(Shows("To:        Ada Lovelace, You; cc Mary Somerville"));
             EXPECT_TRUE(Shows("Attached:  plan.txt, first-runs.csv"));
         },
         sync,
         [this] {
             EXPECT_TRUE(Shows("\"Notes on the engine\""));
             EXPECT_TRUE(Shows("from Charles Babbage?"));
             EXPECT_EQ(Messages(), 4) << "nothing goes before the answer";
         },
         sync,
         [this] {
             EXPECT_EQ(Messages(), 3);
             EXPECT_EQ(RowShowing("Charles Babbage"), -1);
             EXPECT_TRUE(Shows("3 messages, 1 unread"));
         },
         sync,
         [this] {
             ASSERT_EQ(box.Files(".Sent/new").size(), 1u);
             std::ifstream file(box.Root() / ".Sent/new" / box.Files(".Sent/new")[0]);
             const std::string sent{std::istreambuf_iterator<char>(file), {}};
             EXPECT_NE(sent.find("Subject: Lunch"), std::string::npos) << sent;
             EXPECT_NE(sent.find("bob@example.net"), std::string::npos) << sent;
             EXPECT_NE(sent.find("At noon?"), std::string::npos) << sent;
             EXPECT_EQ(Messages(), 3) << "sent mail is not in the inbox";
         }});
    EXPECT_EQ(line, "Mail: 3 messages; 2 read, 1 deleted, 1 sent.");
    ExpectRestored();
}

// A file that is no message is listed, tells why it cannot be opened, and
// can be deleted.
TEST_F(DemoMail, AnUnreadableMessageIsListedAndCanBeDeleted)
{
    box.Put("new/1796700000.M9P9.stray", "no header here\r\n");
    RunWith(
        [] {
            DemoMailbox();
            return 0;
        },
        Check() + Press(VK_END) + Press(VK_RETURN, '\r') + Check() + Press(VK_RETURN, '\r') + Check() +
            Press(VK_DELETE) + Check() + Press('Y', 'y') + Check() + Check() + Press(VK_ESCAPE, 27),
        {[] {
             EXPECT_TRUE(Shows("5 messages, 3 unread"));
             EXPECT_EQ(RowText(9, 6, 54), "               (a message the mail system cannot read)");
         },
         [] { EXPECT_TRUE(Shows("The message cannot be read.")); },
         sync,
         [] { EXPECT_TRUE(Shows("from (unknown sender)?")); },
         sync,
         [this] {
             EXPECT_TRUE(Shows("4 messages, 3 unread"));
             EXPECT_EQ(box.Files("new").size(), 3u);
         }});
    ExpectRestored();
}

TEST_F(DemoMail, AMailboxThatCannotBeOpenedIsToldInAMessageBox)
{
    fs::remove_all(box.Root() / "cur");
    std::string line = "unchanged";
    RunWith(
        [&] {
            line = DemoMailbox();
            return 0;
        },
        Check() + Press(VK_RETURN, '\r'),
        {[] { EXPECT_TRUE(Shows("The mailbox cannot be opened.")); }});
    EXPECT_EQ(line, "");
    ExpectRestored();
}

}  // namespace
}  // namespace tuikit::test
